// A window's controls described as data: one row per control with its
// objectName, kind, caption, position in twips, tab order, maximum length,
// character filter and help text. buildControls() turns a table into widgets.
#pragma once

#include "archive/fields.h"
#include "ui/command.h"
#include "ui/filters.h"

#include <span>
#include <string>

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

// Where a control's value lives in the plain data its window edits: a text
// (line edits, combo boxes, display labels) or a state (check boxes and
// option buttons). Made only by boundText() and boundState() for one type of
// data, whose tag readControls() and showControls() check, so the erased
// pointer never meets data of another type.
struct Binding {
    std::string* (*text)(void* data) = nullptr;
    bool* (*state)(void* data) = nullptr;
    const void* dataType = nullptr;
    bool shownOnly = false; // derived from other data: shown, never read back

    constexpr bool bound() const { return text || state; }
};

namespace detail {
template <typename Data> inline constexpr char DataTypeTag = 0;
template <typename Data, auto Access> std::string* erasedText(void* data)
{
    return &Access(*static_cast<Data*>(data));
}
template <typename Data, auto Access> bool* erasedState(void* data)
{
    return &Access(*static_cast<Data*>(data));
}
} // namespace detail

// Access: a function (a captureless lambda) from Data& to the member.
template <typename Data, auto Access> constexpr Binding boundText()
{
    return {&detail::erasedText<Data, Access>, nullptr, &detail::DataTypeTag<Data>};
}
template <typename Data, auto Access> constexpr Binding shownText()
{
    Binding binding = boundText<Data, Access>();
    binding.shownOnly = true;
    return binding;
}
template <typename Data, auto Access> constexpr Binding boundState()
{
    return {nullptr, &detail::erasedState<Data, Access>, &detail::DataTypeTag<Data>};
}

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
    Binding binding {}; // where its value lives; unbound controls are not copied
    Command command = Command::None; // the main window's command a button runs
};

// The row with its accessible name set, so positional rows need not spell
// out every member before it.
constexpr ControlSpec named(ControlSpec spec, const char* accessibleName)
{
    spec.accessibleName = accessibleName;
    return spec;
}

// The button row running a command of the main window.
constexpr ControlSpec runs(ControlSpec spec, Command command)
{
    spec.command = command;
    return spec;
}

// The maximum length of a field that types straight into a record field.
constexpr int widthOf(archive::FieldSpec field)
{
    return static_cast<int>(field.width);
}

// The row bound to where its value lives.
constexpr ControlSpec bound(ControlSpec spec, Binding binding)
{
    spec.binding = binding;
    return spec;
}

// Creates every control as a child of window (or of its frame), in table
// order, sets the tab order of the tab stops and installs the filters.
// Filters that depend on the currency flag ask flagProvider. Every control
// gets its accessible name and, where it has help text, its accessible
// description.
void buildControls(QWidget* window, std::span<const ControlSpec> table, CurrencyFlagProvider flagProvider = {});

namespace detail {
void readBound(const QWidget* window, std::span<const ControlSpec> table, void* data, const void* dataType);
void showBound(QWidget* window, std::span<const ControlSpec> table, void* data, const void* dataType);
} // namespace detail

// The bound controls' texts and states into the data, in table order. A
// multi-line text keeps a line break as CR LF, as the records hold it; a list
// whose items carry codes gives the code of its item.
template <typename Data> void readControls(const QWidget* window, std::span<const ControlSpec> table, Data& data)
{
    detail::readBound(window, table, &data, &detail::DataTypeTag<Data>);
}

// The data into the bound controls, in table order; a control that already
// shows its text is left alone, so one being typed in keeps its cursor.
template <typename Data> void showControls(QWidget* window, std::span<const ControlSpec> table, const Data& data)
{
    // Only read through the binding: showing never changes the data.
    detail::showBound(window, table, const_cast<Data*>(&data), &detail::DataTypeTag<Data>);
}

} // namespace tessaro::ui
