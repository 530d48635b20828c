// What "Salva" asks before it stores an invoice that is possible to store
// but unlikely to be meant: a date that does not exist or has not come yet,
// no client, VAT under a regime without it, blank invoices to fill a gap.
// Each question names the problem and lets the user go on or stop.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"

#include <string>
#include <vector>

namespace tessaro::app {

// One Italian sentence per problem of the invoice on the form; empty when it looks right.
std::vector<std::string> invoiceProblems(const archive::InvoiceForm& form, const archive::AppState& state,
                                         CalendarDay today);

// The question of a save at `number` past the first free number `next`,
// which writes blank invoices next .. number - 1; empty when there is no gap.
std::string gapQuestion(int number, int next);

} // namespace tessaro::app
