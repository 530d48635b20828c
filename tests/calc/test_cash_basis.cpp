// A payment divided over the parts of its invoice, against figures reckoned
// by hand: fees 1000 with 4% pension contribution, VAT 22% on 1040, 20%
// withholding, expenses 50 and 30 and the stamp duty: 1150.80 to pay.
#include "calc/cash_basis.h"

#include <QTest>

using namespace tessaro::calc;

namespace {

InvoiceAmounts professional()
{
    InvoiceAmounts amounts;
    amounts.lineSum = 1000;
    amounts.pensionContribution = 40;
    amounts.taxable = 1040;
    amounts.vat = 228.80;
    amounts.withholding = 200;
    amounts.expenses = 50;
    amounts.expenses2 = 30;
    amounts.stampDuty = 2;
    amounts.toPay = 1150.80;
    return amounts;
}

// 2 000 000 lire of fees and 440 000 of VAT at 2000 lire to the euro: 1220 euro.
InvoiceAmounts lire()
{
    InvoiceAmounts amounts;
    amounts.lineSum = amounts.taxable = 2'000'000;
    amounts.vat = 440'000;
    amounts.toPay = 2'440'000;
    return amounts;
}

} // namespace

Q_DECLARE_METATYPE(InvoiceAmounts)

class TestCashBasis : public QObject {
    Q_OBJECT

private slots:
    void paymentParts_data()
    {
        QTest::addColumn<InvoiceAmounts>("amounts");
        QTest::addColumn<char>("flag");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("payment");
        QTest::addColumn<QString>("parts"); // fees pension VAT expenses duty withholding gross; "-" for none

        QTest::newRow("full") << professional() << 'e' << 0.0 << 1150.80
                              << "800.00 40.00 228.80 80.00 2.00 200.00 1000.00";
        QTest::newRow("half") << professional() << 'e' << 0.0 << 575.40
                              << "400.00 20.00 114.40 40.00 1.00 100.00 500.00";
        QTest::newRow("a quarter too much")
            << professional() << 'e' << 0.0 << 1438.50 << "1000.00 50.00 286.00 100.00 2.50 250.00 1250.00";
        QTest::newRow("half given back") << professional() << 'e' << 0.0 << -575.40
                                         << "-400.00 -20.00 -114.40 -40.00 -1.00 -100.00 -500.00";
        QTest::newRow("lire at its own rate")
            << lire() << 'l' << 2000.0 << 610.0 << "500.00 0.00 110.00 0.00 0.00 0.00 500.00";
        QTest::newRow("lire without a rate") << lire() << 'l' << 0.0 << 610.0 << "-";
        QTest::newRow("nothing to pay") << InvoiceAmounts {} << 'e' << 0.0 << 50.0
                                        << "50.00 0.00 0.00 0.00 0.00 0.00 50.00";
    }

    void paymentParts()
    {
        QFETCH(InvoiceAmounts, amounts);
        QFETCH(char, flag);
        QFETCH(double, rate);
        QFETCH(double, payment);
        QFETCH(QString, parts);
        const auto divided = tessaro::calc::paymentParts(amounts, flag, rate, payment);
        QString shown = QStringLiteral("-");
        if (divided) {
            QCOMPARE(divided->amount, payment);
            shown
                = QString::asprintf("%.2f %.2f %.2f %.2f %.2f %.2f %.2f", divided->fees, divided->pension, divided->vat,
                                    divided->expenses, divided->stampDuty, divided->withholding, divided->grossFees());
        }
        QCOMPARE(shown, parts);
    }
};

QTEST_MAIN(TestCashBasis)
#include "test_cash_basis.moc"
