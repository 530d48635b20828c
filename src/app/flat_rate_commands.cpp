#include "app/flat_rate_commands.h"

#include "app/invoice_commands.h"
#include "app/issuer_commands.h"
#include "app/pdf_commands.h"
#include "app/print_commands.h"
#include "app/register_commands.h"
#include "archive/book.h"
#include "archive/box_titles.h"
#include "archive/lifecycle.h"
#include "calc/numbers.h"
#include "calc/regimes.h"
#include "calc/text.h"
#include "einvoice/codes.h"
#include "print/invoice_page.h"
#include "print/money_text.h"
#include "print/qt_document.h"
#include "print/report_page.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <memory>

namespace tessaro::app {

namespace {

using archive::AttentionTitle;

const char* const PdfTitle = "Salva stima in PDF";
const char* const ReportTitle = "Regime forfettario: limiti e stima";

bool isFlatRate(const archive::AppState& state)
{
    return state.issuerTerms.fiscalRegime == calc::FlatRateRegime;
}

bool pensionIsIncome(const archive::AppState& state, const archive::IncomeSettings& settings)
{
    return settings.pensionIsIncome.value_or(calc::pensionIsIncomeByDefault(state.issuerTerms.pensionFund));
}

archive::Result<archive::YearReceipts> receiptsOf(const archive::AppState& state, int year)
{
    return archive::readYearReceipts(state.dataDir, state.currentIssuer, year, state.invoiceType,
                                     state.issuerTerms.amounts);
}

std::optional<int> yearOf(std::string_view text)
{
    text = calc::trimBlanks(text);
    int year = 0;
    if (!archive::isBookYear(text) || !calc::isDigits(text)
        || std::from_chars(text.data(), text.data() + text.size(), year).ec != std::errc() || year < 1900)
        return std::nullopt;
    return year;
}

std::string regimeName(const std::string& code)
{
    for (const einvoice::Code& regime : einvoice::fiscalRegimes()) {
        if (regime.code == code)
            return code + " - " + std::string(regime.name);
    }
    return code.empty() ? std::string("nessun regime indicato") : code;
}

std::string issuerName(const archive::AppState& state)
{
    return print::trimBlanks(print::issuerLines(state.currentIssuerRecord).name);
}

ui::FlatRateSettingsView settingsView(const archive::IncomeSettings& settings, bool incomeFlag, int year)
{
    const calc::FlatRateSettings& flat = settings.flatRate;
    ui::FlatRateSettingsView view;
    view.coefficient = calc::percentFigure(flat.coefficient);
    view.substituteRate = calc::percentFigure(flat.substituteRate);
    view.inps = flat.contributionBasis == calc::ContributionBasis::Inps;
    view.fundRate = flat.contributionBasis == calc::ContributionBasis::Rate;
    view.fundAmount = flat.contributionBasis == calc::ContributionBasis::Amount;
    if (view.fundRate)
        view.contributionValue = calc::percentFigure(flat.contributionValue);
    else if (view.fundAmount)
        view.contributionValue = calc::italianEuroText(flat.contributionValue);
    view.contributionsPaid = calc::italianEuroText(settings.paidIn(year));
    view.pensionIsIncome = incomeFlag;
    return view;
}

ui::FlatRateView viewOf(const FlatRateSummary& summary, const archive::AppState& state)
{
    ui::FlatRateView view;
    view.heading = issuerName(state) + " - regime forfettario (RF19)";
    view.year = std::to_string(summary.year);
    view.fees = calc::italianEuroText(summary.fees);
    view.limitNextYear = calc::italianEuroText(summary.rules->limitNextYear);
    view.limitAtOnce = calc::italianEuroText(summary.rules->limitAtOnce);
    view.limitState = calc::flatRateLimitText(summary.limit, *summary.rules);
    view.feesValue = summary.fees;
    view.limitNextYearValue = summary.rules->limitNextYear;
    view.limitAtOnceValue = summary.rules->limitAtOnce;
    for (const double coefficient : summary.rules->coefficients)
        view.coefficients.push_back(calc::percentFigure(coefficient));
    view.settings = settingsView(summary.settings, summary.pensionIsIncome, summary.year);
    for (const calc::EstimateStep& step : summary.estimate.steps)
        view.steps.push_back({step.name, step.reckoning, calc::italianEuroText(step.value)});
    for (const archive::UnreadBook& book : summary.receipts.unread) {
        if (!view.notes.empty())
            view.notes += '\n';
        view.notes += "Anno " + std::to_string(book.year) + ": non letto (" + book.reason + ")";
    }
    return view;
}

bool refuse(ui::Dialogs& dialogs, const std::string& text)
{
    dialogs.message(text, AttentionTitle, ui::Buttons::Ok);
    return false;
}

const std::string YearRefused = "Anno: scrivere l'anno con quattro cifre, ad esempio 2026.";

// A number field as typed; nothing, after saying which field, when it is no number.
std::optional<double> numberIn(ui::Dialogs& dialogs, const std::string& text, const std::string& field,
                               const std::string& example)
{
    if (const auto value = calc::typedAmount(text))
        return value;
    refuse(dialogs, field + ": \"" + text + "\" non è un numero; scrivere ad esempio " + example + ".");
    return std::nullopt;
}

// The settings typed, checked whole before anything is written.
std::optional<archive::IncomeSettings> typedSettings(ui::Dialogs& dialogs, const ui::FlatRateSettingsView& typed,
                                                     archive::IncomeSettings settings, int year)
{
    const auto coefficient = numberIn(dialogs, typed.coefficient, "Coefficiente di redditività", "78");
    if (!coefficient)
        return std::nullopt;
    const auto rate = numberIn(dialogs, typed.substituteRate, "Aliquota dell'imposta sostitutiva", "15");
    if (!rate)
        return std::nullopt;
    calc::FlatRateSettings flat;
    flat.coefficient = *coefficient;
    flat.substituteRate = *rate;
    flat.contributionBasis = typed.fundRate ? calc::ContributionBasis::Rate
        : typed.fundAmount                  ? calc::ContributionBasis::Amount
                                            : calc::ContributionBasis::Inps;
    if (flat.contributionBasis != calc::ContributionBasis::Inps) {
        const bool isRate = flat.contributionBasis == calc::ContributionBasis::Rate;
        const auto value = numberIn(dialogs, typed.contributionValue,
                                    isRate ? "Aliquota della cassa professionale" : "Importo dei contributi alla cassa",
                                    isRate ? "14,5" : "3.000,00");
        if (!value)
            return std::nullopt;
        flat.contributionValue = *value;
    }
    const auto paid = numberIn(dialogs, typed.contributionsPaid, "Contributi versati nell'anno", "2.500,00");
    if (!paid)
        return std::nullopt;
    flat.contributionsPaid = *paid;
    if (const auto error = calc::flatRateSettingsError(flat)) {
        refuse(dialogs, *error);
        return std::nullopt;
    }
    settings.flatRate = flat;
    settings.flatRate.contributionsPaid = 0;
    settings.setPaid(year, *paid);
    settings.pensionIsIncome = typed.pensionIsIncome;
    return settings;
}

print::Report reportOf(const FlatRateSummary& summary, const archive::AppState& state)
{
    print::Report report;
    report.title = ReportTitle;
    report.year = std::to_string(summary.year);
    report.issuer = state.currentIssuerRecord;
    report.columns = {{"Voce", 800, false, 3500}, {"Calcolo", 4400, false, 4600}, {"Importo", 10500, true, 0}};
    for (const calc::EstimateStep& step : summary.estimate.steps)
        report.rows.push_back({step.name, step.reckoning, calc::italianEuroText(step.value)});
    report.closingLines.push_back("Compensi incassati: " + calc::italianEuroText(summary.fees) + " euro - "
                                  + calc::flatRateLimitText(summary.limit, *summary.rules) + ".");
    report.closingLines.push_back(std::string("Il contributo Cassa ") + (summary.pensionIsIncome ? "è" : "non è")
                                  + " contato come reddito.");
    for (const archive::UnreadBook& book : summary.receipts.unread)
        report.closingLines.push_back("Anno " + std::to_string(book.year) + ": non letto (" + book.reason + ").");
    report.closingLines.push_back("Stima indicativa, da verificare con il proprio consulente.");
    return report;
}

// The estimate on the register's sheet, as its printing and its PDF name it.
SheetDocument summaryDocument(const FlatRateSummary& summary, const archive::AppState& state)
{
    SheetDocument document;
    document.subject = "il prospetto del regime forfettario";
    document.ofSubject = "del prospetto del regime forfettario";
    document.year = std::to_string(summary.year);
    document.printTitle = archive::PrintTitle;
    document.pdfTitle = PdfTitle;
    document.proposedPdf = reportFilePath(state, "forfettario", document.year, "pdf");
    auto report = std::make_shared<const print::Report>(reportOf(summary, state));
    document.rows = static_cast<int>(report->rows.size());
    document.layout = [report](print::Page& page, const std::function<bool(int rowsDone)>& step) {
        return print::layoutReport(page, *report, step);
    };
    return document;
}

std::optional<FlatRateSummary> readSummary(const archive::AppState& state, ui::Dialogs& dialogs, int year)
{
    ui::BusyPointer busy(dialogs);
    auto summary = flatRateSummary(state, year);
    busy.release();
    if (!summary) {
        reportFailure(dialogs, "Non è stato possibile leggere gli incassi del " + std::to_string(year) + ".",
                      summary.error());
        return std::nullopt;
    }
    return std::move(summary.value());
}

} // namespace

archive::Result<FlatRateSummary> flatRateSummary(const archive::AppState& state, int year)
{
    FlatRateSummary summary;
    summary.year = year;
    auto settings = archive::readIncomeSettings(state.dataDir, state.currentIssuer);
    if (!settings)
        return settings.error();
    summary.settings = std::move(settings.value());
    auto receipts = receiptsOf(state, year);
    if (!receipts)
        return receipts.error();
    summary.receipts = std::move(receipts.value());
    summary.pensionIsIncome = pensionIsIncome(state, summary.settings);
    summary.rules = &calc::flatRateRules(year);
    summary.fees = summary.receipts.income(summary.pensionIsIncome);
    summary.limit = calc::flatRateLimit(summary.fees, *summary.rules);
    summary.estimate = calc::flatRateEstimate(summary.fees, summary.settings.forYear(year), *summary.rules);
    return summary;
}

void showFlatRate(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    showFlatRate(form, state, dialogs, clock, print::printOnDefaultPrinter);
}

void showFlatRate(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                  const print::DocumentSink& sink)
{
    form.focusField.clear();
    if (!hasCurrentIssuer(state)) {
        refuse(dialogs, "Scegliere prima l'emittente: i limiti e la stima riguardano i suoi incassi.");
        return;
    }
    // Limits, coefficient and substitute tax mean nothing under another
    // regime: an estimate there would only mislead. The regime is changed in
    // the e-invoice data, and the window opens from then on.
    if (!isFlatRate(state)) {
        refuse(dialogs,
               "La finestra \"Regime forfettario: limiti e stima\" riguarda il regime forfettario (RF19). "
               "L'emittente ha il regime fiscale "
                   + regimeName(state.issuerTerms.fiscalRegime)
                   + ": se è cambiato, indicarlo nei dati per la fattura elettronica.");
        return;
    }
    auto summary = readSummary(state, dialogs, clock.today().year);
    if (!summary)
        return;
    for (;;) {
        const ui::FlatRateRequest request = dialogs.showFlatRate(viewOf(*summary, state));
        using Action = ui::FlatRateRequest::Action;
        if (request.action == Action::Close)
            break;
        if (request.action == Action::Print) {
            printSheet(summaryDocument(*summary, state), dialogs, sink);
            continue;
        }
        if (request.action == Action::SavePdf) {
            saveSheetPdf(summaryDocument(*summary, state), dialogs);
            continue;
        }
        const auto year = yearOf(request.year);
        if (!year) {
            refuse(dialogs, YearRefused);
            continue;
        }
        if (request.action == Action::SaveSettings) {
            const auto settings = typedSettings(dialogs, request.settings, summary->settings, *year);
            if (!settings)
                continue;
            if (archive::Status stored = archive::storeIncomeSettings(state.dataDir, state.currentIssuer, *settings);
                !stored) {
                reportFailure(dialogs, "Le impostazioni del regime forfettario non sono state salvate.",
                              stored.error());
                continue;
            }
            dialogs.message("Impostazioni del regime forfettario salvate.", archive::DoneTitle);
        }
        if (auto again = readSummary(state, dialogs, *year))
            summary = std::move(again);
    }
}

std::optional<FlatRateBefore> flatRateBeforePayment(const archive::AppState& state, int year)
{
    if (!isFlatRate(state) || !hasCurrentIssuer(state))
        return std::nullopt;
    auto settings = archive::readIncomeSettings(state.dataDir, state.currentIssuer);
    if (!settings)
        return std::nullopt;
    auto receipts = receiptsOf(state, year);
    if (!receipts)
        return std::nullopt;
    const bool income = pensionIsIncome(state, settings.value());
    return FlatRateBefore {year, receipts.value().income(income), income};
}

void alertFlatRateLimit(const archive::AppState& state, const FlatRateBefore& before, ui::Dialogs& dialogs)
{
    auto receipts = receiptsOf(state, before.year);
    if (!receipts)
        return;
    const double fees = receipts.value().income(before.pensionIsIncome);
    const calc::FlatRateRules& rules = calc::flatRateRules(before.year);
    const calc::FlatRateLimit was = calc::flatRateLimit(before.fees, rules);
    const calc::FlatRateLimit now = calc::flatRateLimit(fees, rules);
    if (static_cast<int>(now) <= static_cast<int>(was))
        return;
    std::string text = "Con questo incasso i compensi incassati nel " + std::to_string(before.year) + " arrivano a "
        + calc::italianEuroText(fees) + " euro, " + calc::flatRateLimitText(now, rules) + ".";
    if (now == calc::FlatRateLimit::AboveAtOnce)
        text += "\nLe fatture da qui in avanti vanno emesse con l'IVA, fuori dal regime forfettario.";
    else
        text += "\nPer il resto dell'anno le fatture restano nel regime forfettario; dal prossimo anno si applica il "
                "regime ordinario.";
    dialogs.message(text, FlatRateTitle, ui::Buttons::Ok);
}

} // namespace tessaro::app
