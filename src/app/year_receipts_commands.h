// "Incassi dell'anno": every payment the current issuer received in a year, from the books of every year, divided over
// the parts of its invoice.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void showYearReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

} // namespace tessaro::app
