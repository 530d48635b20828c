#include "print/report_page.h"

#include "print/invoice_page.h"
#include "print/money_text.h"

#include <algorithm>
#include <cmath>

namespace tessaro::print {

namespace {

constexpr double Left = 800;
constexpr double Right = 10500;
constexpr double RowsTop = 2130;
constexpr double RowHeight = 230;
constexpr double FootMargin = 600;
constexpr double FontSize = 7.5;

std::string issuerDetails(const archive::PartyRecord& issuer)
{
    const IssuerLines lines = issuerLines(issuer);
    std::string details;
    for (const std::string& part : {lines.address, lines.town}) {
        if (!trimBlanks(part).empty())
            details += (details.empty() ? "" : " - ") + part;
    }
    if (!trimBlanks(issuer.taxCode).empty())
        details += (details.empty() ? "" : " - ") + lines.taxCode;
    if (!trimBlanks(issuer.vatNumber).empty())
        details += (details.empty() ? "" : " - ") + lines.vatNumber;
    return details;
}

void printCells(Page& page, const Report& report, const std::vector<std::string>& cells, double y)
{
    for (std::size_t i = 0; i < report.columns.size() && i < cells.size(); ++i) {
        const ReportColumn& column = report.columns[i];
        if (cells[i].empty())
            continue;
        const std::string text = fittedText(page, cells[i], column.fitWidth);
        if (column.rightAligned)
            printRightAligned(page, column.x, y, text);
        else
            printAt(page, column.x, y, text);
    }
}

// The sums of a year are longer than any row's: the totals line gets a
// smaller type until each sum keeps clear of the amount to its left.
void fitTotals(Page& page, const Report& report)
{
    constexpr double Gap = 60;
    constexpr double SmallestSize = 5;
    const auto fits = [&] {
        for (std::size_t i = 1; i < report.columns.size() && i < report.totals.size(); ++i) {
            const ReportColumn& column = report.columns[i];
            const ReportColumn& before = report.columns[i - 1];
            if (column.rightAligned && before.rightAligned
                && page.textWidth(report.totals[i]) > column.x - before.x - Gap)
                return false;
        }
        return true;
    };
    for (double size = FontSize; size > SmallestSize && !fits(); size -= 0.5)
        page.setFontSize(size - 0.5);
}

int closingRows(const Report& report)
{
    return (report.totals.empty() ? 0 : 1) + static_cast<int>(report.closingLines.size());
}

} // namespace

void layoutSheetTop(Page& page, const std::string& title, const std::string& year, const archive::PartyRecord& issuer)
{
    page.setFontName(Typeface);
    page.setFontSize(14);
    page.setFontBold(true);
    printAt(page, Left, 800, title);
    printRightAligned(page, Right, 800, "Anno " + year);
    page.setFontSize(10);
    printAt(page, Left, 1200, trimBlanks(issuerLines(issuer).name));
    page.setFontBold(false);
    page.setFontSize(9);
    printAt(page, Left, 1450, issuerDetails(issuer));
}

std::string fittedText(const Page& page, std::string text, double width)
{
    if (width <= 0 || page.textWidth(text) <= width)
        return text;
    while (!text.empty()) {
        std::size_t cut = text.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
        if (page.textWidth(text + "...") <= width)
            break;
    }
    return text + "...";
}

int reportRowsPerPage(const Page& page)
{
    const double bottom = page.scaleHeight() - FootMargin - RowHeight;
    return std::max(static_cast<int>(std::floor((bottom - RowsTop) / RowHeight)), 2);
}

int reportPageCount(const Page& page, const Report& report)
{
    const int perPage = reportRowsPerPage(page);
    const int rows = static_cast<int>(report.rows.size());
    const int closing = std::min(closingRows(report), perPage - 1);
    const int full = rows / perPage;
    const int rest = rows % perPage;
    return rest + closing <= perPage ? full + 1 : full + 2;
}

bool layoutReport(Page& page, const Report& report, const std::function<bool(int rowsDone)>& step)
{
    const int perPage = reportRowsPerPage(page);
    const int pages = reportPageCount(page, report);
    const int rows = static_cast<int>(report.rows.size());
    int row = 0;
    for (int pageNumber = 1; pageNumber <= pages; ++pageNumber) {
        if (pageNumber > 1)
            page.newPage();
        layoutSheetTop(page, report.title, report.year, report.issuer);
        page.setFontSize(FontSize);
        page.setFontBold(true);
        std::vector<std::string> headings;
        for (const ReportColumn& column : report.columns)
            headings.push_back(column.heading);
        printCells(page, report, headings, 1800);
        page.setDrawWidth(3);
        page.line(Left, 2050, Right, 2050);
        page.setDrawWidth(1);
        page.setFontBold(false);
        printCentred(page, (Left + Right) / 2, page.scaleHeight() - FootMargin,
                     "Pagina " + std::to_string(pageNumber) + " di " + std::to_string(pages));

        double y = RowsTop;
        for (int line = 0; line < perPage && row < rows; ++line, ++row) {
            printCells(page, report, report.rows[static_cast<std::size_t>(row)], y);
            y += RowHeight;
        }
        if (pageNumber == pages) {
            y += 40;
            if (!report.totals.empty()) {
                page.setDrawWidth(3);
                page.line(Left, y, Right, y);
                page.setDrawWidth(1);
                y += 60;
                page.setFontBold(true);
                fitTotals(page, report);
                printCells(page, report, report.totals, y);
                page.setFontSize(FontSize);
                page.setFontBold(false);
                y += RowHeight;
            }
            for (const std::string& note : report.closingLines) {
                printAt(page, Left, y, fittedText(page, note, Right - Left));
                y += RowHeight;
            }
        }
        if (step && !step(row)) {
            page.abandon();
            return false;
        }
    }
    return true;
}

} // namespace tessaro::print
