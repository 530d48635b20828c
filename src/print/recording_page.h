// A page that draws nothing and remembers everything: every text with its
// position and font, every segment with its pen, every page break. Text
// widths are a fixed share of the font size per character, so a layout's
// coordinates can be worked out by hand in a test.
#pragma once

#include "calc/text.h"

#include "print/page.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::print {

class RecordingPage : public Page {
public:
    struct Text {
        double x = 0;
        double y = 0;
        std::string text;
        Font font;
        int pageIndex = 0;
    };
    struct Segment {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int drawWidth = 1;
        int pageIndex = 0;
    };

    struct Fill {
        double left = 0, top = 0, right = 0, bottom = 0;
        int greyPercent = 0;
        int pageIndex = 0;
    };

    explicit RecordingPage(double scaleWidthTwips = 11000, double scaleHeightTwips = 16000);

    double scaleWidth() const override { return m_scaleWidth; }
    double scaleHeight() const override { return m_scaleHeight; }
    // Per character: size x 10 twips, size x 11 in bold.
    double textWidth(std::string_view text) const override;
    // size x 25 twips (300 at 12 points).
    double lineHeight() const override;

    static double charWidth(double points, bool bold) { return points * (bold ? 11 : 10); }

    const std::vector<Text>& texts() const { return m_texts; }
    const std::vector<Segment>& segments() const { return m_segments; }
    const std::vector<Fill>& fills() const { return m_fills; }
    int pageCount() const
    {
        return m_pageBreaks + (m_ended || !m_texts.empty() || !m_segments.empty() || !m_fills.empty() ? 1 : 0);
    }
    int pageBreaks() const { return m_pageBreaks; }
    bool ended() const { return m_ended; }
    // The first text equal to s (on page pageIndex when given), if any.
    std::optional<Text> find(std::string_view s, int pageIndex = -1) const;
    // Every text on one page, in drawing order.
    std::vector<std::string> textsOf(int pageIndex) const;
    // Makes endDoc report a refused document.
    void refuseDocument() { m_refuse = true; }

protected:
    void drawText(double xTwips, double yTwips, std::string_view text) override;
    void drawSegment(double x1, double y1, double x2, double y2) override;
    void drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent) override;
    void startNewPage() override { ++m_pageBreaks; }
    bool finishDocument() override;

private:
    double m_scaleWidth;
    double m_scaleHeight;
    std::vector<Text> m_texts;
    std::vector<Segment> m_segments;
    std::vector<Fill> m_fills;
    int m_pageBreaks = 0;
    bool m_ended = false;
    bool m_refuse = false;
};

// Number of characters (not bytes) of a UTF-8 text.
using calc::characterCount;

} // namespace tessaro::print
