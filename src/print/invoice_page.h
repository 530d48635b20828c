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

// What an invoice is printed with besides its form: the issuer at the top,
// the body of the invoice type, and what a form that leaves its rate or
// currency unset takes instead (the program's value of one euro and the
// currency menu's flag).
struct InvoiceSheet {
    archive::PartyRecord issuer;
    archive::InvoiceType type = archive::InvoiceType::Professional;
    char decimalSeparator = ',';
    archive::IssuerTerms terms;
    double euroRate = archive::DefaultEuroRate;
    char currencyFlag = 'e';
    // A fee notice: its own title and statement, no stamp duty (see figureTerms()).
    bool notice = false;
};

// The sheet of the run's invoices: the current issuer, the invoice type and
// the figures' settings.
InvoiceSheet invoiceSheet(const archive::AppState& state);

// The form as printed: a rate of 0 becomes the sheet's value of one euro; a
// currency flag that is neither "l" nor "e" becomes the sheet's.
archive::InvoiceForm printedForm(const archive::InvoiceForm& form, const InvoiceSheet& sheet);

// The rate the bodies divide lire by: the buffer's, never 0 once completed.
double invoiceRate(const archive::InvoiceForm& form);

// Lays out a whole invoice on the open page: font set-up, the blocks at the
// top and the body of the sheet's invoice type, for the form as printedForm()
// completes it.
void layoutInvoice(Page& page, const archive::InvoiceForm& form, const InvoiceSheet& sheet);

// The top of the page alone (issuer, title, tick boxes, frames, client); a
// fee notice is titled "AVVISO DI PARCELLA N.".
void layoutHeader(Page& page, const archive::InvoiceForm& form, const archive::PartyRecord& issuer,
                  bool notice = false);

} // namespace tessaro::print
