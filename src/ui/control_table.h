// A window's controls described as data: one row per control with its
// objectName, kind, caption, position in twips, tab order, maximum length,
// character filter and help text. buildControls() turns a table into widgets.
#pragma once

#include "archive/fields.h"
#include "ui/command.h"
#include "ui/filters.h"

#include <concepts>
#include <cstddef>
#include <span>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

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

// Rows name the columns they set (.caption = ..., .left = ...); the others
// keep the values given here.
struct ControlSpec {
    const char* name = ""; // objectName; may be empty for captions
    ControlKind kind = ControlKind::Label;
    const char* caption = "";
    int left = 0, top = 0, width = 0, height = 0; // twips, within the parent
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
    Command command = Command::None; // the main window's command a button runs
};

// The row with its accessible name set, so positional rows need not spell
// out every member before it.
constexpr ControlSpec named(ControlSpec spec, const char* accessibleName)
{
    spec.accessibleName = accessibleName;
    return spec;
}

// The maximum length of a field that types straight into a record field.
constexpr int widthOf(archive::FieldSpec field)
{
    return static_cast<int>(field.width);
}

// Where a Value lives in the plain data a window edits, reached through
// accessors of those very types: a field of any other type cannot be bound.
template <typename Data, typename Value> struct FieldAccess {
    Value& (*place)(Data&) = nullptr; // where a control's value is read into
    const Value& (*value)(const Data&) = nullptr; // what a control shows
    // Set with the accessors: under the sanitizers a function's address is
    // no constant, so the table's checks cannot compare it while compiling.
    bool bound = false;

    constexpr explicit operator bool() const { return bound; }
};

// Where a control's value lives: a text (fields, lists and display labels)
// or a state (check boxes and option buttons). Made by boundText(),
// shownText() and boundState().
template <typename Data> struct Binding {
    FieldAccess<Data, std::string> text {};
    FieldAccess<Data, bool> state {};
    bool shownOnly = false; // derived from other data: shown, never read back
};

namespace detail {

template <typename Array> inline constexpr std::size_t LengthOf = std::tuple_size_v<Array>;
template <typename Element, std::size_t Length> inline constexpr std::size_t LengthOf<Element[Length]> = Length;

// One step into a value: a member, by its pointer, or an element, by an
// index checked against the length of its array.
template <auto Step, typename Value> constexpr auto& stepInto(Value& value)
{
    if constexpr (std::is_member_object_pointer_v<decltype(Step)>) {
        return value.*Step;
    } else {
        static_assert(Step >= 0 && static_cast<std::size_t>(Step) < LengthOf<std::remove_const_t<Value>>,
                      "the index is past the end of the array");
        return value[Step];
    }
}

template <auto Step, auto... Rest, typename Value> constexpr auto& follow(Value& value)
{
    if constexpr (sizeof...(Rest) == 0)
        return stepInto<Step>(value);
    else
        return follow<Rest...>(stepInto<Step>(value));
}

template <typename Member> struct OwnerOf;
template <typename Field, typename Owner> struct OwnerOf<Field Owner::*> {
    using Type = Owner;
};

// The data a path starts from: the struct holding its first member.
template <auto First> using PathData = typename OwnerOf<decltype(First)>::Type;

// The path leads from its data to a field of type Value.
template <typename Value, auto First, auto... Rest>
concept LeadsTo = std::same_as<decltype(follow<First, Rest...>(std::declval<PathData<First>&>())), Value&>;

template <typename Value, auto First, auto... Rest> constexpr FieldAccess<PathData<First>, Value> fieldAccess()
{
    using Data = PathData<First>;
    return {[](Data& data) -> Value& { return follow<First, Rest...>(data); },
            [](const Data& data) -> const Value& { return follow<First, Rest...>(data); }, true};
}

} // namespace detail

// The binding to the field at the end of a path: a pointer to a member of
// the data, then members or indices within it, as in
// boundText<&InvoiceForm::client, &PartyRecord::title>() or
// boundText<&InvoiceForm::description, 0>().
template <auto First, auto... Rest>
requires detail::LeadsTo<std::string, First, Rest...>
constexpr Binding<detail::PathData<First>> boundText()
{
    return {.text = detail::fieldAccess<std::string, First, Rest...>()};
}
template <auto First, auto... Rest>
requires detail::LeadsTo<std::string, First, Rest...>
constexpr Binding<detail::PathData<First>> shownText()
{
    return {.text = detail::fieldAccess<std::string, First, Rest...>(), .shownOnly = true};
}
template <auto First, auto... Rest>
requires detail::LeadsTo<bool, First, Rest...>
constexpr Binding<detail::PathData<First>> boundState()
{
    return {.state = detail::fieldAccess<bool, First, Rest...>()};
}

// The kinds of control whose value is a text, and those whose value is a state.
constexpr bool showsText(ControlKind kind)
{
    return kind == ControlKind::LineEdit || kind == ControlKind::MultiLineEdit || kind == ControlKind::ComboBox
        || kind == ControlKind::DropDownList || kind == ControlKind::DisplayLabel;
}
constexpr bool showsState(ControlKind kind)
{
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// A text binds a field, list or display label, a state a check box or
// option button, and either only a control with a name to find it by.
template <typename Data> constexpr bool fitsItsControl(const ControlSpec& spec, const Binding<Data>& binding)
{
    const bool findable = spec.name && *spec.name;
    const bool textFits = !binding.text || (findable && showsText(spec.kind));
    const bool stateFits = !binding.state || (findable && showsState(spec.kind));
    return textFits && stateFits && !(binding.text && binding.state);
}

namespace detail {
// Not constexpr, and never defined: a table reaching it does not compile.
void bindingDoesNotFitItsControl();
} // namespace detail

// A row of a window that shows the fields of Data. Rows are made only while
// compiling, where a binding that does not fit its control stops the build.
template <typename Data> struct ControlOf : ControlSpec {
    Binding<Data> binding; // where its value lives; unbound controls are not copied

    consteval ControlOf(ControlSpec spec, Binding<Data> where = {}) : ControlSpec(spec), binding(where)
    {
        if (!fitsItsControl(spec, where))
            detail::bindingDoesNotFitItsControl();
    }
};

namespace detail {
void buildControls(QWidget* window, std::span<const ControlSpec* const> rows, CurrencyFlagProvider flagProvider);

template <typename Row> void buildRows(QWidget* window, std::span<const Row> table, CurrencyFlagProvider flagProvider)
{
    std::vector<const ControlSpec*> rows;
    rows.reserve(table.size());
    for (const ControlSpec& row : table)
        rows.push_back(&row);
    buildControls(window, rows, std::move(flagProvider));
}
} // namespace detail

// Creates every control as a child of window (or of its frame), in table
// order, sets the tab order of the tab stops and installs the filters.
// Filters that depend on the currency flag ask flagProvider. Every control
// gets its accessible name and, where it has help text, its accessible
// description.
inline void buildControls(QWidget* window, std::span<const ControlSpec> table, CurrencyFlagProvider flagProvider = {})
{
    detail::buildRows(window, table, std::move(flagProvider));
}
template <typename Data>
void buildControls(QWidget* window, std::span<const ControlOf<Data>> table, CurrencyFlagProvider flagProvider = {})
{
    detail::buildRows(window, table, std::move(flagProvider));
}

namespace detail {
// The control a bound row names; null, and an assertion, where there is none.
QWidget* boundWidget(const QWidget* window, const ControlSpec& spec);
void readText(const QWidget* widget, std::string& text);
void readState(const QWidget* widget, bool& state);
void showText(QWidget* widget, const std::string& text);
void showState(QWidget* widget, bool state);
} // namespace detail

// The bound controls' texts and states into the data, in table order. A
// multi-line text keeps a line break as CR LF, as the records hold it; a list
// whose items carry codes gives the code of its item.
template <typename Data> void readControls(const QWidget* window, std::span<const ControlOf<Data>> table, Data& data)
{
    for (const ControlOf<Data>& row : table) {
        const Binding<Data>& binding = row.binding;
        if (!binding.text && !binding.state)
            continue;
        QWidget* widget = detail::boundWidget(window, row);
        if (!widget || binding.shownOnly)
            continue;
        if (binding.text)
            detail::readText(widget, binding.text.place(data));
        else
            detail::readState(widget, binding.state.place(data));
    }
}

// The data into the bound controls, in table order; a control that already
// shows its text is left alone, so one being typed in keeps its cursor.
template <typename Data> void showControls(QWidget* window, std::span<const ControlOf<Data>> table, const Data& data)
{
    for (const ControlOf<Data>& row : table) {
        const Binding<Data>& binding = row.binding;
        if (!binding.text && !binding.state)
            continue;
        QWidget* widget = detail::boundWidget(window, row);
        if (!widget)
            continue;
        if (binding.text)
            detail::showText(widget, binding.text.value(data));
        else
            detail::showState(widget, binding.state.value(data));
    }
}

} // namespace tessaro::ui
