// The page on a QPainter: one unit of the painter is one twip from the
// top-left corner of the printable area, fonts are sized in twips and
// measured on the device drawn on, unkerned. PainterPage holds the drawing
// shared by every device; QtPage is the printer's (or a PDF's) page, and
// ScreenPage draws a layout inside a window.
#pragma once

#include "print/page.h"

#include <QFont>
#include <QPainter>

#include <vector>

class QPaintDevice;
class QPrinter;

namespace tessaro::print {

// One unit of DrawWidth: a dot of a 600-dpi printer, whatever the device.
inline constexpr double TwipsPerPenDot = 1440.0 / 600.0;

// The QFont a page font resolves to where one painter unit is one twip.
QFont qtFontOf(const Font& font);

class PainterPage : public Page {
public:
    double textWidth(std::string_view text) const override;
    double lineHeight() const override;

    // The QFont the current font resolves to on this page.
    QFont qFont() const { return qtFontOf(font()); }

protected:
    explicit PainterPage(QPaintDevice& metricsDevice) : m_metricsDevice(metricsDevice) { }

    // The painter to draw on now, in twips; nullptr when nothing can be drawn.
    virtual QPainter* painterForDrawing() = 0;

    void drawText(double xTwips, double yTwips, std::string_view text) override;
    void drawSegment(double x1, double y1, double x2, double y2) override;
    void drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent) override;

    void paintText(QPainter& painter, double xTwips, double yTwips, std::string_view text, const Font& font) const;
    static void paintSegment(QPainter& painter, double x1, double y1, double x2, double y2, int drawWidth);
    static void paintFill(QPainter& painter, double left, double top, double right, double bottom, int greyPercent);

private:
    QPaintDevice& m_metricsDevice;
};

class QtPage : public PainterPage {
public:
    // AsDrawn hands every page to the printer as it is drawn; WhenComplete
    // keeps the drawing until endDoc, so a document abandoned half way never
    // reaches a printer that cannot take a job back.
    enum class Delivery { AsDrawn, WhenComplete };

    explicit QtPage(QPrinter& printer, Delivery delivery = Delivery::AsDrawn);
    ~QtPage() override;
    QtPage(const QtPage&) = delete;
    QtPage& operator=(const QtPage&) = delete;

    double scaleWidth() const override;
    double scaleHeight() const override;

    // Whether anything was drawn, i.e. the document was opened.
    bool opened() const { return m_opened || !m_held.empty(); }
    bool failed() const { return m_failed; }

protected:
    QPainter* painterForDrawing() override;
    void drawText(double xTwips, double yTwips, std::string_view text) override;
    void drawSegment(double x1, double y1, double x2, double y2) override;
    void drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent) override;
    void startNewPage() override;
    bool finishDocument() override;
    void abandonDocument() override;

private:
    struct HeldDrawing {
        enum class Kind { Text, Segment, Fill, PageBreak } kind;
        double a = 0, b = 0, c = 0, d = 0;
        int width = 0; // pen dots, or grey percent
        std::string text;
        Font font;
    };

    bool holding() const { return m_delivery == Delivery::WhenComplete; }
    double twipsPerDot() const;
    bool deliverHeld();

    QPrinter& m_printer;
    QPainter m_painter;
    Delivery m_delivery;
    std::vector<HeldDrawing> m_held;
    bool m_opened = false;
    bool m_failed = false;
    bool m_pageBreakPending = false;
};

// A layout drawn into a window: the painter is open on the widget, and
// pixelsPerTwip is the window's one conversion of twips to pixels.
class ScreenPage : public PainterPage {
public:
    ScreenPage(QPainter& painter, double pixelsPerTwip, double widthTwips, double heightTwips);

    double scaleWidth() const override { return m_widthTwips; }
    double scaleHeight() const override { return m_heightTwips; }

protected:
    QPainter* painterForDrawing() override { return &m_painter; }
    void startNewPage() override { }
    bool finishDocument() override { return true; }

private:
    QPainter& m_painter;
    double m_widthTwips;
    double m_heightTwips;
};

} // namespace tessaro::print
