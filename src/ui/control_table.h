// A window's controls described as data: one row per control with its
// objectName, kind, caption, position in twips, tab order, maximum length,
// character filter and help text. buildControls() turns a table into widgets.
#pragma once

#include "ui/filters.h"

#include <span>

class QWidget;

namespace tessaro::ui {

enum class ControlKind {
    Label, // plain caption
    DisplayLabel, // bordered read-only label ("etc" controls)
    LineEdit,
    MultiLineEdit,
    ComboBox, // free text plus a list
    DropDownList, // list without typing
    PushButton,
    CheckBox,
    RadioButton, // placed inside the frame named by parent
    Frame, // group box with a caption
    HLine, // separator: left, top, width (height ignored)
    VLine, // separator: left, top, height (width ignored)
};

struct ControlSpec {
    const char* name; // objectName; may be empty for captions
    ControlKind kind;
    const char* caption;
    int left, top, width, height; // twips, within the parent
    int tabOrder = -1; // -1: not a tab stop
    int maxLength = 0; // 0: no limit
    Filter filter = Filter::None;
    const char* helpText = "";
    const char* parent = ""; // objectName of the frame holding it
    double pointSize = 0; // 0: the dialog font
    bool bold = false;
    // Name a screen reader announces; empty: buttons, check boxes, option
    // buttons and frames are named by their caption, other controls stay unnamed.
    const char* accessibleName = "";
};

// The row with its accessible name set, so positional rows need not spell
// out every member before it.
constexpr ControlSpec named(ControlSpec spec, const char* accessibleName)
{
    spec.accessibleName = accessibleName;
    return spec;
}

// Creates every control as a child of window (or of its frame), in table
// order, sets the tab order of the tab stops and installs the filters.
// Filters that depend on the currency flag ask flagProvider. Every control
// gets its accessible name and, where it has help text, its accessible
// description.
void buildControls(QWidget* window, std::span<const ControlSpec> table, CurrencyFlagProvider flagProvider = {});

} // namespace tessaro::ui
