#include "calc/reverse.h"
#include "calc_test_invoices.h"

#include <QTest>

using namespace tessaro::calc;
using calc_test::shown;

class TestReverse : public QObject {
    Q_OBJECT

private slots:
    void totalLimit_data();
    void totalLimit();
    void chosenLine_data();
    void chosenLine();
    void professional_data();
    void professional();
    void professionalZeroFactorStopsSilently();
    void commercial_data();
    void commercial();
    void commercialRefusals_data();
    void commercialRefusals();
};

void TestReverse::totalLimit_data()
{
    QTest::addColumn<QByteArray>("total");
    QTest::addColumn<bool>("tooLarge");

    QTest::newRow("limit accepted") << QByteArray("9000000000") << false;
    QTest::newRow("a cent above") << QByteArray("9000000000.01") << true;
    QTest::newRow("cancelled") << QByteArray("") << false;
    QTest::newRow("exponent") << QByteArray("1e10") << true;
    QTest::newRow("limit typed with points") << QByteArray("9.000.000.000") << false;
    QTest::newRow("a cent above, decimal comma") << QByteArray("9000000000,01") << true;
}

void TestReverse::totalLimit()
{
    QFETCH(QByteArray, total);
    QFETCH(bool, tooLarge);
    QCOMPARE(totalTooLarge(total.toStdString()), tooLarge);

    // The solvers refuse it too, whatever else the invoice holds.
    const auto expected = tooLarge ? ReverseOutcome::TooLarge : ReverseOutcome::Done;
    InvoiceTexts in = calc_test::commercialInvoice();
    in.quantity = {"1", "1", "1"};
    QCOMPARE(solveProfessional(total.toStdString(), in).outcome, expected);
    QCOMPARE(solveCommercial(total.toStdString(), "9", in).outcome,
             tooLarge ? ReverseOutcome::TooLarge : ReverseOutcome::LineNotContemplated);
}

void TestReverse::chosenLine_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("line"); // 0: not contemplated

    QTest::newRow("default") << QByteArray("1") << 1;
    QTest::newRow("three") << QByteArray("3") << 3;
    QTest::newRow("2.7 is line 2") << QByteArray("2.7") << 2;
    QTest::newRow("four") << QByteArray("4") << 0;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("cancelled") << QByteArray("") << 0;
    QTest::newRow("text") << QByteArray("due") << 0;
    QTest::newRow("negative") << QByteArray("-1") << 0;
    QTest::newRow("just below one") << QByteArray("0.99") << 0;
}

void TestReverse::chosenLine()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, line);
    QCOMPARE(tessaro::calc::chosenLine(answer.toStdString()).value_or(0), line);
}

void TestReverse::professional_data()
{
    QTest::addColumn<InvoiceTexts>("input");
    QTest::addColumn<QByteArray>("total");
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<QByteArray>("taxable");
    QTest::addColumn<QByteArray>("vat");
    QTest::addColumn<QByteArray>("withholding");
    QTest::addColumn<QByteArray>("shownTotal");

    {
        InvoiceTexts in = calc_test::professionalInvoice();
        in.pension = "4";
        in.vat = "22";
        in.withholding = "20";
        in.expenses = "10";
        in.expenses2 = "0";
        QTest::newRow("euro") << in << QByteArray("1613.20") << QByteArray("1500.00") << QByteArray("1560,00")
                              << QByteArray("343,20") << QByteArray("300,00") << QByteArray("1613,20");
        in.price = {"7", "800", "900"}; // lines 2 and 3 do not count
        in.decimalSeparator = '.';
        QTest::newRow("euro, other lines, point system")
            << in << QByteArray("1613.20") << QByteArray("1500.00") << QByteArray("1560.00") << QByteArray("343.20")
            << QByteArray("300.00") << QByteArray("1613.20");
        in.decimalSeparator = ',';
        QTest::newRow("cancelled total, expenses give a negative fee")
            << in << QByteArray("") << QByteArray("-9.36") << QByteArray("-9,73") << QByteArray("-2,14")
            << QByteArray("-1,87") << QByteArray("0,00");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice('l');
        in.vat = "20";
        QTest::newRow("lire, amount cut down") << in << QByteArray("1000") << QByteArray(" 833") << QByteArray(" 833")
                                               << QByteArray(" 167") << QByteArray(" 0") << QByteArray(" 1000");
        in.expenses = "2000";
        QTest::newRow("lire, negative amount cut down")
            << in << QByteArray("1000") << QByteArray("-834") << QByteArray("-834") << QByteArray("-167")
            << QByteArray(" 0") << QByteArray(" 999");
    }
    {
        // The duty charged is in the total asked for.
        InvoiceTexts in = calc_test::professionalInvoice();
        in.pension = "4";
        in.vat = "0";
        in.terms.chargeStampDuty = true;
        QTest::newRow("stamp duty charged")
            << in << QByteArray("1042") << QByteArray("1000.00") << QByteArray("1040,00") << QByteArray("0,00")
            << QByteArray("0,00") << QByteArray("1042,00");
    }
    {
        InvoiceTexts in = calc_test::professionalInvoice('x');
        in.vat = "22";
        QTest::newRow("damaged flag: amount only")
            << in << QByteArray("122") << QByteArray("100.00") << QByteArray("<kept>") << QByteArray("<kept>")
            << QByteArray("<kept>") << QByteArray("<kept>");
    }
}

void TestReverse::professional()
{
    QFETCH(InvoiceTexts, input);
    QFETCH(QByteArray, total);
    QFETCH(QByteArray, amount);
    QFETCH(QByteArray, taxable);
    QFETCH(QByteArray, vat);
    QFETCH(QByteArray, withholding);
    QFETCH(QByteArray, shownTotal);

    const ReverseResult result = solveProfessional(total.toStdString(), input);
    QCOMPARE(result.outcome, ReverseOutcome::Done);
    QCOMPARE(result.line, 1);
    QCOMPARE(QByteArray::fromStdString(result.amountText), amount);
    QCOMPARE(shown(result.results.taxable), taxable);
    QCOMPARE(shown(result.results.vatAmount), vat);
    QCOMPARE(shown(result.results.withholdingAmount), withholding);
    QCOMPARE(shown(result.results.total), shownTotal);
}

void TestReverse::professionalZeroFactorStopsSilently()
{
    InvoiceTexts in = calc_test::professionalInvoice();
    in.withholding = "100"; // k = 1 - 1 = 0
    QCOMPARE(solveProfessional("1000", in).outcome, ReverseOutcome::SilentStop);
    in.vat = "100";
    in.pension = "-50"; // k = 1 - 0.5 + 1 - 0.5 - 1 = 0
    QCOMPARE(solveProfessional("1000", in).outcome, ReverseOutcome::SilentStop);
}

void TestReverse::commercial_data()
{
    QTest::addColumn<InvoiceTexts>("input");
    QTest::addColumn<QByteArray>("total");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("solvedLine");
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<QByteArray>("taxable");
    QTest::addColumn<QByteArray>("vat");
    QTest::addColumn<QByteArray>("shownTotal");

    {
        InvoiceTexts in = calc_test::commercialInvoice();
        in.quantity = {"", "4", ""};
        in.vat = "22";
        in.withholding = "20"; // read by neither variant here
        in.expenses = "10";
        QTest::newRow("euro, line 2") << in << QByteArray("122") << QByteArray("2") << 2 << QByteArray("25.00")
                                      << QByteArray("100,00") << QByteArray("22,00") << QByteArray("122,00");
        in.price = {"10", "", "5"};
        in.quantity = {"1", "4", "2"};
        in.extraPrice[0] = "100"; // counts: all three main amounts are set after solving
        in.extraQuantity[0] = "1";
        QTest::newRow("euro, other lines add")
            << in << QByteArray("122") << QByteArray("2.7") << 2 << QByteArray("25.00") << QByteArray("220,00")
            << QByteArray("48,40") << QByteArray("268,40");
        in.type = InvoiceType::Professional; // the menu item decides, not the type
        in.decimalSeparator = '.';
        QTest::newRow("commercial rules on a professional invoice")
            << in << QByteArray("122") << QByteArray("2") << 2 << QByteArray("25.00") << QByteArray("220.00")
            << QByteArray("48.40") << QByteArray("268.40");
    }
    {
        InvoiceTexts in = calc_test::commercialInvoice('l');
        in.quantity = {"3", "", ""};
        in.vat = "20";
        QTest::newRow("lire, line 1 cut down")
            << in << QByteArray("10000") << QByteArray("1") << 1 << QByteArray(" 2777") << QByteArray(" 8331")
            << QByteArray(" 1666") << QByteArray(" 9997");
        in.price = {"", "1", "1"};
        QTest::newRow("lire, all lines") << in << QByteArray("10000") << QByteArray("1") << 1 << QByteArray(" 2777")
                                         << QByteArray(" 8333") << QByteArray(" 1667") << QByteArray(" 10000");
    }
}

void TestReverse::commercial()
{
    QFETCH(InvoiceTexts, input);
    QFETCH(QByteArray, total);
    QFETCH(QByteArray, line);
    QFETCH(int, solvedLine);
    QFETCH(QByteArray, amount);
    QFETCH(QByteArray, taxable);
    QFETCH(QByteArray, vat);
    QFETCH(QByteArray, shownTotal);

    const ReverseResult result = solveCommercial(total.toStdString(), line.toStdString(), input);
    QCOMPARE(result.outcome, ReverseOutcome::Done);
    QCOMPARE(result.line, solvedLine);
    QCOMPARE(QByteArray::fromStdString(result.amountText), amount);
    QCOMPARE(shown(result.results.taxable), taxable);
    QCOMPARE(shown(result.results.vatAmount), vat);
    // The withholding is emptied, not shown as zero.
    QCOMPARE(shown(result.results.withholdingAmount), QByteArray(""));
    QCOMPARE(shown(result.results.total), shownTotal);
}

void TestReverse::commercialRefusals_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("quantity");
    QTest::addColumn<QByteArray>("vat");
    QTest::addColumn<ReverseOutcome>("outcome");

    QTest::newRow("line 4") << QByteArray("4") << QByteArray("1") << QByteArray("22")
                            << ReverseOutcome::LineNotContemplated;
    QTest::newRow("line 0") << QByteArray("0") << QByteArray("1") << QByteArray("22")
                            << ReverseOutcome::LineNotContemplated;
    QTest::newRow("line cancelled") << QByteArray("") << QByteArray("1") << QByteArray("22")
                                    << ReverseOutcome::LineNotContemplated;
    QTest::newRow("blank quantity") << QByteArray("1") << QByteArray("") << QByteArray("22")
                                    << ReverseOutcome::SilentStop;
    QTest::newRow("quantity and VAT cancel")
        << QByteArray("1") << QByteArray("2") << QByteArray("-100") << ReverseOutcome::SilentStop;
}

void TestReverse::commercialRefusals()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, quantity);
    QFETCH(QByteArray, vat);
    QFETCH(ReverseOutcome, outcome);

    InvoiceTexts in = calc_test::commercialInvoice();
    in.quantity[0] = quantity.toStdString();
    in.vat = vat.toStdString();
    QCOMPARE(solveCommercial("122", line.toStdString(), in).outcome, outcome);
}

QTEST_GUILESS_MAIN(TestReverse)
#include "test_reverse.moc"
