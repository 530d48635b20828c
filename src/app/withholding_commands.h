// "Ritenute subite per cliente": the withholding suffered in a year, client by client, held against the figures of each
// client's certificate.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void showWithholdings(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

} // namespace tessaro::app
