#include "ui/caption_widgets.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tessaro::ui {

namespace {

void setTextPen(QPainter* painter, const QWidget* widget, QPalette::ColorRole role)
{
    painter->setPen(widget->palette().color(widget->isEnabled() ? QPalette::Normal : QPalette::Disabled, role));
}

constexpr Qt::Alignment CheckBoxCaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

QRect CaptionLabel::captionRoom() const
{
    return contentsRect();
}

WrappedText CaptionLabel::caption() const
{
    return WrappedText(text(), font(), wordWrap() ? captionRoom().width() : 0);
}

QRectF CaptionLabel::captionBounds() const
{
    return caption().boundsIn(captionRoom(), alignment());
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    setTextPen(&painter, this, foregroundRole());
    caption().draw(&painter, captionRoom(), alignment());
}

QRect CaptionCheckBox::captionRoom() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

WrappedText CaptionCheckBox::caption() const
{
    return WrappedText(withoutMnemonic(text()), font(), captionRoom().width());
}

QRectF CaptionCheckBox::captionBounds() const
{
    return caption().boundsIn(captionRoom(), CheckBoxCaptionAlignment);
}

bool CaptionCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

void CaptionCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyleOptionButton box = option;
    box.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

    setTextPen(&painter, this, QPalette::WindowText);
    caption().draw(&painter, captionRoom(), CheckBoxCaptionAlignment);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = captionBounds().toAlignedRect().adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

QRect CaptionButton::captionRoom() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

WrappedText CaptionButton::caption() const
{
    return WrappedText(withoutMnemonic(text()), font(), captionRoom().width());
}

QRectF CaptionButton::captionBounds() const
{
    return caption().boundsIn(captionRoom(), Qt::AlignCenter);
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear(); // the style draws the bevel and the focus, the caption is drawn here
    painter.drawControl(QStyle::CE_PushButton, option);
    setTextPen(&painter, this, QPalette::ButtonText);
    caption().draw(&painter, captionRoom(), Qt::AlignCenter);
}

} // namespace tessaro::ui
