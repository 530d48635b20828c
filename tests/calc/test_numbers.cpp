#include "calc/numbers.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using namespace tessaro::calc;

namespace {
std::string text(const QByteArray& bytes)
{
    return bytes.toStdString();
}
} // namespace

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsLikeTheUserMeans_data();
    void numericValueReadsLikeTheUserMeans();
    void numericValueBeyondTheDoubleRange();
    void wholeLiraRoundsAHalfDown_data();
    void wholeLiraRoundsAHalfDown();
    void euroText_data();
    void euroText();
    void rateText_data();
    void rateText();
    void lireText_data();
    void lireText();
    void amountTextFollowsTheFlag_data();
    void amountTextFollowsTheFlag();
    void pointFormReadsBackInFull();
    void typedAmountTakesEitherSeparator_data();
    void typedAmountTakesEitherSeparator();
};

void TestNumbers::numericValueReadsLikeTheUserMeans_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<double>("expected");

    QTest::newRow("decimal point") << QByteArray("12.5") << 12.5;
    QTest::newRow("comma ends the number") << QByteArray("12,5") << 12.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("blanks inside") << QByteArray(" 1 000") << 1000.0;
    QTest::newRow("tab and line feed") << QByteArray("\t1\n2") << 12.0;
    QTest::newRow("padded stored field") << QByteArray("1500.00   ") << 1500.0;
    QTest::newRow("second point stops") << QByteArray("3.2.1") << 3.2;
    QTest::newRow("exponent") << QByteArray("1e3") << 1000.0;
    QTest::newRow("exponent D and sign") << QByteArray("25D-1") << 2.5;
    QTest::newRow("exponent with blanks") << QByteArray("1 E + 2") << 100.0;
    QTest::newRow("exponent letter alone") << QByteArray("7e") << 7.0;
    QTest::newRow("exponent sign alone") << QByteArray("7e-x") << 7.0;
    QTest::newRow("minus") << QByteArray("-3.5") << -3.5;
    QTest::newRow("blank after sign") << QByteArray("- 5") << -5.0;
    QTest::newRow("sign only") << QByteArray("-") << 0.0;
    QTest::newRow("two signs") << QByteArray("+-5") << 0.0;
    QTest::newRow("point only") << QByteArray(".") << 0.0;
    QTest::newRow("no zero before point") << QByteArray(".5") << 0.5;
    QTest::newRow("trailing point") << QByteArray("12.") << 12.0;
    QTest::newRow("stops at letter") << QByteArray("12abc3") << 12.0;
    QTest::newRow("hexadecimal form is not read") << QByteArray("&H10") << 0.0;
    QTest::newRow("many digits") << QByteArray("9000000000.01") << 9000000000.01;
}

void TestNumbers::numericValueReadsLikeTheUserMeans()
{
    QFETCH(QByteArray, input);
    QFETCH(double, expected);
    QCOMPARE(numericValue(text(input)), expected);
}

void TestNumbers::numericValueBeyondTheDoubleRange()
{
    // Beyond every number: unreadable, so 0, never an infinity in the results.
    QCOMPARE(numericValue("1e999"), 0.0);
    QCOMPARE(numericValue("-1e999"), 0.0);
    QCOMPARE(numericValue("9e99999999"), 0.0);
    QCOMPARE(numericValue("1e-999"), 0.0);
    QCOMPARE(numericValue("0.0000001e-400"), 0.0);
    // A minus sign on zero must not reappear as "-0,00".
    QVERIFY(!std::signbit(numericValue("-0")));
}

void TestNumbers::wholeLiraRoundsAHalfDown_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");

    QTest::newRow("half") << 1000.5 << 1000.0;
    QTest::newRow("just above half") << 1000.500001 << 1001.0;
    QTest::newRow("below half") << 999.4 << 999.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("2.51") << 2.51 << 3.0;
    QTest::newRow("negative half goes down") << -2.5 << -3.0;
    QTest::newRow("negative above half") << -2.4 << -2.0;
}

void TestNumbers::wholeLiraRoundsAHalfDown()
{
    QFETCH(double, x);
    QFETCH(double, expected);
    QCOMPARE(wholeLira(x), expected);
}

void TestNumbers::euroText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("whole, comma") << 1200.0 << ',' << QByteArray("1200,00");
    QTest::newRow("whole, point") << 1200.0 << '.' << QByteArray("1200.00");
    QTest::newRow("zero") << 0.0 << ',' << QByteArray("0,00");
    QTest::newRow("half cent rounds up") << 0.005 << ',' << QByteArray("0,01");
    QTest::newRow("below half cent") << 0.0049 << ',' << QByteArray("0,00");
    QTest::newRow("half at third decimal") << 0.125 << ',' << QByteArray("0,13");
    QTest::newRow("2.675 as typed") << 2.675 << ',' << QByteArray("2,68");
    QTest::newRow("1.005 as typed") << 1.005 << '.' << QByteArray("1.01");
    QTest::newRow("negative") << -3.5 << ',' << QByteArray("-3,50");
    QTest::newRow("negative half away from zero") << -0.125 << ',' << QByteArray("-0,13");
    QTest::newRow("negative rounds to zero") << -0.001 << ',' << QByteArray("0,00");
    QTest::newRow("negative zero") << -0.0 << ',' << QByteArray("0,00");
    QTest::newRow("carry into units") << 9.995 << ',' << QByteArray("10,00");
    QTest::newRow("carry into a new digit") << 999.999 << ',' << QByteArray("1000,00");
    QTest::newRow("sum with binary residue") << 0.1 + 0.2 << ',' << QByteArray("0,30");
    QTest::newRow("largest reverse total") << 9000000000.0 << ',' << QByteArray("9000000000,00");
    QTest::newRow("beyond 15 digits") << 1e20 << ',' << QByteArray("100000000000000000000,00");
    QTest::newRow("no thousands separator") << 1613.2 << '.' << QByteArray("1613.20");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << ',' << QByteArray("Inf");
}

void TestNumbers::euroText()
{
    QFETCH(double, x);
    QFETCH(char, separator);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(tessaro::calc::euroText(x, separator)), expected);
}

void TestNumbers::rateText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("default rate") << 1936.27 << ',' << QByteArray("1936,27");
    QTest::newRow("rate read as float") << double(1936.27f) << ',' << QByteArray("1936,27");
    QTest::newRow("point separator") << 1000.5 << '.' << QByteArray("1000.50");
    QTest::newRow("below one") << 0.5 << ',' << QByteArray(",50");
    QTest::newRow("zero") << 0.0 << ',' << QByteArray(",00");
    QTest::newRow("rounds up to one") << 0.999 << ',' << QByteArray("1,00");
    QTest::newRow("negative below one") << -0.5 << ',' << QByteArray("-,50");
}

void TestNumbers::rateText()
{
    QFETCH(double, x);
    QFETCH(char, separator);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(tessaro::calc::rateText(x, separator)), expected);
}

void TestNumbers::lireText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("zero") << 0.0 << QByteArray(" 0");
    QTest::newRow("negative zero") << -0.0 << QByteArray(" 0");
    QTest::newRow("whole") << 1200.0 << QByteArray(" 1200");
    QTest::newRow("negative") << -3.0 << QByteArray("-3");
    QTest::newRow("below one") << 0.5 << QByteArray(" .5");
    QTest::newRow("negative below one") << -0.25 << QByteArray("-.25");
    QTest::newRow("fraction") << 1000.5 << QByteArray(" 1000.5");
    QTest::newRow("trailing zeros of a whole number") << 1000000.0 << QByteArray(" 1000000");
    QTest::newRow("15 digits cut the binary residue") << 0.1 + 0.2 << QByteArray(" .3");
    QTest::newRow("rate as typed") << 1936.27 << QByteArray(" 1936.27");
    QTest::newRow("rate read as float") << double(1936.27f) << QByteArray(" 1936.27001953125");
    QTest::newRow("small") << 0.0001 << QByteArray(" .0001");
    QTest::newRow("15 digits") << 999999999999999.0 << QByteArray(" 999999999999999");
    QTest::newRow("exponent from 10^15") << 1e15 << QByteArray(" 1E+15");
    QTest::newRow("exponent with decimals") << -1.5e20 << QByteArray("-1.5E+20");
    QTest::newRow("exponent for tiny values") << 0.000015 << QByteArray(" 1.5E-05");
}

void TestNumbers::lireText()
{
    QFETCH(double, x);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(tessaro::calc::lireText(x)), expected);
}

void TestNumbers::amountTextFollowsTheFlag_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<char>("flag");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("lire zero") << 0.0 << 'l' << ',' << QByteArray(" 0");
    QTest::newRow("lire ignores separator") << 1000.5 << 'l' << ',' << QByteArray(" 1000.5");
    QTest::newRow("euro comma") << 1560.0 << 'e' << ',' << QByteArray("1560,00");
    QTest::newRow("euro point") << 343.2 << 'e' << '.' << QByteArray("343.20");
    QTest::newRow("euro 0.125") << 0.125 << 'e' << ',' << QByteArray("0,13");
    QTest::newRow("euro negative") << -3.5 << 'e' << ',' << QByteArray("-3,50");
    QTest::newRow("damaged flag shows euro") << 12.0 << 'x' << ',' << QByteArray("12,00");
}

void TestNumbers::amountTextFollowsTheFlag()
{
    QFETCH(double, x);
    QFETCH(char, flag);
    QFETCH(char, separator);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(amountText(x, flag, separator)), expected);
}

void TestNumbers::pointFormReadsBackInFull()
{
    QCOMPARE(pointForm("1500,00"), std::string("1500.00"));
    QCOMPARE(pointForm("1,2,3"), std::string("1.2.3"));
    QCOMPARE(pointForm("12.50"), std::string("12.50"));
    QCOMPARE(pointForm(""), std::string());
    // The point form of an amount text must read back to the amount on a
    // comma system, where the text itself would stop at the comma.
    const std::string shown = tessaro::calc::euroText(1234.56, ',');
    QCOMPARE(numericValue(shown), 1234.0);
    QCOMPARE(numericValue(pointForm(shown)), 1234.56);
}

void TestNumbers::typedAmountTakesEitherSeparator_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<double>("expected");
    for (const char* typed : {"1042,50", "1.042,50", "1042.50", "1,042.50", " 1 042,5 ", "1.042,50 euro"})
        QTest::newRow(typed) << QByteArray(typed) << 1042.5;
    QTest::newRow("three digits after: thousands") << QByteArray("1.042") << 1042.0;
}

void TestNumbers::typedAmountTakesEitherSeparator()
{
    QFETCH(QByteArray, input);
    QFETCH(double, expected);
    QCOMPARE(typedAmountValue(text(input)), expected);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
