#include "calc/forward.h"
#include "calc_test_invoices.h"

#include <QTest>

using namespace tessaro::calc;
using calc_test::shown;

class TestForward : public QObject {
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void commercialEmptiesTheExpenses();
    void extraLinesCountOnlyWithAllMainAmounts();
};

void TestForward::results_data()
{
    QTest::addColumn<InvoiceTexts>("input");
    QTest::addColumn<QByteArray>("taxable");
    QTest::addColumn<QByteArray>("vat");
    QTest::addColumn<QByteArray>("withholding");
    QTest::addColumn<QByteArray>("total");

    {
        InvoiceTexts in = calc_test::professionalInvoice();
        in.price = {"1000", "500", ""};
        in.quantity = {"3", "7", "2"}; // ignored for a professional service
        in.extraPrice[0] = "99";
        in.extraQuantity[0] = "2";
        in.pension = "4";
        in.vat = "22";
        in.withholding = "20";
        in.expenses = "10";
        QTest::newRow("professional, euro")
            << in << QByteArray("1560,00") << QByteArray("343,20") << QByteArray("300,00") << QByteArray("1613,20");
        in.decimalSeparator = '.';
        QTest::newRow("professional, euro, point system")
            << in << QByteArray("1560.00") << QByteArray("343.20") << QByteArray("300.00") << QByteArray("1613.20");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice();
        in.price = {"1000", "", ""};
        in.pension = "4";
        in.vat = "22";
        in.expenses = "10";
        in.expenses2 = "5.5";
        QTest::newRow("professional, both expenses")
            << in << QByteArray("1040,00") << QByteArray("228,80") << QByteArray("0,00") << QByteArray("1284,30");
    }
    {
        InvoiceTexts in = calc_test::commercialInvoice();
        in.price = {"10.50", "3", "4"};
        in.quantity = {"2", "", "1"};
        in.extraPrice[0] = "5";
        in.extraQuantity[0] = "3";
        in.extraPrice[1] = "7";
        in.vat = "22";
        QTest::newRow("commercial, extra lines")
            << in << QByteArray("43,00") << QByteArray("9,46") << QByteArray("0,00") << QByteArray("52,46");
    }
    {
        InvoiceTexts in = calc_test::commercialInvoice();
        in.price = {"100", "", ""};
        in.vat = "22";
        QTest::newRow("commercial, one line without quantity")
            << in << QByteArray("0,00") << QByteArray("0,00") << QByteArray("0,00") << QByteArray("0,00");
        in.quantity[0] = "1";
        QTest::newRow("commercial, one line with quantity 1")
            << in << QByteArray("100,00") << QByteArray("22,00") << QByteArray("0,00") << QByteArray("122,00");
    }
    {
        InvoiceTexts in = calc_test::commercialInvoice();
        in.price = {"100", "", ""};
        in.quantity = {"1", "", ""};
        in.vat = "22";
        in.pension = "4";
        in.withholding = "20";
        in.expenses = "10";
        in.expenses2 = "10";
        QTest::newRow("commercial ignores professional fields")
            << in << QByteArray("100,00") << QByteArray("22,00") << QByteArray("0,00") << QByteArray("122,00");
    }
    {
        InvoiceTexts in = calc_test::commercialInvoice('l');
        in.price = {"1000.5", "", ""};
        in.quantity = {"1", "", ""};
        in.vat = "20";
        QTest::newRow("lire, half a lira rounds down")
            << in << QByteArray(" 1000") << QByteArray(" 200") << QByteArray(" 0") << QByteArray(" 1200");
        in.price[0] = "1000.51";
        QTest::newRow("lire, above half rounds up")
            << in << QByteArray(" 1001") << QByteArray(" 200") << QByteArray(" 0") << QByteArray(" 1201");
        in.vat = "10";
        in.price[0] = "1005";
        QTest::newRow("lire, VAT from the rounded amount")
            << in << QByteArray(" 1005") << QByteArray(" 100") << QByteArray(" 0") << QByteArray(" 1105");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice('l');
        in.price = {"1000000", "", ""};
        in.pension = "2";
        in.vat = "20";
        in.withholding = "20";
        QTest::newRow("lire, professional")
            << in << QByteArray(" 1020000") << QByteArray(" 204000") << QByteArray(" 200000") << QByteArray(" 1024000");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice('l');
        in.price = {"1001", "", ""};
        in.withholding = "0.05"; // R = 0.5005 -> 1
        in.expenses = "0.25"; // T is not rounded
        QTest::newRow("lire, withholding rounded, total not")
            << in << QByteArray(" 1001") << QByteArray(" 0") << QByteArray(" 1") << QByteArray(" 1000.25");
    }
    {
        InvoiceTexts in = calc_test::commercialInvoice();
        in.price = {"0.005", "", ""};
        in.quantity = {"1", "", ""};
        in.vat = "22";
        QTest::newRow("euro, no rounding before the sum")
            << in << QByteArray("0,01") << QByteArray("0,00") << QByteArray("0,00") << QByteArray("0,01");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice('x');
        in.price = {"1000", "", ""};
        in.vat = "22";
        QTest::newRow("damaged flag writes nothing")
            << in << QByteArray("<kept>") << QByteArray("<kept>") << QByteArray("<kept>") << QByteArray("<kept>");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice();
        in.price = {"12,50", "", ""};
        QTest::newRow("comma counts up to the comma")
            << in << QByteArray("12,00") << QByteArray("0,00") << QByteArray("0,00") << QByteArray("12,00");
    }
}

void TestForward::results()
{
    QFETCH(InvoiceTexts, input);
    QFETCH(QByteArray, taxable);
    QFETCH(QByteArray, vat);
    QFETCH(QByteArray, withholding);
    QFETCH(QByteArray, total);

    const ForwardResult result = calculateForward(input);
    QCOMPARE(shown(result.results.taxable), taxable);
    QCOMPARE(shown(result.results.vatAmount), vat);
    QCOMPARE(shown(result.results.withholdingAmount), withholding);
    QCOMPARE(shown(result.results.total), total);
}

void TestForward::commercialEmptiesTheExpenses()
{
    InvoiceTexts in = calc_test::commercialInvoice();
    QVERIFY(calculateForward(in).clearExpenses);
    in.currencyFlag = 'x'; // even when nothing else is written
    QVERIFY(calculateForward(in).clearExpenses);
    QVERIFY(!calculateForward(calc_test::professionalInvoice()).clearExpenses);
}

void TestForward::extraLinesCountOnlyWithAllMainAmounts()
{
    InvoiceTexts in = calc_test::commercialInvoice();
    in.price = {"1", "2", "3"};
    in.extraPrice[0] = "10";
    in.extraQuantity[0] = "2";
    in.extraPrice[6] = "100"; // line 10, no quantity: adds nothing
    QCOMPARE(invoiceAmounts(figuresOf(in), in.type, in.currencyFlag, QuantityRule::Screen).lineSum, 1 + 2 + 3 + 20.0);
    in.price[2] = "";
    QCOMPARE(invoiceAmounts(figuresOf(in), in.type, in.currencyFlag, QuantityRule::Screen).lineSum, 0.0);
    in.quantity = {"2", "3", ""};
    QCOMPARE(invoiceAmounts(figuresOf(in), in.type, in.currencyFlag, QuantityRule::Screen).lineSum, 2 + 6.0);
}

QTEST_GUILESS_MAIN(TestForward)
#include "test_forward.moc"
