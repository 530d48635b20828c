// One printed invoice: the issuer, title and client blocks at the top of the
// page, then the body of the program's invoice type.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/page.h"

#include <string>

namespace tessaro::print {

inline constexpr const char* Typeface = "Times New Roman";

// The issuer lines as printed; townMeasured is the town line with its brackets
// even around a blank province.
struct IssuerLines {
    std::string name, address, town, townMeasured, taxCode, vatNumber;
};
IssuerLines issuerLines(const archive::PartyRecord& issuer);

// Width W of the widest issuer line, measured as the block will be printed.
double measureIssuerWidth(Page& page, const IssuerLines& lines);

// A rate of 0 becomes the program's value of one euro; a currency flag that
// is neither "l" nor "e" becomes the currency menu's.
void completeRateAndCurrency(archive::InvoiceForm& form, const archive::AppState& state);

// The rate the bodies divide lire by: the buffer's, never 0 once completed.
double invoiceRate(const archive::InvoiceForm& form);

// Lays out a whole invoice on the open page: font set-up, the blocks at the
// top and the body of state.invoiceType, with the rate and currency
// completed as completeRateAndCurrency() does (the form itself is not changed).
void layoutInvoice(Page& page, const archive::InvoiceForm& form, const archive::AppState& state);

// The top of the page alone (issuer, title, tick boxes, frames, client).
void layoutHeader(Page& page, const archive::InvoiceForm& form, const archive::AppState& state);

} // namespace tessaro::print
