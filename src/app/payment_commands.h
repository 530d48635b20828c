// "Incassi della fattura": the terms and the payments of the invoice on
// screen, in a window that stays up while payments are recorded, removed
// or the terms changed; each change is written at once, through the journal.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void showPayments(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

} // namespace tessaro::app
