#include "app/main_controller.h"

#include "app/book_commands.h"
#include "app/calc_commands.h"
#include "app/client_commands.h"
#include "app/einvoice_commands.h"
#include "app/extra_lines_commands.h"
#include "app/invoice_commands.h"
#include "app/issuer_commands.h"
#include "app/manual_location.h"
#include "app/menu_table.h"
#include "app/mode_commands.h"
#include "app/pdf_commands.h"
#include "app/print_commands.h"
#include "app/totals_commands.h"
#include "archive/settings.h"
#include "ui/info_windows.h"
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
    m_issuerWindow = std::make_unique<IssuerWindowController>(m_state, *m_dialogs);
    m_extraLines = std::make_unique<ExtraLinesController>();
    m_actions = buildMenuBar(m_window->menuBar());
    connectWindow();
    connectMenus();
}

MainController::~MainController() = default;

bool MainController::start()
{
    const archive::StartupSettings settings = archive::loadStartupSettings(m_state.dataDir);
    m_state.issuerCount = settings.issuerCount;
    m_state.clientCount = settings.clientCount;
    m_state.currentIssuer = settings.currentIssuer;
    m_state.euroRate = settings.euroRate;
    m_state.currentIssuerRecord = settings.currentIssuerRecord;
    m_state.currency = settings.currency;
    m_state.invoiceType = settings.invoiceType;
    applyModes();

    if (m_state.issuerCount == 0 && !m_issuerWindow->runModal(m_window.get()))
        return false;

    m_window->showIssuer(m_state.currentIssuerRecord);
    perform([this] {
        m_form.year = std::to_string(m_clock.currentYear());
        yearChanged(m_form, m_state, *m_dialogs);
        m_form.vat = "22";
        m_form.focusField = "txtnum";
    });
    return true;
}

void MainController::perform(const std::function<void()>& command)
{
    m_window->readForm(m_form);
    command();
    m_window->setCurrencyFlag(m_form.buffer.currency.empty() ? '\0' : m_form.buffer.currency.front());
    m_window->showForm(m_form);
    m_form.focusField.clear();
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
}

void MainController::reloadYear()
{
    // Emptying the year and giving it back loads the current issuer's book.
    perform([this] {
        const std::string year = m_form.year;
        m_form.year.clear();
        yearChanged(m_form, m_state, *m_dialogs);
        m_form.year = year;
        yearChanged(m_form, m_state, *m_dialogs);
    });
}

void MainController::openIssuerWindow()
{
    m_issuerWindow->showModeless(
        m_window.get(), [this] { reloadYear(); }, [] { QApplication::exit(0); });
}

void MainController::connectWindow()
{
    connect(m_window.get(), &ui::MainWindow::commandRequested, this, &MainController::onButton);
    connect(m_window.get(), &ui::MainWindow::yearEdited, this,
            [this] { perform([this] { yearChanged(m_form, m_state, *m_dialogs); }); });
    connect(m_window.get(), &ui::MainWindow::activated, this,
            [this] { m_window->showIssuer(m_state.currentIssuerRecord); });
    connect(m_window.get(), &ui::MainWindow::clientPicked, this,
            [this](int index) { perform([this, index] { pickClient(m_form, m_state, *m_dialogs, index); }); });
}

void MainController::connectMenus()
{
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        QAction* action = it.value();
        if (action->isSeparator() || action->menu())
            continue;
        const QString name = it.key();
        connect(action, &QAction::triggered, this, [this, name] { onMenu(name); });
    }
}

void MainController::onButton(const QString& name)
{
    if (name == QLatin1String("command"))
        perform([this] { previousInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("Command7"))
        perform([this] { nextInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("Command4"))
        perform([this] { newInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("Command5"))
        perform([this] { saveInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("Command2"))
        perform([this] { printInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("Command1"))
        perform([this] { calculate(m_form, m_state); });
    else if (name == QLatin1String("Command3")) {
        if (const auto entries = loadClientList(m_state, *m_dialogs))
            m_window->setClientEntries(*entries);
    } else if (name == QLatin1String("Command6")) {
        m_window->readForm(m_form);
        if (!mayOpenExtraLines(m_form, m_state, *m_dialogs))
            return;
        m_extraLines->show(m_window.get(), m_form,
                           [this](const archive::ExtraLinesRecord& lines) { m_form.extraLines = lines; });
    }
}

void MainController::onMenu(const QString& name)
{
    if (name == QLatin1String("mnufdati"))
        openIssuerWindow();
    else if (name == QLatin1String("mnufnuova"))
        onButton(QStringLiteral("Command4"));
    else if (name == QLatin1String("mnufsalva"))
        onButton(QStringLiteral("Command5"));
    else if (name == QLatin1String("mnufstampa"))
        onButton(QStringLiteral("Command2"));
    else if (name == QLatin1String("mnuftutte"))
        perform([this] { printYear(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufpdf"))
        perform([this] { saveInvoicePdf(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufxml"))
        perform([this] { exportEinvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufxmlanno"))
        perform([this] { exportEinvoiceYear(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufcalctutt"))
        perform([this] { totalAllInvoices(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufcalcalcun"))
        perform([this] { totalSomeInvoices(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufcalciva"))
        perform([this] { totalVat(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnufesci"))
        QApplication::exit(0);
    else if (name == QLatin1String("mnueins"))
        perform([this] { insertInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnuecanc"))
        perform([this] { deleteInvoice(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnuecancanno"))
        perform([this] { deleteYear(m_form, m_state, *m_dialogs, m_clock); });
    else if (name == QLatin1String("mnueazz")) {
        bool openIssuer = false;
        perform([this, &openIssuer] { openIssuer = resetAll(m_form, m_state, *m_dialogs); });
        m_window->showIssuer(m_state.currentIssuerRecord);
        if (openIssuer)
            openIssuerWindow();
    } else if (name == QLatin1String("mnueazzcli"))
        deleteClientArchive(m_state, *m_dialogs);
    else if (name == QLatin1String("mnumlire") || name == QLatin1String("mnumeuro")) {
        perform([this, name] {
            if (name == QLatin1String("mnumlire"))
                selectLire(m_form, m_state, *m_dialogs);
            else
                selectEuro(m_form, m_state, *m_dialogs);
        });
        applyModes();
    } else if (name == QLatin1String("mnutval"))
        perform([this] { setEuroValue(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnutp") || name == QLatin1String("mnutc")) {
        if (name == QLatin1String("mnutp"))
            selectProfessional(m_state, *m_dialogs);
        else
            selectCommercial(m_state, *m_dialogs);
        applyModes();
    } else if (name == QLatin1String("mnuinvprest"))
        perform([this] { reverseProfessional(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnuinvcomm"))
        perform([this] { reverseCommercial(m_form, m_state, *m_dialogs); });
    else if (name == QLatin1String("mnuiman"))
        ui::showInformationWindow(m_window.get());
    else if (name == QLatin1String("mnumanuale"))
        ui::showManualWindow(m_window.get(), installedManualPath(), sourceManualPath());
    else if (name == QLatin1String("mnuprodotti"))
        ui::showProductsWindow(m_window.get());
}

} // namespace tessaro::app
