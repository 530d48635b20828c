// What an invoice of a book asks and what came in for it, as the payments
// window, the register and the year's reckonings all see it: one rule for
// due dates, credit notes and what is still owed.
#pragma once

#include "archive/payments.h"
#include "calc/payments.h"

#include <optional>

namespace tessaro::archive {

// The due date the invoice's terms give from its date of issue; nothing
// without a term or a date.
std::optional<calc::Date> dueDateOf(const InvoicePayments& terms, std::optional<calc::Date> issued);

struct SettlementInput {
    double toPay = 0; // in euro, with its sign turned for a credit note
    bool creditNote = false;
    std::optional<calc::Date> issued;
    bool cancelled = false; // an invoice a credit note of the book cancels
    // For a credit note: what came in for the invoice it cancels, when that
    // invoice is in the book. It gives back that much, never more than its amount.
    std::optional<double> receivedOnCancelled;
};

calc::Settlement settlementOf(const SettlementInput& input, const InvoicePayments& payments);

} // namespace tessaro::archive
