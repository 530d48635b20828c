// The quick paths the benchmark drove into the archive must give what the
// plain ones give: a figure read from raw bytes equals the value of the
// decoded text, and a shift by blocks leaves the records a shift one record
// at a time leaves; a failure part way is undone.
#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/maintenance.h"
#include "archive/records.h"
#include "archive/totals.h"
#include "calc/numbers.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QtTest>

#include <array>
#include <string>
#include <vector>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;

namespace {

InvoiceRecord named(int n)
{
    InvoiceRecord invoice;
    invoice.client.surname = "N" + std::to_string(n);
    invoice.currency = "e";
    return invoice;
}

ExtraLinesRecord linesNamed(int n)
{
    ExtraLinesRecord lines;
    lines.description[0] = "L" + std::to_string(n);
    return lines;
}

BookPaths bookOf(const TestDir& dir, int invoices, int extraLines)
{
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    for (int n = 1; n <= invoices; ++n)
        writeInvoice(book, n, named(n));
    for (int n = 1; n <= extraLines; ++n)
        writeExtraLines(book, n, linesNamed(n));
    return book;
}

// The names of records 1..last as a single record read gives them ("" past the end).
std::vector<std::string> surnames(const BookPaths& book, int last)
{
    std::vector<std::string> names;
    for (int n = 1; n <= last; ++n)
        names.push_back(std::string(trimBlanks(readInvoice(book, n).value().client.surname)));
    return names;
}

std::vector<std::string> lineNames(const BookPaths& book, int last)
{
    std::vector<std::string> names;
    for (int n = 1; n <= last; ++n)
        names.push_back(std::string(trimBlanks(readExtraLines(book, n).value().description[0])));
    return names;
}

std::vector<std::string> sequence(std::initializer_list<std::pair<int, int>> ranges)
{
    std::vector<std::string> names;
    for (const auto& [from, to] : ranges) {
        for (int n = from; n <= to; ++n)
            names.push_back(n == 0 ? std::string() : "N" + std::to_string(n));
    }
    return names;
}

} // namespace

class TestFastPaths : public QObject {
    Q_OBJECT

private slots:
    void sumReadsFiguresAsTheRuleDoes_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::newRow("decimal") << QByteArray("1234.56");
        QTest::newRow("whole") << QByteArray("250");
        QTest::newRow("leading blanks") << QByteArray("   7.5");
        QTest::newRow("point only") << QByteArray(".");
        QTest::newRow("leading point") << QByteArray(".25");
        QTest::newRow("blank between digits") << QByteArray("1 000");
        QTest::newRow("sign") << QByteArray("-12.5");
        QTest::newRow("exponent") << QByteArray("1e3");
        QTest::newRow("huge exponent") << QByteArray("9e999");
        QTest::newRow("two points") << QByteArray("1.2.3");
        QTest::newRow("trailing letters") << QByteArray("12abc");
        QTest::newRow("comma") << QByteArray("12,5");
        QTest::newRow("tab") << QByteArray("\t5");
        QTest::newRow("zero byte inside") << QByteArray("1\0"
                                                        "5",
                                                        3);
        QTest::newRow("zero bytes only") << QByteArray(10, '\0');
        QTest::newRow("accented byte") << QByteArray("\xe8"
                                                     "5");
        QTest::newRow("ten digits") << QByteArray("9999999999");
        QTest::newRow("nine decimals") << QByteArray("0.1234567");
    }

    // A figure read straight from a record's bytes is, bit for bit, the
    // numeric value of the field's text as a decoded record holds it; and a
    // book's sum reads it so.
    void sumReadsFiguresAsTheRuleDoes()
    {
        QFETCH(QByteArray, raw);
        std::vector<std::uint8_t> bytes(InvoiceRecordSize, ' ');
        std::copy(raw.begin(), raw.end(), bytes.begin() + static_cast<std::ptrdiff_t>(amountField(1).offset));
        const FieldSpec field = amountField(1);
        const double direct = figureAt(bytes, field);
        const double decoded
            = tessaro::calc::numericValue(readFixedText(fieldBytes(std::span<const std::uint8_t>(bytes), field)));
        QVERIFY2(direct == decoded, qPrintable(QString("%1 != %2").arg(direct).arg(decoded)));

        TestDir dir;
        const BookPaths book = bookPaths(dir.data(), 1, "2024");
        bytes[fieldOf(InvoiceField::Currency).offset] = 'e';
        dir.writeBytes("12024.arc", bytes);
        QCOMPARE(sumInvoices(book, InvoiceType::Professional, TotalKind::Taxable, 1, 1).value(), decoded);
    }

    // Blocks of 512 records: 1300 records cross two block boundaries; the .agg holds fewer records than the .arc.
    void shiftsByBlocksMoveEveryRecord()
    {
        TestDir dir;
        const BookPaths book = bookOf(dir, 1300, 1000);
        QVERIFY(shiftUp(book, 2, 1301).ok());
        // Record 2 keeps its old content until the caller writes the new invoice there.
        QCOMPARE(surnames(book, 1301), sequence({{1, 2}, {2, 1300}}));
        const std::vector<std::string> lines = lineNames(book, 1301);
        QCOMPARE(lines[2], std::string("L2"));
        QCOMPARE(lines[1000], std::string("L1000"));
        QCOMPARE(lines[1001], std::string());
        QCOMPARE(dir.bytes("12024.agg").size(), 1301u * ExtraLinesRecordSize);

        QVERIFY(shiftDown(book, 2, 1301).ok());
        QCOMPARE(surnames(book, 1300), sequence({{1, 1300}}));
        QCOMPARE(std::string(trimBlanks(readInvoice(book, 1301).value().client.surname)), std::string("N1300"));
        QCOMPARE(lineNames(book, 1000).back(), std::string("L1000"));
    }

    // A write refused in a later block of 512 records, while an invoice is
    // inserted or deleted at number 1: the book is put back whole.
    void failedBlockWriteIsUndone_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QString>("file");
        QTest::newRow("insert, invoices") << true << "12024.arc";
        QTest::newRow("insert, lines") << true << "12024.agg";
        QTest::newRow("delete, invoices") << false << "12024.arc";
        QTest::newRow("delete, lines") << false << "12024.agg";
    }

    void failedBlockWriteIsUndone()
    {
        QFETCH(bool, insert);
        QFETCH(QString, file);
        TestDir dir;
        writeCounter(bookOf(dir, 600, 600), 601);
        const std::vector<std::uint8_t> arc = dir.bytes("12024.arc");
        const std::vector<std::uint8_t> agg = dir.bytes("12024.agg");
        FaultyFileSystem fs;
        AppState state;
        state.dataDir = dir.data(fs);
        state.issuerCount = 1;
        state.currentIssuer = 1;
        state.nextNumber = 601;
        InvoiceForm form;
        form.year = "2024";
        fs.fail(FaultyFileSystem::Op::Write, file.toStdString(), 1, 1);
        QVERIFY(!(insert ? insertInvoice(form, state, 1) : deleteInvoice(form, state, 1)).ok());
        QCOMPARE(dir.bytes("12024.arc"), arc);
        QCOMPARE(dir.bytes("12024.agg"), agg);
        QCOMPARE(dir.bytes("12024.imp"), (std::vector<std::uint8_t> {0x59, 0x02}));
        QCOMPARE(state.nextNumber, std::int16_t(601));
    }
};

QTEST_GUILESS_MAIN(TestFastPaths)
#include "test_totals_fast_path.moc"
