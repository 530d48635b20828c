// The commands of the menu "Edit" that reorganise the books: insert and
// delete an invoice, delete the invoices of a year, and reset everything.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void insertInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                   const Clock& clock); // "Inserisci fattura"
void deleteInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs); // "Cancella fattura"
// "Cancella le fatture di un anno": afterwards the window shows the book of the clock's year.
void deleteYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);
// "Azzera tutto". True when the reset went through and the issuer window must open next.
bool resetAll(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
