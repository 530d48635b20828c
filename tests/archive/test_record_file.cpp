#include "archive/data_dir.h"
#include "archive/record_file.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QtTest>

#include <vector>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes filled(std::size_t size, std::uint8_t value)
{
    return Bytes(size, value);
}

Bytes readOne(const std::string& path, int number, std::size_t length)
{
    Bytes record(length, 0xEE);
    const Status read = readRecord(realFileSystem(), path, number, record);
    if (!read)
        return {};
    return record;
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT

private slots:
    void openingCreatesAMissingFileEmpty()
    {
        TestDir dir;
        QVERIFY(!dir.exists("new"));
        QVERIFY(RecordFile::open(realFileSystem(), dir.file("new"), 4).ok());
        QVERIFY(dir.exists("new"));
        QCOMPARE(dir.bytes("new").size(), std::size_t {0});
    }

    void openingKeepsAnExistingFile()
    {
        TestDir dir;
        dir.writeBytes("f", {1, 2, 3, 4});
        QVERIFY(RecordFile::open(realFileSystem(), dir.file("f"), 2).ok());
        QCOMPARE(dir.bytes("f"), (Bytes {1, 2, 3, 4}));
    }

    void readsPastTheEndGiveZeros_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("expected");
        // File of 6 bytes, records of 4: record 2 is half there, record 3 wholly past the end.
        QTest::newRow("inside") << 1 << QByteArray("\x01\x02\x03\x04", 4);
        QTest::newRow("partly past the end") << 2 << QByteArray("\x05\x06\x00\x00", 4);
        QTest::newRow("wholly past the end") << 3 << QByteArray(4, '\0');
        QTest::newRow("far past the end") << 1000 << QByteArray(4, '\0');
    }

    void readsPastTheEndGiveZeros()
    {
        QFETCH(int, number);
        QFETCH(QByteArray, expected);
        TestDir dir;
        dir.writeBytes("f", {1, 2, 3, 4, 5, 6});
        const Bytes record = readOne(dir.file("f"), number, 4);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data()), static_cast<int>(record.size())), expected);
        QCOMPARE(dir.bytes("f").size(), std::size_t {6}); // reading never extends
    }

    void writingExtendsWithZeroFill()
    {
        TestDir dir;
        QVERIFY(writeRecord(realFileSystem(), dir.file("f"), 3, filled(4, 0x33)).ok());
        Bytes expected(8, 0);
        expected.insert(expected.end(), 4, 0x33);
        QCOMPARE(dir.bytes("f"), expected);

        QVERIFY(writeRecord(realFileSystem(), dir.file("f"), 1, filled(4, 0x11)).ok());
        QCOMPARE(dir.bytes("f").size(), std::size_t {12});
        QCOMPARE(readOne(dir.file("f"), 1, 4), filled(4, 0x11));
        QCOMPARE(readOne(dir.file("f"), 2, 4), filled(4, 0));
    }

    void oneOpenFileServesALoop()
    {
        TestDir dir;
        FaultyFileSystem fs;
        auto file = RecordFile::open(fs, dir.file("f"), 2);
        QVERIFY(file.ok());
        for (int n = 1; n <= 5; ++n)
            QVERIFY(file.value().write(n, Bytes {static_cast<std::uint8_t>(n), 0}).ok());
        Bytes record(2);
        QVERIFY(file.value().read(4, record).ok());
        QCOMPARE(record, (Bytes {4, 0}));
        QCOMPARE(fs.count(FaultyFileSystem::Op::Open, "f"), 1);
    }

    // Blocks of consecutive records: read zero-filled past the end, written
    // in one transfer; the record count counts a record cut short.
    void blocksAndCounts_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<int>("countAfterWrite");
        // File of 5 bytes, records of 2: record 3 is cut short.
        QTest::newRow("inside") << 1 << 2 << QByteArray("\x01\x02\x03\x04", 4) << 3;
        QTest::newRow("over the end") << 2 << 2 << QByteArray("\x03\x04\x05\x00", 4) << 3;
        QTest::newRow("past the end") << 5 << 1 << QByteArray(2, '\0') << 5;
    }

    void blocksAndCounts()
    {
        QFETCH(int, first);
        QFETCH(int, records);
        QFETCH(QByteArray, read);
        QFETCH(int, countAfterWrite);
        TestDir dir;
        dir.writeBytes("f", {1, 2, 3, 4, 5});
        auto file = RecordFile::open(realFileSystem(), dir.file("f"), 2);
        QVERIFY(file.ok());
        QCOMPARE(file.value().recordCount().value(), 3u);
        Bytes block(static_cast<std::size_t>(records) * 2, 0xEE);
        QVERIFY(file.value().readBlock(first, block).ok());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<int>(block.size())), read);
        QVERIFY(file.value().writeBlock(first, filled(block.size(), 0x77)).ok());
        QCOMPARE(file.value().recordCount().value(), std::uint64_t(countAfterWrite));
        Bytes odd(3);
        QVERIFY(!file.value().readBlock(1, odd).ok()); // not whole records
        QVERIFY(file.value().truncate(1).ok());
        QCOMPARE(file.value().byteSize().value(), 1u);
    }

    void recordNumbersBelowOneAreRefused_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -3;
    }

    void recordNumbersBelowOneAreRefused()
    {
        QFETCH(int, number);
        TestDir dir;
        dir.writeBytes("f", {9, 9});
        Bytes record(2);
        const Status read = readRecord(realFileSystem(), dir.file("f"), number, record);
        QVERIFY(!read.ok());
        QCOMPARE(read.error().action, IoError::Action::Read);
        QCOMPARE(read.error().path, dir.file("f"));
        const Status written = writeRecord(realFileSystem(), dir.file("f"), number, Bytes {1, 1});
        QVERIFY(!written.ok());
        QCOMPARE(written.error().action, IoError::Action::Write);
        QCOMPARE(dir.bytes("f"), (Bytes {9, 9}));
    }

    void failuresNameTheFile_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("action");
        QTest::newRow("open") << int(FaultyFileSystem::Op::Open) << int(IoError::Action::Open);
        QTest::newRow("read") << int(FaultyFileSystem::Op::Read) << int(IoError::Action::Read);
        QTest::newRow("write") << int(FaultyFileSystem::Op::Write) << int(IoError::Action::Write);
    }

    void failuresNameTheFile()
    {
        QFETCH(int, op);
        QFETCH(int, action);
        TestDir dir;
        dir.writeBytes("12024.arc", {1, 2});
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op(op), "12024.arc");
        Bytes record(2);
        const Status status = FaultyFileSystem::Op(op) == FaultyFileSystem::Op::Write
            ? writeRecord(fs, dir.file("12024.arc"), 1, Bytes {7, 7})
            : readRecord(fs, dir.file("12024.arc"), 1, record);
        QVERIFY(!status.ok());
        QCOMPARE(int(status.error().action), action);
        QCOMPARE(status.error().path, dir.file("12024.arc"));
        QVERIFY(QString::fromStdString(status.error().describe()).endsWith("12024.arc"));
        QCOMPARE(dir.bytes("12024.arc"), (Bytes {1, 2}));
    }

    void shortWriteLeavesNoHalfRecord_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("in place") << 2;
        QTest::newRow("last record") << 3;
        QTest::newRow("extending") << 4;
        QTest::newRow("extending past a gap") << 6;
    }

    void shortWriteLeavesNoHalfRecord()
    {
        QFETCH(int, number);
        TestDir dir;
        const Bytes before = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
        dir.writeBytes("f", before);
        FaultyFileSystem fs;
        fs.failShortWrite("f");
        const Status written = writeRecord(fs, dir.file("f"), number, filled(4, 0x77));
        QVERIFY(!written.ok());
        QCOMPARE(written.error().action, IoError::Action::Write);
        QCOMPARE(dir.bytes("f"), before);
    }

    // A write keeps what it replaces first: when that cannot be read, the
    // write could not be undone, and it is not made.
    void writeThatCannotKeepWhatItReplacesIsRefused()
    {
        TestDir dir;
        dir.writeBytes("f", {1, 1, 2, 2});
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Read, "f");
        const Status written = writeRecord(fs, dir.file("f"), 1, Bytes {5, 5});
        QVERIFY(!written.ok());
        QCOMPARE(written.error().path, dir.file("f"));
        QCOMPARE(dir.bytes("f"), (Bytes {1, 1, 2, 2}));
        // Past the end there is nothing to keep.
        QVERIFY(writeRecord(fs, dir.file("f"), 3, Bytes {3, 3}).ok());
        QCOMPARE(dir.bytes("f"), (Bytes {1, 1, 2, 2, 3, 3}));
    }

    void failAfterCountsEveryOperation()
    {
        TestDir dir;
        FaultyFileSystem fs;
        fs.failAfter(2); // the open and the first write
        auto file = RecordFile::open(fs, dir.file("f"), 1);
        QVERIFY(file.ok());
        QVERIFY(file.value().write(1, Bytes {1}).ok());
        QVERIFY(!file.value().write(2, Bytes {2}).ok());
        fs.heal();
        QVERIFY(file.value().write(2, Bytes {2}).ok());
        QCOMPARE(dir.bytes("f"), (Bytes {1, 2}));
    }

    void failingAfterSomeWritesOfOneFile()
    {
        TestDir dir;
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Write, "f", 2);
        QVERIFY(writeRecord(fs, dir.file("f"), 1, Bytes {1}).ok());
        QVERIFY(writeRecord(fs, dir.file("other"), 1, Bytes {1}).ok());
        QVERIFY(writeRecord(fs, dir.file("f"), 2, Bytes {2}).ok());
        QVERIFY(!writeRecord(fs, dir.file("f"), 3, Bytes {3}).ok());
        QCOMPARE(fs.count(FaultyFileSystem::Op::Write, "f"), 3);

        // A failure that happens once only.
        fs.heal();
        fs.fail(FaultyFileSystem::Op::Write, "f", 0, 1);
        QVERIFY(!writeRecord(fs, dir.file("f"), 4, Bytes {4}).ok());
        QVERIFY(writeRecord(fs, dir.file("f"), 4, Bytes {4}).ok());
        QCOMPARE(dir.bytes("f"), (Bytes {1, 2, 0, 4}));
    }

    void removingFiles()
    {
        TestDir dir;
        dir.writeBytes("a", {1});
        QVERIFY(removeFile(realFileSystem(), dir.file("a")).ok());
        QVERIFY(!dir.exists("a"));
        const Status missing = removeFile(realFileSystem(), dir.file("a"));
        QVERIFY(!missing.ok());
        QCOMPARE(missing.error().action, IoError::Action::Remove);
        QCOMPARE(missing.error().path, dir.file("a"));
    }

    void listingByExtension()
    {
        TestDir dir;
        for (const char* name : {"22024.arc", "12024.arc", "12024.agg", "arc", "x.arcx", "emit", ".arc"})
            dir.writeBytes(name, {});
        auto listed = listFilesWithExtension(dir.data(), "arc");
        QVERIFY(listed.ok());
        const std::vector<std::string> expected = {dir.file(".arc"), dir.file("12024.arc"), dir.file("22024.arc")};
        QCOMPARE(listed.value(), expected);

        auto none = listFilesWithExtension(dir.data(), "imp");
        QVERIFY(none.ok());
        QVERIFY(none.value().empty());

        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::List, dir.path());
        auto failed = listFilesWithExtension(dir.data(fs), "arc");
        QVERIFY(!failed.ok());
        QCOMPARE(failed.error().path, dir.path());
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
