// The commands of the menus "Tipo di moneta", "Tipo di fattura" and
// "Calcolo inverso", and "Calcola", run on a form without any window.
#include "app/calc_commands.h"
#include "app/mode_commands.h"
#include "archive/settings.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

#include <cstring>

using namespace tessaro;
using archive::Currency;
using archive::InvoiceType;
using ui::ScriptedDialogs;

namespace {

archive::AppState stateIn(const test::TestDir& dir)
{
    archive::AppState state;
    state.dataDir = dir.data();
    state.decimalSeparator = ',';
    return state;
}

archive::InvoiceForm lireInvoice()
{
    archive::InvoiceForm form;
    form.buffer.currency = "l";
    form.buffer.rate = 1936.27f;
    form.amount = {"1936270", "", ""};
    form.taxable = " 1936270";
    form.total = " 2362249";
    return form;
}

float storedRate(const test::TestDir& dir)
{
    const auto bytes = dir.bytes("impost");
    float rate = 0;
    if (bytes.size() >= 16)
        std::memcpy(&rate, bytes.data() + 12, sizeof rate);
    return rate;
}

} // namespace

class TestShellCommands : public QObject {
    Q_OBJECT

private slots:
    void invoiceTypeIsWrittenToItsFile()
    {
        test::TestDir dir;
        auto state = stateIn(dir);
        ScriptedDialogs dialogs;
        app::selectCommercial(state, dialogs);
        QCOMPARE(state.invoiceType, InvoiceType::Commercial);
        QCOMPARE(dir.bytes("tipo.fat"), std::vector<std::uint8_t> {'c'});
        app::selectProfessional(state, dialogs);
        QCOMPARE(state.invoiceType, InvoiceType::Professional);
        QCOMPARE(dir.bytes("tipo.fat"), std::vector<std::uint8_t> {'p'});
        QVERIFY(dialogs.shown().empty());
    }

    void euroConvertsALireInvoice()
    {
        test::TestDir dir;
        auto state = stateIn(dir);
        state.currency = Currency::Lire;
        auto form = lireInvoice();
        ScriptedDialogs dialogs;
        app::selectEuro(form, state, dialogs);
        QCOMPARE(state.currency, Currency::Euro);
        QCOMPARE(dir.bytes("tipo.mon"), std::vector<std::uint8_t> {'e'});
        QCOMPARE(form.buffer.currency, std::string("e"));
        QCOMPARE(form.amount[0], std::string("1000.00"));
        QCOMPARE(form.amount[1], std::string());
        QCOMPARE(form.taxable, std::string());
        QCOMPARE(form.total, std::string());
    }

    void euroLeavesAEuroInvoiceAlone()
    {
        test::TestDir dir;
        auto state = stateIn(dir);
        archive::InvoiceForm form;
        form.buffer.currency = "e";
        form.amount = {"12.50", "", ""};
        form.taxable = "12,50";
        ScriptedDialogs dialogs;
        app::selectEuro(form, state, dialogs);
        QCOMPARE(form.amount[0], std::string("12.50"));
        QCOMPARE(form.taxable, std::string("12,50"));
    }

    void lireIsRefusedThenConvertsToEuro()
    {
        test::TestDir dir;
        auto state = stateIn(dir);
        auto form = lireInvoice();
        ScriptedDialogs dialogs;
        app::selectLire(form, state, dialogs);
        QCOMPARE(dialogs.shown().size(), std::size_t(1));
        QCOMPARE(dialogs.last().text, std::string("Il programma non è utilizzabile con le lire"));
        QCOMPARE(dialogs.last().title, std::string("Le lire non si usano più"));
        QCOMPARE(state.currency, Currency::Euro);
        QCOMPARE(form.amount[0], std::string("1000.00"));
    }

    void euroValue_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("9900") << "9900" << true;
        QTest::newRow("0.01") << "0.01" << true;
        QTest::newRow("1000.5") << "1000.5" << true;
        QTest::newRow("9900.01") << "9900.01" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("-5") << "-5" << false;
        QTest::newRow("cancelled") << "" << false;
    }

    void euroValue()
    {
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        test::TestDir dir;
        auto state = stateIn(dir);
        archive::InvoiceForm form;
        form.buffer.rate = 1936.27f;
        form.rateText = "1936,27";
        ScriptedDialogs dialogs;
        dialogs.queueInput(answer.toStdString());
        app::setEuroValue(form, state, dialogs);
        QCOMPARE(dialogs.last().text, std::string("Indicare quanto vale, in lire, un euro."));
        QCOMPARE(dialogs.last().title, std::string("UN EURO UGUALE A LIRE..."));
        QCOMPARE(dialogs.last().defaultText, std::string(" 1936.27"));
        const double value = answer.toDouble();
        if (accepted) {
            QCOMPARE(state.euroRate, value);
            QCOMPARE(form.buffer.rate, static_cast<float>(value));
            QCOMPARE(storedRate(dir), static_cast<float>(value));
        } else {
            QCOMPARE(state.euroRate, 1936.27);
            QCOMPARE(form.rateText, std::string("1936,27"));
            QVERIFY(!dir.exists("impost"));
        }
    }

    void euroValueShowsTheRate()
    {
        test::TestDir dir;
        auto state = stateIn(dir);
        archive::InvoiceForm form;
        ScriptedDialogs dialogs;
        dialogs.queueInput("1000.5");
        app::setEuroValue(form, state, dialogs);
        QCOMPARE(form.rateText, std::string("1000,50"));
        // Only record 4 of the settings is written.
        const auto bytes = dir.bytes("impost");
        QCOMPARE(bytes.size(), std::size_t(16));
        QCOMPARE(std::vector<std::uint8_t>(bytes.begin() + 12, bytes.end()),
                 (std::vector<std::uint8_t> {0x00, 0x20, 0x7A, 0x44}));
    }

    void calculateReadsTheExtraLinesAndEmptiesCommercialExpenses()
    {
        archive::AppState state;
        state.invoiceType = InvoiceType::Commercial;
        archive::InvoiceForm form;
        form.buffer.currency = "e";
        form.amount = {"10.50", "3", "4"};
        form.quantity = {"2", "", "1"};
        form.extraLines.amount[0] = "5";
        form.extraLines.quantity[0] = "3";
        form.extraLines.amount[1] = "7";
        form.vat = "22";
        form.withholding = "20";
        form.expenses = "10";
        form.expenses2 = "5";
        app::calculate(form, state);
        QCOMPARE(form.taxable, std::string("43,00"));
        QCOMPARE(form.vatAmount, std::string("9,46"));
        QCOMPARE(form.withholdingAmount, std::string("0,00"));
        QCOMPARE(form.total, std::string("52,46"));
        QCOMPARE(form.expenses, std::string());
        QCOMPARE(form.expenses2, std::string());
    }

    void calculateLeavesResultsOfAnInvoiceWithoutCurrency()
    {
        archive::AppState state;
        archive::InvoiceForm form;
        form.buffer.currency = "x";
        form.amount = {"1000", "", ""};
        form.taxable = "old";
        app::calculate(form, state);
        QCOMPARE(form.taxable, std::string("old"));
    }

    void reverseProfessional()
    {
        archive::AppState state;
        archive::InvoiceForm form;
        form.buffer.currency = "e";
        form.pension = "4";
        form.vat = "22";
        form.withholding = "20";
        form.expenses = "10";
        ScriptedDialogs dialogs;
        dialogs.queueInput("1613.20");
        app::reverseProfessional(form, state, dialogs);
        QCOMPARE(dialogs.last().title, std::string("CALCOLO INVERSO"));
        QCOMPARE(form.amount[0], std::string("1500.00"));
        QCOMPARE(form.taxable, std::string("1560,00"));
        QCOMPARE(form.vatAmount, std::string("343,20"));
        QCOMPARE(form.withholdingAmount, std::string("300,00"));
        QCOMPARE(form.total, std::string("1613,20"));
    }

    void reverseRefusesATotalTooLarge()
    {
        archive::AppState state;
        archive::InvoiceForm form;
        form.buffer.currency = "e";
        ScriptedDialogs dialogs;
        dialogs.queueInput("9000000000.01");
        app::reverseCommercial(form, state, dialogs);
        QCOMPARE(dialogs.shown().size(), std::size_t(2)); // the line is never asked
        QCOMPARE(dialogs.last().text, std::string("   TOTALE ECCESSIVO   "));
        QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
        QCOMPARE(form.amount[0], std::string());
    }

    void reverseCommercial()
    {
        archive::AppState state;
        archive::InvoiceForm form;
        form.buffer.currency = "e";
        form.vat = "22";
        form.quantity = {"", "4", ""};
        form.withholdingAmount = "300,00";
        ScriptedDialogs dialogs;
        dialogs.queueInput("122");
        dialogs.queueInput("2");
        app::reverseCommercial(form, state, dialogs);
        QCOMPARE(dialogs.last().text, std::string("Indicare a quale delle tre voci riferirsi."));
        QCOMPARE(dialogs.last().defaultText, std::string("1"));
        QCOMPARE(form.amount[1], std::string("25.00"));
        QCOMPARE(form.withholdingAmount, std::string());
    }

    void reverseCommercialRefusesAnotherLine()
    {
        archive::AppState state;
        archive::InvoiceForm form;
        form.buffer.currency = "e";
        ScriptedDialogs dialogs;
        dialogs.queueInput("100");
        dialogs.queueInput("4");
        app::reverseCommercial(form, state, dialogs);
        QCOMPARE(dialogs.last().text, std::string("   VOCE NON CONTEMPLATA   "));
        QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    }
};

QTEST_GUILESS_MAIN(TestShellCommands)
#include "test_shell_commands.moc"
