// Reorganising the books: inserting and deleting an invoice with the
// renumbering of the ones after it, deleting the book of a year, and
// deleting every issuer and book. The callers check the numbers and ask
// first; these only touch the files and, on success, the form and state.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"

#include <string>
#include <vector>

namespace tessaro::archive {

// Inserts an empty invoice as number n (1 <= n < N < MaxNextNumber): the
// invoices n .. N-1 move up by one in both files, the form shows the empty
// invoice n and N grows by one, written after the shift.
Status insertInvoice(InvoiceForm& form, AppState& state, int number);

// Deletes invoice n (1 <= n < N): the invoices after it move down by one in
// both files, the form shows the one that now is n, and N shrinks by one.
Status deleteInvoice(InvoiceForm& form, AppState& state, int number);

// Removes the .arc, .imp and .agg of the current issuer and the given year.
Status deleteYear(const AppState& state, const std::string& year);

// IssuerCount and CurrentIssuer become 0 in memory and in the settings, the
// current issuer is emptied, every book, the issuer archive and the files of
// alsoRemoved (paths; those that do not exist are passed over) are deleted,
// and N becomes 0 (no book loaded); all of it or, on a failure, none.
Status resetAll(AppState& state, const std::vector<std::string>& alsoRemoved = {});

} // namespace tessaro::archive
