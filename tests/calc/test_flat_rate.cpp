// The flat-rate regime's figures: estimates worked by hand, step by step;
// the limits at the cent either side; the rules of a year; settings that make
// no sense refused naming their field.
#include "calc/flat_rate.h"

#include <QTest>

using namespace tessaro::calc;

Q_DECLARE_METATYPE(FlatRateSettings)
Q_DECLARE_METATYPE(FlatRateLimit)

class TestFlatRate : public QObject {
    Q_OBJECT

private slots:
    void estimate_data()
    {
        QTest::addColumn<double>("fees");
        QTest::addColumn<FlatRateSettings>("settings");
        QTest::addColumn<QList<double>>("steps"); // fees, income, taxable, tax, contributions
        QTest::addColumn<QString>("taxableReckoning");
        // 39 000 x 26,07 % = 10 167,30.
        QTest::newRow("INPS, contributions paid deducted")
            << 50000.0 << FlatRateSettings {78, 15, ContributionBasis::Inps, 0, 5000}
            << QList<double> {50000, 39000, 34000, 5100, 10167.30}
            << "39.000,00 − contributi previdenziali versati nell'anno 5.000,00";
        QTest::newRow("startup rate, fund at a rate")
            << 30000.0 << FlatRateSettings {40, 5, ContributionBasis::Rate, 14.5, 0}
            << QList<double> {30000, 12000, 12000, 600, 1740}
            << "12.000,00 − contributi previdenziali versati nell'anno 0,00";
        QTest::newRow("paid above the income: nothing taxable")
            << 10000.0 << FlatRateSettings {78, 15, ContributionBasis::Amount, 3000, 9000}
            << QList<double> {10000, 7800, 0, 0, 3000}
            << "7.800,00 − contributi previdenziali versati nell'anno 9.000,00 (non sotto zero)";
    }

    void estimate()
    {
        QFETCH(double, fees);
        QFETCH(FlatRateSettings, settings);
        QFETCH(QList<double>, steps);
        QFETCH(QString, taxableReckoning);
        const FlatRateEstimate e = flatRateEstimate(fees, settings, flatRateRules(2026));
        QCOMPARE(int(e.steps.size()), int(steps.size()));
        for (int i = 0; i < steps.size(); ++i)
            QCOMPARE(qRound64(e.steps[std::size_t(i)].value * 100), qRound64(steps[i] * 100));
        QCOMPARE(QString::fromStdString(e.steps[2].reckoning), taxableReckoning);
    }

    void limits_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("fees");
        QTest::addColumn<FlatRateLimit>("limit");
        QTest::addColumn<QString>("text");
        QTest::newRow("at the first limit") << 2026 << 85000.00 << FlatRateLimit::Within << "entro i limiti";
        QTest::newRow("a cent past it") << 2026 << 85000.01 << FlatRateLimit::AboveNextYear
                                        << "oltre 85.000 euro: il regime cessa dal prossimo anno";
        QTest::newRow("at the second limit") << 2026 << 100000.00 << FlatRateLimit::AboveNextYear
                                             << "oltre 85.000 euro: il regime cessa dal prossimo anno";
        QTest::newRow("a cent past the second") << 2026 << 100000.01 << FlatRateLimit::AboveAtOnce
                                                << "oltre 100.000 euro: il regime cessa subito; l'IVA è dovuta "
                                                   "dall'operazione che ha superato il limite";
        // A year before every row of the table takes the first.
        QTest::newRow("a year before the table") << 2019 << 85000.01 << FlatRateLimit::AboveNextYear
                                                 << "oltre 85.000 euro: il regime cessa dal prossimo anno";
    }

    void limits()
    {
        QFETCH(int, year);
        QFETCH(double, fees);
        QFETCH(FlatRateLimit, limit);
        QFETCH(QString, text);
        const FlatRateRules& rules = flatRateRules(year);
        QCOMPARE(flatRateLimit(fees, rules), limit);
        QCOMPARE(QString::fromStdString(flatRateLimitText(limit, rules)), text);
    }

    void settingsErrors_data()
    {
        QTest::addColumn<FlatRateSettings>("settings");
        QTest::addColumn<QString>("named"); // a word of the message; empty: sound
        using B = ContributionBasis;
        QTest::newRow("sound, INPS needs no value") << FlatRateSettings {78, 15, B::Inps, -1, 0} << "";
        QTest::newRow("coefficient 0") << FlatRateSettings {0, 15, B::Inps, 0, 0} << "coefficiente";
        QTest::newRow("coefficient above 100") << FlatRateSettings {100.5, 15, B::Inps, 0, 0} << "coefficiente";
        QTest::newRow("negative rate") << FlatRateSettings {78, -1, B::Inps, 0, 0} << "imposta sostitutiva";
        QTest::newRow("fund rate above 100") << FlatRateSettings {78, 15, B::Rate, 120, 0} << "aliquota dei contributi";
        QTest::newRow("negative fund amount")
            << FlatRateSettings {78, 15, B::Amount, -5, 0} << "importo dei contributi";
        QTest::newRow("negative paid") << FlatRateSettings {78, 15, B::Inps, 0, -1} << "versati";
    }

    void settingsErrors()
    {
        QFETCH(FlatRateSettings, settings);
        QFETCH(QString, named);
        const auto error = flatRateSettingsError(settings);
        QCOMPARE(error.has_value(), !named.isEmpty());
        if (error)
            QVERIFY2(QString::fromStdString(*error).contains(named, Qt::CaseInsensitive), error->c_str());
    }
};

QTEST_APPLESS_MAIN(TestFlatRate)
#include "test_flat_rate.moc"
