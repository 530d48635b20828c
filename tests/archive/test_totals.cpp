#include <QMetaType>

#include "archive/book.h"
#include "archive/totals.h"
#include "calc/amounts.h"

#include "faulty_file_system.h"
#include "invoice_books.h"
#include "test_dir.h"

#include <QtTest>

#include <cmath>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;
using namespace tessaro::test;

Q_DECLARE_METATYPE(tessaro::archive::InvoiceRecord)

namespace {

InvoiceRecord amounts(const std::string& currency, std::array<std::string, 3> amount,
                      std::array<std::string, 3> quantity = {}, const std::string& pension = "")
{
    InvoiceRecord invoice = invoiceOf("x", currency, 1936.27f);
    invoice.amount = amount;
    invoice.quantity = quantity;
    invoice.pension = pension;
    return invoice;
}

// Lines 4 and 5: 2 x 5 and an amount without quantity, which counts as nothing.
ExtraLinesRecord twoExtraLines()
{
    ExtraLinesRecord lines;
    lines.amount[0] = "5";
    lines.quantity[0] = "2";
    lines.amount[1] = "7";
    return lines;
}

// The sum of a book that holds only this invoice, in the invoice's own currency.
double summedAlone(const InvoiceRecord& invoice, const ExtraLinesRecord& lines, InvoiceType type, TotalKind kind)
{
    TestDir dir;
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    writeInvoice(book, 1, invoice);
    writeExtraLines(book, 1, lines);
    const auto sum = sumInvoices(book, type, kind, 1, 1);
    const double rate = invoice.currency == "l" ? double(invoice.rate) : 1.0;
    return sum.ok() ? sum.value() * rate : NAN;
}

} // namespace

class TestTotals : public QObject {
    Q_OBJECT

private slots:
    void taxableOfOneInvoice_data();
    void taxableOfOneInvoice();
    void vatOfALireInvoiceIsRoundedToo();
    void euroValueOfAnInvoice_data();
    void euroValueOfAnInvoice();
    void sumReadsEachFileOnce();
    void professionalSumLeavesTheExtraLinesFileAlone();
    void sumCrossesBlocksOfRecords_data();
    void sumCrossesBlocksOfRecords();
    void failedReadIsReported();
};

void TestTotals::taxableOfOneInvoice_data()
{
    QTest::addColumn<InvoiceRecord>("invoice");
    QTest::addColumn<bool>("commercial");
    QTest::addColumn<double>("taxable");
    QTest::newRow("services with pension fund") << amounts("e", {"100", "50", ""}, {}, "4") << false << 156.0;
    QTest::newRow("services ignore quantities") << amounts("e", {"10", "20", "30"}, {"2", "", "1"}) << false << 60.0;
    QTest::newRow("commercial with extra lines") << amounts("e", {"10", "20", "30"}, {"2", "0", "1"}) << true << 80.0;
    QTest::newRow("commercial, a line empty") << amounts("e", {"10", "20", ""}, {"2", "", ""}) << true << 40.0;
    QTest::newRow("lire half rounds down") << amounts("l", {"1000.5", "", ""}) << false << 1000.0;
    QTest::newRow("lire above half rounds up") << amounts("l", {"1000.51", "", ""}) << false << 1001.0;
    QTest::newRow("blank record") << InvoiceRecord {} << true << 0.0;
}

void TestTotals::taxableOfOneInvoice()
{
    QFETCH(InvoiceRecord, invoice);
    QFETCH(bool, commercial);
    QFETCH(double, taxable);
    const auto type = commercial ? InvoiceType::Commercial : InvoiceType::Professional;
    QCOMPARE(summedAlone(invoice, twoExtraLines(), type, TotalKind::Taxable), taxable);
}

void TestTotals::vatOfALireInvoiceIsRoundedToo()
{
    // 1001 lire at 22% is 220.22 lire: whole lire, 220.
    QCOMPARE(summedAlone(amounts("l", {"1000.51", "", ""}), {}, InvoiceType::Professional, TotalKind::Vat), 220.0);
    QCOMPARE(summedAlone(amounts("e", {"100.10", "", ""}), {}, InvoiceType::Professional, TotalKind::Vat),
             100.10 * 22 / 100);
}

void TestTotals::euroValueOfAnInvoice_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<float>("rate");
    QTest::addColumn<double>("euro");
    QTest::newRow("euro") << "e" << 0.0f << 1936270.0;
    QTest::newRow("lire at its own rate") << "l" << 1936.27f << 1936270.0 / double(1936.27f);
    QTest::newRow("lire without rate") << "l" << 0.0f << 0.0;
    QTest::newRow("lire with a damaged rate") << "l" << float(NAN) << 0.0;
    QTest::newRow("free slot") << "" << 1936.27f << 0.0;
}

void TestTotals::euroValueOfAnInvoice()
{
    QFETCH(QString, currency);
    QFETCH(float, rate);
    QFETCH(double, euro);
    const std::string flag = currency.toStdString();
    const double value = tessaro::calc::inEuro(1936270.0, flag.empty() ? '\0' : flag[0], rate).value_or(0);
    QVERIFY(std::isfinite(value));
    QCOMPARE(value, euro);
}

void TestTotals::sumReadsEachFileOnce()
{
    TestDir dir;
    const AppState state = stateIn(dir);
    const BookPaths book = bookPaths(state.dataDir, 1, "2024");
    writeInvoice(book, 1, amounts("e", {"10", "20", "30"}, {"2", "", ""}));
    writeExtraLines(book, 1, twoExtraLines());
    writeInvoice(book, 2, amounts("l", {"1936270", "", ""}, {"1", "1", "1"}));
    writeInvoice(book, 3, amounts("l", {"5000", "", ""}));
    writeInvoice(book, 4, amounts("e", {"1", "", ""}));
    InvoiceRecord rateless = amounts("l", {"99999", "", ""});
    rateless.rate = 0;
    writeInvoice(book, 3, rateless);

    FaultyFileSystem fs;
    const BookPaths counted = bookPaths(dir.data(fs), 1, "2024");
    auto sum = sumInvoices(counted, InvoiceType::Commercial, TotalKind::Taxable, 1, 5);
    QVERIFY(sum.ok());
    QCOMPARE(sum.value(), 80.0 + 1936270.0 / double(1936.27f) + 0 + 1);
    QCOMPARE(fs.count(FaultyFileSystem::Op::Open, "12024.arc"), 1);
    QCOMPARE(fs.count(FaultyFileSystem::Op::Open, "12024.agg"), 1);

    auto part = sumInvoices(book, InvoiceType::Commercial, TotalKind::Vat, 1, 1);
    QVERIFY(part.ok());
    QCOMPARE(part.value(), 80.0 * 22 / 100);
    auto empty = sumInvoices(book, InvoiceType::Commercial, TotalKind::Taxable, 3, 2);
    QVERIFY(empty.ok());
    QCOMPARE(empty.value(), 0.0);
}

void TestTotals::professionalSumLeavesTheExtraLinesFileAlone()
{
    TestDir dir;
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    writeInvoice(book, 1, amounts("e", {"100", "50", ""}, {}, "4"));
    FaultyFileSystem fs;
    fs.fail(FaultyFileSystem::Op::Open, "12024.agg");
    auto sum = sumInvoices(bookPaths(dir.data(fs), 1, "2024"), InvoiceType::Professional, TotalKind::Taxable, 1, 1);
    QVERIFY(sum.ok());
    QCOMPARE(sum.value(), 156.0);
    QCOMPARE(fs.count(FaultyFileSystem::Op::Open, "12024.agg"), 0);
}

void TestTotals::sumCrossesBlocksOfRecords_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<double>("sum");
    QTest::newRow("whole book") << 1 << 600 << 15.0;
    QTest::newRow("across one boundary") << 200 << 300 << 6.0;
    QTest::newRow("starting on a boundary") << 257 << 513 << 12.0;
    QTest::newRow("one record") << 513 << 513 << 8.0;
}

void TestTotals::sumCrossesBlocksOfRecords()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(double, sum);
    TestDir dir;
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    writeInvoice(book, 1, amounts("e", {"1", "", ""}));
    writeInvoice(book, 256, amounts("e", {"2", "", ""}));
    writeInvoice(book, 257, amounts("e", {"4", "", ""}));
    writeInvoice(book, 513, amounts("e", {"8", "", ""}));
    writeExtraLines(book, 513, twoExtraLines());
    for (auto type : {InvoiceType::Professional, InvoiceType::Commercial}) {
        auto total = sumInvoices(book, type, TotalKind::Taxable, first, last);
        QVERIFY(total.ok());
        QCOMPARE(total.value(), sum);
    }
}

void TestTotals::failedReadIsReported()
{
    TestDir dir;
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    writeInvoice(book, 300, amounts("e", {"1", "", ""}));
    FaultyFileSystem fs;
    fs.fail(FaultyFileSystem::Op::Read, "12024.arc", 1); // the second block
    auto sum = sumInvoices(bookPaths(dir.data(fs), 1, "2024"), InvoiceType::Professional, TotalKind::Taxable, 1, 300);
    QVERIFY(!sum.ok());
    QVERIFY(QString::fromStdString(sum.error().path).endsWith("12024.arc"));
}

QTEST_GUILESS_MAIN(TestTotals)
#include "test_totals.moc"
