// The fee notices ("avvisi di parcella") a professional sends before the
// payment, and the invoice each becomes once paid. A book of notices is a
// book like the invoices' (see bookPaths()), with files of its own; its .avf
// says, per notice, which invoice it became. Invoices renumbered or deleted
// take the marks that point at them along (see maintenance.h).
#pragma once

#include "archive/app_state.h"
#include "archive/book.h"
#include "archive/fields.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"
#include "archive/journal.h"
#include "calc/calendar.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

struct NoticeInvoiced {
    int year = 0; // of the invoice's book
    int number = 0; // 0: not invoiced yet
    calc::Date date {};

    bool invoiced() const { return number > 0; }
    bool operator==(const NoticeInvoiced&) const = default;
};

void encodeNoticeInvoiced(const NoticeInvoiced& mark, std::span<std::uint8_t, NoticeInvoicedRecordSize> out);
// A record that names no invoice (blank, never written, damaged) is a notice not invoiced.
NoticeInvoiced decodeNoticeInvoiced(std::span<const std::uint8_t, NoticeInvoicedRecordSize> in);

// No .avf, or no record n in it, is a notice not invoiced; reading never creates the file.
Result<NoticeInvoiced> readNoticeInvoiced(const BookPaths& notices, int number);
// Notices 1 .. count.
Result<std::vector<NoticeInvoiced>> readNoticesInvoiced(const BookPaths& notices, int count);
Status writeNoticeInvoiced(const BookPaths& notices, int number, const NoticeInvoiced& mark,
                           WriteStep step = WriteStep::Alone);

// "fatturato con la fattura n. 5 del 12/01/2027"; "da fatturare" for a notice not invoiced.
std::string invoicedText(const NoticeInvoiced& mark);

// What became of the document on screen, for the title: its electronic
// invoice (see refreshSdiStatus()), or for a stored notice its invoice.
void refreshDocumentStatus(InvoiceForm& form, const AppState& state);

// A notice's mark as an operation on the invoices changes it.
struct NoticeMarkChange {
    BookPaths notices;
    int number = 0;
    NoticeInvoiced mark; // as it becomes
};

// What renumbering the invoices of one year from `from` on does to the marks
// of the issuer's notices: shift +1 moves the invoices from `from` up by one
// (an insertion), -1 removes invoice `from` and moves the later ones down
// (its notices wait for an invoice again), 0 removes the whole year.
Result<std::vector<NoticeMarkChange>> noticeMarksAfter(const DataDir& dir, int issuer, int invoiceYear, int from,
                                                       int shift);
// Before the operation's begin(): the records the changes write.
Status keepNoticeMarks(Journal& journal, std::span<const NoticeMarkChange> changes);
// In the operation: the changes written.
Status writeNoticeMarks(std::span<const NoticeMarkChange> changes);

// The invoice a paid notice becomes: everything the notice says, dated the
// day of the payment, with the payment of its whole amount to pay recorded
// by the notice's method.
struct InvoiceFromNotice {
    BookPaths notices;
    int noticeNumber = 0;
    std::string noticeYear;
    calc::Date paid {};
    calc::InvoiceType type = calc::InvoiceType::Professional;
    calc::InvoiceTerms terms; // of the issuer's invoices
};
struct IssuedInvoice {
    // Why nothing was written, when something in the books stands against it.
    enum class Refusal { None, AlreadyInvoiced, NoEuroAmount, BookFull };
    Refusal refusal = Refusal::None;
    NoticeInvoiced mark; // the notice's, as it now stands
    BookPaths book;
    int number = 0;
    double toPay = 0; // in euro, recorded as received
};

// One operation of the journal across the two books: the invoice at the
// first free number of the book of the payment's year, its payment, its
// counter and the notice's mark; a failure at any step leaves both books as
// they were. A refusal writes nothing.
Result<IssuedInvoice> issueInvoice(const InvoiceFromNotice& request, int issuer);

} // namespace tessaro::archive
