#include "archive/lifecycle.h"

#include "archive/clients.h"
#include "archive/file_snapshot.h"
#include "archive/file_system.h"
#include "archive/record_file.h"
#include "calc/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace tessaro::archive {

namespace {

// Far above any book, small enough that record offsets stay well inside 64 bits.
constexpr double SaturatedNumber = 1'000'000;

std::size_t characterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

struct LoadedInvoice {
    InvoiceRecord invoice;
    ExtraLinesRecord extraLines;
};

Result<LoadedInvoice> readStoredInvoice(const BookPaths& book, int number)
{
    auto invoice = readInvoice(book, number);
    if (!invoice)
        return invoice.error();
    auto lines = readExtraLines(book, number);
    if (!lines)
        return lines.error();
    return LoadedInvoice {invoice.value(), lines.value()};
}

// The number after the last record of the .arc that holds any byte: where a
// book whose counter is lost or damaged may safely take its next invoice.
// Records of zero bytes were never written (a file extended past them).
Result<int> numberAfterWrittenRecords(const std::string& invoicesPath)
{
    const auto file = fileSystem().open(invoicesPath);
    if (!file)
        return IoError {IoError::Action::Open, invoicesPath};
    const auto size = file->size();
    if (!size)
        return IoError {IoError::Action::Read, invoicesPath};
    const std::uint64_t records = (*size + InvoiceRecordSize - 1) / InvoiceRecordSize;
    if (records >= static_cast<std::uint64_t>(MaxNextNumber))
        return MaxNextNumber;
    std::vector<std::uint8_t> bytes(InvoiceRecordSize);
    for (auto number = static_cast<int>(records); number >= 1; --number) {
        const auto got = file->readAt(static_cast<std::uint64_t>(number - 1) * InvoiceRecordSize, bytes);
        if (!got)
            return IoError {IoError::Action::Read, invoicesPath};
        if (std::any_of(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(*got),
                        [](std::uint8_t byte) { return byte != 0; }))
            return number + 1;
    }
    return 1;
}

// Invoice n in both files before a save; a save reported as not done must not
// leave half an invoice behind.
struct InvoiceBefore {
    FileSnapshot invoice;
    FileSnapshot extraLines;
    bool extraLinesWritten = false;

    Status undo(Status failure) const
    {
        invoice.restore();
        if (extraLinesWritten)
            extraLines.restore();
        return failure;
    }
};

Result<InvoiceBefore> readInvoiceBefore(const BookPaths& book, int number)
{
    auto invoice = FileSnapshot::take(book.invoices, static_cast<std::uint64_t>(number - 1) * InvoiceRecordSize,
                                      InvoiceRecordSize);
    if (!invoice)
        return invoice.error();
    auto extraLines = FileSnapshot::take(book.extraLines, static_cast<std::uint64_t>(number - 1) * ExtraLinesRecordSize,
                                         ExtraLinesRecordSize);
    if (!extraLines)
        return extraLines.error();
    return InvoiceBefore {std::move(invoice.value()), std::move(extraLines.value())};
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
    return numberAfterWrittenRecords(book.invoices);
}

BookPaths currentBook(const InvoiceForm& form, const AppState& state)
{
    return bookPaths(state.dataDir, state.currentIssuer, form.year);
}

bool isBookYear(std::string_view yearText)
{
    return characterCount(yearText) == 4;
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
    invoice.vat = "22";
    invoice.kind = "s";
    invoice.currency = std::string(1, state.newInvoiceFlag());
    invoice.rate = static_cast<float>(state.euroRate);
    return invoice;
}

void applyNewSlotRule(InvoiceForm& form, const AppState& state)
{
    form.buffer.currency = std::string(1, state.newInvoiceFlag());
    form.buffer.rate = static_cast<float>(state.euroRate);
    form.rateText = calc::rateText(form.buffer.rate, state.decimalSeparator);
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
    form.vat = "22";
    form.onAccount = false;
    form.balance = true;
    applyNewSlotRule(form, state);
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
        return IoError {IoError::Action::Read, book.counter};
    InvoiceForm saved = form;
    copyFormToBuffer(saved);
    auto read = readInvoiceBefore(book, number);
    if (!read)
        return read.error();
    InvoiceBefore& before = read.value();
    if (Status status = writeInvoice(book, number, saved.buffer); !status)
        return status;
    before.extraLinesWritten = true;
    if (Status status = writeExtraLines(book, number, saved.extraLines); !status)
        return before.undo(status);
    // A full client archive (or a count damaged up to its limit) only stops
    // the client from being added; the invoice itself is still saved.
    if (!clientArchiveFull(state)) {
        if (auto registered = registerClient(state, saved.buffer.client); !registered)
            return before.undo(registered.error());
    }

    if (number < known) {
        state.nextNumber = static_cast<std::int16_t>(known);
        form = std::move(saved);
        return {};
    }
    // The gap goes in before the counter, so the counter never covers a record that was not written.
    const InvoiceRecord blank = blankInvoice(state);
    for (int gap = known; gap < number; ++gap) {
        if (Status status = writeInvoice(book, gap, blank); !status)
            return before.undo(status);
    }
    const auto next = static_cast<std::int16_t>(number + 1);
    if (Status status = writeCounter(book, next); !status)
        return before.undo(status);
    state.nextNumber = next;

    auto slot = readInvoice(book, next);
    if (!slot) {
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
    form = std::move(saved);
    return {};
}

} // namespace tessaro::archive
