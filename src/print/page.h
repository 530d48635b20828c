// The page surface the printed invoice is drawn on: a font, a print position
// and a pen, in twips from the top-left corner of the printable area. The
// position rules live here once; back ends only measure and draw.
#pragma once

#include <string>
#include <string_view>

namespace tessaro::print {

struct Font {
    std::string name;
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
};

class Page {
public:
    virtual ~Page() = default;

    void setFontName(std::string name) { m_font.name = std::move(name); }
    void setFontSize(double points) { m_font.size = points; }
    void setFontBold(bool on) { m_font.bold = on; }
    void setFontItalic(bool on) { m_font.italic = on; }
    void setFontUnderline(bool on) { m_font.underline = on; }
    const Font& font() const { return m_font; }

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double xTwips) { m_x = xTwips; }
    void setCurrentY(double yTwips) { m_y = yTwips; }

    // Pen width in dots of a 600-dpi printer (one unit = 2.4 twips).
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int dots) { m_drawWidth = dots; }

    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    // Width of a UTF-8 text in the current font.
    virtual double textWidth(std::string_view text) const = 0;
    // How far a line end moves the position down in the current font.
    virtual double lineHeight() const = 0;

    // Prints at the position with the text's top edge at currentY; the
    // position moves to the right end of the text.
    void print(std::string_view text);
    // Prints like print(), then ends the line: x = 0, y grows by the line height.
    void printLine(std::string_view text);

    // A segment from (x1, y1) to (x2, y2); the position moves to its end.
    void line(double x1, double y1, double x2, double y2);
    // A segment continuing from the end of the previous segment.
    void lineTo(double x2, double y2);

    // A rectangle filled in a shade of grey (0 black, 100 white); the pen
    // and the position are left alone.
    void fillRectangle(double left, double top, double right, double bottom, int greyPercent)
    {
        drawFilledRectangle(left, top, right, bottom, greyPercent);
    }

    // Starts a new page; the position goes back to the top-left corner.
    void newPage();
    // Ends the document and sends it; false when the back end refused it.
    bool endDoc() { return finishDocument(); }
    // Gives the document up: nothing of it is sent, and a back end that
    // cannot take back what it wrote says so through its outcome.
    void abandon()
    {
        m_abandoned = true;
        abandonDocument();
    }
    bool abandoned() const { return m_abandoned; }

protected:
    virtual void drawText(double xTwips, double yTwips, std::string_view text) = 0;
    virtual void drawSegment(double x1, double y1, double x2, double y2) = 0;
    virtual void drawFilledRectangle(double left, double top, double right, double bottom, int greyPercent) = 0;
    virtual void abandonDocument() { }
    virtual void startNewPage() = 0;
    virtual bool finishDocument() = 0;

private:
    Font m_font {"Times New Roman", 10};
    double m_x = 0;
    double m_y = 0;
    int m_drawWidth = 1;
    double m_lastX = 0;
    double m_lastY = 0;
    bool m_abandoned = false;
};

// The four edges of a rectangle as one path from its top-left corner:
// top, right, bottom, left.
void rectangle(Page& page, double left, double top, double right, double bottom);

// The placement rules of every printed text; y is the text's top edge. Each
// prints staying on the line.
void printAt(Page& page, double x, double y, const std::string& text);
void printCentred(Page& page, double centre, double y, const std::string& text);
void printRightAligned(Page& page, double right, double y, const std::string& text);

} // namespace tessaro::print
