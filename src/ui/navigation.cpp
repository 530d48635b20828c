#include "ui/navigation.h"

#include <QKeyEvent>
#include <QWidget>

#include <cstring>

namespace tessaro::ui {

namespace {

constexpr NavigationRule Rules[] = {
    {"txtnum", {"txtgio"}, {"txttot"}},
    {"txtgio", {"txtmese"}, {"txtnum"}},
    {"txtmese", {"txtanno"}, {"txtgio"}},
    {"txtanno", {"txtiva"}, {"txtmese"}},
    {"txtiva", {"txtcn", "cmbtit"}, {"txtanno"}},
    {"txtcn", {"txtra", "txtspe"}, {"txtiva"}},
    {"txtra", {"txtspe"}, {"txtcn"}},
    {"txtspe", {"txtspe2"}, {"txtra", "txtcn"}},
    {"txtspe2", {"cmbtit"}, {"txtspe"}},
    {"txtc1", {"txtc2"}, {"cmbtit"}},
    {"txtc2", {"txtc3"}, {"txtc1"}},
    {"txtc3", {"txtc4"}, {"txtc2"}},
    {"txtc4", {"txtc6"}, {"txtc3"}},
    {"txtc6", {"txtc5"}, {"txtc4"}},
    {"txtc5", {"txtc7"}, {"txtc6"}},
    {"txtc7", {"txtc8"}, {"txtc5"}},
    {"txtc8", {"txtv1"}, {"txtc7"}},
    {"txtv1", {"txtimp1"}, {}, true},
    {"txtv2", {"txtimp2"}, {}, true},
    {"txtv3", {"txtimp3"}, {}, true},
    {"txtimp1", {"txtq1", "txtv2"}, {"txtv1"}},
    {"txtq1", {"txtv2"}, {"txtimp1"}},
    {"txtimp2", {"txtq2", "txtv3"}, {"txtv2"}},
    {"txtq2", {"txtv3"}, {"txtimp2"}},
    // Without quantities (professional services) the next thing to fill in is the total.
    {"txtimp3", {"txtq3", "txttot"}, {"txtv3"}},
    {"txtq3", {"txtcn", "txttot"}, {"txtimp3"}},
    {"txttot", {"txtnum"}, {"txtra", "txtq3"}},
};

QWidget* enabledChild(const QWidget* window, const char* name)
{
    if (!name)
        return nullptr;
    QWidget* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    return widget && widget->isEnabled() ? widget : nullptr;
}

} // namespace

std::span<const NavigationRule> mainWindowNavigation()
{
    return Rules;
}

QWidget* resolveTarget(const QWidget* window, const NavigationTarget& target)
{
    if (QWidget* widget = enabledChild(window, target.field))
        return widget;
    return enabledChild(window, target.fallback);
}

NavigationFilter::NavigationFilter(QWidget* window, std::span<const NavigationRule> rules)
    : QObject(window), m_window(window), m_rules(rules)
{
}

void NavigationFilter::install()
{
    for (const NavigationRule& rule : m_rules) {
        if (QWidget* field = m_window->findChild<QWidget*>(QString::fromLatin1(rule.field)))
            field->installEventFilter(this);
    }
}

const NavigationRule* NavigationFilter::ruleFor(const QObject* field) const
{
    const QByteArray name = field->objectName().toLatin1();
    for (const NavigationRule& rule : m_rules) {
        if (name == rule.field)
            return &rule;
    }
    return nullptr;
}

bool NavigationFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const NavigationRule* rule = ruleFor(watched);
    if (!rule)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const NavigationTarget* target = nullptr;
    if (enter) {
        if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
            return false;
        target = &rule->down;
    } else if (key->key() == Qt::Key_Down && !rule->enterOnly) {
        target = &rule->down;
    } else if (key->key() == Qt::Key_Up && !rule->enterOnly) {
        target = &rule->up;
    } else {
        return false;
    }
    // The key is spent even when there is nowhere to go, so Enter never
    // reaches the field.
    if (QWidget* widget = resolveTarget(m_window, *target))
        widget->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace tessaro::ui
