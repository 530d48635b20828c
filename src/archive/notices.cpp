#include "archive/notices.h"

#include "archive/codepage.h"
#include "archive/credit_notes.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "archive/register.h"
#include "archive/sdi_history.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/text.h"

#include <array>
#include <charconv>

namespace tessaro::archive {

namespace {

std::optional<int> wholeNumber(std::span<const std::uint8_t> record, NoticeInvoicedField field)
{
    const std::string text = fieldText(record, fieldOf(field));
    const std::string_view digits = calc::trimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || value < 1)
        return std::nullopt;
    return value;
}

std::string noticeNote(const InvoiceFromNotice& request)
{
    return "avviso di parcella n. " + std::to_string(request.noticeNumber) + "/" + request.noticeYear;
}

// The terms of the invoice: the notice's, but a due date typed for the
// notice that the payment has passed gives way to the day of the payment.
InvoicePayments paidTerms(const InvoicePayments& notice, const InvoiceFromNotice& request, double toPay)
{
    InvoicePayments terms;
    terms.method = notice.method;
    terms.term = notice.term;
    terms.typedDue = notice.typedDue;
    if (const auto due = calc::parseStoredDate(notice.typedDue); due && *due < request.paid)
        terms.typedDue = calc::storedDateText(request.paid);
    terms.payments.push_back({request.paid, storedAmount(toPay), notice.method, noticeNote(request), {}});
    return terms;
}

} // namespace

void encodeNoticeInvoiced(const NoticeInvoiced& mark, std::span<std::uint8_t, NoticeInvoicedRecordSize> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t {' '});
    if (!mark.invoiced())
        return;
    putFieldText(out, fieldOf(NoticeInvoicedField::Year), std::to_string(mark.year));
    putFieldText(out, fieldOf(NoticeInvoicedField::Number), std::to_string(mark.number));
    putFieldText(out, fieldOf(NoticeInvoicedField::Date), calc::storedDateText(mark.date));
}

NoticeInvoiced decodeNoticeInvoiced(std::span<const std::uint8_t, NoticeInvoicedRecordSize> in)
{
    const auto year = wholeNumber(in, NoticeInvoicedField::Year);
    const auto number = wholeNumber(in, NoticeInvoicedField::Number);
    const auto date = calc::parseStoredDate(fieldText(in, fieldOf(NoticeInvoicedField::Date)));
    if (!year || !number || !date)
        return {};
    return {*year, *number, *date};
}

Result<NoticeInvoiced> readNoticeInvoiced(const BookPaths& notices, int number)
{
    if (number < 1 || !notices.fs().exists(notices.invoiced))
        return NoticeInvoiced {};
    std::array<std::uint8_t, NoticeInvoicedRecordSize> bytes {};
    if (Status read = readRecord(notices.fs(), notices.invoiced, number, bytes); !read)
        return read.error();
    return decodeNoticeInvoiced(bytes);
}

Result<std::vector<NoticeInvoiced>> readNoticesInvoiced(const BookPaths& notices, int count)
{
    auto bytes = readLeadingRecords(notices.fs(), notices.invoiced, NoticeInvoicedRecordSize, count);
    if (!bytes)
        return bytes.error();
    std::vector<NoticeInvoiced> marks;
    marks.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t at = 0; at + NoticeInvoicedRecordSize <= bytes.value().size(); at += NoticeInvoicedRecordSize)
        marks.push_back(decodeNoticeInvoiced(std::span<const std::uint8_t, NoticeInvoicedRecordSize>(
            bytes.value().data() + at, NoticeInvoicedRecordSize)));
    return marks;
}

Status writeNoticeInvoiced(const BookPaths& notices, int number, const NoticeInvoiced& mark, WriteStep step)
{
    std::array<std::uint8_t, NoticeInvoicedRecordSize> bytes {};
    encodeNoticeInvoiced(mark, bytes);
    return writeRecord(notices.fs(), notices.invoiced, number, bytes, step);
}

std::string invoicedText(const NoticeInvoiced& mark)
{
    if (!mark.invoiced())
        return "da fatturare";
    return "fatturato con la fattura n. " + std::to_string(mark.number) + " del " + calc::dateText(mark.date);
}

void refreshDocumentStatus(InvoiceForm& form, const AppState& state)
{
    refreshSdiStatus(form, state);
    form.notice = state.onNotices();
    form.noticeStatus.clear();
    const int number = invoiceNumber(form.number);
    if (!form.notice || !isBookYear(form.year) || number < 1 || number >= state.nextNumber)
        return;
    if (auto mark = readNoticeInvoiced(currentBook(form, state), number))
        form.noticeStatus = invoicedText(mark.value());
}

Result<std::vector<NoticeMarkChange>> noticeMarksAfter(const DataDir& dir, int issuer, int invoiceYear, int from,
                                                       int shift)
{
    auto books = issuerBooks(dir, issuer, "avf", Document::Notices);
    if (!books)
        return books.error();
    std::vector<NoticeMarkChange> changes;
    for (const BookOfYear& book : books.value()) {
        // A notice is invoiced on its day or later, never in an earlier year's book.
        if (book.year > invoiceYear)
            continue;
        auto file = RecordFile::open(book.paths.fs(), book.paths.invoiced, NoticeInvoicedRecordSize);
        if (!file)
            return file.error();
        const auto count = file.value().recordCount();
        if (!count)
            return count.error();
        auto marks = readNoticesInvoiced(book.paths, static_cast<int>(std::min<std::uint64_t>(count.value(), 32767)));
        if (!marks)
            return marks.error();
        for (std::size_t i = 0; i < marks.value().size(); ++i) {
            NoticeInvoiced mark = marks.value()[i];
            if (mark.year != invoiceYear || mark.number < from)
                continue;
            if (shift > 0)
                ++mark.number;
            else if (shift < 0 && mark.number > from)
                --mark.number;
            else
                mark = {};
            changes.push_back({book.paths, static_cast<int>(i) + 1, mark});
        }
    }
    return changes;
}

Status keepNoticeMarks(Journal& journal, std::span<const NoticeMarkChange> changes)
{
    for (const NoticeMarkChange& change : changes) {
        if (Status kept = journal.keepRecords(change.notices.invoiced, NoticeInvoicedRecordSize, change.number, 1);
            !kept)
            return kept;
    }
    return {};
}

Status writeNoticeMarks(std::span<const NoticeMarkChange> changes)
{
    for (const NoticeMarkChange& change : changes) {
        if (Status written = writeNoticeInvoiced(change.notices, change.number, change.mark, WriteStep::InOperation);
            !written)
            return written;
    }
    return {};
}

Result<IssuedInvoice> issueInvoice(const InvoiceFromNotice& request, int issuer)
{
    const BookPaths& notices = request.notices;
    IssuedInvoice issued;
    auto mark = readNoticeInvoiced(notices, request.noticeNumber);
    if (!mark)
        return mark.error();
    issued.mark = mark.value();
    if (issued.mark.invoiced()) {
        issued.refusal = IssuedInvoice::Refusal::AlreadyInvoiced;
        return issued;
    }
    std::array<std::uint8_t, InvoiceRecordSize> record {};
    if (Status read = readRecord(notices.fs(), notices.invoices, request.noticeNumber, record); !read)
        return read.error();
    std::array<std::uint8_t, ExtraLinesRecordSize> lines {};
    if (Status read = readRecord(notices.fs(), notices.extraLines, request.noticeNumber, lines); !read)
        return read.error();
    auto noticeTerms = readPayments(notices, request.noticeNumber);
    if (!noticeTerms)
        return noticeTerms.error();

    putFieldText(record, fieldOf(InvoiceField::Day), calc::twoDigits(request.paid.day));
    putFieldText(record, fieldOf(InvoiceField::Month), calc::twoDigits(request.paid.month));
    const RegisterRow row = registerRow(request.noticeNumber, record, lines, request.type, request.terms);
    if (!row.counted()) {
        issued.refusal = IssuedInvoice::Refusal::NoEuroAmount;
        return issued;
    }
    issued.toPay = row.figures.toPay;

    issued.book = bookPaths(notices.dir, issuer, std::to_string(request.paid.year));
    const BookPaths& book = issued.book;
    if (Status created = createBook(book); !created)
        return created.error();
    auto next = nextNumberOfBook(book);
    if (!next)
        return next.error();
    issued.number = std::max(next.value(), 1);
    if (issued.number > MaxInvoiceNumber) {
        issued.refusal = IssuedInvoice::Refusal::BookFull;
        return issued;
    }
    const int number = issued.number;
    const InvoicePayments payments = paidTerms(noticeTerms.value(), request, issued.toPay);
    const NoticeInvoiced invoiced {request.paid.year, number, request.paid};

    Journal journal(notices.dir,
                    "Emetti fattura dall'avviso di parcella n. " + std::to_string(request.noticeNumber) + " del "
                        + request.noticeYear);
    std::vector<SideFile> kept {{&book.invoices, InvoiceRecordSize},
                                {&book.extraLines, ExtraLinesRecordSize},
                                {&book.payments, PaymentsRecordSize}};
    for (const SideFile& side : {SideFile {&book.creditNotes, CreditNoteRecordSize}, {&book.einvoices, SdiRecordSize}})
        if (book.fs().exists(*side.path))
            kept.push_back(side);
    for (const SideFile& file : kept) {
        if (Status keep = journal.keepRecords(*file.path, file.recordLength, number, 1); !keep)
            return keep.error();
    }
    if (Status keep = journal.keepRecords(book.counter, CounterRecordSize, 1, 1); !keep)
        return keep.error();
    if (Status keep = journal.keepRecords(notices.invoiced, NoticeInvoicedRecordSize, request.noticeNumber, 1); !keep)
        return keep.error();
    if (Status begun = journal.begin(); !begun)
        return begun.error();

    if (Status written = writeRecord(book.fs(), book.invoices, number, record, WriteStep::InOperation); !written)
        return written.error();
    if (Status written = writeRecord(book.fs(), book.extraLines, number, lines, WriteStep::InOperation); !written)
        return written.error();
    if (Status written = writePayments(book, number, {&payments, 1}, WriteStep::InOperation); !written)
        return written.error();
    // What a deleted invoice left at the free number must not come back with this one.
    if (book.fs().exists(book.creditNotes)) {
        const CreditNoteMark none;
        if (Status written = writeCreditNotes(book, number, {&none, 1}, WriteStep::InOperation); !written)
            return written.error();
    }
    if (book.fs().exists(book.einvoices)) {
        if (Status written = writeSdiHistory(book, number, {}, WriteStep::InOperation); !written)
            return written.error();
    }
    if (Status written = writeCounter(book, static_cast<std::int16_t>(number + 1), WriteStep::InOperation); !written)
        return written.error();
    if (Status written = writeNoticeInvoiced(notices, request.noticeNumber, invoiced, WriteStep::InOperation); !written)
        return written.error();
    if (Status done = journal.commit(); !done)
        return done.error();
    issued.mark = invoiced;
    return issued;
}

} // namespace tessaro::archive
