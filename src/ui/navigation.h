// Moving between the fields of the invoice window with Enter, Down and Up.
// The table is data; the filter applies it to the keys of each field.
#pragma once

#include <QObject>

#include <span>

class QWidget;

namespace tessaro::ui {

// Where a key goes: field when it is enabled, otherwise fallback (when given
// and enabled); with neither the key does nothing. Both are tested when the
// key is pressed, since the invoice type enables and disables fields.
struct NavigationTarget {
    const char* field = nullptr;
    const char* fallback = nullptr;
};

struct NavigationRule {
    const char* field;
    NavigationTarget down; // Enter and Down arrow
    NavigationTarget up; // Up arrow
    // Multi-line fields: only Enter moves, the arrows move inside the text.
    bool enterOnly = false;
};

std::span<const NavigationRule> mainWindowNavigation();

// The enabled widget a target names among window's children, or nullptr.
QWidget* resolveTarget(const QWidget* window, const NavigationTarget& target);

// Applies a navigation table to the children of a window. Enter with Shift
// or Ctrl is left to the field, so a multi-line field can break a line.
class NavigationFilter : public QObject {
public:
    NavigationFilter(QWidget* window, std::span<const NavigationRule> rules);

    // Installs the filter on every field the table names.
    void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const NavigationRule* ruleFor(const QObject* field) const;

    QWidget* m_window;
    std::span<const NavigationRule> m_rules;
};

} // namespace tessaro::ui
