// The commercial body: main rows, extra lines 4 to 10 and when they count,
// the summary rows, and lire totals rounded to whole lire.
#include "layout_checks.h"
#include "print/commercial_body.h"

#include <QTest>

using namespace tessaro;
using tessaro::test::hasSegment;
using tessaro::test::textOf;

namespace {

archive::InvoiceForm threeLines()
{
    auto form = test::sampleForm();
    form.description = {"Viti", "Bulloni", "Dadi"};
    form.amount = {"2.5", "1", "0.5"};
    form.quantity = {"10", "4", "8"};
    form.vat = "22";
    return form;
}

} // namespace

class TestCommercialBody : public QObject {
    Q_OBJECT

private slots:
    void onlyFirstLine();
    void extraLineKeepsItsNumber();
    void extraLinesCountOnlyWithThreeMainPrices_data();
    void extraLinesCountOnlyWithThreeMainPrices();
    void lireRounding_data();
    void lireRounding();
    void emptyFirstLine();
    void longDescriptionMovesTheRow();
};

void TestCommercialBody::onlyFirstLine()
{
    auto form = test::sampleForm();
    form.description = {"Viti", "", ""};
    form.amount = {"2.5", "", ""};
    form.quantity = {"10", "", ""};
    form.extraLines.amount[0] = "5";
    form.extraLines.quantity[0] = "1";
    print::RecordingPage page;
    print::layoutCommercialBody(page, form, ',');

    QCOMPARE(textOf(page, "Quantità").y, 5050.0);
    QCOMPARE(textOf(page, " 1").y, 5500.0);
    QCOMPARE(textOf(page, "Viti").y, 5500.0);
    // Quantity, price and total 250 above the position after the description.
    const auto quantity = textOf(page, "10");
    QCOMPARE(quantity.x, 7400 - 2 * 120 / 2.0);
    QCOMPARE(quantity.y, 5550.0);
    QCOMPARE(textOf(page, "2,50").x, 9100 - 4 * 120.0);
    QCOMPARE(textOf(page, "25,00").y, 5550.0);
    QVERIFY(!page.find(" 4"));
    QVERIFY(hasSegment(page, 800, 5350, 800, 6200, 3));
    QVERIFY(hasSegment(page, 6900, 5350, 6900, 6200, 3));

    const auto taxable = textOf(page, "TOTALE IMPONIBILE EURO");
    QCOMPARE(taxable.y, 6250.0);
    QCOMPARE(textOf(page, "IVA (22%)").y, 6650.0);
    QCOMPARE(textOf(page, "5,50").y, 6650.0);
    const auto toPay = textOf(page, "TOTALE DA PAGARE EURO");
    QCOMPARE(toPay.y, 7050.0);
    QVERIFY(toPay.font.bold);
    QVERIFY(textOf(page, "30,50").font.bold);
    QVERIFY(hasSegment(page, 10500, 7400, 10500, 7000, 3));
    QVERIFY(!page.font().bold);
    QCOMPARE(page.drawWidth(), 1);
}

void TestCommercialBody::extraLineKeepsItsNumber()
{
    auto form = threeLines();
    form.extraLines.description[2] = "Rondelle";
    form.extraLines.amount[2] = "10";
    form.extraLines.quantity[2] = "3";
    print::RecordingPage page;
    print::layoutCommercialBody(page, form, ',');

    // Lines 1..3 end at 6900; line 6 comes 200 below as " 6", not " 4".
    QCOMPARE(textOf(page, " 3").y, 6600.0);
    QVERIFY(!page.find(" 4"));
    const auto row = textOf(page, " 6");
    QCOMPARE(row.x, 1000.0);
    QCOMPARE(row.y, 7100.0);
    QCOMPARE(textOf(page, "Rondelle").x, 1400.0);
    QCOMPARE(textOf(page, "30,00").y, 7100.0);
    QVERIFY(hasSegment(page, 800, 5350, 800, 7700, 3));
    // 25 + 4 + 4 + 30
    QVERIFY(page.find("63,00"));
}

void TestCommercialBody::extraLinesCountOnlyWithThreeMainPrices_data()
{
    QTest::addColumn<std::string>("thirdPrice");
    QTest::addColumn<std::string>("extraPrice");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<std::string>("taxable");

    QTest::newRow("three prices, extra counted")
        << std::string("0.5") << std::string("10") << true << std::string("63,00");
    QTest::newRow("a zero main price: none") << std::string("0") << std::string("10") << false << std::string("29,00");
    QTest::newRow("zero extra price: left out")
        << std::string("0.5") << std::string("0") << false << std::string("33,00");
    QTest::newRow("negative extra price: left out, counted")
        << std::string("0.5") << std::string("-1") << false << std::string("30,00");
}

void TestCommercialBody::extraLinesCountOnlyWithThreeMainPrices()
{
    QFETCH(std::string, thirdPrice);
    QFETCH(std::string, extraPrice);
    QFETCH(bool, printed);
    QFETCH(std::string, taxable);

    auto form = threeLines();
    form.amount[2] = thirdPrice;
    form.extraLines.description[0] = "Extra";
    form.extraLines.amount[0] = extraPrice;
    form.extraLines.quantity[0] = "3";
    print::RecordingPage page;
    print::layoutCommercialBody(page, form, ',');

    QCOMPARE(page.find("Extra").has_value(), printed);
    QCOMPARE(page.find(" 4").has_value(), printed);
    QCOMPARE(textOf(page, taxable).y, textOf(page, "TOTALE IMPONIBILE EURO").y);
}

void TestCommercialBody::lireRounding_data()
{
    QTest::addColumn<std::string>("price");
    QTest::addColumn<std::string>("taxable");
    QTest::addColumn<std::string>("vat");
    QTest::addColumn<std::string>("toPay");

    QTest::newRow("half rounds down") << std::string("1000.5") << std::string("1.000") << std::string("100")
                                      << std::string("1.100");
    QTest::newRow("above half rounds up")
        << std::string("1000.51") << std::string("1.001") << std::string("100") << std::string("1.101");
    QTest::newRow("thousands") << std::string("1936270") << std::string("1.936.270") << std::string("193.627")
                               << std::string("2.129.897");
}

void TestCommercialBody::lireRounding()
{
    QFETCH(std::string, price);
    QFETCH(std::string, taxable);
    QFETCH(std::string, vat);
    QFETCH(std::string, toPay);

    auto form = test::sampleForm();
    form.buffer.currency = "l";
    form.description = {"Merce", "", ""};
    form.amount = {price, "", ""};
    form.quantity = {"1", "", ""};
    form.vat = "10";
    print::RecordingPage page;
    print::layoutCommercialBody(page, form, ',');

    const double labelY = textOf(page, "TOTALE IMPONIBILE LIRE").y;
    QVERIFY(test::hasTextAt(page, taxable, labelY));
    QCOMPARE(textOf(page, vat).y, labelY + 400);
    QCOMPARE(textOf(page, toPay).y, labelY + 800);
    QVERIFY(page.find("TOTALE DA PAGARE LIRE"));
}

void TestCommercialBody::emptyFirstLine()
{
    auto form = test::sampleForm();
    form.description = {"", "Bulloni", ""};
    form.amount = {"", "1", ""};
    form.quantity = {"", "4", ""};
    print::RecordingPage page;
    print::layoutCommercialBody(page, form, ',');

    std::vector<double> rowOnes;
    for (const auto& t : page.texts()) {
        if (t.text == " 1")
            rowOnes.push_back(t.y);
    }
    QCOMPARE(rowOnes, (std::vector<double> {5500, 5750}));
    QCOMPARE(textOf(page, "Bulloni").y, 5750.0);
    QCOMPARE(textOf(page, "4").y, 5800.0);
}

void TestCommercialBody::longDescriptionMovesTheRow()
{
    auto form = threeLines();
    // 51 characters of 120 twips: the limit of 5400 takes 45 of them.
    form.description[0] = "Viti autofilettanti zincate con testa svasata piana";
    print::RecordingPage page;
    print::layoutCommercialBody(page, form, ',');

    QCOMPARE(textOf(page, "Viti autofilettanti zincate con testa svasata").y, 5500.0);
    QCOMPARE(textOf(page, " piana").y, 6050.0);
    // The amounts stand beside the last line of the description.
    QCOMPARE(textOf(page, "25,00").y, 6100.0);
    QCOMPARE(textOf(page, " 2").y, 6600.0);
}

QTEST_GUILESS_MAIN(TestCommercialBody)
#include "test_commercial_body.moc"
