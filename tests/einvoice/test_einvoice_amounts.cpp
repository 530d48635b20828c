#include "einvoice/document.h"
#include "einvoice/money.h"

#include "calc/forward.h"
#include "samples.h"

#include <QtTest>

using namespace tessaro;
using namespace tessaro::einvoice;

namespace {

Document computed(const InvoiceToExport& invoice)
{
    std::vector<std::string> problems;
    Document document = computeDocument(invoice, problems);
    if (!problems.empty())
        qWarning("unexpected problem: %s", problems.front().c_str());
    return document;
}

// The sums the exchange system checks, with the tolerances it allows: a
// summary's taxable amount within one euro of its lines and contribution,
// its tax within one cent of taxable x rate.
void verifyConsistent(const Document& document)
{
    for (const VatSummary& summary : document.summaries) {
        Cents lines = 0;
        for (const DocumentLine& line : document.lines) {
            if (line.vatRate == summary.vatRate && line.nature == summary.nature)
                lines += line.total;
        }
        if (document.pension && document.pension->vatRate == summary.vatRate
            && document.pension->nature == summary.nature)
            lines += document.pension->amount;
        QVERIFY2(std::abs(lines - summary.taxable) <= 100, qPrintable(QString::number(lines - summary.taxable)));
        QVERIFY(std::abs(summary.tax - applyRate(summary.taxable, summary.vatRate)) <= 1);
    }
}

} // namespace

class TestEinvoiceAmounts : public QObject {
    Q_OBJECT

private slots:
    void toCents_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("whole") << 1560.0 << qint64(156000);
        QTest::newRow("half cent up") << 0.125 << qint64(13);
        QTest::newRow("typed 2.675") << 2.675 << qint64(268);
        QTest::newRow("negative half") << -0.125 << qint64(-13);
        QTest::newRow("largest") << 99999999999.99 << qint64(9999999999999);
    }

    void toCents()
    {
        QFETCH(double, value);
        QFETCH(qint64, cents);
        QCOMPARE(einvoice::toCents(value), std::optional<Cents>(cents));
    }

    void amountsBeyondTheSchema()
    {
        QVERIFY(!einvoice::toCents(1e11).has_value());
        QVERIFY(!einvoice::toCents(std::numeric_limits<double>::infinity()).has_value());
        QCOMPARE(moneyText(-5), std::string("-0.05"));
        QCOMPARE(moneyText(123456), std::string("1234.56"));
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hundredths"); // -1: refused
        QTest::newRow("22") << "22" << 2200;
        QTest::newRow("blank") << "  " << 0;
        QTest::newRow("two decimals") << "2.25" << 225;
        QTest::newRow("three decimals") << "2.125" << -1;
        QTest::newRow("100") << "100" << 10000;
        QTest::newRow("above 100") << "100.01" << -1;
    }

    void percentages()
    {
        QFETCH(QString, text);
        QFETCH(int, hundredths);
        const auto rate = percentHundredths(text.toStdString());
        QCOMPARE(rate.value_or(-1), hundredths);
    }

    void applyRateRoundsHalfAwayFromZero()
    {
        QCOMPARE(applyRate(125, 1000), Cents {13}); // 1.25 x 10% = 0.125
        QCOMPARE(applyRate(34666, 2200), Cents {7627}); // 346.66 x 22% = 76.2652
        QCOMPARE(applyRate(-125, 1000), Cents {-13});
    }

    void decimalTexts()
    {
        QCOMPARE(decimalText(10.1, 11), std::optional<std::string>("10.10"));
        QCOMPARE(decimalText(0.333, 11), std::optional<std::string>("0.333"));
        QCOMPARE(decimalText(1.123456789, 11), std::optional<std::string>("1.12345679"));
        QVERIFY(!decimalText(1e11, 11).has_value());
    }

    void samplesAddUp()
    {
        // The amounts themselves are checked in the exported XML; here the sums.
        verifyConsistent(computed(test::professionalInvoice()));
        verifyConsistent(computed(test::commercialInvoice()));
    }

    void amountToPayIsTheCalculations()
    {
        // The same texts through "Calcola" give the amount to pay of the document.
        const InvoiceToExport invoice = test::professionalInvoice();
        calc::InvoiceTexts input;
        input.price = invoice.form.amount;
        input.vat = invoice.form.vat;
        input.pension = invoice.form.pension;
        input.withholding = invoice.form.withholding;
        input.expenses = invoice.form.expenses;
        input.decimalSeparator = '.';
        const auto result = calc::calculateForward(input);
        QCOMPARE(*result.results.total, moneyText(computed(invoice).toPay));
        QCOMPARE(*result.results.withholdingAmount, moneyText(computed(invoice).withholding->amount));
    }

    void centsRoundedOnceEach_data()
    {
        QTest::addColumn<QString>("fee");
        QTest::addColumn<QString>("pension");
        QTest::addColumn<QString>("withholding");
        QTest::addColumn<qint64>("contribution");
        QTest::addColumn<qint64>("tax");
        QTest::addColumn<qint64>("withheld");
        QTest::addColumn<qint64>("toPay");
        // 333.33 x 4% = 13.3332; (333.33 + 13.33) x 22% = 76.2652; 333.33 x 20% = 66.666
        QTest::newRow("333.33") << "333.33"
                                << "4"
                                << "20" << qint64(1333) << qint64(7627) << qint64(6667) << qint64(34666 + 7627 - 6667);
        // 0.05 x 2% = 0.001; 0.05 x 22% = 0.011; 0.05 x 20% = 0.01
        QTest::newRow("five cents") << "0.05"
                                    << "2"
                                    << "20" << qint64(0) << qint64(1) << qint64(1) << qint64(5);
        // 1234.56 x 2.5% = 30.864; 1265.424 x 22% = 278.39328; 1234.56 x 19.5% = 240.7392; to pay
        // 1265.424 + 278.39328 - 240.7392 = 1303.07808, the 1303,08 that "Calcola" shows and the paper prints.
        QTest::newRow("decimal rates") << "1234.56"
                                       << "2.5"
                                       << "19.5" << qint64(3086) << qint64(27839) << qint64(24074) << qint64(130308);
    }

    void centsRoundedOnceEach()
    {
        QFETCH(QString, fee);
        QFETCH(QString, pension);
        QFETCH(QString, withholding);
        QFETCH(qint64, contribution);
        QFETCH(qint64, tax);
        QFETCH(qint64, withheld);
        QFETCH(qint64, toPay);
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.amount = {fee.toStdString(), "", ""};
        invoice.form.pension = pension.toStdString();
        invoice.form.withholding = withholding.toStdString();
        invoice.form.expenses.clear();
        const Document document = computed(invoice);
        QCOMPARE(document.pension->amount, contribution);
        QCOMPARE(document.summaries.at(0).tax, tax);
        QCOMPARE(document.withholding->amount, withheld);
        QCOMPARE(document.toPay, toPay);
        verifyConsistent(document);
    }

    void withoutVatAndStampDuty_data()
    {
        QTest::addColumn<QString>("fee");
        QTest::addColumn<QString>("expenses");
        QTest::addColumn<bool>("stampDuty");
        QTest::newRow("77.47") << "77.47"
                               << "" << false;
        QTest::newRow("77.48") << "77.48"
                               << "" << true;
        QTest::newRow("with expenses outside VAT") << "70"
                                                   << "7.48" << true;
    }

    void withoutVatAndStampDuty()
    {
        QFETCH(QString, fee);
        QFETCH(QString, expenses);
        QFETCH(bool, stampDuty);
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.omittedVatStatement = true;
        invoice.form.vat = "0";
        invoice.form.pension.clear();
        invoice.form.withholding.clear();
        invoice.form.amount = {fee.toStdString(), "", ""};
        invoice.form.expenses = expenses.toStdString();
        invoice.issuerData.vatNature = "N2.2";
        const Document document = computed(invoice);
        QCOMPARE(document.stampDuty, stampDuty);
        QCOMPARE(document.summaries.at(0).nature, std::string("N2.2"));
        QCOMPARE(document.summaries.at(0).tax, Cents {0});
        QCOMPARE(document.summaries.at(0).legalReference, std::string(DefaultLegalReference));
        QCOMPARE(document.lines.at(0).nature, std::string("N2.2"));
    }

    void commercialIncompleteMainLines()
    {
        // Line 2 blank: the typed quantities alone count and the extra lines do not.
        InvoiceToExport invoice = test::commercialInvoice();
        invoice.form.amount[1].clear();
        const Document document = computed(invoice);
        QCOMPARE(document.lines.size(), std::size_t {2});
        QCOMPARE(document.lines[0].total, Cents {2100});
        QCOMPARE(document.summaries[0].taxable, Cents {2500});
    }

    void commercialUnitPriceKeepsItsDecimals()
    {
        InvoiceToExport invoice = test::commercialInvoice();
        invoice.form.amount = {"0.333", "1", "1"};
        invoice.form.quantity = {"3", "1", "1"};
        const Document document = computed(invoice);
        QCOMPARE(document.lines[0].unitPrice, std::string("0.333"));
        QCOMPARE(document.lines[0].total, Cents {100}); // 0.999
        verifyConsistent(document);
    }
};

QTEST_GUILESS_MAIN(TestEinvoiceAmounts)
#include "test_einvoice_amounts.moc"
