// "Ritenute subite per cliente": the withholding suffered in a year, client by client, held against the figures of each
// client's certificate.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/document.h"
#include "ui/dialogs.h"

namespace tessaro::app {

// The window on the current issuer's year (the clock's, to start with) until
// it is closed; "Stampa" sends its pages to the default printer, or through sink.
void showWithholdings(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);
void showWithholdings(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                      const print::DocumentSink& sink);

} // namespace tessaro::app
