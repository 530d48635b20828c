#include "app/print_book.h"

#include "archive/book.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "print/invoice_page.h"

#include <string>

namespace tessaro::app {

YearOutcome layoutBook(print::Page& page, archive::InvoiceForm& form, const archive::AppState& state,
                       const std::function<bool(int done)>& step)
{
    YearOutcome outcome;
    const print::InvoiceSheet sheet = print::invoiceSheet(state);
    const archive::BookPaths book = archive::currentBook(form, state);
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
        auto mark = archive::readCreditNote(book, n);
        if (!mark) {
            outcome.error = mark.error();
            break;
        }
        // Each invoice prints its own terms, not those of the one on screen.
        auto terms = archive::readPayments(book, n);
        if (!terms) {
            outcome.error = terms.error();
            break;
        }
        form.buffer = std::move(invoice.value());
        form.extraLines = std::move(extra.value());
        form.creditNote = std::move(mark.value());
        form.payments = std::move(terms.value());
        form.number = std::to_string(n);
        archive::copyBufferToForm(form, state.decimalSeparator);

        // The form ends as the window would show the invoice printed.
        form = print::printedForm(form, sheet);
        print::layoutInvoice(page, form, sheet);
        ++outcome.printed;
        if (step && !step(outcome.printed)) {
            page.abandon();
            outcome.cancelled = true;
            break;
        }
        page.newPage();
        page.setFontName(print::Typeface);
        page.setFontSize(10);
    }
    return outcome;
}

} // namespace tessaro::app
