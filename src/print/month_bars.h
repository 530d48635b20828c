// The taxable amount of each month of a year as bars, with the year's total
// above them: a layout on the page surface, drawn in the register window
// (and printable like any other page).
#pragma once

#include "print/page.h"

#include <array>
#include <string>

namespace tessaro::print {

inline constexpr std::array<const char*, 12> MonthAbbreviations
    = {"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"};

struct BarsArea {
    double left = 0, top = 0, width = 0, height = 0; // twips
};

// monthLabels: the amount written above each bar; caption: the line above
// the bars (the year's total). A month below 0 draws no bar but keeps its label.
void layoutMonthBars(Page& page, const BarsArea& area, const std::array<double, 12>& months,
                     const std::array<std::string, 12>& monthLabels, const std::string& caption);

} // namespace tessaro::print
