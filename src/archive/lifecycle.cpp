#include "archive/lifecycle.h"

#include "archive/clients.h"
#include "archive/journal.h"
#include "archive/notices.h"
#include "archive/record_file.h"
#include "archive/sdi_history.h"
#include "calc/defaults.h"
#include "calc/numbers.h"
#include "calc/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace tessaro::archive {

namespace {

// Far above any book, small enough that record offsets stay well inside 64 bits.
constexpr double SaturatedNumber = 1'000'000;

struct LoadedInvoice {
    InvoiceRecord invoice;
    ExtraLinesRecord extraLines;
    CreditNoteMark creditNote;
    InvoicePayments payments;
};

Result<LoadedInvoice> readStoredInvoice(const BookPaths& book, int number)
{
    auto invoice = readInvoice(book, number);
    if (!invoice)
        return invoice.error();
    auto lines = readExtraLines(book, number);
    if (!lines)
        return lines.error();
    auto mark = readCreditNote(book, number);
    if (!mark)
        return mark.error();
    auto payments = readPayments(book, number);
    if (!payments)
        return payments.error();
    return LoadedInvoice {invoice.value(), lines.value(), mark.value(), payments.value()};
}

// The number after the last record of the .arc that holds any byte: where a
// book whose counter is lost or damaged may safely take its next invoice.
// Records of zero bytes were never written (a file extended past them).
Result<int> numberAfterWrittenRecords(const BookPaths& book)
{
    auto file = RecordFile::open(book.fs(), book.invoices, InvoiceRecordSize);
    if (!file)
        return file.error();
    const auto records = file.value().recordCount();
    if (!records)
        return records.error();
    if (records.value() >= static_cast<std::uint64_t>(MaxNextNumber))
        return MaxNextNumber;
    std::vector<std::uint8_t> bytes(InvoiceRecordSize);
    for (auto number = static_cast<int>(records.value()); number >= 1; --number) {
        if (Status read = file.value().read(number, bytes); !read)
            return read.error();
        if (std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte != 0; }))
            return number + 1;
    }
    return 1;
}

} // namespace

// N of a book as its files give it. 0 is a book without a counter yet; a
// negative one can only come from a damaged file. Either way invoices already
// in the .arc keep their numbers: starting again from 1 would let the next
// save overwrite invoice 1.
Result<int> nextNumberOfBook(const BookPaths& book)
{
    auto counter = readCounter(book);
    if (!counter)
        return counter.error();
    if (counter.value() >= 1)
        return int {counter.value()};
    return numberAfterWrittenRecords(book);
}

BookPaths currentBook(const InvoiceForm& form, const AppState& state)
{
    return bookPaths(state.dataDir, state.currentIssuer, form.year, state.document);
}

IoError notTheLoadedBook(const BookPaths& book, const AppState& state)
{
    return {state.loadedBook == book.counter ? IoError::Action::Changed : IoError::Action::Read, book.counter};
}

int bookYearNumber(std::string_view yearText)
{
    int year = 0;
    const auto [end, error] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    return error == std::errc() && end == yearText.data() + yearText.size() ? year : 0;
}

bool isBookYear(std::string_view yearText)
{
    return calc::characterCount(yearText) == 4;
}

int invoiceNumber(std::string_view numberText)
{
    const double value = calc::numericValue(numberText);
    if (!(value >= 1))
        return 0;
    return static_cast<int>(std::floor(std::min(value, SaturatedNumber)));
}

InvoiceRecord blankInvoice(const AppState& state)
{
    InvoiceRecord invoice;
    invoice.vat = state.issuerTerms.vatOfNewInvoice();
    invoice.kind = "s";
    invoice.currency = std::string(1, state.newInvoiceFlag());
    invoice.rate = static_cast<float>(state.euroRate);
    return invoice;
}

void applyNewSlotRule(InvoiceForm& form, const AppState& state)
{
    const IssuerTerms& terms = state.issuerTerms;
    form.vat = terms.vatOfNewInvoice();
    form.pension = terms.newPension;
    form.withholding = terms.newWithholding;
    form.buffer.currency = std::string(1, state.newInvoiceFlag());
    form.buffer.rate = static_cast<float>(state.euroRate);
    form.rateText = calc::rateText(form.buffer.rate, state.decimalSeparator);
    form.payments = newInvoiceTerms(state);
}

InvoicePayments newInvoiceTerms(const AppState& state)
{
    return {state.issuerTerms.paymentMethod, state.issuerTerms.paymentTerm, {}, {}};
}

void clearResults(InvoiceForm& form)
{
    form.taxable.clear();
    form.vatAmount.clear();
    form.withholdingAmount.clear();
    form.total.clear();
}

void clearInvoice(InvoiceForm& form, const AppState& state)
{
    form.client = PartyRecord {};
    form.day.clear();
    form.month.clear();
    for (int line = 0; line < 3; ++line) {
        form.description[line].clear();
        form.amount[line].clear();
        form.quantity[line].clear();
    }
    form.pension.clear();
    form.expenses.clear();
    form.expenses2.clear();
    form.withholding.clear();
    clearResults(form);
    form.onAccount = false;
    form.balance = true;
    form.creditNote = CreditNoteMark {};
    form.sdiStatus.clear();
    applyNewSlotRule(form, state);
}

void showStoredResults(InvoiceForm& form, const AppState& state)
{
    const calc::InvoiceTexts texts = invoiceTexts(form, state.invoiceType, state.decimalSeparator, state.figureTerms());
    applyResults(form, calc::calculateForward(texts).results);
}

Status loadInvoice(InvoiceForm& form, const AppState& state, int number)
{
    auto stored = readStoredInvoice(currentBook(form, state), number);
    if (!stored)
        return stored.error();
    clearResults(form);
    form.buffer = stored.value().invoice;
    copyBufferToForm(form, state.decimalSeparator);
    // Past the last stored invoice a record means nothing (zero bytes or an old
    // slot), so it must not lend an empty currency or a rate of 0 to what is saved there.
    if (number >= state.nextNumber)
        applyNewSlotRule(form, state);
    form.extraLines = stored.value().extraLines;
    // Past N a mark is what a deleted invoice left behind.
    form.creditNote = number < state.nextNumber ? stored.value().creditNote : CreditNoteMark {};
    if (number < state.nextNumber)
        form.payments = stored.value().payments;
    markUnchanged(form);
    if (number < state.nextNumber)
        showStoredResults(form, state);
    refreshDocumentStatus(form, state);
    return {};
}

Status switchYear(InvoiceForm& form, AppState& state)
{
    if (!isBookYear(form.year))
        return {};
    const BookPaths book = currentBook(form, state);
    if (Status created = createBook(book); !created)
        return created;
    auto counted = nextNumberOfBook(book);
    if (!counted)
        return counted.error();
    const int next = counted.value();

    AppState switched = state;
    switched.nextNumber = static_cast<std::int16_t>(next);
    InvoiceForm loaded = form;
    loaded.number = std::to_string(next);
    if (Status status = loadInvoice(loaded, switched, next); !status)
        return status;
    form = std::move(loaded);
    state.nextNumber = switched.nextNumber;
    state.loadedBook = book.counter;
    state.loadedYear = form.year;
    return {};
}

bool pensionFitsRecord(std::string_view pension)
{
    return calc::numericValue(fitToWidth(pension, fieldOf(InvoiceField::Pension).width)) == calc::numericValue(pension);
}

Status saveInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    // N is taken from the book itself: after a year switch that failed, the
    // one held belongs to another book or to none. Blank invoices filling a
    // gap from it would land on stored invoices, and the window shows an
    // invoice of another book under this book's numbers: that save is refused.
    auto counted = nextNumberOfBook(book);
    if (!counted)
        return counted.error();
    const int known = counted.value();
    if (state.nextNumber > 0 && known != state.nextNumber)
        return notTheLoadedBook(book, state);
    InvoiceForm saved = form;
    copyFormToBuffer(saved);
    // A full client archive (or a count damaged up to its limit) only stops
    // the client from being added; the invoice itself is still saved.
    int newClient = 0;
    if (!clientArchiveFull(state)) {
        auto client = newClientNumber(state, saved.buffer.client);
        if (!client)
            return client.error();
        newClient = client.value();
    }

    // A save reported as not done must not leave half an invoice behind:
    // invoice n in both files, the gap before it, the counter and the client.
    const bool extends = number >= known;
    const int firstWritten = extends ? known : number;
    Journal journal(state.dataDir,
                    (book.ofNotices() ? "Salva avviso di parcella n. " : "Salva fattura n. ") + std::to_string(number)
                        + " del " + form.year);
    if (Status kept = journal.keepRecords(book.invoices, InvoiceRecordSize, firstWritten,
                                          static_cast<std::uint64_t>(number - firstWritten + 1));
        !kept)
        return kept;
    if (Status kept = journal.keepRecords(book.extraLines, ExtraLinesRecordSize, number, 1); !kept)
        return kept;
    // A book gets its .ndc with its first credit note; from then on every
    // record written, the gap's too, says whether it is one.
    const bool marks = saved.creditNote.isCreditNote || book.fs().exists(book.creditNotes);
    if (marks) {
        if (Status kept = journal.keepRecords(book.creditNotes, CreditNoteRecordSize, firstWritten,
                                              static_cast<std::uint64_t>(number - firstWritten + 1));
            !kept)
            return kept;
    }
    // Terms go the way of the marks; the payments of a stored invoice stay
    // as its own window wrote them, and a new one has none yet.
    const bool terms = saved.payments.hasTerms() || book.fs().exists(book.payments);
    std::vector<InvoicePayments> termsWritten;
    if (terms) {
        termsWritten.resize(static_cast<std::size_t>(number - firstWritten + 1));
        if (!extends) {
            auto stored = readPayments(book, number);
            if (!stored)
                return stored.error();
            termsWritten.back().payments = stored.value().payments;
        }
        termsWritten.back().method = saved.payments.method;
        termsWritten.back().term = saved.payments.term;
        termsWritten.back().typedDue = saved.payments.typedDue;
        if (Status kept = journal.keepRecords(book.payments, PaymentsRecordSize, firstWritten,
                                              static_cast<std::uint64_t>(number - firstWritten + 1));
            !kept)
            return kept;
    }
    if (extends) {
        if (Status kept = journal.keepRecords(book.counter, CounterRecordSize, 1, 1); !kept)
            return kept;
    }
    if (newClient > 0) {
        if (Status kept = keepClientAppend(journal, state.dataDir, newClient); !kept)
            return kept;
    }
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status status = writeInvoice(book, number, saved.buffer, WriteStep::InOperation); !status)
        return status;
    if (Status status = writeExtraLines(book, number, saved.extraLines, WriteStep::InOperation); !status)
        return status;
    if (marks) {
        std::vector<CreditNoteMark> written(static_cast<std::size_t>(number - firstWritten + 1));
        written.back() = saved.creditNote;
        if (Status status = writeCreditNotes(book, firstWritten, written, WriteStep::InOperation); !status)
            return status;
    }
    if (terms) {
        if (Status status = writePayments(book, firstWritten, termsWritten, WriteStep::InOperation); !status)
            return status;
    }
    if (newClient > 0) {
        if (Status status = appendClient(state.dataDir, newClient, saved.buffer.client); !status)
            return status;
    }
    if (extends) {
        // The gap goes in before the counter, so the counter never covers a record that was not written.
        const InvoiceRecord blank = blankInvoice(state);
        for (int gap = known; gap < number; ++gap) {
            if (Status status = writeInvoice(book, gap, blank, WriteStep::InOperation); !status)
                return status;
        }
        if (Status status = writeCounter(book, static_cast<std::int16_t>(number + 1), WriteStep::InOperation); !status)
            return status;
    }
    if (Status done = journal.commit(); !done)
        return done;
    if (newClient > 0)
        state.clientCount = static_cast<std::int16_t>(newClient);

    if (!extends) {
        state.nextNumber = static_cast<std::int16_t>(known);
        if (terms)
            saved.payments = termsWritten.back();
        markUnchanged(saved);
        refreshDocumentStatus(saved, state);
        form = std::move(saved);
        return {};
    }
    const auto next = static_cast<std::int16_t>(number + 1);
    state.nextNumber = next;
    auto slot = readInvoice(book, next);
    if (!slot) {
        markUnchanged(saved);
        form = std::move(saved);
        return slot.error();
    }
    saved.buffer = slot.value();
    copyBufferToForm(saved, state.decimalSeparator);
    applyNewSlotRule(saved, state);
    saved.number = std::to_string(next);
    // A new invoice starts without lines 4 to 10; keeping the saved invoice's
    // lines would silently add them to the next one.
    saved.extraLines = ExtraLinesRecord {};
    saved.creditNote = CreditNoteMark {};
    markUnchanged(saved);
    form = std::move(saved);
    return {};
}

} // namespace tessaro::archive
