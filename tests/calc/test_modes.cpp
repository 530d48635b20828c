#include "calc/modes.h"

#include <QTest>

#include <string>

using namespace tessaro::calc;

class TestModes : public QObject {
    Q_OBJECT

private slots:
    void convertsALireInvoice_data();
    void convertsALireInvoice();
    void euroInvoiceStaysAsItIs();
    void missingRateLeavesTheInvoiceAlone_data();
    void missingRateLeavesTheInvoiceAlone();
    void acceptEuroValue_data();
    void acceptEuroValue();
    void euroValueDefaultText_data();
    void euroValueDefaultText();
};

void TestModes::convertsALireInvoice_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("one euro of lire") << QByteArray("1936270") << 1936.27 << QByteArray("1000.00");
    QTest::newRow("rate read back as float") << QByteArray("1936270") << double(1936.27f) << QByteArray("1000.00");
    QTest::newRow("empty stays empty") << QByteArray("") << 1936.27 << QByteArray("");
    // A loaded field keeps its padding; blanks alone must not become a 0.00 line.
    QTest::newRow("blanks stay blanks") << QByteArray("          ") << 1936.27 << QByteArray("          ");
    QTest::newRow("stored lire text") << QByteArray(" 50000    ") << 1936.27 << QByteArray("25.82");
    QTest::newRow("rounded half away") << QByteArray("5") << 1000.0 << QByteArray("0.01");
}

void TestModes::convertsALireInvoice()
{
    QFETCH(QByteArray, input);
    QFETCH(double, rate);
    QFETCH(QByteArray, expected);

    // Every one of the five fields is converted the same way.
    for (std::size_t field = 0; field < EuroConvertedFieldCount; ++field) {
        EuroConvertedTexts texts;
        texts[field] = input.toStdString();
        const EuroConversion conversion = convertToEuro(texts, 'l', rate);
        QCOMPARE(conversion.outcome, EuroConversionOutcome::Converted);
        QCOMPARE(conversion.currencyFlag, 'e');
        QVERIFY(conversion.emptyResults);
        for (std::size_t other = 0; other < EuroConvertedFieldCount; ++other) {
            const std::string want = other == field ? expected.toStdString() : std::string();
            QCOMPARE(conversion.texts[other], want);
        }
    }
}

void TestModes::euroInvoiceStaysAsItIs()
{
    const EuroConvertedTexts texts {"1936270", "12", "", "10", "5"};
    const EuroConversion conversion = convertToEuro(texts, 'e', 1936.27);
    QCOMPARE(conversion.outcome, EuroConversionOutcome::AlreadyEuro);
    QCOMPARE(conversion.currencyFlag, 'e');
    QVERIFY(!conversion.emptyResults);
    QCOMPARE(conversion.texts, texts);
}

void TestModes::missingRateLeavesTheInvoiceAlone_data()
{
    QTest::addColumn<double>("rate");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -1936.27;
    QTest::newRow("not a number") << std::nan("");
}

void TestModes::missingRateLeavesTheInvoiceAlone()
{
    QFETCH(double, rate);
    const EuroConvertedTexts texts {"1936270", "", "", "", ""};
    const EuroConversion conversion = convertToEuro(texts, 'l', rate);
    QCOMPARE(conversion.outcome, EuroConversionOutcome::NoRate);
    QCOMPARE(conversion.currencyFlag, 'l');
    QVERIFY(!conversion.emptyResults);
    QCOMPARE(conversion.texts, texts);
}

void TestModes::acceptEuroValue_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");

    QTest::newRow("upper limit") << QByteArray("9900") << true << 9900.0;
    QTest::newRow("small") << QByteArray("0.01") << true << 0.01;
    QTest::newRow("with decimals") << QByteArray("1000.5") << true << 1000.5;
    QTest::newRow("above limit") << QByteArray("9900.01") << false << 0.0;
    QTest::newRow("zero") << QByteArray("0") << false << 0.0;
    QTest::newRow("negative") << QByteArray("-5") << false << 0.0;
    QTest::newRow("cancelled") << QByteArray("") << false << 0.0;
    QTest::newRow("not a number") << QByteArray("abc") << false << 0.0;
    QTest::newRow("overflow") << QByteArray("1e999") << false << 0.0;
}

void TestModes::acceptEuroValue()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    const auto result = tessaro::calc::acceptEuroValue(answer.toStdString());
    QCOMPARE(result.has_value(), accepted);
    if (accepted)
        QCOMPARE(*result, value);
}

void TestModes::euroValueDefaultText_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("default rate") << 1936.27 << QByteArray(" 1936.27");
    QTest::newRow("rate read from the settings") << double(1936.27f) << QByteArray(" 1936.27");
    QTest::newRow("typed rate") << 1000.5 << QByteArray(" 1000.5");
    QTest::newRow("typed rate, 15 digits") << 1936.12345678901 << QByteArray(" 1936.12345678901");
}

void TestModes::euroValueDefaultText()
{
    QFETCH(double, rate);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(tessaro::calc::euroValueDefaultText(rate)), expected);
}

QTEST_GUILESS_MAIN(TestModes)
#include "test_modes.moc"
