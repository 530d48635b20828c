#include "calc/calendar.h"

#include <QTest>

using namespace tessaro::calc;

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void realDates_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("real");
        QTest::newRow("29 February 1900: a century is no leap year") << 29 << 2 << 1900 << false;
        QTest::newRow("29 February 2000: every fourth century is") << 29 << 2 << 2000 << true;
        QTest::newRow("29 February 2024") << 29 << 2 << 2024 << true;
        QTest::newRow("29 February 2023") << 29 << 2 << 2023 << false;
        QTest::newRow("30 February 2024") << 30 << 2 << 2024 << false;
        QTest::newRow("28 February 2023") << 28 << 2 << 2023 << true;
        QTest::newRow("31 April") << 31 << 4 << 2024 << false;
        QTest::newRow("31 June") << 31 << 6 << 2024 << false;
        QTest::newRow("31 September") << 31 << 9 << 2024 << false;
        QTest::newRow("31 November") << 31 << 11 << 2024 << false;
        QTest::newRow("30 November") << 30 << 11 << 2024 << true;
        QTest::newRow("31 July") << 31 << 7 << 2024 << true;
        QTest::newRow("31 August") << 31 << 8 << 2024 << true;
        QTest::newRow("31 December") << 31 << 12 << 2024 << true;
        QTest::newRow("32 January") << 32 << 1 << 2024 << false;
        QTest::newRow("day 0") << 0 << 1 << 2024 << false;
        QTest::newRow("month 0") << 1 << 0 << 2024 << false;
        QTest::newRow("month 13") << 1 << 13 << 2024 << false;
    }

    void realDates()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(bool, real);
        QCOMPARE(isRealDate(day, month, year), real);
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "test_calendar.moc"
