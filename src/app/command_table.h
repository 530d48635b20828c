// The commands of the main window, each once: what runs when a menu item or
// a button names it. The menu table and the window's control table refer to
// these by ui::Command; nothing is looked up by name.
#pragma once

#include "ui/command.h"

#include <span>

namespace tessaro::app {

struct CommandContext;

struct CommandSpec {
    ui::Command command;
    void (*run)(CommandContext& context);
};

// One row per command, in the order of ui::Command (None and Count excluded).
std::span<const CommandSpec> commandTable();

// The row of a command; nullptr for None.
const CommandSpec* commandSpec(ui::Command command);

} // namespace tessaro::app
