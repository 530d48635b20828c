// "Regime forfettario: limiti e stima": the fees received this year against the limits of the regime, and the estimate
// of its tax, step by step.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void showFlatRate(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

} // namespace tessaro::app
