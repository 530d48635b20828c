// What the buttons of the issuer window do, as plain functions on the run's
// state and the window's nine texts, and the controller that opens the
// window and joins its buttons to them. A file that cannot be read or written
// is reported in an "ATTENZIONE" box naming it, and the state stays as it was.
#pragma once

#include "archive/app_state.h"
#include "archive/records.h"
#include "ui/issuer_window.h"

#include <QPointer>

#include <functional>
#include <string>

class QWidget;

namespace tessaro::ui {
class Dialogs;
class EinvoiceWindow;
} // namespace tessaro::ui

namespace tessaro::app {

inline constexpr const char* IssuerRequiredText = "Deve essere salvato almeno un nominativo che emette la fattura";
inline constexpr const char* NoIssuerToReplaceText
    = "Non c'è nessun emittente da sostituire: usare \"Salva\" per registrare questi dati come nuovo emittente";

// "<---" and "--->": make the previous or next issuer current, persistently,
// with its e-invoice terms. True when another issuer became current; fields
// then hold its record.
bool showPreviousIssuer(archive::AppState& state, archive::PartyRecord& fields, ui::Dialogs& dialogs);
bool showNextIssuer(archive::AppState& state, archive::PartyRecord& fields, ui::Dialogs& dialogs);

// "Salva": stores the fields as a new issuer and makes it current, asking
// first when an issuer of the same surname and first name exists.
void saveIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs);

// "Sostituisci": rewrites the current issuer with the fields after a question.
void replaceIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs);

// The question "Sostituisci" asks for issuer number.
std::string replaceQuestion(int number);

// "Ok": refused while there is no current issuer; otherwise the fields become
// the current issuer record (in memory only). True when the window closes and
// the caller reloads the year.
bool confirmIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs);

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

// The close box: true when the program must end (no current issuer).
bool closingIssuerWindowEndsProgram(const archive::AppState& state);

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

    // The menu item: beside the main window, which stays usable. afterOk runs
    // once the window has closed by "Ok" (to reload the year); endProgram runs
    // when the close box is used without a current issuer (default: leave the
    // event loop). A second call while it is open brings it to the front.
    void showModeless(QWidget* parent, std::function<void()> afterOk, std::function<void()> endProgram = {});

    // The open window, or nullptr.
    ui::IssuerWindow* window() const { return m_window; }

private:
    ui::IssuerWindow* create(QWidget* parent);

    archive::AppState& m_state;
    ui::Dialogs& m_dialogs;
    QPointer<ui::IssuerWindow> m_window;
    std::function<void()> m_afterOk;
    std::function<void()> m_endProgram;
    bool m_endRequested = false;
};

} // namespace tessaro::app
