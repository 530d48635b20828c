// What the commands of the main window work on, handed to them in place of
// the controller that owns it all: the run's state, the invoice form, the
// boxes, the clock, the window, and the few steps only the controller takes.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"

#include <functional>

namespace tessaro::ui {
class Dialogs;
class MainWindow;
} // namespace tessaro::ui

namespace tessaro::app {

struct CommandContext {
    archive::AppState& state;
    archive::InvoiceForm& form;
    ui::Dialogs& dialogs;
    const Clock& clock;
    ui::MainWindow& window;

    // Runs a step on the form: window -> form, step, form -> window.
    std::function<void(const std::function<void()>& step)> perform;
    // The check marks of the currency and type menus, and the fields the type enables.
    std::function<void()> applyModes;
    std::function<void()> openIssuerWindow;
    std::function<void()> openExtraLines;
    std::function<void()> openRegister;
    std::function<void()> quit;
};

} // namespace tessaro::app
