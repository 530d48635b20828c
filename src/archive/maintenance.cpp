#include "archive/maintenance.h"

#include "archive/book.h"
#include "archive/file_system.h"
#include "archive/issuers.h"
#include "archive/lifecycle.h"
#include "archive/settings.h"

namespace tessaro::archive {

Status insertInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    const auto next = static_cast<std::int16_t>(state.nextNumber + 1);
    if (Status status = shiftUp(book, number, next); !status)
        return status;
    const InvoiceRecord blank = blankInvoice(state);
    if (Status status = writeInvoice(book, number, blank); !status)
        return status;
    if (Status status = writeExtraLines(book, number, ExtraLinesRecord {}); !status)
        return status;
    // The files now hold the empty invoice at n, whether or not the counter follows.
    form.buffer = blank;
    copyBufferToForm(form, state.decimalSeparator);
    form.extraLines = ExtraLinesRecord {};
    if (Status status = writeCounter(book, next); !status)
        return status;
    state.nextNumber = next;
    return {};
}

Status deleteInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    if (Status status = shiftDown(book, number, state.nextNumber); !status)
        return status;
    auto invoice = readInvoice(book, number);
    if (!invoice)
        return invoice.error();
    auto lines = readExtraLines(book, number);
    if (!lines)
        return lines.error();
    form.buffer = invoice.value();
    copyBufferToForm(form, state.decimalSeparator);
    form.extraLines = lines.value();
    const auto next = static_cast<std::int16_t>(state.nextNumber - 1);
    // Deleting the last invoice leaves the window on the new first free number.
    if (number >= next)
        applyNewSlotRule(form, state);
    if (Status status = writeCounter(book, next); !status)
        return status;
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
