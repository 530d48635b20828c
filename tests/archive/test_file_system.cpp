// The machine's own file system, as the archive relies on it on every
// system: UTF-8 names with accents (a client's name in a folder, a user's
// Documents), a file replaced while another handle holds it open, as the
// journal and the atomic writes do, and a file that refuses writing.
#include "archive/file_system.h"

#include "test_dir.h"

#include <QFile>
#include <QtTest>

#include <algorithm>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace tessaro::archive;
using tessaro::test::TestDir;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes text(const char* value)
{
    return Bytes(value, value + std::char_traits<char>::length(value));
}

Bytes contents(File& file)
{
    Bytes bytes(static_cast<std::size_t>(file.size().value_or(0)));
    const auto got = file.readAt(0, bytes);
    bytes.resize(got.value_or(0));
    return bytes;
}

} // namespace

class TestFileSystem : public QObject {
    Q_OBJECT

private slots:
    void namesTravelAsUtf8_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "dati"
                               << "12026.arc";
        QTest::newRow("accents") << "Società Perù"
                                 << "fattura città è.xml";
        QTest::newRow("beyond Latin-1") << "Łódź €"
                                        << "ricevuta Ω.xml";
    }

    void namesTravelAsUtf8()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        FileSystem& fs = realFileSystem();
        TestDir dir;
        const std::string inner = dir.file(folder.toStdString());
        QVERIFY(fs.createDirectories(inner + pathSeparator() + "sotto"));
        const std::string path = inner + pathSeparator() + name.toStdString();
        {
            auto file = fs.open(path);
            QVERIFY(file);
            QCOMPARE(file->writeAt(4, text("abc")), std::size_t(3));
            QVERIFY(file->sync());
        }
        // Qt reaches the same file by the same name, and the listing gives it back.
        QCOMPARE(QFile(QString::fromStdString(path)).size(), qint64(7));
        QCOMPARE(fs.list(inner), std::optional(std::vector<std::string> {name.toStdString()}));
        const std::string renamed = inner + pathSeparator() + "nuovo " + name.toStdString();
        QVERIFY(fs.rename(path, renamed));
        QVERIFY(!fs.exists(path));
        QVERIFY(fs.remove(renamed));
        QVERIFY(!fs.exists(renamed));
        QVERIFY(fs.syncDirectory(inner));
    }

    void replacingAFileHeldOpen()
    {
#ifdef _WIN32
        if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
            QSKIP("Wine has no renaming with POSIX semantics: a file held open cannot be replaced there");
#endif
        FileSystem& fs = realFileSystem();
        TestDir dir;
        auto held = fs.open(dir.file("giornale"));
        QVERIFY(held);
        QCOMPARE(held->writeAt(0, text("prima")), std::size_t(5));
        auto next = fs.open(dir.file("giornale.tmp"));
        QCOMPARE(next->writeAt(0, text("dopo")), std::size_t(4));
        QVERIFY(next->sync());
        next.reset();
        QVERIFY(fs.rename(dir.file("giornale.tmp"), dir.file("giornale")));
        auto reopened = fs.open(dir.file("giornale"));
        QCOMPARE(contents(*reopened), text("dopo"));
        reopened.reset();
        held.reset();
        auto again = fs.open(dir.file("giornale"));
        QVERIFY(again->truncate(2));
        QCOMPARE(contents(*again), text("do"));
        QVERIFY(fs.remove(dir.file("giornale")));
        QVERIFY(!fs.exists(dir.file("giornale")));
    }

    void aFileThatRefusesWritingIsOnlyRead()
    {
        FileSystem& fs = realFileSystem();
        TestDir dir;
        dir.writeBytes("impost", text("dati"));
        QFile impost(QString::fromStdString(dir.file("impost")));
        impost.setPermissions(QFile::ReadOwner);
        if (impost.open(QIODevice::ReadWrite))
            QSKIP("this user writes even a read-only file (root)");
        auto file = fs.open(dir.file("impost"));
        QVERIFY(file);
        QCOMPARE(contents(*file), text("dati"));
        QCOMPARE(file->writeAt(0, text("x")), std::size_t(0));
        file.reset();
        impost.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(dir.bytes("impost"), text("dati"));
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "test_file_system.moc"
