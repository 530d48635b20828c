// What the paper copy says below the table of goods or fees: the statement
// of an invoice without VAT in the words of the issuer's regime, the stamp
// duty paid on it, and how and by when the invoice is to be paid.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/page.h"

#include <array>
#include <string>
#include <string_view>

namespace tessaro::print {

// An invoice of a regime that never charges VAT carries its statement
// whenever its VAT is 0; any other professional-service invoice carries the
// statement when "Stampa dichiaraz. di omessa IVA" is checked.
bool printsStatement(const archive::InvoiceForm& form, const archive::IssuerTerms& terms, archive::InvoiceType type);

// The three lines, bold, at x = 800 from y under the table, 80 twips apart,
// in size 10; bold stays on.
void printStatement(Page& page, double y, const calc::RegimeStatement& statement);

// What a fee notice says in the place of that statement, in its style:
// that it is no invoice, and that the invoice follows the payment.
inline constexpr std::array<std::string_view, 3> NoticeStatementLines {
    "Avviso di parcella: non costituisce fattura.",
    "La fattura sarà emessa",
    "al ricevimento del pagamento.",
};

// The statements under the table at y: the regime's when printsStatement()
// says so, then, for a fee notice, the notice's below it. Bold is left as the
// regime's statement leaves it (on when it was printed); returns whether it was.
bool printStatements(Page& page, double y, const archive::InvoiceForm& form, const archive::IssuerTerms& terms,
                     archive::InvoiceType type, bool notice);

// "Imposta di bollo assolta in modo virtuale" and its amount at y, size 10
// regular, on the columns of the summary rows.
void printStampDutyPaid(Page& page, double y, char decimalSeparator);

// "Pagamento: bonifico bancario entro il 30/04/2026 - IBAN: IT60X...", from
// the invoice's terms and the issuer's IBAN; empty for an invoice without
// terms, and for a credit note, which asks for nothing.
std::string paymentTermsText(const archive::InvoiceForm& form, const archive::IssuerTerms& terms);

// The lines under the summary rows, whose last box ends at `bottom`: the
// stamp duty paid when due, then the terms, size 10 regular. Leaves size 12.
void printBelowTotals(Page& page, double bottom, const archive::InvoiceForm& form, const archive::IssuerTerms& terms,
                      bool stampDutyDue, char decimalSeparator);

} // namespace tessaro::print
