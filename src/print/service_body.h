// The body of a professional-service invoice: the fees, the pension-fund
// line, the statement on operations without VAT and the summary column, all
// in euro.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/page.h"

#include <string>
#include <string_view>

namespace tessaro::print {

// The pension line's words for the issuer's fund (TipoCassa) and the
// invoice's percentage: the INPS charge, a professional fund's contribution,
// or "Cassa Nazionale" when no fund is chosen.
std::string pensionLineText(std::string_view fund, std::string_view percent);

// An amount of the invoice as printed in euro: lire are divided by the
// invoice's rate; with no rate to divide by they are printed as lire.
std::string euroAmountText(const archive::InvoiceForm& form, double amount, char decimalSeparator);

// Draws the body below the client block, with the statement and the stamp
// duty the issuer's terms call for, and a fee notice's statement; leaves size 12, bold off, pen 1.
void layoutServiceBody(Page& page, const archive::InvoiceForm& form, char decimalSeparator,
                       const archive::IssuerTerms& terms = {}, bool notice = false);

} // namespace tessaro::print
