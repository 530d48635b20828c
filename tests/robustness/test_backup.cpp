// "Copia di sicurezza..." and "Ripristina copia di sicurezza..." on the
// whole program: a copy put back gives the files as they were when it was
// made, the data it replaces are kept aside, and a copy that cannot be made
// or put back changes nothing.
#include "app/backup.h"
#include "archive/export_counter.h"
#include "archive/record_file.h"
#include "program.h"
#include "test_dir.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <random>

using namespace tessaro;
using namespace tessaro::robustness;

namespace {

QString todaysCopy(const QString& folder)
{
    return folder + "/tessaro-copia-" + QDate::currentDate().toString(Qt::ISODate) + ".tar.gz";
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A file in a folder of the data directory, its name beyond ASCII (so
// written with Qt, as the program does), that does not shrink when
// compressed: it takes many reads and writes.
const QByteArray FolderBytes = [] {
    QByteArray bytes(300 * 1024, 0);
    std::generate(bytes.begin(), bytes.end(), std::minstd_rand());
    return bytes;
}();

QString folderFile(const std::string& dir)
{
    return QString::fromStdString(dir) + "/fatture/così è.xml";
}

void writeFolderFile(const std::string& dir)
{
    QVERIFY(QDir().mkpath(QFileInfo(folderFile(dir)).path()));
    QFile file(folderFile(dir));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(FolderBytes) == FolderBytes.size());
}

QByteArray readFolderFile(const std::string& dir)
{
    QFile file(folderFile(dir));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An archive of "./impost" and one entry no copy holds: a file, or a link
// when symLink is given.
bool writeOddTarGz(const QString& path, const QByteArray& odd, const char* symLink = nullptr)
{
    struct archive* out = archive_write_new();
    bool written = archive_write_set_format_pax_restricted(out) == ARCHIVE_OK
        && archive_write_add_filter_gzip(out) == ARCHIVE_OK
        && archive_write_open_filename_w(out, path.toStdWString().c_str()) == ARCHIVE_OK;
    for (const QByteArray& name : {QByteArray("./impost"), odd}) {
        const bool link = symLink && name == odd;
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.constData());
        archive_entry_set_filetype(entry, link ? AE_IFLNK : AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, link ? 0 : 1);
        if (link)
            archive_entry_set_symlink(entry, symLink);
        written = written && archive_write_header(out, entry) == ARCHIVE_OK
            && (link || archive_write_data(out, "x", 1) == 1);
        archive_entry_free(entry);
    }
    written = written && archive_write_close(out) == ARCHIVE_OK;
    archive_write_free(out);
    return written;
}

// The file the restore is given for a row of refused(): a copy of a folder
// without data, a copy cut short, bytes of no archive, or an archive with an
// entry a copy never holds.
QString archiveOfKind(const QString& kind, const std::string& dir, const QString& folder)
{
    const QString path = folder + "/copia.tar.gz";
    const std::map<QString, std::pair<QByteArray, const char*>> odd {
        {"link", {"./clienti", "/etc/passwd"}},
        {"absolute path", {(folder + "/fuori").toUtf8(), nullptr}},
        {"parent folder", {"../fuori", nullptr}},
    };
    if (const auto entry = odd.find(kind); entry != odd.end())
        return writeOddTarGz(path, entry->second.first, entry->second.second) ? path : QString();
    QFile file(path);
    if (kind == "garbage")
        return file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096 ? path : QString();
    const test::TestDir empty;
    const app::BackupOutcome copy = app::writeBackup(
        archive::realFileSystem(), kind == "empty copy" ? empty.path() : dir, folder.toStdString(), QDate(2026, 3, 14));
    file.setFileName(QString::fromStdString(copy.path));
    return copy.done && (kind == "empty copy" || file.resize(file.size() / 2)) ? file.fileName() : QString();
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void copyPutBack()
    {
        test::TestDir parent;
        const std::string dir = parent.file("Tessaro");
        QVERIFY(QDir().mkpath(QString::fromStdString(dir)));
        test::TestDir elsewhere;
        const QString folder = QString::fromStdString(elsewhere.path());
        writeHealthyDirectory(dir);
        writeFolderFile(dir);
        Program program(dir);
        QVERIFY(program.start());
        const Snapshot copied = snapshot(dir);
        program.dialogs().queueChosenPath(folder.toStdString());
        program.menu("mnufbackup");
        QCOMPARE(program.dialogs().last().title, std::string("COPIA DI SICUREZZA"));
        QVERIFY(QFile::exists(todaysCopy(folder)));

        program.type("txtimp1", "50");
        program.click("Command5");
        QCOMPARE(int(program.state().nextNumber), 5);
        // A file exported since the copy: its name must stay used once the copy is back.
        std::array<std::uint8_t, archive::ExportCounterRecordSize> counter {};
        archive::encodeExportCounter({"01234567897", 7}, counter);
        QVERIFY(archive::writeRecord(archive::realFileSystem(), dir + "/progressivi.fe", 1, counter).ok());
        const Snapshot changed = snapshot(dir);
        program.dialogs().queueChosenPath(todaysCopy(folder).toStdString());
        program.menu("mnufrestore");
        QCOMPARE(program.dialogs().last().title, std::string("RIPRISTINO COPIA DI SICUREZZA"));
        Snapshot restored = snapshot(dir);
        QVERIFY(restored.extract("progressivi.fe").mapped() == Bytes(counter.begin(), counter.end()));
        QVERIFY(restored == copied);
        QVERIFY(readFolderFile(dir) == FolderBytes);
        QCOMPARE(int(program.state().nextNumber), 4);
        QVERIFY(QFile::exists(QString::fromStdString(dir + "/tessaro.lock")));
        const QStringList besides = entries(QString::fromStdString(parent.path()));
        QCOMPARE(besides.size(), 2);
        const QString aside
            = QString::fromStdString(parent.path()) + "/" + besides.filter("prima del ripristino").value(0);
        QVERIFY(snapshot(aside.toStdString()) == changed);
        const auto& shown = program.dialogs().shown(); // the folder quoted, apart from the full stop
        QVERIFY(std::any_of(shown.begin(), shown.end(), [&](const auto& box) {
            return box.text.ends_with("nella cartella \"" + QDir::toNativeSeparators(aside).toStdString() + "\".");
        }));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("chosen"); // "data": the data directory; else an archive, see archiveOfKind
        QTest::addColumn<QString>("told"); // part of the one warning; none when empty
        const QString notACopy = "non è una copia di sicurezza dei dati";
        QTest::newRow("copy into the data directory") << "mnufbackup"
                                                      << "data"
                                                      << "fuori dalla cartella dati";
        QTest::newRow("copy cancelled") << "mnufbackup"
                                        << ""
                                        << "";
        QTest::newRow("restore cancelled") << "mnufrestore"
                                           << ""
                                           << "";
        for (const char* kind : {"empty copy", "truncated copy", "garbage", "link", "absolute path", "parent folder"})
            QTest::newRow(kind) << "mnufrestore" << kind << notACopy;
    }

    void refused()
    {
        QFETCH(QString, item);
        QFETCH(QString, chosen);
        QFETCH(QString, told);
        test::TestDir parent;
        const std::string dir = parent.file("Tessaro");
        QVERIFY(QDir().mkpath(QString::fromStdString(dir)));
        writeHealthyDirectory(dir);
        test::TestDir other;
        const QString folder = QString::fromStdString(other.path());
        QString path = chosen == "data" ? QString::fromStdString(dir) : QString();
        if (!chosen.isEmpty() && chosen != "data")
            QVERIFY(!(path = archiveOfKind(chosen, dir, folder)).isEmpty());
        Program program(dir);
        QVERIFY(program.start());
        const Snapshot before = snapshot(dir);
        program.dialogs().clear();
        program.dialogs().queueChosenPath(path.toStdString());
        program.menu(item.toLatin1().constData());
        const std::vector<std::string> warnings = program.warnings();
        QCOMPARE(warnings.size(), std::size_t(told.isEmpty() ? 0 : 1));
        if (!told.isEmpty())
            QVERIFY2(warnings.front().find(told.toStdString()) != std::string::npos, warnings.front().c_str());
        QVERIFY(snapshot(dir) == before);
        QCOMPARE(entries(QString::fromStdString(parent.path())), QStringList {"Tessaro"});
        QVERIFY(!QFile::exists(folder + "/fuori"));
    }

    void copyOnAFailingDisk_data()
    {
        QTest::addColumn<test::FaultyFileSystem::Op>("op");
        QTest::newRow("not created") << test::FaultyFileSystem::Op::Open;
        QTest::newRow("not written") << test::FaultyFileSystem::Op::Write;
        QTest::newRow("not on the disk") << test::FaultyFileSystem::Op::Sync;
    }

    void copyOnAFailingDisk()
    {
        QFETCH(test::FaultyFileSystem::Op, op);
        test::TestDir data;
        writeHealthyDirectory(data.path());
        test::TestDir elsewhere;
        Program program(data.path());
        QVERIFY(program.start());
        program.fs().fail(
            op, QFileInfo(todaysCopy(QString::fromStdString(elsewhere.path()))).fileName().toStdString() + ".tmp");
        program.dialogs().queueChosenPath(elsewhere.path());
        program.menu("mnufbackup");
        QCOMPARE(program.warnings().size(), std::size_t(1));
        QVERIFY(program.warnings().front().find("Impossibile scrivere la copia") != std::string::npos);
        QCOMPARE(entries(QString::fromStdString(elsewhere.path())), QStringList {});
    }

    // Every copy made before the program wrote its own was GNU tar's, and a
    // copy may be opened by hand with the system's tar.
    void gnuTar()
    {
        if (QStandardPaths::findExecutable("tar").isEmpty())
            QSKIP("GNU tar is not installed");
        test::TestDir parent;
        test::TestDir elsewhere;
        const QString folder = QString::fromStdString(elsewhere.path());
        const std::string source = elsewhere.file("dati");
        QVERIFY(QDir().mkpath(QString::fromStdString(source)));
        writeHealthyDirectory(source, 5);
        writeFolderFile(source);
        const QString old = folder + "/vecchia.tar.gz";
        QCOMPARE(QProcess::execute("tar", {"-czf", old, "-C", QString::fromStdString(source), "."}), 0);
        const std::string dir = parent.file("Tessaro");
        QVERIFY(QDir().mkpath(QString::fromStdString(dir)));
        writeHealthyDirectory(dir);
        Program program(dir);
        QVERIFY(program.start());
        program.dialogs().queueChosenPath(old.toStdString());
        program.menu("mnufrestore");
        QCOMPARE(program.warnings().size(), std::size_t(0));
        QVERIFY(snapshot(dir) == snapshot(source));
        QVERIFY(readFolderFile(dir) == FolderBytes);

        program.dialogs().queueChosenPath(folder.toStdString());
        program.menu("mnufbackup");
        const std::string unpacked = elsewhere.file("estratta");
        QVERIFY(QDir().mkpath(QString::fromStdString(unpacked)));
        QCOMPARE(QProcess::execute("tar", {"-xzf", todaysCopy(folder), "-C", QString::fromStdString(unpacked)}), 0);
        QVERIFY(snapshot(unpacked) == snapshot(dir));
        QVERIFY(readFolderFile(unpacked) == FolderBytes);
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
