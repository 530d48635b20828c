// The page on a QPrinter: one unit of the painter is one twip from the
// top-left corner of the printable area, fonts are sized in twips and
// measured on the printer itself, unkerned.
#pragma once

#include "print/page.h"

#include <QFont>
#include <QPainter>

class QPrinter;

namespace tessaro::print {

// One unit of DrawWidth: a dot of a 600-dpi printer, whatever the device.
inline constexpr double TwipsPerPenDot = 1440.0 / 600.0;

class QtPage : public Page {
public:
    explicit QtPage(QPrinter& printer);
    ~QtPage() override;
    QtPage(const QtPage&) = delete;
    QtPage& operator=(const QtPage&) = delete;

    double scaleWidth() const override;
    double scaleHeight() const override;
    double textWidth(std::string_view text) const override;
    double lineHeight() const override;

    // The QFont the current font resolves to on this page.
    QFont qFont() const;
    // Whether anything was drawn, i.e. the document was opened.
    bool opened() const { return m_opened; }
    bool failed() const { return m_failed; }

protected:
    void drawText(double xTwips, double yTwips, std::string_view text) override;
    void drawSegment(double x1, double y1, double x2, double y2) override;
    void startNewPage() override;
    bool finishDocument() override;

private:
    bool ensureOpen();
    double twipsPerDot() const;

    QPrinter& m_printer;
    QPainter m_painter;
    bool m_opened = false;
    bool m_failed = false;
    bool m_pageBreakPending = false;
};

} // namespace tessaro::print
