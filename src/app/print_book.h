// Printing a whole invoice book: every stored invoice of the current issuer
// and the year on screen, one page each, through the form as if each had been
// brought up in the window. The book is read here; printing lays out one
// invoice at a time.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"
#include "print/page.h"

#include <functional>
#include <optional>

namespace tessaro::app {

struct YearOutcome {
    int printed = 0; // invoices laid out
    std::optional<archive::IoError> error; // a record that could not be read stops the run
    bool cancelled = false; // step asked to stop: the document is abandoned
};

// Invoices 1 .. state.nextNumber - 1 of the book; the form ends holding the
// last invoice laid out. Nothing is written to the archive. step is told
// after every invoice how many are laid out; when it answers false the page
// is abandoned and the run stops.
YearOutcome layoutBook(print::Page& page, archive::InvoiceForm& form, const archive::AppState& state,
                       const std::function<bool(int done)>& step = {});

} // namespace tessaro::app
