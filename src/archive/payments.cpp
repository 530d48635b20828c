#include "archive/payments.h"

#include "archive/codepage.h"
#include "archive/journal.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/text.h"

#include <algorithm>
#include <array>

namespace tessaro::archive {

namespace {

using Record = std::span<const std::uint8_t, PaymentsRecordSize>;

// Digits with at most one point, a "-" before them: what storedAmount writes.
bool isStoredAmount(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() && calc::detail::plainNumberValue(text).has_value();
}

std::string slotBytes(std::span<const std::uint8_t> record, std::size_t slot)
{
    const FieldSpec first = paymentFieldOf(slot, PaymentField::Date);
    const auto bytes = record.subspan(first.offset, PaymentSize);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

double ReceivedPayment::value() const
{
    return readable() ? calc::numericValue(amount) : 0;
}

double InvoicePayments::received() const
{
    double sum = 0;
    for (const ReceivedPayment& payment : payments)
        sum += payment.value();
    return sum;
}

bool InvoicePayments::hasUnreadable() const
{
    return std::any_of(payments.begin(), payments.end(), [](const auto& p) { return !p.readable(); });
}

std::string storedAmount(double amount)
{
    return calc::euroText(amount, '.');
}

void encodePayments(const InvoicePayments& payments, std::span<std::uint8_t, PaymentsRecordSize> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t {' '});
    putFieldText(out, fieldOf(PaymentTermsField::Method), payments.method);
    putFieldText(out, fieldOf(PaymentTermsField::Term), payments.term);
    putFieldText(out, fieldOf(PaymentTermsField::DueDate), payments.typedDue);
    const std::size_t count = std::min(payments.payments.size(), PaymentsPerInvoice);
    for (std::size_t slot = 0; slot < count; ++slot) {
        const ReceivedPayment& payment = payments.payments[slot];
        if (!payment.readable()) {
            const FieldSpec first = paymentFieldOf(slot, PaymentField::Date);
            std::copy_n(payment.unreadable.begin(), std::min(payment.unreadable.size(), PaymentSize),
                        out.begin() + static_cast<std::ptrdiff_t>(first.offset));
            continue;
        }
        putFieldText(out, paymentFieldOf(slot, PaymentField::Date), calc::storedDateText(payment.date));
        putFieldText(out, paymentFieldOf(slot, PaymentField::Amount), payment.amount);
        putFieldText(out, paymentFieldOf(slot, PaymentField::Method), payment.method);
        putFieldText(out, paymentFieldOf(slot, PaymentField::Note), payment.note);
    }
}

InvoicePayments decodePayments(Record in)
{
    // Zero bytes are a record, or the part of one, never written; most
    // records of a book are, and a register reads every one of them.
    const auto unused = [](std::span<const std::uint8_t> bytes) {
        return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0 || b == ' '; });
    };
    InvoicePayments payments;
    if (unused(in))
        return payments;
    std::array<std::uint8_t, PaymentsRecordSize> bytes;
    std::transform(in.begin(), in.end(), bytes.begin(), [](std::uint8_t b) { return b == 0 ? ' ' : b; });
    payments.method = fieldText(bytes, fieldOf(PaymentTermsField::Method));
    payments.term = fieldText(bytes, fieldOf(PaymentTermsField::Term));
    payments.typedDue = fieldText(bytes, fieldOf(PaymentTermsField::DueDate));
    for (std::size_t slot = 0; slot < PaymentsPerInvoice; ++slot) {
        if (auto payment = decodePayment(in, slot))
            payments.payments.push_back(std::move(*payment));
    }
    return payments;
}

std::optional<ReceivedPayment> decodePayment(Record in, std::size_t slot)
{
    const std::size_t start = paymentFieldOf(slot, PaymentField::Date).offset;
    std::array<std::uint8_t, PaymentSize> bytes;
    std::transform(in.begin() + static_cast<std::ptrdiff_t>(start),
                   in.begin() + static_cast<std::ptrdiff_t>(start + PaymentSize), bytes.begin(),
                   [](std::uint8_t b) { return b == 0 ? ' ' : b; });
    if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == ' '; }))
        return std::nullopt;
    // The slot's fields, from its own start.
    const auto field = [&](PaymentField which) {
        FieldSpec spec = paymentFieldOf(slot, which);
        spec.offset -= start;
        return fieldText(bytes, spec);
    };
    ReceivedPayment payment;
    const auto date = calc::parseStoredDate(field(PaymentField::Date));
    const std::string amount = field(PaymentField::Amount);
    if (date && isStoredAmount(amount)) {
        payment.date = *date;
        payment.amount = amount;
        payment.method = field(PaymentField::Method);
        payment.note = field(PaymentField::Note);
    } else {
        payment.unreadable = slotBytes(in, slot);
    }
    return payment;
}

Result<InvoicePayments> readPayments(const BookPaths& book, int number)
{
    if (!book.fs().exists(book.payments))
        return InvoicePayments {};
    std::array<std::uint8_t, PaymentsRecordSize> bytes {};
    if (Status read = readRecord(book.fs(), book.payments, number, bytes); !read)
        return read.error();
    return decodePayments(bytes);
}

Result<std::vector<std::uint8_t>> readPaymentRecords(const BookPaths& book, int count)
{
    return readLeadingRecords(book.fs(), book.payments, PaymentsRecordSize, count);
}

Status writePayments(const BookPaths& book, int first, std::span<const InvoicePayments> records, WriteStep step)
{
    std::vector<std::uint8_t> bytes(records.size() * PaymentsRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i)
        encodePayments(
            records[i],
            std::span<std::uint8_t, PaymentsRecordSize>(bytes.data() + i * PaymentsRecordSize, PaymentsRecordSize));
    return writeRecords(book.fs(), book.payments, PaymentsRecordSize, first, bytes, step);
}

Status storePayments(const BookPaths& book, int number, const InvoicePayments& payments, const std::string& operation)
{
    Journal journal(book.dir, operation);
    if (Status kept = journal.keepRecords(book.payments, PaymentsRecordSize, number, 1); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status status = writePayments(book, number, {&payments, 1}, WriteStep::InOperation); !status)
        return status;
    return journal.commit();
}

} // namespace tessaro::archive
