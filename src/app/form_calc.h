// The bridge between the invoice form and the pure calculation: which texts
// the calculation reads, and how its results go back into the form.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "calc/forward.h"

namespace tessaro::app {

calc::InvoiceType calcType(archive::InvoiceType type);
// The invoice's currency flag, or '\0' when the buffer holds none.
char currencyFlagOf(const archive::InvoiceForm& form);
calc::ForwardInput forwardInput(const archive::InvoiceForm& form, const archive::AppState& state);
// Results without a value keep what the form showed.
void applyResults(archive::InvoiceForm& form, const calc::ResultTexts& results);

} // namespace tessaro::app
