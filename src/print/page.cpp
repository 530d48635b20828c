#include "print/page.h"

namespace tessaro::print {

void Page::print(std::string_view text)
{
    drawText(m_x, m_y, text);
    m_x += textWidth(text);
}

void Page::printLine(std::string_view text)
{
    drawText(m_x, m_y, text);
    m_x = 0;
    m_y += lineHeight();
}

void Page::line(double x1, double y1, double x2, double y2)
{
    drawSegment(x1, y1, x2, y2);
    m_lastX = m_x = x2;
    m_lastY = m_y = y2;
}

void Page::lineTo(double x2, double y2)
{
    line(m_lastX, m_lastY, x2, y2);
}

void Page::newPage()
{
    startNewPage();
    m_x = 0;
    m_y = 0;
}

void rectangle(Page& page, double left, double top, double right, double bottom)
{
    page.line(left, top, right, top);
    page.lineTo(right, bottom);
    page.lineTo(left, bottom);
    page.lineTo(left, top);
}

void printAt(Page& page, double x, double y, const std::string& text)
{
    page.setCurrentX(x);
    page.setCurrentY(y);
    page.print(text);
}

void printCentred(Page& page, double centre, double y, const std::string& text)
{
    printAt(page, centre - page.textWidth(text) / 2, y, text);
}

void printRightAligned(Page& page, double right, double y, const std::string& text)
{
    printAt(page, right - page.textWidth(text), y, text);
}

} // namespace tessaro::print
