// The yearly totals: the taxable amount or the VAT of stored invoices,
// recomputed from their records and summed in euro. They read the book into
// records of their own and never touch the invoice on screen.
#pragma once

#include "archive/app_state.h"
#include "archive/book.h"
#include "archive/io_result.h"
#include "archive/records.h"

namespace tessaro::archive {

enum class TotalKind { Taxable, Vat };

// Taxable amount of one invoice for the invoice type chosen in the menu,
// rounded to whole lire for a lire invoice. The extra lines count only for
// a commercial invoice whose three amounts are all filled in.
double invoiceTaxable(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type);
// VAT of one invoice on that taxable amount, rounded alike.
double invoiceVat(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type);
// What an amount of this invoice adds to a euro sum: lire divided by the
// invoice's own rate, euro as they are; nothing for a record without a
// currency flag (a free slot) or a lire invoice whose rate cannot convert.
double inEuro(const InvoiceRecord& invoice, double amount);

// Sum in euro over the invoices first..last of a book (empty when first >
// last). The .arc, and the .agg for commercial invoices, stay open for the loop.
Result<double> sumInvoices(const BookPaths& book, InvoiceType type, TotalKind kind, int first, int last);

} // namespace tessaro::archive
