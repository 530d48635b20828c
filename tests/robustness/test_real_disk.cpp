// The same failures on a real file system where the machine allows it: a
// data directory mounted read-only, and one on a small tmpfs filled up. The
// mounts live in a mount namespace of this process alone, and are detached
// by their guard in every path, so none outlives the test.
#include "program.h"
#include "test_dir.h"

#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

using namespace tessaro;
using namespace tessaro::robustness;

namespace {

using Command = std::function<void(Program&)>;

QString lastError(const char* what)
{
    return QString::fromLatin1(what) + ": " + QString::fromLocal8Bit(std::strerror(errno));
}

// One mount on a directory, detached when the guard goes.
class Mount {
public:
    explicit Mount(std::string dir) : m_dir(std::move(dir)) { }
    ~Mount()
    {
        if (m_mounted)
            ::umount2(m_dir.c_str(), MNT_DETACH);
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    bool tmpfs(const char* options, QString& why)
    {
        if (::mount("tmpfs", m_dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options) != 0) {
            why = lastError("mount -t tmpfs");
            return false;
        }
        m_mounted = true;
        return true;
    }

    // The directory over itself, then made read-only.
    bool readOnlyBind(QString& why)
    {
        if (::mount(m_dir.c_str(), m_dir.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            why = lastError("mount --bind");
            return false;
        }
        m_mounted = true;
        if (::mount(nullptr, m_dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            why = lastError("mount -o remount,ro,bind");
            return false;
        }
        return true;
    }

private:
    std::string m_dir;
    bool m_mounted = false;
};

// Fills the file system of dir until a write is refused for lack of space.
bool fillUp(const std::string& dir)
{
    std::FILE* filler = std::fopen((dir + "/filler").c_str(), "wb");
    if (!filler)
        return false;
    std::setvbuf(filler, nullptr, _IONBF, 0);
    const std::vector<char> block(512, 'x');
    bool full = false;
    for (int i = 0; i < 100000 && !full; ++i)
        full = std::fwrite(block.data(), 1, block.size(), filler) != block.size();
    while (full && std::fwrite(block.data(), 1, 1, filler) == 1) { }
    std::fclose(filler);
    return full;
}

void saveForKnownClient(Program& program)
{
    program.click("Command3");
    program.pickClient(1);
    program.dialogs().clear();
    program.type("txtimp1", "50");
    program.click("Command5");
}

void insertSecond(Program& program)
{
    program.type("txtnum", "2");
    program.menu("mnueins");
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestRealDisk : public QObject {
    Q_OBJECT

private:
    bool m_mountsAllowed = false;
    QString m_why;

    void checkToldAndUnchanged(Program& program, const std::string& dataDir, const Snapshot& before,
                               const std::string& file)
    {
        const std::vector<std::string> warnings = program.warnings();
        QCOMPARE(warnings.size(), std::size_t(1));
        QVERIFY2(warnings.front().find(dataDir + "/" + file) != std::string::npos, warnings.front().c_str());
        Snapshot after = snapshot(dataDir);
        after.erase("filler");
        QVERIFY(after == before);
    }

private slots:
    void initTestCase()
    {
        if (::geteuid() != 0) {
            m_why = QStringLiteral("mounting a file system needs root");
            return;
        }
        // A namespace of our own: a crash cannot leave a mount on the machine.
        if (::unshare(CLONE_NEWNS) != 0) {
            m_why = lastError("unshare(CLONE_NEWNS)");
            return;
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            m_why = lastError("mount --make-rprivate /");
            return;
        }
        m_mountsAllowed = true;
    }

    void readOnlyDirectory_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("file");
        const auto add = [](const char* name, Command command, const char* file) {
            QTest::newRow(name) << command << QString::fromLatin1(file);
        };
        // A command that writes more than once writes its journal first.
        add("save", saveForKnownClient, "giornale");
        add("insert", insertSecond, "giornale");
        add(
            "year switch", [](Program& p) { p.type("txtanno", "2023"); }, "12023.arc");
        add(
            "euro value",
            [](Program& p) {
                p.dialogs().queueInput("2000");
                p.menu("mnutval");
            },
            "impost");
        add(
            "lire", [](Program& p) { p.menu("mnumlire"); }, "tipo.mon");
        add(
            "commercial", [](Program& p) { p.menu("mnutc"); }, "tipo.fat");
        add(
            "delete year",
            [](Program& p) {
                p.dialogs().queueInput("2024");
                p.menu("mnuecancanno");
            },
            "giornale");
        add(
            "delete client archive", [](Program& p) { p.menu("mnueazzcli"); }, "giornale");
        add(
            "reset all", [](Program& p) { p.menu("mnueazz"); }, "giornale");
    }

    void readOnlyDirectory()
    {
        QFETCH(Command, command);
        QFETCH(QString, file);
        if (!m_mountsAllowed)
            QSKIP(qPrintable("no read-only mount on this machine: " + m_why));
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        Program program(dir.path());
        QVERIFY(program.start());
        const Snapshot before = snapshot(dir.path());
        const int next = program.state().nextNumber;
        Mount mount(dir.path());
        QString why;
        if (!mount.readOnlyBind(why))
            QSKIP(qPrintable("no read-only mount on this machine: " + why));
        // Deleting the client archive asks first, then tells; the question is no warning.
        command(program);
        checkToldAndUnchanged(program, dir.path(), before, file.toStdString());
        QCOMPARE(int(program.state().nextNumber), next);
    }

    // Starting on a read-only directory: the settings that would be repaired
    // stay as they are, the book on disk is shown, and a book that cannot be
    // created is told.
    void startOnReadOnlyDirectory_data()
    {
        QTest::addColumn<bool>("bookOnDisk");
        QTest::newRow("book on disk") << true;
        QTest::newRow("no book yet") << false;
    }

    void startOnReadOnlyDirectory()
    {
        QFETCH(bool, bookOnDisk);
        if (!m_mountsAllowed)
            QSKIP(qPrintable("no read-only mount on this machine: " + m_why));
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        writeFile(dir.path(), "tipo.mon", {'l'});
        if (!bookOnDisk) {
            for (const char* name : {"12024.arc", "12024.agg", "12024.imp"})
                QVERIFY(QFile::remove(QString::fromStdString(dir.file(name))));
        }
        const Snapshot before = snapshot(dir.path());
        Mount mount(dir.path());
        QString why;
        if (!mount.readOnlyBind(why))
            QSKIP(qPrintable("no read-only mount on this machine: " + why));
        Program program(dir.path());
        QVERIFY(program.start());
        QCOMPARE(program.state().currentIssuerRecord.surname.substr(0, 5), std::string("Rossi"));
        if (bookOnDisk) {
            QVERIFY(program.warnings().empty());
            QCOMPARE(program.text("txtnum"), QString("4"));
            program.click("command");
            QCOMPARE(program.text("txtc1").trimmed(), QString("Cliente3"));
        } else {
            QCOMPARE(program.warnings().size(), std::size_t(1));
            QVERIFY(program.warnings().front().find(dir.file("12024.arc")) != std::string::npos);
        }
        QVERIFY(snapshot(dir.path()) == before);
    }

    // An insertion killed half way leaves its journal; the directory is then
    // read-only: the start says the data could not be put back, nothing is
    // written, "Salva" is refused; writable again, the year switch puts it back.
    void journalOnReadOnlyDirectory()
    {
        if (!m_mountsAllowed)
            QSKIP(qPrintable("no read-only mount on this machine: " + m_why));
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        const Snapshot healthy = snapshot(dir.path());
        for (int changes = 1;
             !(snapshot(dir.path()).count("giornale") && readFile(dir.path(), "12024.arc") != healthy.at("12024.arc"));
             ++changes) {
            QVERIFY(changes < 50);
            for (const auto& [name, bytes] : healthy)
                writeFile(dir.path(), name, bytes);
            QFile::remove(QString::fromStdString(dir.file("giornale")));
            Program killed(dir.path());
            QVERIFY(killed.start());
            killed.fs().crashAfter(changes);
            insertSecond(killed);
        }
        const Snapshot halfDone = snapshot(dir.path());
        {
            Mount mount(dir.path());
            QString why;
            if (!mount.readOnlyBind(why))
                QSKIP(qPrintable("no read-only mount on this machine: " + why));
            Program program(dir.path());
            QVERIFY(program.start());
            QCOMPARE(program.warnings().size(), std::size_t(1));
            QVERIFY(program.warnings().front().find("non è stato possibile riportare i dati a prima")
                    != std::string::npos);
            saveForKnownClient(program); // clears the boxes shown before it
            QCOMPARE(program.warnings().size(), std::size_t(1));
            QVERIFY(program.warnings().back().find("giornale") != std::string::npos);
            QVERIFY(snapshot(dir.path()) == halfDone);
        }
        Program program(dir.path());
        QVERIFY(program.start());
        QCOMPARE(program.warnings(),
                 std::vector<std::string> {"L'ultima operazione (Inserisci fattura n. 2 del 2024) non era terminata: i "
                                           "dati sono stati riportati a prima."});
        QVERIFY(snapshot(dir.path()) == healthy);
    }

    void fullDisk_data()
    {
        QTest::addColumn<Command>("command");
        QTest::newRow("save") << Command(saveForKnownClient);
        QTest::newRow("insert") << Command(insertSecond);
    }

    void fullDisk()
    {
        QFETCH(Command, command);
        if (!m_mountsAllowed)
            QSKIP(qPrintable("no tmpfs on this machine: " + m_why));
        test::TestDir dir;
        const std::string dataDir = dir.file("data");
        QVERIFY(QDir().mkpath(QString::fromStdString(dataDir)));
        Mount mount(dataDir);
        QString why;
        if (!mount.tmpfs("size=64k", why))
            QSKIP(qPrintable("no tmpfs on this machine: " + why));
        // Five invoices end 616 bytes before a page of the .arc: the next record needs a new page.
        writeHealthyDirectory(dataDir, 5);
        Program program(dataDir);
        QVERIFY(program.start());
        QVERIFY(fillUp(dataDir));
        Snapshot before = snapshot(dataDir);
        before.erase("filler");
        program.dialogs().clear();
        command(program);
        checkToldAndUnchanged(program, dataDir, before, "giornale");
        QCOMPARE(int(program.state().nextNumber), 6);
    }
};

QTEST_MAIN(TestRealDisk)
#include "test_real_disk.moc"
