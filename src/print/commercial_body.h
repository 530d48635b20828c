// The body of a commercial invoice: goods with quantity and unit price, the
// extra lines 4 to 10, and the taxable total, VAT and total to pay.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/page.h"

namespace tessaro::print {

// Draws the body below the client block, with the statement and the stamp
// duty the issuer's terms call for, and a fee notice's statement; leaves size 12, bold off, pen 1.
void layoutCommercialBody(Page& page, const archive::InvoiceForm& form, char decimalSeparator,
                          const archive::IssuerTerms& terms = {}, bool notice = false);

} // namespace tessaro::print
