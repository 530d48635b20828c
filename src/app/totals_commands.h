// The yearly totals of the menu "File": the taxable amount of every invoice
// of the year or of a range, and the VAT of a range, shown in euro. They
// read the book and change nothing, not even the invoice on screen.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

namespace tessaro::app {

void totalAllInvoices(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);
void totalSomeInvoices(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);
void totalVat(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
