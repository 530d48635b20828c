// "Nota di credito": from a stored invoice on screen, the credit note that
// cancels it, at the first free number of the same book, ready to be
// checked and stored with "Salva".
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

// The window then shows the new credit note: the client and every line of
// the invoice, dated today when today falls in the book's year (else on the
// invoice's own date, for the user to set), and nothing is written yet.
void prepareCreditNote(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

} // namespace tessaro::app
