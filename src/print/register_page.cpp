#include "print/register_page.h"

#include "archive/register_texts.h"
#include "print/invoice_page.h"
#include "print/money_text.h"
#include "print/report_page.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace tessaro::print {

namespace {

using archive::RegisterColumn;

constexpr double Left = 800;
constexpr double Right = 10500;
constexpr double RowFontSize = 6.5;
// The client gives up some room to the electronic invoice's state, the widest
// of the short columns.
constexpr double ClientWidth = 850;
constexpr double SdiWidth = 700;
// The room of a sum in the narrowest amount column, and how small its type may get.
constexpr double TotalsWidth = 580;
constexpr double SmallestTotalsSize = 5;

enum class Align { Left, Right };

struct PaperColumn {
    RegisterColumn column;
    const char* heading; // shorter than on screen where the column is narrow; the legend explains
    double x; // left edge, or right edge for amounts
    Align align;
};

constexpr std::array<PaperColumn, archive::RegisterColumnCount> Columns = {{
    {RegisterColumn::Number, "N.", 1100, Align::Right},
    {RegisterColumn::Date, "Data", 1160, Align::Left},
    {RegisterColumn::Client, "Cliente", 1870, Align::Left},
    {RegisterColumn::Taxable, "Imponibile", 3400, Align::Right},
    {RegisterColumn::Vat, "IVA", 4020, Align::Right},
    {RegisterColumn::Withholding, "Ritenuta", 4650, Align::Right},
    {RegisterColumn::Expenses, "Spese", 5250, Align::Right},
    {RegisterColumn::ToPay, "Da pagare", 5900, Align::Right},
    {RegisterColumn::Kind, "A/S", 6000, Align::Left},
    {RegisterColumn::Sdi, "SdI", 6490, Align::Left},
    {RegisterColumn::Note, "Note", 7230, Align::Left},
    {RegisterColumn::Due, "Scadenza", 7720, Align::Left},
    {RegisterColumn::Received, "Incassato", 8990, Align::Right},
    {RegisterColumn::Owed, "Da inc.", 9670, Align::Right},
    {RegisterColumn::State, "Stato", 9730, Align::Left},
}};

// The marks of the columns; "da lire" only in a book that has lire invoices.
std::string legendOf(const archive::BookRegister& reg)
{
    std::string legend = "A/S: acconto o saldo.";
    if (reg.hasLireRows())
        legend += " \"da lire\": importi al cambio della fattura.";
    return legend + " \"esclusa\": esclusa dai totali. \"storno\": nota di credito.";
}

constexpr const char* SdiLegend
    = "SdI: fattura elettronica. \"non esp.\": non esportata. \"modificata\": dopo "
      "l'esportazione. \"non cons.\": non consegnata. Codici degli scarti: a video e nel CSV.";

constexpr const char* PaymentsLegend = "Incassato: incassi registrati; per una nota di credito, quanto "
                                       "restituito. Da inc.: da incassare. \"in parte\": incassata in parte.";

// The state column on paper: the longest state in fewer words, explained by the legend.
std::string paperState(const archive::BookRegister& reg, int row, calc::Date today)
{
    const auto state = reg.paymentState(row, today);
    if (!state)
        return {};
    return *state == calc::PaymentState::PartlyPaid ? "in parte" : std::string(calc::paymentStateText(*state));
}

// The state of the electronic invoice on paper: the longer states in fewer
// words and a rejection without its codes, explained by the legend.
std::string paperSdi(std::span<const archive::SdiStatus> statuses, int row)
{
    if (static_cast<std::size_t>(row) >= statuses.size())
        return {};
    const archive::SdiStatus& status = statuses[static_cast<std::size_t>(row)];
    switch (status.state) {
    case archive::SdiState::NotExported:
        return "non esp.";
    case archive::SdiState::ChangedAfterExport:
        return "modificata";
    case archive::SdiState::NotDelivered:
        return "non cons.";
    case archive::SdiState::Exported:
    case archive::SdiState::Delivered:
    case archive::SdiState::Rejected:
        return std::string(archive::sdiStateText(status.state));
    }
    return status.text;
}

// A notice's invoice on paper, "n. 5 del 12/01/2027", without the words the heading says.
std::string noticeText(std::span<const archive::SdiStatus> statuses, int row)
{
    if (static_cast<std::size_t>(row) >= statuses.size())
        return {};
    const std::string& text = statuses[static_cast<std::size_t>(row)].text;
    const std::string_view lead = "fatturato con la fattura ";
    return text.starts_with(lead) ? text.substr(lead.size()) : text;
}

// The note column on paper: one word, explained by the legend.
std::string paperNote(const archive::RegisterRow& row)
{
    switch (row.currency) {
    case archive::RegisterCurrency::Euro:
        return row.creditNote ? "storno" : "";
    case archive::RegisterCurrency::FromLire:
        return std::string(archive::FromLireMark);
    case archive::RegisterCurrency::LireWithoutRate:
    case archive::RegisterCurrency::Unknown:
        return "esclusa";
    }
    return {};
}

void printCell(Page& page, const PaperColumn& column, double y, const std::string& text)
{
    if (text.empty())
        return;
    if (column.align == Align::Right)
        printRightAligned(page, column.x, y, text);
    else
        printAt(page, column.x, y, text);
}

void layoutTop(Page& page, const RegisterSheet& sheet, int pageNumber, int pages)
{
    layoutSheetTop(page, sheet.notices ? NoticeRegisterTitle : RegisterTitle, sheet.year, sheet.issuer);

    page.setFontSize(RowFontSize);
    page.setFontBold(true);
    for (const PaperColumn& column : Columns)
        printCell(page, column, 1800,
                  sheet.notices && column.column == RegisterColumn::Sdi ? std::string(archive::NoticeInvoiceHeading)
                                                                        : std::string(column.heading));
    page.setDrawWidth(3);
    page.line(Left, 2050, Right, 2050);
    page.setDrawWidth(1);
    page.setFontBold(false);
    printCentred(page, (Left + Right) / 2, page.scaleHeight() - RegisterFootMargin,
                 "Pagina " + std::to_string(pageNumber) + " di " + std::to_string(pages));
}

void layoutClosing(Page& page, const archive::BookRegister& reg, const RegisterSheet& sheet, double y)
{
    const archive::AmountStyle style {sheet.decimalSeparator, true, true};
    page.setDrawWidth(3);
    page.line(Left, y, Right, y);
    page.setDrawWidth(1);
    y += 60;
    page.setFontBold(true);
    const archive::RegisterFigures totals = reg.totals();
    std::array<std::string, Columns.size()> cells;
    for (std::size_t i = 0; i < Columns.size(); ++i)
        cells[i] = archive::totalsCell(totals, Columns[i].column, style);
    // The year's sums are longer than any row's: a smaller type keeps them
    // apart where the narrow columns would run them together.
    double size = RowFontSize;
    const auto widest = [&] {
        double width = 0;
        for (std::size_t i = 0; i < Columns.size(); ++i) {
            if (archive::isAmountColumn(Columns[i].column))
                width = std::max(width, page.textWidth(cells[i]));
        }
        return width;
    };
    for (page.setFontSize(size); size > SmallestTotalsSize && widest() > TotalsWidth; page.setFontSize(size))
        size -= 0.5;
    for (std::size_t i = 0; i < Columns.size(); ++i)
        printCell(page, Columns[i], y, cells[i]);
    page.setFontSize(RowFontSize);
    page.setFontBold(false);
    y += RegisterRowHeight;
    const int left = reg.uncountedRows();
    std::string count = (sheet.notices ? "Avvisi di parcella: " : "Fatture: ") + std::to_string(reg.size());
    if (left > 0)
        count += ", di cui escluse dai totali: " + std::to_string(left);
    printAt(page, Left, y, count + ".");
    printAt(page, Left, y + RegisterRowHeight, std::string(archive::RegisterRuleNote));
    printAt(page, Left, y + 2 * RegisterRowHeight, fittedText(page, legendOf(reg), Right - Left));
    printAt(page, Left, y + 3 * RegisterRowHeight, fittedText(page, PaymentsLegend, Right - Left));
    if (!sheet.notices)
        printAt(page, Left, y + 4 * RegisterRowHeight, fittedText(page, SdiLegend, Right - Left));
}

} // namespace

int registerRowsPerPage(const Page& page)
{
    const double bottom = page.scaleHeight() - RegisterFootMargin - RegisterRowHeight;
    const int rows = static_cast<int>(std::floor((bottom - RegisterRowsTop) / RegisterRowHeight));
    // Even a short sheet takes the closing lines together with one invoice.
    return std::max(rows, RegisterClosingRows + 1);
}

int registerPageCount(const Page& page, int rows)
{
    const int perPage = registerRowsPerPage(page);
    const int full = rows / perPage;
    const int rest = rows % perPage;
    return rest + RegisterClosingRows <= perPage ? full + 1 : full + 2;
}

bool layoutRegister(Page& page, const archive::BookRegister& reg, std::span<const archive::SdiStatus> sdiStatuses,
                    const RegisterSheet& sheet, const std::function<bool(int rowsDone)>& step)
{
    const archive::AmountStyle style {sheet.decimalSeparator, true, true};
    const int perPage = registerRowsPerPage(page);
    const int pages = registerPageCount(page, reg.size());
    int row = 0;
    for (int pageNumber = 1; pageNumber <= pages; ++pageNumber) {
        if (pageNumber > 1)
            page.newPage();
        layoutTop(page, sheet, pageNumber, pages);
        page.setFontSize(RowFontSize);
        double y = RegisterRowsTop;
        for (int line = 0; line < perPage && row < reg.size(); ++line, ++row) {
            for (const PaperColumn& column : Columns) {
                std::string text;
                if (column.column == RegisterColumn::Note)
                    text = paperNote(reg.row(row));
                else if (column.column == RegisterColumn::State)
                    text = paperState(reg, row, sheet.today);
                else if (column.column == RegisterColumn::Sdi)
                    text = fittedText(page, sheet.notices ? noticeText(sdiStatuses, row) : paperSdi(sdiStatuses, row),
                                      SdiWidth);
                else
                    text = archive::registerCell(reg, row, column.column, {}, sheet.year, sheet.today, style);
                if (column.column == RegisterColumn::Client)
                    text = fittedText(page, std::move(text), ClientWidth);
                printCell(page, column, y, text);
            }
            y += RegisterRowHeight;
        }
        if (pageNumber == pages)
            layoutClosing(page, reg, sheet, y + 40);
        if (step && !step(row)) {
            page.abandon();
            return false;
        }
    }
    return true;
}

} // namespace tessaro::print
