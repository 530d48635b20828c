// The quick paths the benchmark drove into the archive must give what the
// plain ones give: a sum read from raw figures equals the sum over fully
// decoded records, and a shift by blocks leaves the records a shift one
// record at a time leaves; a failure part way is undone.
#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/maintenance.h"
#include "archive/records.h"
#include "archive/totals.h"

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

constexpr std::size_t AmountOffset = 630; // first amount of an invoice record
constexpr std::size_t ExtraAmountOffset = 7 * 35; // first amount of an extra-lines record

std::vector<std::uint8_t> encoded(const InvoiceRecord& invoice)
{
    std::vector<std::uint8_t> bytes(InvoiceRecordSize);
    encodeInvoice(invoice, std::span<std::uint8_t, InvoiceRecordSize>(bytes.data(), InvoiceRecordSize));
    return bytes;
}

std::vector<std::uint8_t> encoded(const ExtraLinesRecord& lines)
{
    std::vector<std::uint8_t> bytes(ExtraLinesRecordSize);
    encodeExtraLines(lines, std::span<std::uint8_t, ExtraLinesRecordSize>(bytes.data(), ExtraLinesRecordSize));
    return bytes;
}

void putField(std::vector<std::uint8_t>& record, std::size_t offset, const QByteArray& raw)
{
    std::fill(record.begin() + static_cast<std::ptrdiff_t>(offset),
              record.begin() + static_cast<std::ptrdiff_t>(offset + 10), std::uint8_t {' '});
    std::copy(raw.begin(), raw.end(), record.begin() + static_cast<std::ptrdiff_t>(offset));
}

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

    // One field of every kind the sum reads holds the raw bytes; the sum of
    // the book must equal the sum of the same records decoded whole.
    void sumReadsFiguresAsTheRuleDoes()
    {
        QFETCH(QByteArray, raw);
        TestDir dir;
        const BookPaths book = bookPaths(dir.data(), 1, "2024");
        InvoiceRecord invoice;
        invoice.amount = {"1", "2", "3"};
        invoice.quantity = {"2", "", "1"};
        invoice.vat = "22";
        invoice.pension = "4";
        invoice.currency = "e";
        ExtraLinesRecord lines;
        lines.amount[0] = "3.5";
        lines.quantity[0] = "2";
        for (std::size_t field = 0; field < 3; ++field) {
            std::vector<std::uint8_t> bytes = encoded(invoice);
            putField(bytes, AmountOffset + field * 10, raw);
            dir.writeBytes("12024.arc", bytes);
            std::vector<std::uint8_t> extra = encoded(lines);
            putField(extra, ExtraAmountOffset + field * 10, raw);
            dir.writeBytes("12024.agg", extra);
            const InvoiceRecord decoded = readInvoice(book, 1).value();
            const ExtraLinesRecord decodedLines = readExtraLines(book, 1).value();
            for (const InvoiceType type : {InvoiceType::Professional, InvoiceType::Commercial}) {
                const double taxable = sumInvoices(book, type, TotalKind::Taxable, 1, 1).value();
                const double vat = sumInvoices(book, type, TotalKind::Vat, 1, 1).value();
                const double expectedTaxable = inEuro(decoded, invoiceTaxable(decoded, decodedLines, type));
                const double expectedVat = inEuro(decoded, invoiceVat(decoded, decodedLines, type));
                // Bit for bit, NaN included.
                QVERIFY2(taxable == expectedTaxable || (std::isnan(taxable) && std::isnan(expectedTaxable)),
                         qPrintable(QString("field %1: %2 != %3").arg(field).arg(taxable).arg(expectedTaxable)));
                QVERIFY(vat == expectedVat || (std::isnan(vat) && std::isnan(expectedVat)));
            }
        }
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
