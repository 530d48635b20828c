// "Esporta fattura elettronica (XML)" and "Esporta fatture elettroniche
// dell'anno": the invoice on screen, or every stored invoice of the book on
// screen, as FatturaPA files in the folder "fatture elettroniche" of the data
// directory. A refused invoice leaves nothing written and one "ATTENZIONE"
// box lists every reason.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

inline constexpr const char* NoIssuerToExportText
    = "Non c'è nessun emittente: salvare prima i dati di chi emette la fattura.";
inline constexpr const char* NotStoredText = "La fattura non è ancora salvata: salvarla prima di esportarla.";
inline constexpr const char* InvalidYearText = "L'anno della fattura non è valido.";

// The current issuer's e-invoice data into state.issuerTerms, read once with
// the issuer so that no calculation reads a file. With no current issuer the
// terms are the defaults; a file that cannot be read is told in an
// "ATTENZIONE" box and leaves the defaults (false).
bool loadIssuerTerms(archive::AppState& state, ui::Dialogs& dialogs);

// Asks for the client's codice destinatario or PEC address (proposing the one
// remembered for the client, else "0000000"; a cancelled box ends silently),
// writes the file, and remembers the answer once the file is written.
void exportEinvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

// Invoices 1 .. N-1 of the book as stored (not as on screen), each with the
// recipient remembered for its client; reports how many were written and
// which were refused, with their reasons.
void exportEinvoiceYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
