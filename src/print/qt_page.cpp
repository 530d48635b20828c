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

// Liberation's faces have the advance widths of the Windows faces the pages
// are laid out in: a machine without those (Linux, Wine) prints in the twin
// rather than in whatever face it would put in their place.
QStringList familiesOf(const QString& name)
{
    if (name == QLatin1String("Times New Roman"))
        return {name, QStringLiteral("Liberation Serif")};
    if (name == QLatin1String("Arial"))
        return {name, QStringLiteral("Liberation Sans")};
    return {name};
}

} // namespace

QFont qtFontOf(const Font& font)
{
    QFont qfont;
    qfont.setFamilies(familiesOf(toQString(font.name)));
    // A pixel size, because under the twip transform a point size would be
    // resolved at the device's resolution and then scaled a second time.
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 20))));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    // Widths must be the plain advance widths the layout was made for.
    qfont.setKerning(false);
    return qfont;
}

double PainterPage::textWidth(std::string_view text) const
{
    return QFontMetricsF(qFont(), &m_metricsDevice).horizontalAdvance(toQString(text));
}

double PainterPage::lineHeight() const
{
    return QFontMetricsF(qFont(), &m_metricsDevice).height();
}

void PainterPage::paintText(QPainter& painter, double xTwips, double yTwips, std::string_view text,
                            const Font& font) const
{
    const QFont qfont = qtFontOf(font);
    painter.setFont(qfont);
    painter.setPen(QPen(Qt::black));
    // The painter places a text by its baseline; the layout by its top edge.
    const double ascent = QFontMetricsF(qfont, &m_metricsDevice).ascent();
    painter.drawText(QPointF(xTwips, yTwips + ascent), toQString(text));
}

void PainterPage::paintSegment(QPainter& painter, double x1, double y1, double x2, double y2, int drawWidth)
{
    painter.setPen(QPen(Qt::black, drawWidth * TwipsPerPenDot, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPage::paintFill(QPainter& painter, double left, double top, double right, double bottom, int greyPercent)
{
    const int level = std::clamp(greyPercent, 0, 100) * 255 / 100;
    painter.fillRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized(), QColor(level, level, level));
}

void PainterPage::drawText(double xTwips, double yTwips, std::string_view text)
{
    if (QPainter* painter = painterForDrawing())
        paintText(*painter, xTwips, yTwips, text, font());
}

void PainterPage::drawSegment(double x1, double y1, double x2, double y2)
{
    if (QPainter* painter = painterForDrawing())
        paintSegment(*painter, x1, y1, x2, y2, drawWidth());
}

void PainterPage::drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent)
{
    if (QPainter* painter = painterForDrawing())
        paintFill(*painter, left, top, right, bottom, greyPercent);
}

QtPage::QtPage(QPrinter& printer, Delivery delivery)
    : PainterPage(printer), m_printer(printer), m_delivery(delivery) { }

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

QPainter* QtPage::painterForDrawing()
{
    if (m_failed || abandoned())
        return nullptr;
    if (!m_opened) {
        m_opened = true;
        if (!m_painter.begin(&m_printer)) {
            m_failed = true;
            return nullptr;
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
            return nullptr;
        }
    }
    return &m_painter;
}

void QtPage::drawText(double xTwips, double yTwips, std::string_view text)
{
    if (holding())
        m_held.push_back({HeldDrawing::Kind::Text, xTwips, yTwips, 0, 0, 0, std::string(text), font()});
    else
        PainterPage::drawText(xTwips, yTwips, text);
}

void QtPage::drawSegment(double x1, double y1, double x2, double y2)
{
    if (holding())
        m_held.push_back({HeldDrawing::Kind::Segment, x1, y1, x2, y2, drawWidth(), {}, {}});
    else
        PainterPage::drawSegment(x1, y1, x2, y2);
}

void QtPage::drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent)
{
    if (holding())
        m_held.push_back({HeldDrawing::Kind::Fill, left, top, right, bottom, greyPercent, {}, {}});
    else
        PainterPage::drawFilledRectangle(left, top, right, bottom, greyPercent);
}

void QtPage::startNewPage()
{
    if (holding()) {
        if (!m_held.empty())
            m_held.push_back({HeldDrawing::Kind::PageBreak, 0, 0, 0, 0, 0, {}, {}});
        return;
    }
    if (m_opened)
        m_pageBreakPending = true;
}

bool QtPage::deliverHeld()
{
    m_delivery = Delivery::AsDrawn;
    for (const HeldDrawing& held : m_held) {
        if (held.kind == HeldDrawing::Kind::PageBreak) {
            m_pageBreakPending = true;
            continue;
        }
        QPainter* painter = painterForDrawing();
        if (!painter)
            return false;
        switch (held.kind) {
        case HeldDrawing::Kind::Text:
            paintText(*painter, held.a, held.b, held.text, held.font);
            break;
        case HeldDrawing::Kind::Segment:
            paintSegment(*painter, held.a, held.b, held.c, held.d, held.width);
            break;
        case HeldDrawing::Kind::Fill:
            paintFill(*painter, held.a, held.b, held.c, held.d, held.width);
            break;
        case HeldDrawing::Kind::PageBreak:
            break;
        }
    }
    m_held.clear();
    return true;
}

bool QtPage::finishDocument()
{
    if (abandoned())
        return false;
    if (holding() && !deliverHeld())
        return false;
    if (!m_opened)
        return true;
    if (!m_painter.isActive())
        return false;
    const bool ended = m_painter.end();
    return ended && !m_failed && m_printer.printerState() != QPrinter::Error;
}

void QtPage::abandonDocument()
{
    m_held.clear();
    if (m_painter.isActive()) {
        // A PDF is closed and removed by its writer; a printer that can take
        // the job back does so here.
        m_printer.abort();
        if (m_painter.isActive())
            m_painter.end();
    }
}

ScreenPage::ScreenPage(QPainter& painter, double pixelsPerTwip, double widthTwips, double heightTwips)
    : PainterPage(*painter.device()), m_painter(painter), m_widthTwips(widthTwips), m_heightTwips(heightTwips)
{
    m_painter.setWorldTransform(QTransform::fromScale(pixelsPerTwip, pixelsPerTwip));
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

} // namespace tessaro::print
