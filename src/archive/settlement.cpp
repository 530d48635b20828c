#include "archive/settlement.h"

#include <algorithm>
#include <cmath>

namespace tessaro::archive {

std::optional<calc::Date> dueDateOf(const InvoicePayments& terms, std::optional<calc::Date> issued)
{
    if (terms.term == calc::ExplicitDateTerm)
        return calc::parseStoredDate(terms.typedDue);
    if (!issued)
        return std::nullopt;
    return calc::dueDate(*issued, terms.term);
}

calc::Settlement settlementOf(const SettlementInput& input, const InvoicePayments& payments)
{
    calc::Settlement settlement;
    settlement.toSettle = input.toPay;
    settlement.received = payments.received();
    settlement.due = dueDateOf(payments, input.issued);
    settlement.cancelled = input.cancelled && !input.creditNote;
    if (input.creditNote && input.receivedOnCancelled) {
        // Nothing came in for the cancelled invoice: the note only cancels it.
        const double givenBack = std::min(std::max(*input.receivedOnCancelled, 0.0), std::abs(input.toPay));
        settlement.toSettle = calc::cents(givenBack) == 0 ? 0.0 : -givenBack;
        settlement.cancelled = calc::cents(settlement.toSettle) == 0 && calc::cents(settlement.received) == 0;
    }
    return settlement;
}

} // namespace tessaro::archive
