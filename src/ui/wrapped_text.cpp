#include "ui/wrapped_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace tessaro::ui {

WrappedText::WrappedText(const QString& text, const QFont& font, qreal width) : m_font(font)
{
    const QFontMetricsF metrics(font);
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (width > 0 && !line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                m_lines << line;
                line = word;
            } else {
                line = longer;
            }
        }
        m_lines << line;
    }
    qreal widest = 0;
    for (const QString& line : m_lines) {
        m_widths << metrics.horizontalAdvance(line);
        widest = std::max(widest, m_widths.back());
    }
    m_size = QSizeF(widest, m_lines.size() * metrics.height());
}

QRectF WrappedText::boundsIn(const QRectF& rect, Qt::Alignment alignment) const
{
    QRectF bounds(rect.topLeft(), m_size);
    if (alignment & Qt::AlignHCenter)
        bounds.moveLeft(rect.left() + (rect.width() - m_size.width()) / 2);
    else if (alignment & Qt::AlignRight)
        bounds.moveRight(rect.right());
    if (alignment & Qt::AlignVCenter)
        bounds.moveTop(rect.top() + (rect.height() - m_size.height()) / 2);
    else if (alignment & Qt::AlignBottom)
        bounds.moveBottom(rect.bottom());
    return bounds;
}

void WrappedText::draw(QPainter* painter, const QRectF& rect, Qt::Alignment alignment) const
{
    const QFontMetricsF metrics(m_font);
    const QRectF bounds = boundsIn(rect, alignment);
    painter->setFont(m_font);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        qreal left = bounds.left();
        if (alignment & Qt::AlignHCenter)
            left += (bounds.width() - m_widths[i]) / 2;
        else if (alignment & Qt::AlignRight)
            left += bounds.width() - m_widths[i];
        painter->drawText(QPointF(left, bounds.top() + i * metrics.height() + metrics.ascent()), m_lines[i]);
    }
}

QString withoutMnemonic(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == u'&')
            continue;
        plain += caption[i];
    }
    return plain;
}

} // namespace tessaro::ui
