// "Regime forfettario: limiti e stima" as a user works it: settings saved and
// read back, bad input refused with nothing written, the estimate printed,
// an issuer of another regime turned away; and the alert a payment gives
// when it takes the year's fees past a limit, once per limit.
#include "app/flat_rate_commands.h"
#include "app/invoice_commands.h"
#include "app/payment_commands.h"
#include "archive/box_titles.h"
#include "archive/income_settings.h"
#include "archive/lifecycle.h"
#include "layout_checks.h"
#include "print/recording_page.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

using namespace tessaro;
using Action = ui::FlatRateRequest::Action;

namespace {

const app::FixedClock Today {2026, 12, 8};

// Fees of 84 000, 10 000 and 20 000 without VAT on 10 May 2026.
struct Book {
    test::TestDir dir;
    archive::AppState state = test::sampleState(archive::InvoiceType::Professional);
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    explicit Book(const char* regime = "RF19")
    {
        state.dataDir = dir.data();
        state.issuerCount = 1;
        state.issuerTerms.fiscalRegime = regime;
        form.year = "2026";
        QVERIFY(archive::switchYear(form, state).ok());
        for (const char* fee : {"84000", "10000", "20000"}) {
            archive::clearInvoice(form, state);
            form.client = test::sampleClient();
            form.day = "10";
            form.month = "5";
            form.vat = "0";
            form.amount[0] = fee;
            QVERIFY(archive::saveInvoice(form, state, archive::invoiceNumber(form.number)).ok());
        }
    }

    void pay(int n, const QString& amount)
    {
        app::showInvoice(form, state, dialogs, n);
        ui::PaymentsRequest request;
        request.action = ui::PaymentsRequest::Action::Record;
        request.date = "20/05/2026";
        request.amount = amount.toStdString();
        dialogs.queuePaymentsRequest(request);
        app::showPayments(form, state, dialogs, Today);
    }

    ui::FlatRateView open(const QList<ui::FlatRateRequest>& requests, const print::DocumentSink& sink = {})
    {
        for (const ui::FlatRateRequest& request : requests)
            dialogs.queueFlatRateRequest(request);
        app::showFlatRate(form, state, dialogs, Today, sink);
        return dialogs.flatRateViews().empty() ? ui::FlatRateView {} : dialogs.flatRateViews().back();
    }
};

ui::FlatRateRequest save(ui::FlatRateSettingsView settings, const char* year = "2026")
{
    return {Action::SaveSettings, year, std::move(settings)};
}

ui::FlatRateSettingsView fundRate()
{
    return {"67", "5", false, true, false, "14,5", "1.200,50", true};
}

} // namespace

Q_DECLARE_METATYPE(ui::FlatRateSettingsView)

class TestFlatRateCommands : public QObject {
    Q_OBJECT

private slots:
    void settingsSavedAndReadBack()
    {
        Book book;
        const ui::FlatRateView view = book.open({save(fundRate())});
        QCOMPARE(book.dialogs.last().title, std::string(archive::DoneTitle));
        archive::IncomeSettings expected;
        expected.pensionIsIncome = true;
        expected.flatRate = {67, 5, calc::ContributionBasis::Rate, 14.5, 0};
        expected.paid = {{2026, 1200.5}};
        QCOMPARE(archive::readIncomeSettings(book.state.dataDir, book.state.currentIssuer).value(), expected);
        QCOMPARE(book.dir.bytes("reddito.fe").size(), archive::IncomeSettingsRecordSize);
        // The window shows them as typed, and reckons with them.
        QCOMPARE(view.settings.contributionValue + " " + view.settings.contributionsPaid, std::string("14,5 1.200,50"));
        QVERIFY(view.steps.at(1).reckoning.ends_with("67 %"));
    }

    void theOldestYearGivesItsSlot()
    {
        archive::IncomeSettings settings;
        for (int year = 2015; year <= 2025; ++year)
            settings.setPaid(year, year);
        std::array<std::uint8_t, archive::IncomeSettingsRecordSize> bytes {};
        archive::encodeIncomeSettings(settings, bytes);
        const archive::IncomeSettings read = archive::decodeIncomeSettings(bytes);
        QCOMPARE(read, settings);
        QCOMPARE(read.paid.size(), archive::PaidContributionYears);
        QCOMPARE(read.paidIn(2015), 0.0);
    }

    void badInputRefused_data()
    {
        QTest::addColumn<ui::FlatRateSettingsView>("settings");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        ui::FlatRateSettingsView s = fundRate();
        const auto with
            = [](ui::FlatRateSettingsView v, std::string ui::FlatRateSettingsView::*field, const char* text) {
                  v.*field = text;
                  return v;
              };
        using V = ui::FlatRateSettingsView;
        QTest::newRow("coefficient above 100") << with(s, &V::coefficient, "101") << "2026"
                                               << "Il coefficiente";
        QTest::newRow("coefficient in words") << with(s, &V::coefficient, "settanta") << "2026"
                                              << "Coefficiente di redditività: \"settanta\" non è un numero";
        QTest::newRow("negative rate") << with(s, &V::substituteRate, "-1") << "2026"
                                       << "L'aliquota dell'imposta sostitutiva";
        QTest::newRow("fund rate in words") << with(s, &V::contributionValue, "x") << "2026"
                                            << "Aliquota della cassa professionale: \"x\"";
        QTest::newRow("paid in words") << with(s, &V::contributionsPaid, "mille") << "2026"
                                       << "Contributi versati nell'anno: \"mille\"";
        QTest::newRow("year in words") << s << "duemila"
                                       << "Anno:";
    }

    void badInputRefused()
    {
        QFETCH(ui::FlatRateSettingsView, settings);
        QFETCH(QString, year);
        QFETCH(QString, message);
        Book book;
        book.open({save(settings, qPrintable(year))});
        QVERIFY2(QString::fromStdString(book.dialogs.last().text).startsWith(message),
                 book.dialogs.last().text.c_str());
        QCOMPARE(book.dialogs.last().title, std::string(archive::AttentionTitle));
        QVERIFY(!book.dir.exists("reddito.fe"));
    }

    void alertOnCrossing_data()
    {
        QTest::addColumn<QString>("regime");
        QTest::addColumn<QStringList>("payments"); // "invoice:amount", in order
        QTest::addColumn<QStringList>("alerts"); // the limit each alert names
        QTest::newRow("up to 85 000 exactly") << "RF19" << QStringList {"1:84000", "2:1000"} << QStringList {};
        QTest::newRow("a cent past 85 000")
            << "RF19" << QStringList {"1:84000", "2:1000,01"} << QStringList {"oltre 85.000"};
        QTest::newRow("then past 100 000, once each")
            << "RF19" << QStringList {"1:84000", "2:10000", "3:5000", "3:1000,01"}
            << QStringList {"oltre 85.000", "oltre 100.000"};
        QTest::newRow("past both at once: one box")
            << "RF19" << QStringList {"1:84000", "3:20000"} << QStringList {"oltre 100.000"};
        QTest::newRow("another regime") << "RF01" << QStringList {"1:84000", "3:20000"} << QStringList {};
    }

    void alertOnCrossing()
    {
        QFETCH(QString, regime);
        QFETCH(QStringList, payments);
        QFETCH(QStringList, alerts);
        Book book(qPrintable(regime));
        for (const QString& payment : payments)
            book.pay(payment.section(':', 0, 0).toInt(), payment.section(':', 1));
        QStringList shown;
        for (const auto& box : book.dialogs.shown()) {
            if (box.title == app::FlatRateTitle)
                shown << QRegularExpression("oltre [0-9.]+").match(QString::fromStdString(box.text)).captured();
        }
        QCOMPARE(shown, alerts);
    }

    void theYearAgainstTheLimits()
    {
        Book book;
        book.pay(1, "84000");
        book.pay(2, "10000");
        print::RecordingPage page;
        const print::DocumentSink sink = [&](const std::string&, const print::DrawDocument& draw) {
            draw(page);
            return print::DocumentOutcome {};
        };
        ui::FlatRateRequest print {Action::Print, "2026", {}};
        const ui::FlatRateView view = book.open({print}, sink);
        QCOMPARE(view.fees, std::string("94.000,00"));
        QCOMPARE(view.limitState, std::string("oltre 85.000 euro: il regime cessa dal prossimo anno"));
        // 94 000 x 78 % = 73 320; at 15 %, 10 998.
        QCOMPARE(view.steps.at(3).value, std::string("10.998,00"));
        QVERIFY(page.find("Imposta sostitutiva"));
        QVERIFY(page.find("10.998,00"));
    }

    void anotherRegimeOpensNothing()
    {
        Book book("RF01");
        book.open({});
        QVERIFY(book.dialogs.flatRateViews().empty());
        const QString text = QString::fromStdString(book.dialogs.last().text);
        QVERIFY2(text.contains("regime forfettario (RF19)") && text.contains("RF01"), qPrintable(text));
    }
};

QTEST_MAIN(TestFlatRateCommands)
#include "test_flat_rate_commands.moc"
