// Moving invoices between the window (an InvoiceForm) and the book of the
// current issuer and year: the year switch, loading, clearing and saving.
// Nothing here asks or tells the user; every step that touches a file
// returns its Status, and on failure leaves the form and the state as they
// were before that step.
#pragma once

#include "archive/app_state.h"
#include "archive/book.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"
#include "archive/records.h"

#include <string_view>

namespace tessaro::archive {

// The counter is a 16-bit integer holding the number after the last invoice,
// so the last invoice a book can hold is 32766.
inline constexpr int MaxNextNumber = 32767;
inline constexpr int MaxInvoiceNumber = MaxNextNumber - 1;

// The book of the current issuer and the year field.
BookPaths currentBook(const InvoiceForm& form, const AppState& state);

// N as the files of a book give it: the counter, or when it is missing, 0 or
// negative, the number after the last .arc record that holds any byte.
Result<int> nextNumberOfBook(const BookPaths& book);

// The refusal of a command whose book does not hold the N the window holds:
// the book was changed outside this window, or its year switch failed.
IoError notTheLoadedBook(const BookPaths& book, const AppState& state);

// The year field names a book only when it holds exactly four characters.
bool isBookYear(std::string_view yearText);
// The year of a book as a number; 0 for a year text that is not all digits.
int bookYearNumber(std::string_view yearText);

// The number field as a record number: the whole part of its numeric value,
// 0 when that is below 1; very large values saturate well above any book.
int invoiceNumber(std::string_view numberText);

// An empty invoice as a gap or an insertion writes it: the issuer's VAT of a new invoice, kind "s",
// the currency of the menu and the rate EuroRate.
InvoiceRecord blankInvoice(const AppState& state);

// A number that has no stored invoice takes the percentages the issuer
// starts new invoices with, the currency of the menu and EuroRate, shown in etccambio.
void applyNewSlotRule(InvoiceForm& form, const AppState& state);
// The terms the issuer gives its new invoices, without payments.
InvoicePayments newInvoiceTerms(const AppState& state);

void clearResults(InvoiceForm& form);

// Empties the invoice fields and the results, "a saldo", and gives the form
// what a new invoice starts with. The extra lines stay.
void clearInvoice(InvoiceForm& form, const AppState& state);

// The totals of a stored invoice as "Calcola" shows them, from the amounts engine.
void showStoredResults(InvoiceForm& form, const AppState& state);

// Loads invoice m of the current book into the form: results emptied, record
// m of the .arc through the buffer into the fields, record m of the .agg
// into the extra lines; from N on the new-slot rule applies.
Status loadInvoice(InvoiceForm& form, const AppState& state, int number);

// With a four-character year: creates the book's missing files, reads N (0
// reads as 1), shows N in the number field and loads it. Any other year
// changes nothing.
Status switchYear(InvoiceForm& form, AppState& state);

// The pension-fund percentage keeps one character in the record; true when
// that character still reads as the value typed.
bool pensionFitsRecord(std::string_view pension);

// Saves the form as invoice n (1..MaxInvoiceNumber) and registers its client.
// From N on, blank invoices fill the gap, N becomes n + 1 and the form moves
// to the new first free number with empty extra lines; before N the form
// stays on n.
Status saveInvoice(InvoiceForm& form, AppState& state, int number);

} // namespace tessaro::archive
