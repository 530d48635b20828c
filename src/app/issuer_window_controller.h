// The issuer window on screen: opened at first start and from the menu, its
// buttons joined to the issuer commands, and the e-invoice window it opens.
#pragma once

#include "archive/app_state.h"
#include "archive/records.h"
#include "ui/issuer_window.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace tessaro::ui {
class Dialogs;
class EinvoiceWindow;
} // namespace tessaro::ui

namespace tessaro::app {

inline constexpr const char* NoIssuerForEinvoiceText
    = "Non c'è nessun emittente: salvare prima i dati di chi emette la fattura, poi indicare quelli per la fattura "
      "elettronica";

// "Fattura elettronica...": the e-invoice data of the current issuer in their
// window, modal over the issuer window (over), filled from "emit.fe" and
// "bollo.fe", with the hints on the identifiers of the issuer as the issuer
// window shows it. Refused with an "ATTENZIONE" box while no issuer is
// current. "Ok" makes the data saved the state's issuer terms. The open
// window, or nullptr when refused or when its file cannot be read; it deletes
// itself when closed.
ui::EinvoiceWindow* openEinvoiceWindow(archive::AppState& state, const archive::PartyRecord& issuerShown,
                                       ui::Dialogs& dialogs, QWidget* over);

// Opens the issuer window, fills it from the current issuer record and runs
// its buttons. The window is created at every opening and deleted when closed.
class IssuerWindowController {
public:
    IssuerWindowController(archive::AppState& state, ui::Dialogs& dialogs);
    ~IssuerWindowController();
    IssuerWindowController(const IssuerWindowController&) = delete;
    IssuerWindowController& operator=(const IssuerWindowController&) = delete;

    // First start: modal; false when the window was closed without a current
    // issuer and the program must end.
    bool runModal(QWidget* parent);

    // The menu item: beside the main window, which stays usable. beforeOk
    // may keep "Ok" from closing it (the invoice on screen); afterOk runs
    // once the window has closed by "Ok" (to reload the year); endProgram runs
    // when the close box is used without a current issuer (default: leave the
    // event loop). A second call while it is open brings it to the front.
    // beforeOk: false keeps the window open and the issuer as it was.
    void showModeless(QWidget* parent, std::function<bool()> beforeOk, std::function<void()> afterOk,
                      std::function<void()> endProgram = {});

    // The open window, or nullptr.
    ui::IssuerWindow* window() const { return m_window; }

private:
    ui::IssuerWindow* create(QWidget* parent);
    void letGo();

    archive::AppState& m_state;
    ui::Dialogs& m_dialogs;
    QPointer<ui::IssuerWindow> m_window;
    std::function<bool()> m_beforeOk;
    std::function<void()> m_afterOk;
    std::function<void()> m_endProgram;
    bool m_endRequested = false;
};

} // namespace tessaro::app
