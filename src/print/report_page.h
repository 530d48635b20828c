// The printed reports of the year beside the register (the payments of the
// year, the withholding per client, the flat-rate estimate): the same sheet
// as the register's, its title and year, the issuer, the column headings
// repeated on every page, one line per row, "Pagina n di m" at the foot, and
// the totals and the notes after the last row.
#pragma once

#include "archive/records.h"
#include "print/page.h"

#include <functional>
#include <string>
#include <vector>

namespace tessaro::print {

// The top of every page of a report and of the register: title, year, issuer.
void layoutSheetTop(Page& page, const std::string& title, const std::string& year, const archive::PartyRecord& issuer);

// The text cut, one character at a time, until it fits the width with "...";
// a width of 0 never cuts.
std::string fittedText(const Page& page, std::string text, double width);

struct ReportColumn {
    std::string heading;
    double x = 0; // left edge, or right edge when right-aligned (twips)
    bool rightAligned = false;
    double fitWidth = 0; // a longer text is cut with "..."; 0: never cut
};

struct Report {
    std::string title;
    std::string year;
    archive::PartyRecord issuer;
    std::vector<ReportColumn> columns;
    std::vector<std::vector<std::string>> rows; // one text per column
    std::vector<std::string> totals; // the bold line under the rows; empty: none
    std::vector<std::string> closingLines; // notes after the totals, one per line
};

int reportRowsPerPage(const Page& page);
int reportPageCount(const Page& page, const Report& report);

// Lays the report out; step is told after every page how many rows are laid
// out, and when it answers false the document is abandoned and false returned.
bool layoutReport(Page& page, const Report& report, const std::function<bool(int rowsDone)>& step = {});

} // namespace tessaro::print
