#include "ui/month_bars_view.h"

#include "print/month_bars.h"
#include "print/qt_page.h"
#include "ui/twips.h"

#include <QPainter>

namespace tessaro::ui {

namespace {

constexpr double MarginTwips = 120;

} // namespace

MonthBarsView::MonthBarsView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void MonthBarsView::setBars(const std::array<double, 12>& months, const std::array<std::string, 12>& labels,
                            const std::string& caption)
{
    m_months = months;
    m_labels = labels;
    m_caption = caption;
    // What the bars show, for whoever cannot see them.
    QString description = QString::fromStdString(caption);
    for (std::size_t m = 0; m < months.size(); ++m) {
        description += (m == 0 ? QStringLiteral(". ") : QStringLiteral("; "))
            + QString::fromLatin1(print::MonthAbbreviations[m]) + QStringLiteral(": ")
            + (labels[m].empty() ? QStringLiteral("0") : QString::fromStdString(labels[m]));
    }
    setAccessibleDescription(description);
    update();
}

void MonthBarsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double pixelsPerTwip = screenDpi() / TwipsPerInch;
    const double width = this->width() / pixelsPerTwip;
    const double height = this->height() / pixelsPerTwip;
    print::ScreenPage page(painter, pixelsPerTwip, width, height);
    print::layoutMonthBars(page, {MarginTwips, MarginTwips, width - 2 * MarginTwips, height - 2 * MarginTwips},
                           m_months, m_labels, m_caption);
}

} // namespace tessaro::ui
