#include "app/year_receipts_commands.h"

#include "app/invoice_commands.h"
#include "app/pdf_commands.h"
#include "app/print_commands.h"
#include "app/register_commands.h"
#include "archive/box_titles.h"
#include "archive/year_receipts_texts.h"
#include "calc/numbers.h"
#include "calc/text.h"
#include "print/month_bars.h"
#include "print/qt_document.h"
#include "print/report_page.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace tessaro::app {

namespace {

using archive::ReceiptColumn;
using Action = ui::YearReceiptsRequest::Action;

static_assert(ui::YearReceiptsColumnCount == archive::ReceiptColumnCount);

archive::AmountStyle screenStyle(char decimalSeparator)
{
    return {decimalSeparator, true, true};
}

std::string paymentsText(std::size_t count)
{
    return count == 1 ? "1 incasso" : std::to_string(count) + " incassi";
}

// The year as typed: four digits within the years the window accepts.
std::optional<int> typedYear(std::string_view text)
{
    text = calc::trimBlanks(text);
    if (text.size() != 4 || !calc::isDigits(text))
        return std::nullopt;
    const int year = std::stoi(std::string(text));
    if (year < FirstReceiptsYear || year > LastReceiptsYear)
        return std::nullopt;
    return year;
}

// One year read: its payments, their search, and what the window shows of them.
struct ShownYear {
    std::shared_ptr<const archive::YearReceipts> receipts;
    std::unique_ptr<archive::ReceiptsSearch> search;
    ui::YearReceiptsView view;
};

// The rows the query keeps, and their totals.
void applySearch(ShownYear& shown, const std::string& query, char decimalSeparator)
{
    shown.view.shown = shown.search->matching(query);
    const calc::PaymentParts totals = shown.receipts->totalsOf(shown.view.shown);
    for (int column = 0; column < archive::ReceiptColumnCount; ++column)
        shown.view.totals[static_cast<std::size_t>(column)]
            = archive::receiptTotalsCell(totals, static_cast<ReceiptColumn>(column), screenStyle(decimalSeparator));
    const std::size_t all = shown.receipts->rows.size();
    shown.view.count = shown.view.shown.size() == all
        ? paymentsText(all)
        : std::to_string(shown.view.shown.size()) + " di " + paymentsText(all);
}

std::optional<ShownYear> readShownYear(const archive::AppState& state, ui::Dialogs& dialogs, int year)
{
    ui::BusyPointer busy(dialogs);
    auto receipts = archive::readYearReceipts(state.dataDir, state.currentIssuer, year, state.invoiceType,
                                              state.issuerTerms.amounts);
    if (!receipts) {
        busy.release();
        reportFailure(dialogs, "Non è stato possibile leggere gli incassi del " + std::to_string(year) + ".",
                      receipts.error());
        return std::nullopt;
    }
    ShownYear shown;
    shown.receipts = std::make_shared<const archive::YearReceipts>(std::move(receipts.value()));
    shown.search = std::make_unique<archive::ReceiptsSearch>(*shown.receipts);
    shown.view = yearReceiptsView(shown.receipts, state.decimalSeparator);
    std::vector<int> years;
    if (auto found = archive::yearsWithPayments(state.dataDir, state.currentIssuer))
        years = std::move(found.value());
    // A book's payments come in its own year and the one after.
    if (!years.empty())
        years.push_back(years.back() + 1);
    years.push_back(year);
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    for (auto it = years.rbegin(); it != years.rend(); ++it)
        shown.view.years.push_back(std::to_string(*it));
    return shown;
}

print::Report reportOf(const ShownYear& shown, const archive::AppState& state)
{
    // Left edges of the texts, right edges of the amounts (twips).
    struct Place {
        double x;
        bool right;
        double fit;
    };
    constexpr std::array<Place, archive::ReceiptColumnCount> Places = {{
        {800, false, 680},
        {1500, false, 680},
        {2200, false, 1450},
        {4500, true, 0},
        {5180, true, 0},
        {5800, true, 0},
        {6420, true, 0},
        {7040, true, 0},
        {7600, true, 0},
        {8280, true, 0},
        {8380, false, 2120},
    }};
    print::Report report;
    report.title = YearReceiptsTitle;
    report.year = shown.view.year;
    report.issuer = state.currentIssuerRecord;
    for (std::size_t column = 0; column < Places.size(); ++column)
        report.columns.push_back(
            {shown.view.headings[column], Places[column].x, Places[column].right, Places[column].fit});
    const calc::PaymentParts totals = shown.receipts->totals();
    report.totals.resize(Places.size());
    for (std::size_t column = 0; column < Places.size(); ++column)
        report.totals[column] = archive::receiptTotalsCell(totals, static_cast<ReceiptColumn>(column),
                                                           screenStyle(state.decimalSeparator));
    for (const archive::YearReceipt& row : shown.receipts->rows) {
        std::vector<std::string>& cells = report.rows.emplace_back(Places.size());
        for (std::size_t column = 0; column < Places.size(); ++column)
            cells[column]
                = archive::receiptCell(row, static_cast<ReceiptColumn>(column), screenStyle(state.decimalSeparator));
    }
    for (const archive::UnreadBook& book : shown.receipts->unread)
        report.closingLines.push_back(archive::unreadBookText(book));
    report.closingLines.emplace_back(archive::ReceiptsRuleNote);
    return report;
}

void exportCsv(const ShownYear& shown, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string path = askCsvPath(dialogs, reportFilePath(state, "incassi", shown.view.year, "csv"));
    if (path.empty())
        return;
    ui::BusyPointer busy(dialogs);
    const std::string text = archive::yearReceiptsCsv(*shown.receipts);
    busy.release();
    if (!writeCsvFile(state, dialogs, path, text))
        return;
    dialogs.message("Gli incassi dell'anno " + shown.view.year + " (" + paymentsText(shown.receipts->rows.size())
                        + ") sono stati esportati nel file\n" + absolutePath(path),
                    archive::DoneTitle);
}

// The year's payments on the register's sheet, as its printing and its PDF name them.
SheetDocument receiptsDocument(const ShownYear& shown, const archive::AppState& state)
{
    SheetDocument document;
    document.subject = "l'elenco degli incassi";
    document.ofSubject = "dell'elenco degli incassi";
    document.year = shown.view.year;
    document.printTitle = archive::PrintTitle;
    document.pdfTitle = YearReceiptsPdfTitle;
    document.proposedPdf = reportFilePath(state, "incassi", shown.view.year, "pdf");
    auto report = std::make_shared<const print::Report>(reportOf(shown, state));
    document.rows = static_cast<int>(report->rows.size());
    document.layout = [report](print::Page& page, const std::function<bool(int rowsDone)>& step) {
        return print::layoutReport(page, *report, step);
    };
    return document;
}

} // namespace

ui::YearReceiptsView yearReceiptsView(std::shared_ptr<const archive::YearReceipts> shared, char decimalSeparator)
{
    const archive::YearReceipts& receipts = *shared;
    const archive::AmountStyle style = screenStyle(decimalSeparator);
    ui::YearReceiptsView view;
    view.year = std::to_string(receipts.year);
    for (int column = 0; column < archive::ReceiptColumnCount; ++column)
        view.headings[static_cast<std::size_t>(column)]
            = std::string(archive::receiptHeading(static_cast<ReceiptColumn>(column)));
    view.receipts = shared;
    view.decimalSeparator = decimalSeparator;
    view.shown.resize(receipts.rows.size());
    for (std::size_t i = 0; i < view.shown.size(); ++i)
        view.shown[i] = static_cast<int>(i);
    const calc::PaymentParts totals = receipts.totals();
    for (int column = 0; column < archive::ReceiptColumnCount; ++column)
        view.totals[static_cast<std::size_t>(column)]
            = archive::receiptTotalsCell(totals, static_cast<ReceiptColumn>(column), style);
    view.count = paymentsText(receipts.rows.size());
    for (const archive::UnreadBook& book : receipts.unread)
        view.problems.push_back(archive::unreadBookText(book));
    view.problems.emplace_back(archive::ReceiptsRuleNote);
    view.months = receipts.monthlyAmounts();
    for (std::size_t month = 0; month < view.months.size(); ++month)
        view.monthLabels[month] = archive::amountText(view.months[month], style);
    view.monthsCaption = "Incassato nel " + view.year + ": " + archive::amountText(totals.amount, style) + " euro";
    return view;
}

void showYearReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    showYearReceipts(form, state, dialogs, clock, print::printOnDefaultPrinter);
}

void showYearReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                      const print::DocumentSink& sink)
{
    form.focusField.clear();
    const int firstYear = typedYear(form.year).value_or(clock.currentYear());
    std::optional<ShownYear> shown = readShownYear(state, dialogs, firstYear);
    if (!shown)
        return;
    for (;;) {
        const ui::YearReceiptsRequest request = dialogs.showYearReceipts(shown->view);
        if (request.action == Action::Close)
            break;
        if (request.action == Action::ChangeYear) {
            const std::optional<int> year = typedYear(request.year);
            if (!year) {
                dialogs.message("Anno: indicare un anno di quattro cifre tra " + std::to_string(FirstReceiptsYear)
                                    + " e " + std::to_string(LastReceiptsYear) + ".",
                                archive::AttentionTitle);
                continue;
            }
            if (std::to_string(*year) == shown->view.year)
                continue;
            std::optional<ShownYear> other = readShownYear(state, dialogs, *year);
            if (!other)
                continue;
            shown = std::move(other);
            // The search typed stays on the new year.
            if (!calc::trimBlanks(request.search).empty())
                applySearch(*shown, request.search, state.decimalSeparator);
        } else if (request.action == Action::Search) {
            applySearch(*shown, request.search, state.decimalSeparator);
        } else if (request.action == Action::ExportCsv) {
            exportCsv(*shown, state, dialogs);
        } else if (request.action == Action::Print) {
            printSheet(receiptsDocument(*shown, state), dialogs, sink);
        } else {
            saveSheetPdf(receiptsDocument(*shown, state), dialogs);
        }
    }
}

} // namespace tessaro::app
