// The yearly totals: the taxable amount or the VAT of stored invoices, each
// from the amounts engine under the yearly totals' rule, summed in euro; a
// credit note counts with its sign turned. They read the book's bytes and
// never touch the invoice on screen.
#pragma once

#include "archive/app_state.h"
#include "archive/book.h"
#include "archive/io_result.h"

namespace tessaro::archive {

enum class TotalKind { Taxable, Vat };

// Sum in euro over the invoices first..last of a book (empty when first >
// last). The .arc, and the .agg for commercial invoices, stay open for the loop.
Result<double> sumInvoices(const BookPaths& book, InvoiceType type, TotalKind kind, int first, int last);

} // namespace tessaro::archive
