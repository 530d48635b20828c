// The terms and the payments of the invoices of a book: the .inc beside the
// .arc, one record per invoice number (layout in fields.h). A book whose
// invoices were never given terms or payments has no .inc and reads as
// before; once written the file follows the invoices through every
// renumbering, like the .ndc.
#pragma once

#include "archive/book.h"
#include "archive/fields.h"
#include "archive/io_result.h"
#include "archive/record_file.h"
#include "calc/calendar.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

struct ReceivedPayment {
    calc::Date date;
    std::string amount; // point form, "-" for money given back
    std::string method; // ModalitaPagamento code; empty when not said
    std::string note;
    // The bytes of a slot that make no date or no amount, kept as they are:
    // a damaged record is shown, never rewritten behind the user's back.
    std::string unreadable;

    bool readable() const { return unreadable.empty(); }
    // 0 for an unreadable slot.
    double value() const;
    bool operator==(const ReceivedPayment&) const = default;
};

struct InvoicePayments {
    std::string method; // ModalitaPagamento code; empty when none was chosen
    std::string term; // code of calc::paymentTerms(); empty when none
    std::string typedDue; // yyyymmdd, for the term of a typed date
    std::vector<ReceivedPayment> payments; // in the order recorded, at most PaymentsPerInvoice

    bool hasTerms() const { return !method.empty() || !term.empty(); }
    bool empty() const { return !hasTerms() && typedDue.empty() && payments.empty(); }
    // The readable payments summed.
    double received() const;
    bool hasUnreadable() const;
    bool operator==(const InvoicePayments&) const = default;
};

void encodePayments(const InvoicePayments& payments, std::span<std::uint8_t, PaymentsRecordSize> out);
InvoicePayments decodePayments(std::span<const std::uint8_t, PaymentsRecordSize> in);
// One place of the record (0 .. PaymentsPerInvoice - 1); nothing for an empty one.
std::optional<ReceivedPayment> decodePayment(std::span<const std::uint8_t, PaymentsRecordSize> in, std::size_t slot);

// No .inc, or no record n in it, is an invoice without terms or payments;
// reading never creates the file.
Result<InvoicePayments> readPayments(const BookPaths& book, int number);
// Records 1 .. count end to end, zero bytes where the file holds none.
Result<std::vector<std::uint8_t>> readPaymentRecords(const BookPaths& book, int count);
// Records first, first + 1, ... in one transfer; creates the file when needed.
Status writePayments(const BookPaths& book, int first, std::span<const InvoicePayments> records,
                     WriteStep step = WriteStep::Alone);

// Record n alone as one operation of the journal, named for the user: on
// the disk when it returns without error, as before otherwise.
Status storePayments(const BookPaths& book, int number, const InvoicePayments& payments, const std::string& operation);

// The amount a payment stores: two decimals, point form.
std::string storedAmount(double amount);

} // namespace tessaro::archive
