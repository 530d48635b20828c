// What the law makes the paper copy say below the table of goods or fees:
// the statement of an invoice without VAT in the words of the issuer's
// regime, and the stamp duty paid on it.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/page.h"

namespace tessaro::print {

// An invoice of a regime that never charges VAT carries its statement
// whenever its VAT is 0; any other professional-service invoice carries the
// statement when "Stampa dichiaraz. di omessa IVA" is checked.
bool printsStatement(const archive::InvoiceForm& form, const archive::IssuerTerms& terms, archive::InvoiceType type);

// The three lines, bold, at x = 800 from y under the table, 80 twips apart,
// in size 10; bold stays on.
void printStatement(Page& page, double y, const calc::RegimeStatement& statement);

// "Imposta di bollo assolta in modo virtuale" and its amount at y, size 10
// regular, on the columns of the summary rows.
void printStampDutyPaid(Page& page, double y, char decimalSeparator);

} // namespace tessaro::print
