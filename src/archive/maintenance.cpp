#include "archive/maintenance.h"

#include "archive/book.h"
#include "archive/file_snapshot.h"
#include "archive/file_system.h"
#include "archive/issuers.h"
#include "archive/lifecycle.h"
#include "archive/settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::archive {

namespace {

// The tails of both files from record n on, as they were before a
// renumbering: what a shift stopped part way leaves behind (an invoice copied
// twice, the last one pushed past the counter) is put back.
struct BookBefore {
    FileSnapshot invoices;
    FileSnapshot extraLines;

    Status undo(Status failure) const
    {
        invoices.restore();
        extraLines.restore();
        return failure;
    }
};

Result<BookBefore> readBookFrom(const BookPaths& book, int first)
{
    auto invoices = FileSnapshot::take(book.invoices, static_cast<std::uint64_t>(first - 1) * InvoiceRecordSize,
                                       FileSnapshot::ToTheEnd);
    if (!invoices)
        return invoices.error();
    auto extraLines = FileSnapshot::take(book.extraLines, static_cast<std::uint64_t>(first - 1) * ExtraLinesRecordSize,
                                         FileSnapshot::ToTheEnd);
    if (!extraLines)
        return extraLines.error();
    return BookBefore {std::move(invoices.value()), std::move(extraLines.value())};
}

// The renumbering works on the book the year field names; when that is not
// the book whose N is held (its year switch failed), the shift would move
// the wrong records and cut the book at the wrong number.
Status checkLoadedBook(const BookPaths& book, const AppState& state)
{
    auto next = nextNumberOfBook(book);
    if (!next)
        return next.error();
    if (next.value() != state.nextNumber)
        return IoError {IoError::Action::Read, book.counter};
    return {};
}

} // namespace

Status insertInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    const auto next = static_cast<std::int16_t>(state.nextNumber + 1);
    if (number < 1)
        return IoError {IoError::Action::Write, book.invoices};
    if (Status loaded = checkLoadedBook(book, state); !loaded)
        return loaded;
    // Until the counter is written the book must read as it did: a failure
    // anywhere puts back every record the insertion moved.
    auto read = readBookFrom(book, number);
    if (!read)
        return read.error();
    const BookBefore& before = read.value();
    if (Status status = shiftUp(book, number, next); !status)
        return before.undo(status);
    const InvoiceRecord blank = blankInvoice(state);
    if (Status status = writeInvoice(book, number, blank); !status)
        return before.undo(status);
    if (Status status = writeExtraLines(book, number, ExtraLinesRecord {}); !status)
        return before.undo(status);
    if (Status status = writeCounter(book, next); !status)
        return before.undo(status);
    form.buffer = blank;
    copyBufferToForm(form, state.decimalSeparator);
    form.extraLines = ExtraLinesRecord {};
    state.nextNumber = next;
    return {};
}

Status deleteInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    if (number < 1)
        return IoError {IoError::Action::Write, book.invoices};
    if (Status loaded = checkLoadedBook(book, state); !loaded)
        return loaded;
    // Until the counter is written the book must read as it did: a failure
    // anywhere puts back every record the deletion moved.
    auto read = readBookFrom(book, number);
    if (!read)
        return read.error();
    const BookBefore& before = read.value();
    if (Status status = shiftDown(book, number, state.nextNumber); !status)
        return before.undo(status);
    auto invoice = readInvoice(book, number);
    if (!invoice)
        return before.undo(invoice.error());
    auto lines = readExtraLines(book, number);
    if (!lines)
        return before.undo(lines.error());
    const auto next = static_cast<std::int16_t>(state.nextNumber - 1);
    if (Status status = writeCounter(book, next); !status)
        return before.undo(status);
    form.buffer = invoice.value();
    copyBufferToForm(form, state.decimalSeparator);
    form.extraLines = lines.value();
    // Deleting the last invoice leaves the window on the new first free number.
    if (number >= next)
        applyNewSlotRule(form, state);
    state.nextNumber = next;
    return {};
}

Status deleteYear(const AppState& state, const std::string& year)
{
    return deleteBook(bookPaths(state.dataDir, state.currentIssuer, year));
}

Status resetAll(AppState& state)
{
    if (Status status = writeIssuerCount(state.dataDir, 0); !status)
        return status;
    state.issuerCount = 0;
    if (Status status = writeCurrentIssuer(state.dataDir, 0); !status)
        return status;
    state.currentIssuer = 0;
    state.currentIssuerRecord = PartyRecord {};
    // The book on screen is going: until a year is loaded again there is no
    // counter, and a save fills its book from invoice 1.
    state.nextNumber = 0;
    if (Status status = deleteAllBooks(state.dataDir); !status)
        return status;
    if (fileExists(dataFile(state.dataDir, "emit")))
        return deleteIssuerArchive(state.dataDir);
    return {};
}

} // namespace tessaro::archive
