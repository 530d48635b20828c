// The menu bar as data: the menus, their items in display order, separators,
// the two pairs of check marks and the few keyboard shortcuts.
#pragma once

#include "ui/command.h"

#include <QHash>
#include <QString>

#include <span>

class QAction;
class QMenuBar;

namespace tessaro::app {

struct MenuItemSpec {
    const char* name; // objectName of the action (or of the menu)
    const char* caption; // "-" for a separator
    ui::Command command = ui::Command::None; // what the item runs; None for a separator
    bool checkable = false;
    const char* shortcut = ""; // as QKeySequence reads it; empty for none
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::span<const MenuItemSpec> items;
};

std::span<const MenuSpec> menuTable();

// Builds the menus into the bar; returns every action and menu action by objectName.
QHash<QString, QAction*> buildMenuBar(QMenuBar* bar);

} // namespace tessaro::app
