// Mistakes in a window's table that must stop the build rather than show up
// when the window copies its values: a field of another type than its
// control shows, or a control that cannot show the field.
#include "ui/control_table.h"

#include <string>

namespace {

using namespace tessaro::ui;

struct Sample {
    std::string text;
    bool state = false;
    int number = 0;
};

template <auto... Path>
concept TextBinds = requires
{
    boundText<Path...>();
};
template <auto... Path>
concept StateBinds = requires
{
    boundState<Path...>();
};

static_assert(TextBinds<&Sample::text> && !TextBinds<&Sample::state> && !TextBinds<&Sample::number>);
static_assert(StateBinds<&Sample::state> && !StateBinds<&Sample::text> && !StateBinds<&Sample::number>);

struct Fit {
    ControlKind kind;
    const char* name;
    bool textFits;
    bool stateFits;
};

constexpr Fit Fits[] = {
    {ControlKind::LineEdit, "txt", true, false},     {ControlKind::MultiLineEdit, "txt", true, false},
    {ControlKind::ComboBox, "cmb", true, false},     {ControlKind::DropDownList, "cmb", true, false},
    {ControlKind::DisplayLabel, "etc", true, false}, {ControlKind::CheckBox, "chk", false, true},
    {ControlKind::RadioButton, "opt", false, true},  {ControlKind::Label, "lbl", false, false},
    {ControlKind::PushButton, "cmd", false, false},  {ControlKind::Frame, "frm", false, false},
    {ControlKind::LineEdit, "", false, false}, // nothing to find it by
};

constexpr bool fitsAsListed()
{
    for (const Fit& fit : Fits) {
        const ControlSpec spec {.name = fit.name, .kind = fit.kind};
        if (fitsItsControl(spec, boundText<&Sample::text>()) != fit.textFits
            || fitsItsControl(spec, boundState<&Sample::state>()) != fit.stateFits)
            return false;
    }
    return true;
}
static_assert(fitsAsListed());

} // namespace
