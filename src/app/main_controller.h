// Joins the invoice window to the commands: it keeps the run's state and the
// invoice form, copies the window into the form before a command and back
// after it, and runs the start-up sequence.
#pragma once

#include "app/clock.h"
#include "app/data_dir_lock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/command.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class QAction;

namespace tessaro::ui {
class Dialogs;
class MainWindow;
} // namespace tessaro::ui

namespace tessaro::app {

struct CommandContext;
class IssuerWindowController;
class ExtraLinesController;
class RegisterController;

class MainController : public QObject {
    Q_OBJECT

public:
    // dialogs: nullptr for the Qt message and input boxes; fs: the file
    // system every file of the data directory is reached through.
    MainController(std::string dataDir, const Clock& clock, ui::Dialogs* dialogs = nullptr,
                   archive::FileSystem& fs = archive::realFileSystem());
    ~MainController() override;

    // Reads or repairs the settings, asks for the first issuer when there is
    // none, and loads the current year's book. False when the program must end.
    bool start();

    ui::MainWindow& window() { return *m_window; }
    archive::AppState& state() { return m_state; }
    archive::InvoiceForm& form() { return m_form; }
    ui::Dialogs& dialogs() { return *m_dialogs; }
    const Clock& clock() const { return m_clock; }
    QAction* action(const QString& name) const { return m_actions.value(name); }

    // Runs a command of the command table, as its menu item or button does.
    void run(ui::Command command);

    // What the commands of the command table are made of.
    // Runs a step on the form: window -> form, step, form -> window.
    void perform(const std::function<void()>& step);
    // The check marks of the currency and type menus, and the fields the type enables.
    void applyModes();
    void openIssuerWindow();
    void openExtraLines();
    // "Registro fatture dell'anno": beside the main window, following its book.
    void openRegister();
    RegisterController& registerWindow() { return *m_register; }
    // "Esci dal programma": after the question about an invoice not saved.
    void quit();
    // Asks about an invoice typed and not saved before it is let go; true when it may go.
    bool mayLeaveInvoice();

private:
    void connectWindow();
    void connectMenus();
    // The book of the year on screen read again, for the issuer now current.
    void reloadBook();

    archive::AppState m_state;
    archive::InvoiceForm m_form;
    const Clock& m_clock;
    std::unique_ptr<ui::MainWindow> m_window;
    std::unique_ptr<ui::Dialogs> m_ownDialogs;
    ui::Dialogs* m_dialogs;
    QHash<QString, QAction*> m_actions;
    std::unique_ptr<CommandContext> m_commands; // before the controllers that keep it
    std::unique_ptr<IssuerWindowController> m_issuerWindow;
    std::unique_ptr<ExtraLinesController> m_extraLines;
    std::unique_ptr<RegisterController> m_register; // after m_window: its window goes first
    DataDirLock m_lock;
};

} // namespace tessaro::app
