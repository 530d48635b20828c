// "Calcola" and the two reverse calculations of the menu "Calcolo inverso":
// the dialogs around the pure calculation.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void calculate(archive::InvoiceForm& form, const archive::AppState& state);
void reverseProfessional(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs);
void reverseCommercial(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
