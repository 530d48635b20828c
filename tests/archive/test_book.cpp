#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/maintenance.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QtTest>

#include <vector>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;

namespace {

using Bytes = std::vector<std::uint8_t>;

InvoiceRecord invoiceNamed(const std::string& surname)
{
    InvoiceRecord invoice;
    invoice.client.surname = surname;
    invoice.vat = "22";
    invoice.kind = "s";
    invoice.currency = "e";
    invoice.rate = 1936.27f;
    return invoice;
}

ExtraLinesRecord linesNamed(const std::string& description)
{
    ExtraLinesRecord lines;
    lines.description[0] = description;
    return lines;
}

std::string surnameAt(const BookPaths& book, int n)
{
    auto invoice = readInvoice(book, n);
    return invoice.ok() ? std::string(trimBlanks(invoice.value().client.surname)) : "<error>";
}

std::string lineAt(const BookPaths& book, int n)
{
    auto lines = readExtraLines(book, n);
    return lines.ok() ? std::string(trimBlanks(lines.value().description[0])) : "<error>";
}

// Invoices 1..4 named A..D, the slot record 5 named "slot" in both files.
BookPaths bookOfFour(const TestDir& dir)
{
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    const char* names[] = {"A", "B", "C", "D", "slot"};
    for (int n = 1; n <= 5; ++n) {
        writeInvoice(book, n, invoiceNamed(names[n - 1]));
        writeExtraLines(book, n, linesNamed(names[n - 1]));
    }
    writeCounter(book, 5);
    return book;
}

QStringList surnames(const BookPaths& book, int last)
{
    QStringList out;
    for (int n = 1; n <= last; ++n)
        out << QString::fromStdString(surnameAt(book, n));
    return out;
}

QStringList lines(const BookPaths& book, int last)
{
    QStringList out;
    for (int n = 1; n <= last; ++n)
        out << QString::fromStdString(lineAt(book, n));
    return out;
}

} // namespace

class TestBook : public QObject {
    Q_OBJECT

private slots:
    void namesOfTheFiles_data()
    {
        QTest::addColumn<int>("issuer");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("base");
        QTest::newRow("issuer 1, 2008") << 1 << "2008"
                                        << "12008";
        QTest::newRow("issuer 3, 2024") << 3 << "2024"
                                        << "32024";
        QTest::newRow("issuer 12, 2008") << 12 << "2008"
                                         << "122008";
        QTest::newRow("year text unchanged") << 2 << "20a4"
                                             << "220a4";
    }

    void namesOfTheFiles()
    {
        QFETCH(int, issuer);
        QFETCH(QString, year);
        QFETCH(QString, base);
        const std::string dir = "/data";
        const BookPaths book = bookPaths(DataDir(dir), issuer, year.toStdString());
        const std::string expected = nativeSeparators(dir) + pathSeparator() + base.toStdString();
        QCOMPARE(book.invoices, expected + ".arc");
        QCOMPARE(book.extraLines, expected + ".agg");
        QCOMPARE(book.counter, expected + ".imp");
    }

    void dataFileKeepsTheDirectoryText()
    {
        // Only its separators become the system's.
        const std::string sep(1, pathSeparator());
        QCOMPARE(dataFile(DataDir("/work"), "impost"), sep + "work" + sep + "impost");
        // A root directory already ends with a separator; the name is still appended with one.
        QCOMPARE(dataFile(DataDir(sep), "emit"), sep + sep + "emit");
    }

    void invoiceFiveLivesAtItsOffset()
    {
        TestDir dir;
        const BookPaths book = bookPaths(dir.data(), 1, "2024");
        QVERIFY(writeInvoice(book, 5, invoiceNamed("Quinto")).ok());
        QVERIFY(writeExtraLines(book, 5, linesNamed("riga")).ok());
        const Bytes arc = dir.bytes("12024.arc");
        const Bytes agg = dir.bytes("12024.agg");
        QCOMPARE(arc.size(), std::size_t {5 * 696});
        QCOMPARE(agg.size(), std::size_t {5 * 343});
        QCOMPARE(arc[2784 + 5], std::uint8_t {'Q'});
        QCOMPARE(arc[2783], std::uint8_t {0});
        QCOMPARE(agg[1372], std::uint8_t {'r'});
        // The skipped records read back blank.
        QCOMPARE(readInvoice(book, 2).value(), InvoiceRecord {});
        QCOMPARE(readExtraLines(book, 4).value(), ExtraLinesRecord {});
        QCOMPARE(readInvoice(book, 9).value(), InvoiceRecord {});
    }

    void counter()
    {
        TestDir dir;
        const BookPaths book = bookPaths(dir.data(), 1, "2024");
        auto missing = readCounter(book);
        QVERIFY(missing.ok());
        QCOMPARE(missing.value(), std::int16_t {0});
        QVERIFY(writeCounter(book, 300).ok());
        QCOMPARE(dir.bytes("12024.imp"), (Bytes {0x2C, 0x01}));
        QCOMPARE(readCounter(book).value(), std::int16_t {300});
    }

    void createBookMakesEmptyFilesAndKeepsExistingOnes()
    {
        TestDir dir;
        const BookPaths book = bookPaths(dir.data(), 2, "2025");
        dir.writeBytes("22025.imp", {7, 0});
        QVERIFY(createBook(book).ok());
        QCOMPARE(dir.bytes("22025.arc").size(), std::size_t {0});
        QCOMPARE(dir.bytes("22025.agg").size(), std::size_t {0});
        QCOMPARE(dir.bytes("22025.imp"), (Bytes {7, 0}));
    }

    void deleteYearRemovesAllOrNone_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("missing");
        QTest::newRow("all three") << QStringList {"arc", "imp", "agg"} << true << "";
        QTest::newRow("no .arc") << QStringList {"imp", "agg"} << false << "arc";
        QTest::newRow("no .imp") << QStringList {"arc", "agg"} << false << "imp";
        QTest::newRow("no .agg") << QStringList {"arc", "imp"} << false << "agg";
        QTest::newRow("with its notices")
            << QStringList {"arc", "imp", "agg", "avv", "avr", "avn", "avf"} << true << "";
        QTest::newRow("notices, no .arc") << QStringList {"imp", "agg", "avv", "avr", "avn"} << false << "arc";
    }

    void deleteYearRemovesAllOrNone()
    {
        QFETCH(QStringList, present);
        QFETCH(bool, ok);
        QFETCH(QString, missing);
        TestDir dir;
        for (const QString& extension : present)
            dir.writeBytes("12007." + extension.toStdString(), {1});
        dir.writeBytes("12008.arc", {1});
        AppState state;
        state.dataDir = dir.data();
        state.currentIssuer = 1;
        const Status status = deleteYear(state, "2007");
        QCOMPARE(status.ok(), ok);
        if (!ok)
            QCOMPARE(status.error().path, dir.file("12007." + missing.toStdString()));
        for (const char* extension : {"arc", "imp", "agg", "avv", "avr", "avn", "avf"})
            QCOMPARE(dir.exists(std::string("12007.") + extension), !ok && present.contains(extension));
        QVERIFY(dir.exists("12008.arc"));
        QCOMPARE(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files).size(), ok ? 1 : present.size() + 1);
    }

    void allBookFilesByExtension()
    {
        TestDir dir;
        for (const char* name :
             {"12007.arc", "12007.imp", "12007.agg", "22024.arc", "22024.agg", "emit", "impost", "clienti", "tipo.mon"})
            dir.writeBytes(name, {1});
        auto files = allBookFiles(dir.data());
        QVERIFY(files.ok());
        const std::vector<std::string> expected = {dir.file("12007.arc"), dir.file("22024.arc"), dir.file("12007.imp"),
                                                   dir.file("12007.agg"), dir.file("22024.agg")};
        QCOMPARE(files.value(), expected);
    }

    void shiftUpMakesRoom()
    {
        TestDir dir;
        bookOfFour(dir);
        FaultyFileSystem fs;
        const BookPaths book = bookPaths(dir.data(fs), 1, "2024");
        QVERIFY(shiftUp(book, 2, 6).ok());
        // One open file each for the whole loop.
        QCOMPARE(fs.count(FaultyFileSystem::Op::Open, "12024.arc"), 1);
        QCOMPARE(fs.count(FaultyFileSystem::Op::Open, "12024.agg"), 1);
        const QStringList expected {"A", "B", "B", "C", "D", "slot"};
        QCOMPARE(surnames(book, 6), expected);
        QCOMPARE(lines(book, 6), expected);
    }

    void shiftDownClosesTheGap()
    {
        TestDir dir;
        const BookPaths book = bookOfFour(dir);
        QVERIFY(shiftDown(book, 2, 5).ok());
        const QStringList expected {"A", "C", "D", "slot", "slot"};
        QCOMPARE(surnames(book, 5), expected);
        QCOMPARE(lines(book, 5), expected);
    }

    void shiftsOfTheLastInvoice()
    {
        TestDir dir;
        const BookPaths book = bookOfFour(dir);
        QVERIFY(shiftDown(book, 4, 5).ok()); // delete the last stored invoice
        QCOMPARE(surnames(book, 5), (QStringList {"A", "B", "C", "slot", "slot"}));
        QVERIFY(shiftUp(book, 5, 5).ok()); // nothing to move
        QCOMPARE(surnames(book, 5), (QStringList {"A", "B", "C", "slot", "slot"}));
    }

    void shiftsRefuseRecordZero()
    {
        TestDir dir;
        const BookPaths book = bookOfFour(dir);
        QVERIFY(!shiftUp(book, 0, 5).ok());
        QVERIFY(!shiftDown(book, 0, 5).ok());
        QCOMPARE(surnames(book, 5), (QStringList {"A", "B", "C", "D", "slot"}));
    }

    void failedShiftIsReported()
    {
        TestDir dir;
        bookOfFour(dir);
        FaultyFileSystem fs;
        const BookPaths book = bookPaths(dir.data(fs), 1, "2024");
        fs.fail(FaultyFileSystem::Op::Write, "12024.agg");
        const Status status = shiftUp(book, 2, 6);
        QVERIFY(!status.ok());
        QCOMPARE(status.error().action, IoError::Action::Write);
        QCOMPARE(status.error().path, book.extraLines);
    }

    void failedReadOfABookIsReported()
    {
        TestDir dir;
        bookOfFour(dir);
        FaultyFileSystem fs;
        const BookPaths book = bookPaths(dir.data(fs), 1, "2024");
        fs.fail(FaultyFileSystem::Op::Open, "12024.imp");
        fs.fail(FaultyFileSystem::Op::Read, "12024.agg");
        QCOMPARE(readCounter(book).error().path, book.counter);
        QCOMPARE(readExtraLines(book, 1).error().action, IoError::Action::Read);
        QCOMPARE(createBook(book).error().path, book.counter);
    }
};

QTEST_GUILESS_MAIN(TestBook)
#include "test_book.moc"
