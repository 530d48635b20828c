// The professional-service body: rows, the pension line, the summary column
// with its boxes, lire shown in euro, and the statement for operations
// without VAT.
#include "layout_checks.h"
#include "print/invoice_page.h"
#include "print/service_body.h"

#include <QTest>

using namespace tessaro;
using tessaro::test::hasSegment;
using tessaro::test::textOf;

namespace {

archive::InvoiceForm professionalInvoice()
{
    auto form = test::sampleForm();
    form.description = {"Progetto", "Direzione lavori", ""};
    form.amount = {"100", "200", ""};
    form.pension = "4";
    form.vat = "20";
    form.withholding = "20";
    return form;
}

} // namespace

class TestServiceBody : public QObject {
    Q_OBJECT

private slots:
    void professionalExample_data();
    void professionalExample();
    void approvalExpenses_data();
    void approvalExpenses();
    void lireShownInEuro_data();
    void lireShownInEuro();
    void lireWithoutAnyRate();
    void statementWithoutVat();
    void noPensionNoVat();
};

void TestServiceBody::professionalExample_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("bold");

    // Row " 1" and its one-line description; the fee 250 above the line end.
    QTest::newRow("row 1") << std::string(" 1") << 1000.0 << 5500.0 << false;
    QTest::newRow("description 1") << std::string("Progetto") << 1400.0 << 5500.0 << false;
    QTest::newRow("row 2") << std::string(" 2") << 1000.0 << 6050.0 << false;
    QTest::newRow("description 2") << std::string("Direzione lavori") << 1400.0 << 6050.0 << false;
    QTest::newRow("fee 2") << std::string("200,00") << 10400.0 - 6 * 120 << 6100.0 << false;
    QTest::newRow("pension row") << std::string(" 3") << 1000.0 << 6600.0 << false;
    QTest::newRow("pension line") << std::string("Cassa Nazionale (4%)") << 1400.0 << 6600.0 << false;
    QTest::newRow("pension amount") << std::string("12,00") << 10400.0 - 5 * 120 << 6600.0 << false;
    QTest::newRow("Euro") << std::string("Euro") << 9500.0 - 4 * 100 / 2 << 7005.0 << false;
    QTest::newRow("taxable") << std::string("312,00") << 10400.0 - 6 * 120 << 7250.0 << false;
    QTest::newRow("taxable label") << std::string("TOTALE IMPONIBILE") << 8400.0 - 17 * 120 << 7250.0 << false;
    QTest::newRow("VAT label") << std::string("IVA (20%)") << 8400.0 - 9 * 120 << 7650.0 << false;
    QTest::newRow("VAT") << std::string("62,40") << 10400.0 - 5 * 120 << 7650.0 << false;
    QTest::newRow("no expenses") << std::string("----") << 10400.0 - 4 * 120 << 8050.0 << false;
    QTest::newRow("total") << std::string("374,40") << 10400.0 - 6 * 132 << 8450.0 << true;
    QTest::newRow("withholding") << std::string("60,00") << 10400.0 - 5 * 120 << 8850.0 << false;
    QTest::newRow("to pay") << std::string("314,40") << 10400.0 - 6 * 132 << 9250.0 << true;
}

void TestServiceBody::professionalExample()
{
    QFETCH(std::string, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, bold);

    const auto form = professionalInvoice();
    print::RecordingPage page;
    print::layoutServiceBody(page, form, ',');

    const auto found = textOf(page, text);
    QCOMPARE(found.x, x);
    QCOMPARE(found.y, y);
    QCOMPARE(found.font.bold, bold);
    QVERIFY(!page.find("SPESE PER APPROVAZIONE PARCELLA"));
    QVERIFY(!page.find(" 4"));
    // Table frame 400 below the pension line, then the boxes of the summary.
    QVERIFY(hasSegment(page, 800, 5350, 800, 7000, 3));
    QVERIFY(hasSegment(page, 8500, 5350, 8500, 7000, 3));
    QVERIFY(hasSegment(page, 8500, 7200, 10500, 7200, 3));
    QVERIFY(hasSegment(page, 8500, 7200, 8500, 7600, 3));
    QVERIFY(hasSegment(page, 10500, 9600, 10500, 9200, 3));
    QCOMPARE(page.font().bold, false);
    QCOMPARE(page.drawWidth(), 1);
}

void TestServiceBody::approvalExpenses_data()
{
    QTest::addColumn<std::string>("approval");
    QTest::addColumn<double>("totalY");
    QTest::addColumn<std::string>("total");
    QTest::addColumn<std::string>("toPay");

    QTest::newRow("none") << std::string("") << 8450.0 << std::string("374,40") << std::string("314,40");
    QTest::newRow("50") << std::string("50") << 8850.0 << std::string("424,40") << std::string("364,40");
}

void TestServiceBody::approvalExpenses()
{
    QFETCH(std::string, approval);
    QFETCH(double, totalY);
    QFETCH(std::string, total);
    QFETCH(std::string, toPay);

    auto form = professionalInvoice();
    form.expenses2 = approval;
    print::RecordingPage page;
    print::layoutServiceBody(page, form, ',');

    QCOMPARE(page.find("SPESE PER APPROVAZIONE PARCELLA").has_value(), !approval.empty());
    if (!approval.empty())
        QCOMPARE(textOf(page, "SPESE PER APPROVAZIONE PARCELLA").y, 8450.0);
    QCOMPARE(textOf(page, "TOTALE FATTURA").y, totalY);
    QCOMPARE(textOf(page, total).y, totalY);
    QCOMPARE(textOf(page, toPay).y, totalY + 800);
}

void TestServiceBody::lireShownInEuro_data()
{
    QTest::addColumn<std::string>("fee");
    QTest::addColumn<std::string>("pension");
    QTest::addColumn<std::string>("taxable");
    QTest::addColumn<std::string>("vat");

    // 1936270 lire at the stored rate (1936.27 as a 32-bit float) are 1000 euro.
    QTest::newRow("one fee") << std::string("1936270") << std::string("") << std::string("1000,00")
                             << std::string("220,00");
    // B = 1000 + 2.5% = 1025.5 lire, rounded down to 1025 before VAT: V = 225.5 -> 225.
    QTest::newRow("rounded before VAT") << std::string("1000") << std::string("2.5") << std::string("0,53")
                                        << std::string("0,12");
}

void TestServiceBody::lireShownInEuro()
{
    QFETCH(std::string, fee);
    QFETCH(std::string, pension);
    QFETCH(std::string, taxable);
    QFETCH(std::string, vat);

    auto form = test::sampleForm();
    form.buffer.currency = "l";
    form.buffer.rate = 1936.27f;
    form.amount = {fee, "", ""};
    form.pension = pension;
    form.vat = "22";
    print::RecordingPage page;
    print::layoutServiceBody(page, form, ',');

    QVERIFY(test::hasTextAt(page, taxable, textOf(page, "TOTALE IMPONIBILE").y));
    QVERIFY(test::hasTextAt(page, vat, textOf(page, "IVA (22%)").y));
    const auto amounts
        = archive::invoiceAmounts(form, archive::InvoiceType::Professional, calc::QuantityRule::Paper, {});
    if (!pension.empty()) {
        QCOMPARE(amounts.taxable, 1025.0);
        QCOMPARE(amounts.vat, 225.0);
    }
}

void TestServiceBody::lireWithoutAnyRate()
{
    auto sheet = test::sampleSheet(archive::InvoiceType::Professional);
    sheet.euroRate = 0;
    auto form = test::sampleForm();
    form.buffer.currency = "l";
    form.buffer.rate = 0;
    form.amount = {"1936270", "", ""};
    form.vat = "0";
    print::RecordingPage page;
    print::layoutInvoice(page, form, sheet);

    // Nothing to divide by: the amounts stay lire, never inf or NaN.
    QVERIFY(page.find("1.936.270"));
    for (const auto& text : page.texts()) {
        QVERIFY2(text.text.find("inf") == std::string::npos && text.text.find("nan") == std::string::npos,
                 text.text.c_str());
    }
}

void TestServiceBody::statementWithoutVat()
{
    auto form = professionalInvoice();
    form.omittedVatStatement = true;
    print::RecordingPage page;
    print::layoutServiceBody(page, form, ',');

    const auto first = textOf(page, "Operazione effettuata ai sensi");
    QCOMPARE(first.x, 800.0);
    QCOMPARE(first.y, 7005.0);
    QVERIFY(first.font.bold);
    QCOMPARE(first.font.size, 10.0);
    // One line height at 10 points (250) plus 80 between the lines.
    QCOMPARE(textOf(page, "dell'art.1 comma 100").y, 7005.0 + 330);
    QCOMPARE(textOf(page, "della legge finanziaria 2008").y, 7005.0 + 660);
    QVERIFY(textOf(page, "TOTALE IMPONIBILE").font.bold);
    QVERIFY(textOf(page, "IVA (20%)").font.bold);
    QVERIFY(textOf(page, "SPESE GENERALI SOSTENUTE").font.bold);
    QVERIFY(textOf(page, "TOTALE FATTURA").font.bold);
    QVERIFY(!textOf(page, "RITENUTA D'ACCONTO (20%)").font.bold);

    print::RecordingPage plain;
    print::layoutServiceBody(plain, professionalInvoice(), ',');
    QVERIFY(!plain.find("Operazione effettuata ai sensi"));
    QVERIFY(!textOf(plain, "TOTALE IMPONIBILE").font.bold);
}

void TestServiceBody::noPensionNoVat()
{
    auto form = professionalInvoice();
    form.pension = "0";
    form.vat = "0";
    form.withholding = "";
    form.expenses = "15.5";
    print::RecordingPage page;
    print::layoutServiceBody(page, form, '.');

    QVERIFY(!page.find(" 3"));
    QVERIFY(!page.find("Cassa Nazionale (0%)"));
    // Frame 400 below the last line end (6350).
    QVERIFY(hasSegment(page, 800, 5350, 800, 6750, 3));
    QCOMPARE(textOf(page, "300.00").y, 7000.0);
    const auto vatRow = textOf(page, "IVA (0%)");
    QCOMPARE(page.find("----", -1)->y, vatRow.y); // VAT 0 shows dashes in its box
    QCOMPARE(textOf(page, "15.50").y, vatRow.y + 400);
    QCOMPARE(textOf(page, "315.50").y, vatRow.y + 800);
}

QTEST_GUILESS_MAIN(TestServiceBody)
#include "test_service_body.moc"
