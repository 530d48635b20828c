#include "app/main_controller.h"

#include "app/client_commands.h"
#include "app/command_context.h"
#include "app/command_table.h"
#include "app/einvoice_commands.h"
#include "app/extra_lines_commands.h"
#include "app/invoice_commands.h"
#include "app/issuer_window_controller.h"
#include "app/menu_table.h"
#include "app/register_commands.h"
#include "archive/box_titles.h"
#include "archive/settings.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenuBar>

namespace tessaro::app {

MainController::MainController(std::string dataDir, const Clock& clock, ui::Dialogs* dialogs, archive::FileSystem& fs)
    : m_clock(clock), m_window(std::make_unique<ui::MainWindow>())
{
    m_state.dataDir = archive::DataDir(std::move(dataDir), fs);
    const QString point = QLocale::system().decimalPoint();
    m_state.decimalSeparator = point.size() == 1 && point.at(0).unicode() < 0x80 ? point.at(0).toLatin1() : ',';
    if (dialogs) {
        m_dialogs = dialogs;
    } else {
        m_ownDialogs = std::make_unique<ui::QtDialogs>(m_window.get());
        m_dialogs = m_ownDialogs.get();
    }
    m_commands = std::make_unique<CommandContext>(CommandContext {
        m_state,
        m_form,
        *m_dialogs,
        m_clock,
        *m_window,
        [this](const std::function<void()>& step) { perform(step); },
        [this] { applyModes(); },
        [this] { openIssuerWindow(); },
        [this] { openExtraLines(); },
        [this] { openRegister(); },
        [this] { quit(); },
    });
    m_issuerWindow = std::make_unique<IssuerWindowController>(m_state, *m_dialogs);
    m_extraLines = std::make_unique<ExtraLinesController>();
    // Injected dialogs answer the register's questions too; the Qt boxes stand over its own window.
    m_register = std::make_unique<RegisterController>(*m_commands, m_ownDialogs ? nullptr : m_dialogs);
    m_actions = buildMenuBar(m_window->menuBar());
    connectWindow();
    connectMenus();
}

MainController::~MainController() = default;

bool MainController::start()
{
    if (m_lock.acquire(m_state.dataDir.file(LockFileName)) == DataDirLock::Outcome::InUse) {
        m_dialogs->message(InUseText, archive::AttentionTitle, ui::Buttons::Ok);
        return false;
    }
    recoverUnfinishedOperation(m_state, *m_dialogs);
    archive::adoptStartupSettings(m_state, archive::loadStartupSettings(m_state.dataDir));
    applyModes();

    if (m_state.issuerCount == 0 && !m_issuerWindow->runModal(m_window.get()))
        return false;
    loadIssuerTerms(m_state, *m_dialogs);

    m_window->showIssuer(m_state.currentIssuerRecord);
    perform([this] {
        m_form.year = std::to_string(m_clock.currentYear());
        yearChanged(m_form, m_state, *m_dialogs, m_clock);
        m_form.focusField = "txtnum";
    });
    return true;
}

void MainController::perform(const std::function<void()>& step)
{
    m_window->readForm(m_form);
    const std::optional<archive::InvoiceImage> unchangedBefore = m_form.unchanged;
    step();
    m_window->setCurrencyFlag(m_form.buffer.currency.empty() ? '\0' : m_form.buffer.currency.front());
    m_window->showForm(m_form);
    m_form.focusField.clear();
    // An invoice loaded or saved is what the window now shows, read back as
    // the next command will read it (a description's line ends, for one), so
    // that showing it is no change.
    if (m_form.unchanged && m_form.unchanged != unchangedBefore) {
        archive::InvoiceForm shown = m_form;
        m_window->readForm(shown);
        m_form.unchanged = archive::invoiceImage(shown);
    }
}

bool MainController::mayLeaveInvoice()
{
    bool leave = true;
    perform([this, &leave] { leave = app::mayLeaveInvoice(m_form, m_state, *m_dialogs, m_clock); });
    return leave;
}

void MainController::applyModes()
{
    const bool lire = m_state.currency == archive::Currency::Lire;
    m_actions.value("mnumlire")->setChecked(lire);
    m_actions.value("mnumeuro")->setChecked(!lire);
    const bool professional = m_state.invoiceType == archive::InvoiceType::Professional;
    m_actions.value("mnutp")->setChecked(professional);
    m_actions.value("mnutc")->setChecked(!professional);
    m_window->setInvoiceType(m_state.invoiceType);
    const bool notices = m_state.onNotices();
    m_actions.value("mnudfatture")->setChecked(!notices);
    m_actions.value("mnudavvisi")->setChecked(notices);
}

void MainController::reloadBook()
{
    // The year switch loads the book of the current issuer whether or not
    // the year changed. The issuer window asked about the invoice on screen
    // before its "Ok" changed the issuer.
    perform([this] {
        m_form.unchanged.reset();
        yearChanged(m_form, m_state, *m_dialogs, m_clock);
    });
    m_register->refresh();
}

void MainController::openIssuerWindow()
{
    m_issuerWindow->showModeless(
        m_window.get(), [this] { return mayLeaveInvoice(); }, [this] { reloadBook(); }, [] { QApplication::exit(0); });
}

void MainController::openExtraLines()
{
    m_window->readForm(m_form);
    if (!mayOpenExtraLines(m_form, m_state, *m_dialogs))
        return;
    m_extraLines->show(m_window.get(), m_form,
                       [this](const archive::ExtraLinesRecord& lines) { m_form.extraLines = lines; });
}

void MainController::openRegister()
{
    m_register->open();
}

void MainController::quit()
{
    if (!mayLeaveInvoice())
        return;
    m_register->close();
    QApplication::exit(0);
}

void MainController::run(ui::Command command)
{
    if (const CommandSpec* spec = commandSpec(command))
        spec->run(*m_commands);
    if (changesRegister(command))
        m_register->refresh();
}

void MainController::connectWindow()
{
    connect(m_window.get(), &ui::MainWindow::commandRequested, this, &MainController::run);
    connect(m_window.get(), &ui::MainWindow::yearEdited, this, [this] {
        perform([this] { yearChanged(m_form, m_state, *m_dialogs, m_clock); });
        m_register->refresh();
    });
    m_window->setCloseGuard([this] {
        if (!mayLeaveInvoice())
            return false;
        m_register->close();
        return true;
    });
    connect(m_window.get(), &ui::MainWindow::activated, this,
            [this] { m_window->showIssuer(m_state.currentIssuerRecord); });
    connect(m_window.get(), &ui::MainWindow::clientPicked, this, [this](int index) {
        perform([this, index] {
            // A client typed by hand is work too: the one picked would take its place.
            if (clientTyped(m_form) && !app::mayLeaveInvoice(m_form, m_state, *m_dialogs, m_clock))
                return;
            pickClient(m_form, m_state, *m_dialogs, index);
        });
    });
}

void MainController::connectMenus()
{
    for (const MenuSpec& menu : menuTable()) {
        for (const MenuItemSpec& item : menu.items) {
            if (item.command == ui::Command::None)
                continue;
            const ui::Command command = item.command;
            connect(m_actions.value(QString::fromLatin1(item.name)), &QAction::triggered, this,
                    [this, command] { run(command); });
        }
    }
}

} // namespace tessaro::app
