// One invoice, one figure: each invoice of the table goes through every
// consumer of the amounts engine ("Calcola", the yearly totals, the printed
// page and the e-invoice) and each consumer's figure is held against one
// reckoned by hand. Where the consumers' rules differ (a quantity left blank),
// each says what its own rule gives and the e-invoice refuses. The paper
// carries the statement and the stamp duty the issuer's regime calls for.
#include "app/calc_commands.h"
#include "archive/book.h"
#include "archive/register.h"
#include "archive/totals.h"
#include "einvoice/document.h"
#include "einvoice/fatturapa.h"
#include "layout_checks.h"
#include "print/invoice_page.h"
#include "print/recording_page.h"
#include "samples.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

#include <cmath>

using namespace tessaro;
using archive::InvoiceType;

namespace {

struct FigureCase {
    InvoiceType type = InvoiceType::Commercial;
    char currency = 'e';
    float rate = 1936.27f;
    std::array<std::string, 3> prices, quantities;
    std::array<std::string, 2> extraPrices, extraQuantities; // lines 4 and 5
    std::string vat = "22", pension, withholding, expenses;
    archive::IssuerTerms terms; // the issuer's regime and stamp-duty choice
    // What each consumer shows: the screen's three results, the yearly totals
    // in euro, the paper's three summary values, and the e-invoice's taxable
    // amount and amount to pay (empty when it refuses the invoice).
    std::array<std::string, 3> screen;
    double totalTaxable = 0, totalVat = 0;
    std::array<std::string, 3> paper;
    std::string einvoiceTaxable, einvoiceToPay;
    // The paper's statement (its first line; empty: none), the duty paid, the row of a duty charged.
    std::string statement;
    bool stampDutyPaid = false;
    std::string stampDutyRow = "<none>";
};

const std::string FlatRateStatement = "Operazione in franchigia da IVA ai sensi dell'art. 1,";
const std::string MinimiStatement = "Operazione effettuata ai sensi";

archive::InvoiceForm formOf(const FigureCase& c)
{
    archive::InvoiceForm form;
    form.year = "2024";
    form.number = "1";
    form.day = "10";
    form.month = "05";
    form.client = test::personClient();
    form.description = {"Prima voce", "Seconda voce", "Terza voce"};
    form.amount = c.prices;
    form.quantity = c.quantities;
    for (std::size_t i = 0; i < 2; ++i) {
        form.extraLines.description[i] = "Voce aggiunta";
        form.extraLines.amount[i] = c.extraPrices[i];
        form.extraLines.quantity[i] = c.extraQuantities[i];
    }
    form.vat = c.vat;
    form.pension = c.pension;
    form.withholding = c.withholding;
    form.expenses = c.expenses;
    form.buffer.currency = std::string(1, c.currency);
    form.buffer.rate = c.rate;
    return form;
}

// The value printed right-aligned at 10400 on the row whose label starts so.
std::string printedValue(const print::RecordingPage& page, const std::string& label)
{
    for (const auto& text : page.texts()) {
        if (text.text.rfind(label, 0) != 0)
            continue;
        for (const auto& value : page.texts()) {
            if (value.y == text.y && value.x > 8500 && value.text != text.text)
                return value.text;
        }
    }
    return "<none>";
}

} // namespace

Q_DECLARE_METATYPE(FigureCase)

class TestOneFigure : public QObject {
    Q_OBJECT

private slots:
    void everyConsumer_data();
    void everyConsumer();
};

void TestOneFigure::everyConsumer_data()
{
    QTest::addColumn<FigureCase>("invoice");
    const auto commercial = [](std::array<std::string, 3> prices, std::array<std::string, 3> quantities) {
        FigureCase c;
        c.prices = std::move(prices);
        c.quantities = std::move(quantities);
        return c;
    };
    {
        // The screen counts each blank quantity as 1 (all three prices set), the
        // yearly totals always do, the paper multiplies by the blank.
        FigureCase c = commercial({"10", "10", "10"}, {"", "", ""});
        c.screen = {"30,00", "6,60", "36,60"};
        c.totalTaxable = 30, c.totalVat = 6.6;
        c.paper = {"0,00", "0,00", "0,00"};
        QTest::newRow("three prices, no quantity") << c;
        c.quantities = {"1", "1", "0"};
        c.paper = {"20,00", "4,40", "24,40"};
        QTest::newRow("three prices, a quantity of 0") << c;
    }
    {
        // One line only: the screen takes the quantity as typed, the totals as 1.
        FigureCase c = commercial({"100", "", ""}, {"", "", ""});
        c.screen = {"0,00", "0,00", "0,00"};
        c.totalTaxable = 100, c.totalVat = 22;
        c.paper = {"0,00", "0,00", "0,00"};
        QTest::newRow("one price, no quantity") << c;
        c.quantities[0] = "1";
        c.screen = {"100,00", "22,00", "122,00"};
        c.paper = c.screen;
        c.einvoiceTaxable = "100.00", c.einvoiceToPay = "122.00";
        QTest::newRow("one price, quantity 1") << c;
    }
    {
        // 21 + 3 + 4 + 5 x 3; the extra line without a quantity adds nothing.
        FigureCase c = commercial({"10.50", "3", "4"}, {"2", "1", "1"});
        c.extraPrices = {"5", "7"};
        c.extraQuantities = {"3", ""};
        c.screen = {"43,00", "9,46", "52,46"};
        c.totalTaxable = 43, c.totalVat = 9.46;
        c.paper = c.screen;
        c.einvoiceTaxable = "43.00", c.einvoiceToPay = "52.46";
        QTest::newRow("extra lines") << c;
        // A main price missing: the extra lines count nowhere.
        c.prices[2] = "";
        c.screen = {"24,00", "5,28", "29,28"};
        c.totalTaxable = 24, c.totalVat = 5.28;
        c.paper = c.screen;
        c.einvoiceTaxable = "24.00", c.einvoiceToPay = "29.28";
        QTest::newRow("extra lines without a third price") << c;
    }
    {
        // 1002.5 lire is 1002, its VAT 220.44 is 220; the totals divide by the
        // invoice's own rate, the paper prints whole lire.
        FigureCase c = commercial({"1000.5", "1", "1"}, {"1", "1", "1"});
        c.currency = 'l';
        c.rate = 1000.0f;
        c.screen = {" 1002", " 220", " 1222"};
        c.totalTaxable = 1.002, c.totalVat = 0.22;
        c.paper = {"1.002", "220", "1.222"};
        QTest::newRow("commercial in lire") << c;
    }
    {
        FigureCase c;
        c.type = InvoiceType::Professional;
        c.prices = {"1000", "500", ""};
        c.quantities = {"3", "7", "2"}; // ignored for fees
        c.extraPrices = {"99", ""};
        c.extraQuantities = {"2", ""};
        c.pension = "4", c.withholding = "20", c.expenses = "10";
        c.screen = {"1560,00", "343,20", "1613,20"};
        c.totalTaxable = 1560, c.totalVat = 343.2;
        c.paper = c.screen;
        c.einvoiceTaxable = "1560.00", c.einvoiceToPay = "1613.20";
        QTest::newRow("fees with pension, withholding, expenses") << c;
        // 1234.56 + 2% = 1259.2512; VAT 277.035264; withholding 246.912; to pay
        // 1289.374464, where the sum of the rounded parts would say 1289.38.
        c.prices = {"1234.56", "", ""};
        c.pension = "2", c.withholding = "20", c.expenses = "";
        c.screen = {"1259,25", "277,04", "1289,37"};
        c.totalTaxable = 1234.56 + 1234.56 * 2 / 100, c.totalVat = c.totalTaxable * 22 / 100;
        c.paper = c.screen;
        c.einvoiceTaxable = "1259.25", c.einvoiceToPay = "1289.37";
        QTest::newRow("fees at rates with decimals") << c;
    }
    {
        // Lire fees print in euro at the invoice's rate; the e-invoice wants euro.
        FigureCase c;
        c.type = InvoiceType::Professional;
        c.currency = 'l';
        c.prices = {"1936270", "", ""};
        c.vat = "20";
        c.screen = {" 1936270", " 387254", " 2323524"};
        c.totalTaxable = 1936270 / double(1936.27f), c.totalVat = 387254 / double(1936.27f);
        c.paper = {"1000,00", "200,00", "1200,00"};
        QTest::newRow("fees in lire") << c;
    }
    {
        // Flat rate: no VAT, the contribution still counts, the duty is charged;
        // the statement needs no box checked.
        FigureCase c;
        c.type = InvoiceType::Professional;
        c.terms.fiscalRegime = "RF19", c.terms.amounts = {true};
        c.prices = {"1000", "", ""};
        c.vat = "0", c.pension = "4";
        c.screen = {"1040,00", "0,00", "1042,00"};
        c.totalTaxable = 1040;
        c.paper = {"1040,00", "----", "1042,00"};
        c.einvoiceTaxable = "1040.00", c.einvoiceToPay = "1042.00";
        c.statement = FlatRateStatement, c.stampDutyPaid = true, c.stampDutyRow = "2,00";
        QTest::newRow("flat rate, stamp duty charged") << c;
        // Due above 77.47 euro without VAT, not at 77.47.
        c = commercial({"77.47", "", ""}, {"1", "", ""});
        c.vat = "0";
        c.terms.fiscalRegime = "RF19", c.terms.amounts = {true};
        c.screen = c.paper = {"77,47", "0,00", "77,47"};
        c.totalTaxable = 77.47;
        c.einvoiceTaxable = c.einvoiceToPay = "77.47";
        c.statement = FlatRateStatement;
        QTest::newRow("flat rate, 77.47 without VAT, no duty") << c;
        c.prices[0] = "77.48";
        c.screen = c.paper = {"77,48", "0,00", "79,48"};
        c.totalTaxable = 77.48;
        c.einvoiceTaxable = "77.48", c.einvoiceToPay = "79.48";
        c.stampDutyPaid = true, c.stampDutyRow = "2,00";
        QTest::newRow("flat rate, 77.48 without VAT, duty charged") << c;
    }
}

void TestOneFigure::everyConsumer()
{
    QFETCH(FigureCase, invoice);
    archive::AppState state = test::sampleState(invoice.type);
    state.issuerTerms = invoice.terms;
    const archive::InvoiceForm form = formOf(invoice);

    archive::InvoiceForm shown = form;
    app::calculate(shown, state);
    QCOMPARE(shown.taxable, invoice.screen[0]);
    QCOMPARE(shown.vatAmount, invoice.screen[1]);
    QCOMPARE(shown.total, invoice.screen[2]);

    test::TestDir dir;
    state.dataDir = dir.data();
    const archive::BookPaths book = archive::bookPaths(state.dataDir, 1, "2024");
    archive::InvoiceForm stored = form;
    archive::copyFormToBuffer(stored);
    QVERIFY(archive::writeInvoice(book, 1, stored.buffer).ok());
    QVERIFY(archive::writeExtraLines(book, 1, stored.extraLines).ok());
    const auto taxable = archive::sumInvoices(book, invoice.type, archive::TotalKind::Taxable, 1, 1);
    const auto vat = archive::sumInvoices(book, invoice.type, archive::TotalKind::Vat, 1, 1);
    QVERIFY(taxable.ok() && vat.ok());
    QVERIFY2(std::fabs(taxable.value() - invoice.totalTaxable) < 1e-9, qPrintable(QString::number(taxable.value())));
    QVERIFY2(std::fabs(vat.value() - invoice.totalVat) < 1e-9, qPrintable(QString::number(vat.value())));
    // The register's row is the same engine's, under the same rule and terms.
    const auto reg = archive::BookRegister::read(book, invoice.type, 2, invoice.terms.amounts);
    QVERIFY(reg.ok());
    const archive::RegisterFigures row = reg.value().totals();
    QCOMPARE(row.taxable, taxable.value());
    QCOMPARE(row.vat, vat.value());

    print::RecordingPage page;
    print::layoutInvoice(page, form, print::invoiceSheet(state));
    const bool services = invoice.type == InvoiceType::Professional;
    QCOMPARE(printedValue(page, "TOTALE IMPONIBILE"), invoice.paper[0]);
    QCOMPARE(printedValue(page, "IVA ("), invoice.paper[1]);
    QCOMPARE(printedValue(page, services ? "TOTALE DA PAGARE (" : "TOTALE DA PAGARE "), invoice.paper[2]);
    QCOMPARE(printedValue(page, "IMPOSTA DI BOLLO"), invoice.stampDutyRow);
    QCOMPARE(page.find("Imposta di bollo assolta in modo virtuale").has_value(), invoice.stampDutyPaid);
    for (const std::string& opening : {FlatRateStatement, MinimiStatement}) {
        const auto found = page.find(opening);
        QCOMPARE(found.has_value(), opening == invoice.statement);
        QVERIFY(!found || (found->x == 800 && found->font.bold)); // at the left, bold, as ever
    }

    einvoice::InvoiceToExport exported = test::professionalInvoice();
    exported.form = form;
    exported.type = invoice.type;
    exported.issuerData.fiscalRegime = invoice.terms.fiscalRegime;
    exported.issuerData.chargeStampDuty = invoice.terms.amounts.chargeStampDuty;
    const std::vector<std::string> problems = einvoice::validate(exported);
    std::vector<std::string> ignored;
    const einvoice::Document document = einvoice::computeDocument(exported, ignored);
    if (invoice.einvoiceTaxable.empty()) {
        const std::string why = invoice.currency == 'l' ? "La fattura è in lire" : "Manca la quantità della riga";
        QVERIFY(
            std::any_of(problems.begin(), problems.end(), [&](const std::string& p) { return p.rfind(why, 0) == 0; }));
        return;
    }
    QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
    // The taxable amount is every summary but the amounts outside VAT (N1: expenses, the duty).
    einvoice::Cents vatTaxable = 0;
    for (const einvoice::VatSummary& summary : document.summaries)
        vatTaxable += summary.nature != "N1" ? summary.taxable : 0;
    QCOMPARE(einvoice::moneyText(vatTaxable), invoice.einvoiceTaxable);
    QCOMPARE(einvoice::moneyText(document.toPay), invoice.einvoiceToPay);
    QCOMPARE(einvoice::moneyText(*einvoice::toCents(row.toPay)), invoice.einvoiceToPay);
}

QTEST_MAIN(TestOneFigure)
#include "test_one_figure.moc"
