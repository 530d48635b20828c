// Due dates counted over month and year ends, dates as a person types them,
// and the state of an invoice from what it asks and what came in.
#include "calc/payments.h"

#include <QTest>

using namespace tessaro::calc;

namespace {

QString shown(std::optional<Date> date)
{
    return date ? QString::fromStdString(dateText(*date)) : QStringLiteral("-");
}

} // namespace

class TestPayments : public QObject {
    Q_OBJECT

private slots:
    void dueDates_data()
    {
        QTest::addColumn<QString>("issued");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("due");
        QTest::newRow("a vista") << "15/03/2026"
                                 << "AV"
                                 << "15/03/2026";
        QTest::newRow("30 days into April") << "15/03/2026"
                                            << "30"
                                            << "14/04/2026";
        QTest::newRow("60 days over February of a leap year") << "31/12/2027"
                                                              << "60"
                                                              << "29/02/2028";
        QTest::newRow("90 days over the year's end") << "15/11/2026"
                                                     << "90"
                                                     << "13/02/2027";
        QTest::newRow("30 fine mese from 31 January") << "31/01/2026"
                                                      << "30FM"
                                                      << "31/03/2026";
        QTest::newRow("30 fine mese from 15 January") << "15/01/2026"
                                                      << "30FM"
                                                      << "28/02/2026";
        QTest::newRow("60 fine mese over the year") << "10/12/2026"
                                                    << "60FM"
                                                    << "28/02/2027";
        QTest::newRow("no term") << "15/03/2026"
                                 << ""
                                 << "-";
        QTest::newRow("a code no term has") << "15/03/2026"
                                            << "45"
                                            << "-";
        QTest::newRow("a typed date without one") << "15/03/2026"
                                                  << "DATA"
                                                  << "-";
    }

    void dueDates()
    {
        QFETCH(QString, issued);
        QFETCH(QString, term);
        QFETCH(QString, due);
        const auto date = parseDateText(issued.toStdString());
        QVERIFY(date);
        QCOMPARE(shown(dueDate(*date, term.toStdString())), due);
    }

    void typedDates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read");
        QTest::newRow("full") << "05/03/2026"
                              << "05/03/2026";
        QTest::newRow("short, blanks around") << " 5/3/2026 "
                                              << "05/03/2026";
        QTest::newRow("29 February of a common year") << "29/02/2026"
                                                      << "-";
        QTest::newRow("31 April") << "31/04/2026"
                                  << "-";
        QTest::newRow("two-digit year") << "05/03/26"
                                        << "-";
        QTest::newRow("letters") << "oggi"
                                 << "-";
    }

    void typedDates()
    {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        const auto date = parseDateText(typed.toStdString());
        QCOMPARE(shown(date), read);
        if (date)
            QCOMPARE(parseStoredDate(storedDateText(*date)), date);
    }

    void states_data()
    {
        QTest::addColumn<double>("toSettle");
        QTest::addColumn<double>("received");
        QTest::addColumn<bool>("pastDue");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<double>("owed");
        QTest::addColumn<QString>("state");
        // What the window and the register reach through the whole program
        // is tested there; here the edges of the sums alone.
        QTest::newRow("all in, to the cent of a float sum")
            << 0.3 << (0.1 + 0.2) << true << false << 0.0 << "incassata";
        QTest::newRow("credit note, not yet given back") << -400.0 << 0.0 << false << false << -400.0 << "da incassare";
        QTest::newRow("credit note, given back in excess") << -400.0 << -450.0 << true << false << 0.0 << "incassata";
    }

    void states()
    {
        QFETCH(double, toSettle);
        QFETCH(double, received);
        QFETCH(bool, pastDue);
        QFETCH(bool, cancelled);
        QFETCH(double, owed);
        QFETCH(QString, state);
        const Date today {2026, 12, 8};
        const Settlement settlement {toSettle, received, pastDue ? Date {2026, 12, 7} : Date {2026, 12, 8}, cancelled};
        QCOMPARE(settlement.owed(), owed);
        QCOMPARE(QString::fromUtf8(paymentStateText(settlement.state(today)).data()), state);
    }
};

QTEST_GUILESS_MAIN(TestPayments)
#include "test_payments.moc"
