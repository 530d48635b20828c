#include "print/recording_page.h"

namespace tessaro::print {

RecordingPage::RecordingPage(double scaleWidthTwips, double scaleHeightTwips)
    : m_scaleWidth(scaleWidthTwips), m_scaleHeight(scaleHeightTwips)
{
}

double RecordingPage::textWidth(std::string_view text) const
{
    return static_cast<double>(calc::characterCount(text)) * charWidth(font().size, font().bold);
}

double RecordingPage::lineHeight() const
{
    return font().size * 25;
}

std::optional<RecordingPage::Text> RecordingPage::find(std::string_view s, int pageIndex) const
{
    for (const Text& t : m_texts) {
        if (t.text == s && (pageIndex < 0 || t.pageIndex == pageIndex))
            return t;
    }
    return std::nullopt;
}

std::vector<std::string> RecordingPage::textsOf(int pageIndex) const
{
    std::vector<std::string> result;
    for (const Text& t : m_texts) {
        if (t.pageIndex == pageIndex)
            result.push_back(t.text);
    }
    return result;
}

void RecordingPage::drawText(double xTwips, double yTwips, std::string_view text)
{
    m_texts.push_back({xTwips, yTwips, std::string(text), font(), m_pageBreaks});
}

void RecordingPage::drawSegment(double x1, double y1, double x2, double y2)
{
    m_segments.push_back({x1, y1, x2, y2, drawWidth(), m_pageBreaks});
}

void RecordingPage::drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent)
{
    m_fills.push_back({left, top, right, bottom, greyPercent, m_pageBreaks});
}

bool RecordingPage::finishDocument()
{
    m_ended = true;
    return !m_refuse;
}

} // namespace tessaro::print
