#include "app/issuer_window_controller.h"

#include "app/einvoice_data_commands.h"
#include "app/issuer_commands.h"
#include "archive/box_titles.h"
#include "ui/dialogs.h"
#include "ui/einvoice_window.h"

#include <QCoreApplication>

#include <optional>

namespace tessaro::app {

ui::EinvoiceWindow* openEinvoiceWindow(archive::AppState& state, const archive::PartyRecord& issuerShown,
                                       ui::Dialogs& dialogs, QWidget* over)
{
    // The data belong to one issuer of the archive: with none current there
    // is no record of "emit.fe" they could go to.
    if (!hasCurrentIssuer(state)) {
        dialogs.message(NoIssuerForEinvoiceText, archive::AttentionTitle, ui::Buttons::Ok);
        return nullptr;
    }
    const std::optional<einvoice::IssuerEinvoiceData> stored
        = readEinvoiceData(state.dataDir, state.currentIssuer, dialogs);
    if (!stored)
        return nullptr;
    auto* window = new ui::EinvoiceWindow(over);
    window->setData(*stored);
    window->showIssuerHints(issuerShown);
    // Written for the issuer it was opened for, should another become current meanwhile.
    QObject::connect(window, &ui::EinvoiceWindow::okClicked, window,
                     [&dialogs, window, dir = state.dataDir, issuer = state.currentIssuer] {
                         if (saveEinvoiceData(dir, issuer, window->data(), dialogs))
                             window->accept();
                     });
    // Saved by "Ok": the figures of the next calculation follow at once.
    QObject::connect(window, &QDialog::accepted, window,
                     [&state, window] { state.issuerTerms = einvoice::termsOf(window->data()); });
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open(); // modal over the issuer window only, without blocking
    return window;
}

IssuerWindowController::IssuerWindowController(archive::AppState& state, ui::Dialogs& dialogs)
    : m_state(state), m_dialogs(dialogs)
{
}

IssuerWindowController::~IssuerWindowController()
{
    letGo();
}

// Every window ends here, whether it closed or its controller goes first. It
// is deleted later, as it may be the sender of the signal running now, and
// cut off first, so that nothing it still sends reaches this controller.
void IssuerWindowController::letGo()
{
    if (!m_window)
        return;
    m_window->disconnect();
    m_window->deleteLater();
    m_window = nullptr;
}

ui::IssuerWindow* IssuerWindowController::create(QWidget* parent)
{
    auto* window = new ui::IssuerWindow(parent);
    window->setFields(m_state.currentIssuerRecord);
    m_window = window;
    m_endRequested = false;

    QObject::connect(window, &ui::IssuerWindow::previousClicked, window, [this, window] {
        archive::PartyRecord fields = window->fields();
        if (showPreviousIssuer(m_state, fields, m_dialogs))
            window->setFields(fields);
    });
    QObject::connect(window, &ui::IssuerWindow::nextClicked, window, [this, window] {
        archive::PartyRecord fields = window->fields();
        if (showNextIssuer(m_state, fields, m_dialogs))
            window->setFields(fields);
    });
    QObject::connect(window, &ui::IssuerWindow::saveClicked, window,
                     [this, window] { saveIssuer(m_state, window->fields(), m_dialogs); });
    QObject::connect(window, &ui::IssuerWindow::replaceClicked, window,
                     [this, window] { replaceIssuer(m_state, window->fields(), m_dialogs); });
    QObject::connect(window, &ui::IssuerWindow::einvoiceClicked, window,
                     [this, window] { openEinvoiceWindow(m_state, window->fields(), m_dialogs, window); });
    QObject::connect(window, &ui::IssuerWindow::okClicked, window, [this, window] {
        if (m_beforeOk && !m_beforeOk())
            return;
        if (!confirmIssuer(m_state, window->fields(), m_dialogs))
            return;
        window->accept();
        if (m_afterOk)
            m_afterOk();
    });
    QObject::connect(window, &ui::IssuerWindow::closeBoxClicked, window, [this, window] {
        if (!closingIssuerWindowEndsProgram(m_state))
            return;
        m_endRequested = true;
        if (!window->isModal() && m_endProgram)
            m_endProgram();
    });
    QObject::connect(window, &QDialog::finished, window, [this] { letGo(); });
    return window;
}

bool IssuerWindowController::runModal(QWidget* parent)
{
    letGo();
    m_beforeOk = {};
    m_afterOk = {};
    m_endProgram = {};
    ui::IssuerWindow* window = create(parent);
    window->setModal(true);
    window->exec();
    return !m_endRequested;
}

void IssuerWindowController::showModeless(QWidget* parent, std::function<bool()> beforeOk,
                                          std::function<void()> afterOk, std::function<void()> endProgram)
{
    m_beforeOk = std::move(beforeOk);
    m_afterOk = std::move(afterOk);
    m_endProgram = endProgram ? std::move(endProgram) : [] { QCoreApplication::exit(0); };
    if (m_window && m_window->isVisible()) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    letGo();
    ui::IssuerWindow* window = create(parent);
    window->setModal(false);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace tessaro::app
