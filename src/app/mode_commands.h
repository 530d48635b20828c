// The commands of the menus "Tipo di moneta" and "Tipo di fattura": the
// program-wide invoice type and currency, and the value of one euro.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void selectProfessional(archive::AppState& state, ui::Dialogs& dialogs); // "Per prestazione"
void selectCommercial(archive::AppState& state, ui::Dialogs& dialogs); // "Commerciale"
// "in Euro": converts a lire invoice on screen to euro.
void selectEuro(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);
// "in Lire": refused with a message, then the same as "in Euro".
void selectLire(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);
// "Valore di un euro".
void setEuroValue(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
