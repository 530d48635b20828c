// A caption laid out as the classic dialogs laid it out: broken at blanks
// into as many lines as its width needs and stacked at the font's height,
// without the font's extra leading, so that two lines of the 8.25-point dialog
// font fit a control 375 twips high. Controls that draw their caption this way
// measure it the same way.
#pragma once

#include <QFont>
#include <QRectF>
#include <QStringList>

class QPainter;

namespace tessaro::ui {

class WrappedText {
public:
    // width: where lines break; 0 keeps each line of the text whole.
    WrappedText(const QString& text, const QFont& font, qreal width);

    // The widest line and the height of all lines. A word wider than the
    // width stays whole on its line, and so shows as too wide.
    QSizeF size() const { return m_size; }
    // Where the text lands within rect, aligned as asked.
    QRectF boundsIn(const QRectF& rect, Qt::Alignment alignment) const;
    // Draws with the painter's pen, each line aligned within the bounds.
    void draw(QPainter* painter, const QRectF& rect, Qt::Alignment alignment) const;

private:
    QFont m_font;
    QStringList m_lines;
    QList<qreal> m_widths;
    QSizeF m_size;
};

// The text a caption shows: "&" marks the mnemonic letter and "&&" stands for
// one "&".
QString withoutMnemonic(const QString& caption);

} // namespace tessaro::ui
