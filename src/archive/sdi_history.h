// What became of each invoice's electronic invoice: the files exported for
// it, under names never used twice, and what the exchange system (SdI)
// answered for each, kept in the book's .sdi (one record per invoice, layout
// in fields.h). A book without the file reads as before: an invoice is
// "esportata" when its file by the earlier name lies in the export folder.
// The first write to a book's .sdi takes those earlier files in, so they
// follow their invoices through every renumbering from then on.
#pragma once

#include "archive/app_state.h"
#include "archive/book.h"
#include "archive/fields.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"
#include "archive/record_file.h"
#include "archive/records.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

enum class SdiState : std::uint8_t { NotExported, Exported, ChangedAfterExport, Delivered, NotDelivered, Rejected };
// "non esportata", "esportata", "modificata dopo l'esportazione", "consegnata", "non consegnata", "scartata".
std::string_view sdiStateText(SdiState state);
// What the user must do about an invoice in that state; empty when nothing.
std::string_view sdiStateHint(SdiState state);

enum class SdiOutcome : char {
    None = ' ',
    Delivered = SdiDeliveredFlag,
    NotDelivered = SdiNotDeliveredFlag,
    Rejected = SdiRejectedFlag,
};

struct SdiError {
    std::string code;
    std::string description;
    std::string suggestion;
    bool operator==(const SdiError&) const = default;
};

struct SdiExport {
    std::string fileName;
    std::string exportedAt; // "2026-12-09 10:15:00"; empty for a file exported before the history was kept
    std::string fingerprint; // of the invoice the file was made from; empty when not known
    SdiOutcome outcome = SdiOutcome::None;
    std::string outcomeAt; // as the receipt gives it
    std::string sdiId; // IdentificativoSdI
    bool operator==(const SdiExport&) const = default;
};

// The answer of the exchange system for one file, as a receipt gives it.
struct SdiAnswer {
    std::string fileName; // without ".p7m"
    SdiOutcome outcome = SdiOutcome::None;
    std::string when;
    std::string sdiId;
    std::vector<SdiError> errors;
};

struct SdiHistory {
    std::vector<SdiExport> exports; // oldest first, at most SdiExportsPerInvoice
    std::vector<SdiError> errors; // of the latest rejection, at most SdiErrorsKept

    bool empty() const { return exports.empty(); }
    // A new file; with every slot taken the oldest gives its slot up.
    void addExport(SdiExport file);
    SdiExport* find(std::string_view fileName);
    // Whether the answer is new to the history; it is taken in when it is.
    bool takeAnswer(const SdiAnswer& answer);
    // Whether the state tells the invoice as it is from its latest file,
    // which only a file still waiting for its answer does.
    bool dependsOnContent() const;
    // An issued invoice (delivered, or left in the client's area) stays so
    // whatever was exported after it; otherwise the latest file decides.
    SdiState state(std::string_view currentFingerprint) const;
    bool operator==(const SdiHistory&) const = default;
};

void encodeSdiHistory(const SdiHistory& history, std::span<std::uint8_t, SdiRecordSize> out);
SdiHistory decodeSdiHistory(std::span<const std::uint8_t, SdiRecordSize> in);

// The fingerprint of an invoice: its .arc and .agg records, hashed.
std::string recordsFingerprint(std::span<const std::uint8_t, InvoiceRecordSize> invoice,
                               std::span<const std::uint8_t, ExtraLinesRecordSize> extraLines);
// Of invoice `number` as stored.
Result<std::string> storedFingerprint(const BookPaths& book, int number);
// Of the invoice a file is made from: as stored, or with changes not saved
// yet, as the save will store it.
Result<std::string> exportedFingerprint(const BookPaths& book, const InvoiceForm& form, int number);

// The state of an invoice and the text the register and the window show:
// a rejection with its error codes, "scartata (00305, 00311)".
struct SdiStatus {
    SdiState state = SdiState::NotExported;
    std::string text;
};
SdiStatus sdiStatus(const SdiHistory& history, std::string_view currentFingerprint, bool earlierFile);

// Where the invoices of a book are: the book, whose issuer names the files.
struct SdiBook {
    BookPaths paths;
    std::string vatNumber; // of the issuer
    std::string year; // the book's year text
    char decimalSeparator = ',';
};

// The book of the window: the current issuer's, of the year field.
SdiBook currentSdiBook(const InvoiceForm& form, const AppState& state);

// Records 1 .. count; a book without .sdi reads as all empty.
Result<std::vector<SdiHistory>> readSdiHistories(const BookPaths& book, int count);
Result<SdiHistory> readSdiHistory(const BookPaths& book, int number);
Status writeSdiHistory(const BookPaths& book, int number, const SdiHistory& history, WriteStep step = WriteStep::Alone);
// The status of invoices 1 .. count, from the book's files and the export folder.
Result<std::vector<SdiStatus>> readSdiStatuses(const SdiBook& book, int count);
// The status of invoice `number` as stored.
Result<SdiStatus> sdiStatusOf(const SdiBook& book, int number);

// The form's sdiStatus for the invoice it shows, as stored in the window's
// book; empty for a number not stored, or a history that cannot be read:
// the title tells the state, it never stands in the invoice's way.
void refreshSdiStatus(InvoiceForm& form, const AppState& state);

// A book without .sdi whose invoices 1 .. count have files by the earlier
// names gets its .sdi with them, as one operation; any other book is left alone.
Status takeInEarlierExports(const SdiBook& book, int count);

// The progressive of the next file of invoice `number`, from the counter of
// the issuer's VAT number and recorded in the invoice's history with the
// time and fingerprint given, as one operation: once it returns, the name
// is never given again, whatever becomes of the file (exportFileName() names it).
Result<std::string> recordExport(const SdiBook& book, int count, int number, std::string_view fingerprint,
                                 std::string_view now);
// The exchange system's answers, each taken into the history of the invoice
// whose file it names, among the books of the issuers given (issuer n is
// issuers[n - 1]); a name of no invoice writes nothing. Every book changed is
// written in one operation: all the answers are recorded, or none.
enum class AnswerFit : std::uint8_t { Recorded, AlreadyKnown, NoInvoice };
Result<std::vector<AnswerFit>> recordAnswers(const DataDir& dir, std::span<const PartyRecord> issuers,
                                             std::span<const SdiAnswer> answers, char decimalSeparator);

// Takes back a name recorded whose file could not be written (the counter stays).
Status forgetExport(const BookPaths& book, int number, std::string_view fileName);

} // namespace tessaro::archive
