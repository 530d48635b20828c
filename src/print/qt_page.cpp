#include "print/qt_page.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPrinter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tessaro::print {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtPage::QtPage(QPrinter& printer) : m_printer(printer) { }

QtPage::~QtPage()
{
    if (m_painter.isActive())
        m_painter.end();
}

double QtPage::twipsPerDot() const
{
    return 1440.0 / m_printer.resolution();
}

double QtPage::scaleWidth() const
{
    return m_printer.width() * twipsPerDot();
}

double QtPage::scaleHeight() const
{
    return m_printer.height() * twipsPerDot();
}

QFont QtPage::qFont() const
{
    QFont qfont(toQString(font().name));
    // A pixel size, because under the twip transform a point size would be
    // resolved at the device's resolution and then scaled a second time.
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font().size * 20))));
    qfont.setBold(font().bold);
    qfont.setItalic(font().italic);
    qfont.setUnderline(font().underline);
    // Widths must be the plain advance widths the layout was made for.
    qfont.setKerning(false);
    return qfont;
}

double QtPage::textWidth(std::string_view text) const
{
    return QFontMetricsF(qFont(), &m_printer).horizontalAdvance(toQString(text));
}

double QtPage::lineHeight() const
{
    return QFontMetricsF(qFont(), &m_printer).height();
}

bool QtPage::ensureOpen()
{
    if (m_failed)
        return false;
    if (!m_opened) {
        m_opened = true;
        if (!m_painter.begin(&m_printer)) {
            m_failed = true;
            return false;
        }
        const double scale = m_printer.resolution() / 1440.0;
        m_painter.setWorldTransform(QTransform::fromScale(scale, scale));
    }
    if (m_pageBreakPending) {
        // Held back until something is drawn on the new page, so that the page
        // break after the last invoice of a book leaves no empty sheet.
        m_pageBreakPending = false;
        if (!m_printer.newPage()) {
            m_failed = true;
            return false;
        }
    }
    return true;
}

void QtPage::drawText(double xTwips, double yTwips, std::string_view text)
{
    if (!ensureOpen())
        return;
    const QFont qfont = qFont();
    m_painter.setFont(qfont);
    m_painter.setPen(QPen(Qt::black));
    // The painter places a text by its baseline; the layout by its top edge.
    const double ascent = QFontMetricsF(qfont, &m_printer).ascent();
    m_painter.drawText(QPointF(xTwips, yTwips + ascent), toQString(text));
}

void QtPage::drawSegment(double x1, double y1, double x2, double y2)
{
    if (!ensureOpen())
        return;
    m_painter.setPen(QPen(Qt::black, drawWidth() * TwipsPerPenDot, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPage::startNewPage()
{
    if (m_opened)
        m_pageBreakPending = true;
}

bool QtPage::finishDocument()
{
    if (!m_opened)
        return true;
    if (!m_painter.isActive())
        return false;
    const bool ended = m_painter.end();
    return ended && !m_failed && m_printer.printerState() != QPrinter::Error;
}

} // namespace tessaro::print
