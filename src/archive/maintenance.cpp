#include "archive/maintenance.h"

#include "archive/book.h"
#include "archive/credit_notes.h"
#include "archive/issuers.h"
#include "archive/journal.h"
#include "archive/lifecycle.h"
#include "archive/notices.h"
#include "archive/payments.h"
#include "archive/sdi_history.h"
#include "archive/settings.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::archive {

namespace {

// The renumbering works on the book the year field names; when that is not
// the book whose N is held (its year switch failed), the shift would move
// the wrong records and cut the book at the wrong number.
Status checkLoadedBook(const BookPaths& book, const AppState& state)
{
    auto next = nextNumberOfBook(book);
    if (!next)
        return next.error();
    if (next.value() != state.nextNumber)
        return notTheLoadedBook(book, state);
    return {};
}

// Until the counter is written the book must read as it did: a renumbering
// stopped part way would leave an invoice copied twice or the last one pushed
// past the counter. The files are kept from record n to their ends.
Status keepRenumbering(Journal& journal, const BookPaths& book, int number)
{
    if (Status kept = journal.keepRecords(book.invoices, InvoiceRecordSize, number, Journal::ToTheEnd); !kept)
        return kept;
    if (Status kept = journal.keepRecords(book.extraLines, ExtraLinesRecordSize, number, Journal::ToTheEnd); !kept)
        return kept;
    for (const SideFile& side : sideFiles(book)) {
        if (!book.fs().exists(*side.path))
            continue;
        if (Status kept = journal.keepRecords(*side.path, side.recordLength, number, Journal::ToTheEnd); !kept)
            return kept;
    }
    if (Status kept = journal.keepRecords(book.counter, CounterRecordSize, 1, 1); !kept)
        return kept;
    return journal.begin();
}

KnownTails keptTails(const Journal& journal, const BookPaths& book, int number)
{
    KnownTails tails {journal.kept(book.invoices, static_cast<std::uint64_t>(number - 1) * InvoiceRecordSize),
                      journal.kept(book.extraLines, static_cast<std::uint64_t>(number - 1) * ExtraLinesRecordSize),
                      {}};
    const auto sides = sideFiles(book);
    for (std::size_t i = 0; i < sides.size(); ++i)
        tails.sideFiles[i]
            = journal.kept(*sides[i].path, static_cast<std::uint64_t>(number - 1) * sides[i].recordLength);
    return tails;
}

// Record `number` of the .sdi blanked, where the file holds it.
Status blankHistoryPast(const BookPaths& book, int number)
{
    if (!book.fs().exists(book.einvoices))
        return {};
    const auto file = book.fs().open(book.einvoices);
    const auto size = file ? file->size() : std::nullopt;
    if (!size)
        return IoError {IoError::Action::Read, book.einvoices};
    if (*size < static_cast<std::uint64_t>(number) * SdiRecordSize)
        return {};
    return writeSdiHistory(book, number, {}, WriteStep::InOperation);
}

std::string invoiceOperation(const char* command, int number, const InvoiceForm& form, const BookPaths& book)
{
    return std::string(command) + (book.ofNotices() ? " avviso di parcella n. " : " fattura n. ")
        + std::to_string(number) + " del " + form.year;
}

// The notices invoiced by invoices that a renumbering of an invoice book
// moves or removes follow them, in the same operation; a book of notices
// moves its own marks with its records.
Result<std::vector<NoticeMarkChange>> marksFollowing(const BookPaths& book, const AppState& state,
                                                     const std::string& year, int from, int shift)
{
    if (book.ofNotices())
        return std::vector<NoticeMarkChange> {};
    return noticeMarksAfter(state.dataDir, state.currentIssuer, bookYearNumber(year), from, shift);
}

// The notice mark at `number` blanked, where the book has marks.
Status blankNoticeMark(const BookPaths& book, int number)
{
    if (!book.fs().exists(book.invoiced))
        return {};
    return writeNoticeInvoiced(book, number, {}, WriteStep::InOperation);
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
    // The files exported by the earlier names are named after their
    // invoices' numbers: they are taken in before the numbers move.
    if (Status taken = takeInEarlierExports(currentSdiBook(form, state), state.nextNumber - 1); !taken)
        return taken;
    auto marks = marksFollowing(book, state, form.year, number, +1);
    if (!marks)
        return marks.error();
    Journal journal(state.dataDir, invoiceOperation("Inserisci", number, form, book));
    if (Status kept = keepNoticeMarks(journal, marks.value()); !kept)
        return kept;
    if (Status begun = keepRenumbering(journal, book, number); !begun)
        return begun;
    if (Status status = shiftUp(book, number, next, keptTails(journal, book, number)); !status)
        return status;
    if (Status status = writeNoticeMarks(marks.value()); !status)
        return status;
    if (Status status = blankNoticeMark(book, number); !status)
        return status;
    const InvoiceRecord blank = blankInvoice(state);
    if (Status status = writeInvoice(book, number, blank, WriteStep::InOperation); !status)
        return status;
    if (Status status = writeExtraLines(book, number, ExtraLinesRecord {}, WriteStep::InOperation); !status)
        return status;
    if (book.fs().exists(book.creditNotes)) {
        const CreditNoteMark none;
        if (Status status = writeCreditNotes(book, number, {&none, 1}, WriteStep::InOperation); !status)
            return status;
    }
    if (book.fs().exists(book.payments)) {
        const InvoicePayments none;
        if (Status status = writePayments(book, number, {&none, 1}, WriteStep::InOperation); !status)
            return status;
    }
    if (book.fs().exists(book.einvoices)) {
        if (Status status = writeSdiHistory(book, number, {}, WriteStep::InOperation); !status)
            return status;
    }
    if (Status status = writeCounter(book, next, WriteStep::InOperation); !status)
        return status;
    if (Status done = journal.commit(); !done)
        return done;
    form.buffer = blank;
    copyBufferToForm(form, state.decimalSeparator);
    form.extraLines = ExtraLinesRecord {};
    form.creditNote = CreditNoteMark {};
    form.payments = newInvoiceTerms(state);
    clearResults(form);
    markUnchanged(form);
    state.nextNumber = next;
    refreshDocumentStatus(form, state);
    return {};
}

Status deleteInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    if (number < 1)
        return IoError {IoError::Action::Write, book.invoices};
    if (Status loaded = checkLoadedBook(book, state); !loaded)
        return loaded;
    // The files exported by the earlier names are named after their
    // invoices' numbers: they are taken in before the numbers move.
    if (Status taken = takeInEarlierExports(currentSdiBook(form, state), state.nextNumber - 1); !taken)
        return taken;
    auto marks = marksFollowing(book, state, form.year, number, -1);
    if (!marks)
        return marks.error();
    Journal journal(state.dataDir, invoiceOperation("Cancella", number, form, book));
    if (Status kept = keepNoticeMarks(journal, marks.value()); !kept)
        return kept;
    if (Status begun = keepRenumbering(journal, book, number); !begun)
        return begun;
    if (Status status = shiftDown(book, number, state.nextNumber, keptTails(journal, book, number)); !status)
        return status;
    if (Status status = writeNoticeMarks(marks.value()); !status)
        return status;
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
    const auto next = static_cast<std::int16_t>(state.nextNumber - 1);
    // The last history, moved down, must not come back with the next invoice saved there.
    if (Status status = blankHistoryPast(book, next); !status)
        return status;
    if (Status status = blankNoticeMark(book, next); !status)
        return status;
    if (Status status = writeCounter(book, next, WriteStep::InOperation); !status)
        return status;
    if (Status done = journal.commit(); !done)
        return done;
    form.buffer = invoice.value();
    copyBufferToForm(form, state.decimalSeparator);
    form.extraLines = lines.value();
    form.creditNote = number < next ? mark.value() : CreditNoteMark {};
    form.payments = payments.value();
    // Deleting the last invoice leaves the window on the new first free number.
    if (number >= next)
        applyNewSlotRule(form, state);
    state.nextNumber = next;
    markUnchanged(form);
    clearResults(form);
    if (number < next)
        showStoredResults(form, state);
    refreshDocumentStatus(form, state);
    return {};
}

Status deleteYear(const AppState& state, const std::string& year)
{
    // The year's notices go with its invoices, and notices of earlier years
    // that those invoices paid wait for an invoice again.
    auto files = bookFiles(bookPaths(state.dataDir, state.currentIssuer, year), true);
    if (!files)
        return files.error();
    auto noticeFiles = bookFiles(bookPaths(state.dataDir, state.currentIssuer, year, Document::Notices), false);
    if (!noticeFiles)
        return noticeFiles.error();
    files.value().insert(files.value().end(), noticeFiles.value().begin(), noticeFiles.value().end());
    auto marks = noticeMarksAfter(state.dataDir, state.currentIssuer, bookYearNumber(year), 1, 0);
    if (!marks)
        return marks.error();
    std::erase_if(marks.value(), [&](const NoticeMarkChange& change) {
        return std::find(files.value().begin(), files.value().end(), change.notices.invoiced) != files.value().end();
    });
    Journal journal(state.dataDir, "Cancella le fatture del " + year);
    if (Status kept = keepNoticeMarks(journal, marks.value()); !kept)
        return kept;
    for (const std::string& path : files.value()) {
        if (Status kept = journal.keepForRemoval(path); !kept)
            return kept;
    }
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status written = writeNoticeMarks(marks.value()); !written)
        return written;
    for (const std::string& path : files.value()) {
        if (Status removed = journal.remove(path); !removed)
            return removed;
    }
    return journal.commit();
}

Status resetAll(AppState& state, const std::vector<std::string>& alsoRemoved)
{
    const DataDir& dir = state.dataDir;
    Journal journal(dir, "Azzera tutto");
    if (Status kept = journal.keepRecords(settingsFile(dir), SettingsRecordSize, IssuerCountRecord,
                                          CurrentIssuerRecord - IssuerCountRecord + 1);
        !kept)
        return kept;
    auto books = allBookFiles(dir);
    if (!books)
        return books.error();
    std::vector<std::string> removed = books.value();
    // The issuer archive, and the files that follow its numbers, when they exist.
    removed.push_back(issuerFile(dir));
    removed.insert(removed.end(), alsoRemoved.begin(), alsoRemoved.end());
    std::erase_if(removed, [&](const std::string& path) { return !dir.fs().exists(path); });
    for (const std::string& path : removed) {
        if (Status kept = journal.keepForRemoval(path); !kept)
            return kept;
    }
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status status = writeIssuerCount(dir, 0, WriteStep::InOperation); !status)
        return status;
    if (Status status = writeCurrentIssuer(dir, 0, WriteStep::InOperation); !status)
        return status;
    for (const std::string& path : removed) {
        if (Status status = journal.remove(path); !status)
            return status;
    }
    if (Status done = journal.commit(); !done)
        return done;
    state.issuerCount = 0;
    state.currentIssuer = 0;
    state.currentIssuerRecord = PartyRecord {};
    state.issuerTerms = IssuerTerms {};
    state.loadedBook.clear();
    state.loadedYear.clear();
    // The book on screen is gone: until a year is loaded again there is no
    // counter, and a save fills its book from invoice 1.
    state.nextNumber = 0;
    return {};
}

} // namespace tessaro::archive
