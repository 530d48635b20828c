#include "print/year.h"

#include "archive/book.h"
#include "print/invoice_page.h"

#include <string>

namespace tessaro::print {

YearOutcome layoutYear(Page& page, archive::InvoiceForm& form, const archive::AppState& state)
{
    YearOutcome outcome;
    const archive::BookPaths book = archive::bookPaths(state.dataDir, state.currentIssuer, form.year);
    for (int n = 1; n < state.nextNumber; ++n) {
        auto invoice = archive::readInvoice(book, n);
        if (!invoice) {
            outcome.error = invoice.error();
            break;
        }
        auto extra = archive::readExtraLines(book, n);
        if (!extra) {
            outcome.error = extra.error();
            break;
        }
        form.buffer = std::move(invoice.value());
        form.extraLines = std::move(extra.value());
        form.number = std::to_string(n);
        archive::copyBufferToForm(form, state.decimalSeparator);

        layoutInvoice(page, form, state);
        ++outcome.printed;
        page.newPage();
        page.setFontName(Typeface);
        page.setFontSize(10);
    }
    return outcome;
}

} // namespace tessaro::print
