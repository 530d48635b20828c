#include "print/month_bars.h"

#include "print/invoice_page.h"

#include <algorithm>
#include <cmath>

namespace tessaro::print {

namespace {

constexpr double CaptionHeight = 320; // the caption's line, above the tallest label
constexpr double LabelHeight = 200; // an amount above its bar
constexpr double MonthHeight = 240; // the month's name under the baseline
constexpr double BarShare = 0.6; // of each month's slot
constexpr int BarGrey = 45;

} // namespace

void layoutMonthBars(Page& page, const BarsArea& area, const std::array<double, 12>& months,
                     const std::array<std::string, 12>& monthLabels, const std::string& caption)
{
    page.setFontName(Typeface);
    page.setFontSize(10);
    page.setFontBold(true);
    printAt(page, area.left, area.top, caption);
    page.setFontBold(false);

    const double baseline = area.top + area.height - MonthHeight;
    const double tallest = std::max(0.0, baseline - (area.top + CaptionHeight + LabelHeight));
    double highest = 0;
    for (const double month : months) {
        if (std::isfinite(month))
            highest = std::max(highest, month);
    }
    const double slot = area.width / 12;
    const double barWidth = slot * BarShare;
    page.setDrawWidth(1);
    page.line(area.left, baseline, area.left + area.width, baseline);
    for (std::size_t m = 0; m < months.size(); ++m) {
        const double centre = area.left + slot * (static_cast<double>(m) + 0.5);
        const double value = std::isfinite(months[m]) ? months[m] : 0;
        const double height = highest > 0 && value > 0 ? tallest * value / highest : 0;
        if (height > 0)
            page.fillRectangle(centre - barWidth / 2, baseline - height, centre + barWidth / 2, baseline, BarGrey);
        page.setFontSize(7);
        printCentred(page, centre, baseline - height - LabelHeight, monthLabels[m]);
        page.setFontSize(8);
        printCentred(page, centre, baseline + 40, MonthAbbreviations[m]);
    }
}

} // namespace tessaro::print
