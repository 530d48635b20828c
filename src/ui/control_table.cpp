#include "ui/control_table.h"

#include "ui/app_font.h"
#include "ui/caption_widgets.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDynamicPropertyChangeEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace tessaro::ui {

namespace {

const char* const DisplayLabelProperty = "displayLabel";

// A display label shows a value (an amount, an issuer line, the help line)
// under a name of its own. Named, a plain label would hide its value from a
// screen reader, so the value is offered as the description, read afresh on
// every query because labels announce no change of text.
class DisplayLabelAccessible : public QAccessibleWidget {
public:
    explicit DisplayLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) { }

    QString text(QAccessible::Text which) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        switch (which) {
        case QAccessible::Name:
            return label->accessibleName().isEmpty() ? label->text() : label->accessibleName();
        case QAccessible::Description: // unnamed, the text is already the name
            return label->accessibleName().isEmpty() ? QString() : label->text();
        case QAccessible::Value:
            return label->text();
        default:
            return QAccessibleWidget::text(which);
        }
    }
};

QAccessibleInterface* displayLabelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object && object->property(DisplayLabelProperty).toBool())
        return new DisplayLabelAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

// The maximum length limits typing only: a longer stored text (a city of 35
// characters in a field that takes 33) is shown whole instead of being cut,
// and the limit returns once the text is back within it.
const char* const TypingLimitProperty = "typingLimit";

void limitTyping(QLineEdit* edit, int limit)
{
    edit->setMaxLength(limit);
    edit->setProperty(TypingLimitProperty, limit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, limit](const QString& text) {
        if (edit->maxLength() > limit && text.size() <= limit)
            edit->setMaxLength(limit);
    });
}

void setStoredText(QLineEdit* edit, const QString& text)
{
    const QVariant limit = edit->property(TypingLimitProperty);
    if (limit.isValid())
        edit->setMaxLength(std::max(limit.toInt(), static_cast<int>(text.size())));
    edit->setText(text);
}

QWidget* createWidget(const ControlSpec& spec, QWidget* parent, const CurrencyFlagProvider& flagProvider)
{
    const QString caption = QString::fromUtf8(spec.caption);
    switch (spec.kind) {
    case ControlKind::Label:
        return new CaptionLabel(caption, parent);
    case ControlKind::DisplayLabel: {
        // Marked before it has a text, so the first accessible interface made
        // for it is already the display kind.
        auto* label = new QLabel(parent);
        label->setProperty(DisplayLabelProperty, true);
        label->setText(caption);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAutoFillBackground(true);
        return label;
    }
    case ControlKind::LineEdit: {
        auto* edit = new QLineEdit(parent);
        if (spec.maxLength > 0)
            limitTyping(edit, spec.maxLength);
        installFilter(edit, spec.filter, flagProvider);
        return edit;
    }
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(parent);
        edit->setTabChangesFocus(true);
        installFilter(edit, spec.filter, spec.maxLength, flagProvider);
        return edit;
    }
    case ControlKind::ComboBox:
    case ControlKind::DropDownList: {
        auto* combo = new QComboBox(parent);
        if (spec.kind == ControlKind::ComboBox) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            if (spec.maxLength > 0)
                limitTyping(combo->lineEdit(), spec.maxLength);
            installFilter(combo, spec.filter, flagProvider);
        }
        return combo;
    }
    case ControlKind::PushButton:
        return new CaptionButton(caption, parent);
    case ControlKind::CheckBox:
        return new CaptionCheckBox(caption, parent);
    case ControlKind::RadioButton:
        return new QRadioButton(caption, parent);
    case ControlKind::Frame:
        return new QGroupBox(caption, parent);
    case ControlKind::HLine:
    case ControlKind::VLine: {
        auto* line = new QFrame(parent);
        line->setFrameShape(spec.kind == ControlKind::HLine ? QFrame::HLine : QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    }
    return nullptr;
}

bool namedByCaption(ControlKind kind)
{
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton
        || kind == ControlKind::Frame;
}

// A field whose help text changes later (the amounts follow the invoice
// type) keeps its accessible description in step with it.
class DescriptionFollowsHelp : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DynamicPropertyChange
            && static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "helpText") {
            if (auto* widget = qobject_cast<QWidget*>(watched))
                widget->setAccessibleDescription(widget->property("helpText").toString());
        }
        return QObject::eventFilter(watched, event);
    }
};

void setAccessibleName(QWidget* widget, const ControlSpec& spec)
{
    QString name;
    if (spec.accessibleName && *spec.accessibleName)
        name = QString::fromUtf8(spec.accessibleName);
    else if (namedByCaption(spec.kind) && spec.caption && *spec.caption)
        name = withoutMnemonic(QString::fromUtf8(spec.caption));
    if (name.isEmpty())
        return;
    widget->setAccessibleName(name);
    // The text part of a combo box is a widget of its own that a screen
    // reader may reach; it answers to the same name.
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

QRect geometryOf(const ControlSpec& spec)
{
    // Separator lines are one pixel thick, centred on their coordinate.
    if (spec.kind == ControlKind::HLine) {
        QRect r = twipsRect(spec.left, spec.top, spec.width, 0);
        return QRect(r.left(), r.top() - 1, r.width(), 3);
    }
    if (spec.kind == ControlKind::VLine) {
        QRect r = twipsRect(spec.left, spec.top, 0, spec.height);
        return QRect(r.left() - 1, r.top(), 3, r.height());
    }
    return twipsRect(spec.left, spec.top, spec.width, spec.height);
}

QString textOf(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) {
        QString stored = plain->toPlainText();
        stored.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return stored;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        if (!combo->isEditable() && combo->currentData().isValid())
            return combo->currentData().toString();
        return combo->currentText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

} // namespace

namespace detail {

QWidget* boundWidget(const QWidget* window, const ControlSpec& spec)
{
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(spec.name));
    Q_ASSERT(widget);
    return widget;
}

void readText(const QWidget* widget, std::string& text)
{
    text = textOf(widget).toStdString();
}

void readState(const QWidget* widget, bool& state)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        state = button->isChecked();
}

void showText(QWidget* widget, const std::string& stored)
{
    const QString text = fromUtf8(stored);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) {
            setStoredText(edit, text);
            edit->setCursorPosition(0); // a long text shows its beginning
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (plain->toPlainText() != shown)
            plain->setPlainText(shown);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            if (combo->currentText() != text)
                setStoredText(combo->lineEdit(), text);
            return;
        }
        // A code no item has (a damaged record) is shown as it is.
        int index = combo->findData(text);
        if (index < 0) {
            combo->addItem(text, text);
            index = combo->count() - 1;
        }
        combo->setCurrentIndex(index);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    }
}

void showState(QWidget* widget, bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button)
        return;
    // A record may be neither on account nor a balance: exclusive option
    // buttons could not show that.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

void buildControls(QWidget* window, std::span<const ControlSpec* const> rows, CurrencyFlagProvider flagProvider)
{
    QAccessible::installFactory(displayLabelAccessible); // once; later calls are ignored
    // The window's own font, not only the application's: the sizes of the
    // controls hold for this font alone.
    window->setFont(dialogFont());
    std::vector<std::pair<int, QWidget*>> tabStops;
    QObject* descriptionFollower = nullptr;
    for (const ControlSpec* row : rows) {
        const ControlSpec& spec = *row;
        QWidget* parent = window;
        if (spec.parent && *spec.parent) {
            if (auto* frame = window->findChild<QWidget*>(QString::fromLatin1(spec.parent)))
                parent = frame;
        }
        QWidget* widget = createWidget(spec, parent, flagProvider);
        if (spec.name && *spec.name)
            widget->setObjectName(QString::fromLatin1(spec.name));
        widget->setGeometry(geometryOf(spec));
        if (spec.pointSize > 0 || spec.bold)
            widget->setFont(dialogFont(spec.pointSize, spec.bold));
        // A caption as tall as two lines of its font wraps.
        if (auto* label = dynamic_cast<CaptionLabel*>(widget))
            label->setWordWrap(widget->height() >= 2 * QFontMetricsF(widget->font()).height());
        setAccessibleName(widget, spec);
        if (spec.helpText && *spec.helpText) {
            if (!descriptionFollower)
                descriptionFollower = new DescriptionFollowsHelp(window);
            widget->installEventFilter(descriptionFollower);
        }
        widget->setProperty("helpText", QString::fromUtf8(spec.helpText));
        if (spec.tabOrder >= 0) {
            widget->setFocusPolicy(Qt::StrongFocus);
            tabStops.emplace_back(spec.tabOrder, widget);
        } else if (spec.kind == ControlKind::PushButton || spec.kind == ControlKind::LineEdit
                   || spec.kind == ControlKind::MultiLineEdit || spec.kind == ControlKind::ComboBox
                   || spec.kind == ControlKind::DropDownList || spec.kind == ControlKind::CheckBox
                   || spec.kind == ControlKind::RadioButton) {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
    }
    std::stable_sort(tabStops.begin(), tabStops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
}

} // namespace detail

} // namespace tessaro::ui
