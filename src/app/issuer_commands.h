// What the buttons of the issuer window do, as plain functions on the run's
// state and the window's nine texts. A file that cannot be read or written
// is reported in an "ATTENZIONE" box naming it, and the state stays as it was.
#pragma once

#include "archive/app_state.h"
#include "archive/records.h"

#include <string>

namespace tessaro::ui {
class Dialogs;
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

// The close box: true when the program must end (no current issuer).
bool closingIssuerWindowEndsProgram(const archive::AppState& state);

// Whether the current issuer number names an issuer of the archive: with none
// there is no record to replace, confirm or give e-invoice data to.
bool hasCurrentIssuer(const archive::AppState& state);

} // namespace tessaro::app
