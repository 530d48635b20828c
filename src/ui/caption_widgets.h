// The captions of the control tables, drawn with WrappedText so that they
// wrap the way the classic dialogs wrapped them: labels taller than one line,
// check boxes and buttons wherever their caption needs a second line. Qt's
// own check box and button never wrap, and Qt stacks lines with the font's
// leading, which two lines of the dialog font cannot spare in 375 twips.
#pragma once

#include "ui/wrapped_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace tessaro::ui {

// A control that draws its own caption: the room it gives the caption, and
// where the caption lands, in the control's coordinates.
class CaptionOwner {
public:
    virtual ~CaptionOwner() = default;
    virtual QRect captionRoom() const = 0;
    virtual QRectF captionBounds() const = 0;
};

// A plain caption; it wraps when wordWrap() is set.
class CaptionLabel : public QLabel, public CaptionOwner {
public:
    using QLabel::QLabel;
    QRect captionRoom() const override;
    QRectF captionBounds() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WrappedText caption() const;
};

// A check box whose caption wraps beside the box; a click anywhere on the
// control, caption included, toggles it.
class CaptionCheckBox : public QCheckBox, public CaptionOwner {
public:
    using QCheckBox::QCheckBox;
    QRect captionRoom() const override;
    QRectF captionBounds() const override;

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    WrappedText caption() const;
};

// A push button whose caption is centred and wraps within the button.
class CaptionButton : public QPushButton, public CaptionOwner {
public:
    using QPushButton::QPushButton;
    QRect captionRoom() const override;
    QRectF captionBounds() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WrappedText caption() const;
};

} // namespace tessaro::ui
