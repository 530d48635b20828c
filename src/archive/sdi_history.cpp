#include "archive/sdi_history.h"

#include "archive/codepage.h"
#include "archive/export_counter.h"
#include "archive/journal.h"
#include "archive/lifecycle.h"
#include "archive/record_file.h"
#include "archive/sdi_names.h"
#include "calc/text.h"

#include <xxhash.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <unordered_set>

namespace tessaro::archive {

namespace {

using Record = std::array<std::uint8_t, SdiRecordSize>;

SdiOutcome outcomeOf(char flag)
{
    switch (flag) {
    case SdiDeliveredFlag:
        return SdiOutcome::Delivered;
    case SdiNotDeliveredFlag:
        return SdiOutcome::NotDelivered;
    case SdiRejectedFlag:
        return SdiOutcome::Rejected;
    default:
        return SdiOutcome::None;
    }
}

SdiState stateOf(SdiOutcome outcome)
{
    switch (outcome) {
    case SdiOutcome::Delivered:
        return SdiState::Delivered;
    case SdiOutcome::NotDelivered:
        return SdiState::NotDelivered;
    case SdiOutcome::Rejected:
        return SdiState::Rejected;
    case SdiOutcome::None:
        break;
    }
    return SdiState::Exported;
}

bool issued(SdiOutcome outcome)
{
    return outcome == SdiOutcome::Delivered || outcome == SdiOutcome::NotDelivered;
}

// Most places of most records hold nothing: they are skipped unread.
bool blankField(std::span<const std::uint8_t> record, FieldSpec field)
{
    const auto bytes = record.subspan(field.offset, field.width);
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == ' ' || byte == 0; });
}

std::string hex(std::uint64_t value)
{
    char text[17] {};
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(value));
    return text;
}

// The names present in the export folder; none when it cannot be listed.
std::unordered_set<std::string> exportedNames(const DataDir& dir)
{
    const auto names = dir.fs().list(exportFolderPath(dir));
    if (!names)
        return {};
    return {names->begin(), names->end()};
}

// The histories of a book as one operation changes them: a book without its
// .sdi first takes in the files of the earlier names, and is written whole.
class BookHistories {
public:
    static Result<BookHistories> load(const SdiBook& book, int count)
    {
        auto rows = readSdiHistories(book.paths, count);
        if (!rows)
            return rows.error();
        BookHistories histories;
        histories.m_book = &book;
        histories.m_rows = std::move(rows.value());
        histories.m_dirty.assign(histories.m_rows.size(), 0);
        histories.m_new = !book.paths.fs().exists(book.paths.einvoices);
        if (histories.m_new) {
            const auto present = exportedNames(book.paths.dir);
            for (int number = 1; number <= count && !present.empty(); ++number) {
                const std::string name = earlierExportName(book.vatNumber, book.year, number);
                if (name.empty() || present.count(name) == 0)
                    continue;
                SdiExport file;
                file.fileName = name;
                histories.at(number).addExport(std::move(file));
            }
        }
        return histories;
    }

    int count() const { return static_cast<int>(m_rows.size()); }
    bool isNew() const { return m_new; }
    const SdiHistory& row(int number) const { return m_rows[static_cast<std::size_t>(number - 1)]; }
    // The history of invoice `number`, to be written.
    SdiHistory& at(int number)
    {
        m_dirty[static_cast<std::size_t>(number - 1)] = 1;
        return m_rows[static_cast<std::size_t>(number - 1)];
    }
    // The invoice whose history holds the file; 0 when none does.
    int holding(std::string_view fileName) const
    {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const auto& files = m_rows[i].exports;
            if (std::any_of(files.begin(), files.end(), [&](const auto& file) { return file.fileName == fileName; }))
                return static_cast<int>(i) + 1;
        }
        return 0;
    }
    bool changed() const { return std::find(m_dirty.begin(), m_dirty.end(), 1) != m_dirty.end(); }

    Status keep(Journal& journal) const
    {
        const std::string& path = m_book->paths.einvoices;
        if (m_new)
            return journal.keep(path, 0, Journal::ToTheEnd);
        for (int number = 1; number <= count(); ++number) {
            if (m_dirty[static_cast<std::size_t>(number - 1)] == 0)
                continue;
            if (Status kept = journal.keepRecords(path, SdiRecordSize, number, 1); !kept)
                return kept;
        }
        return {};
    }

    Status write() const
    {
        const BookPaths& paths = m_book->paths;
        int last = 0;
        for (int number = 1; number <= count(); ++number) {
            if (m_dirty[static_cast<std::size_t>(number - 1)] != 0)
                last = number;
        }
        for (int number = 1; number <= last; ++number) {
            if (!m_new && m_dirty[static_cast<std::size_t>(number - 1)] == 0)
                continue;
            Record bytes {};
            encodeSdiHistory(row(number), bytes);
            if (Status written = writeRecord(paths.fs(), paths.einvoices, number, bytes, WriteStep::InOperation);
                !written)
                return written;
        }
        return {};
    }

private:
    const SdiBook* m_book = nullptr;
    std::vector<SdiHistory> m_rows;
    std::vector<char> m_dirty;
    bool m_new = false;
};

} // namespace

std::string_view sdiStateText(SdiState state)
{
    switch (state) {
    case SdiState::NotExported:
        return "non esportata";
    case SdiState::Exported:
        return "esportata";
    case SdiState::ChangedAfterExport:
        return "modificata dopo l'esportazione";
    case SdiState::Delivered:
        return "consegnata";
    case SdiState::NotDelivered:
        return "non consegnata";
    case SdiState::Rejected:
        return "scartata";
    }
    return {};
}

std::string_view sdiStateHint(SdiState state)
{
    switch (state) {
    case SdiState::NotDelivered:
        return "La fattura è emessa ma è nell'area riservata del cliente: avvisare il cliente.";
    case SdiState::Rejected:
        return "La fattura è come non emessa: correggerla ed esportarla di nuovo, con lo stesso numero e la stessa "
               "data, entro cinque giorni.";
    case SdiState::ChangedAfterExport:
        return "Il file esportato non corrisponde più alla fattura.";
    default:
        return {};
    }
}

void SdiHistory::addExport(SdiExport file)
{
    if (exports.size() >= SdiExportsPerInvoice)
        exports.erase(exports.begin());
    exports.push_back(std::move(file));
}

SdiExport* SdiHistory::find(std::string_view fileName)
{
    const auto found = std::find_if(exports.begin(), exports.end(),
                                    [fileName](const auto& file) { return file.fileName == fileName; });
    return found == exports.end() ? nullptr : &*found;
}

bool SdiHistory::takeAnswer(const SdiAnswer& answer)
{
    SdiExport* file = find(answer.fileName);
    if (file == nullptr)
        return false;
    std::vector<SdiError> kept = answer.errors;
    if (kept.size() > SdiErrorsKept)
        kept.resize(SdiErrorsKept);
    const bool known = file->outcome == answer.outcome && file->sdiId == answer.sdiId && file->outcomeAt == answer.when
        && (answer.outcome != SdiOutcome::Rejected || errors == kept);
    if (known)
        return false;
    file->outcome = answer.outcome;
    file->outcomeAt = answer.when;
    file->sdiId = answer.sdiId;
    if (answer.outcome == SdiOutcome::Rejected)
        errors = std::move(kept);
    return true;
}

bool SdiHistory::dependsOnContent() const
{
    if (exports.empty() || exports.back().outcome != SdiOutcome::None || exports.back().fingerprint.empty())
        return false;
    return std::none_of(exports.begin(), exports.end(), [](const SdiExport& file) { return issued(file.outcome); });
}

SdiState SdiHistory::state(std::string_view currentFingerprint) const
{
    if (exports.empty())
        return SdiState::NotExported;
    for (auto file = exports.rbegin(); file != exports.rend(); ++file) {
        if (issued(file->outcome))
            return stateOf(file->outcome);
    }
    const SdiExport& latest = exports.back();
    if (latest.outcome != SdiOutcome::None)
        return stateOf(latest.outcome);
    if (!latest.fingerprint.empty() && !currentFingerprint.empty() && latest.fingerprint != currentFingerprint)
        return SdiState::ChangedAfterExport;
    return SdiState::Exported;
}

void encodeSdiHistory(const SdiHistory& history, std::span<std::uint8_t, SdiRecordSize> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t {' '});
    const std::size_t files = std::min(history.exports.size(), SdiExportsPerInvoice);
    for (std::size_t slot = 0; slot < files; ++slot) {
        const SdiExport& file = history.exports[slot];
        putFieldText(out, sdiExportFieldOf(slot, SdiExportField::FileName), file.fileName);
        putFieldText(out, sdiExportFieldOf(slot, SdiExportField::ExportedAt), file.exportedAt);
        putFieldText(out, sdiExportFieldOf(slot, SdiExportField::Fingerprint), file.fingerprint);
        out[sdiExportFieldOf(slot, SdiExportField::Outcome).offset] = static_cast<std::uint8_t>(file.outcome);
        putFieldText(out, sdiExportFieldOf(slot, SdiExportField::OutcomeAt), file.outcomeAt);
        putFieldText(out, sdiExportFieldOf(slot, SdiExportField::SdiId), file.sdiId);
    }
    const std::size_t errors = std::min(history.errors.size(), SdiErrorsKept);
    for (std::size_t index = 0; index < errors; ++index) {
        const SdiError& error = history.errors[index];
        putFieldText(out, sdiErrorFieldOf(index, SdiErrorField::Code), error.code);
        putFieldText(out, sdiErrorFieldOf(index, SdiErrorField::Description), error.description);
        putFieldText(out, sdiErrorFieldOf(index, SdiErrorField::Suggestion), error.suggestion);
    }
}

SdiHistory decodeSdiHistory(std::span<const std::uint8_t, SdiRecordSize> in)
{
    SdiHistory history;
    for (std::size_t slot = 0; slot < SdiExportsPerInvoice; ++slot) {
        if (blankField(in, sdiExportFieldOf(slot, SdiExportField::FileName)))
            continue;
        SdiExport file;
        file.fileName = fieldText(in, sdiExportFieldOf(slot, SdiExportField::FileName));
        file.exportedAt = fieldText(in, sdiExportFieldOf(slot, SdiExportField::ExportedAt));
        file.fingerprint = fieldText(in, sdiExportFieldOf(slot, SdiExportField::Fingerprint));
        file.outcome = outcomeOf(flagAt(in, sdiExportFieldOf(slot, SdiExportField::Outcome)));
        file.outcomeAt = fieldText(in, sdiExportFieldOf(slot, SdiExportField::OutcomeAt));
        file.sdiId = fieldText(in, sdiExportFieldOf(slot, SdiExportField::SdiId));
        history.exports.push_back(std::move(file));
    }
    for (std::size_t index = 0; index < SdiErrorsKept; ++index) {
        if (blankField(in, sdiErrorFieldOf(index, SdiErrorField::Code))
            && blankField(in, sdiErrorFieldOf(index, SdiErrorField::Description)))
            continue;
        SdiError error;
        error.code = fieldText(in, sdiErrorFieldOf(index, SdiErrorField::Code));
        error.description = fieldText(in, sdiErrorFieldOf(index, SdiErrorField::Description));
        error.suggestion = fieldText(in, sdiErrorFieldOf(index, SdiErrorField::Suggestion));
        if (!error.code.empty() || !error.description.empty())
            history.errors.push_back(std::move(error));
    }
    return history;
}

std::string recordsFingerprint(std::span<const std::uint8_t, InvoiceRecordSize> invoice,
                               std::span<const std::uint8_t, ExtraLinesRecordSize> extraLines)
{
    XXH64_state_t* state = XXH64_createState();
    XXH64_reset(state, 0);
    XXH64_update(state, invoice.data(), invoice.size());
    XXH64_update(state, extraLines.data(), extraLines.size());
    const std::uint64_t value = XXH64_digest(state);
    XXH64_freeState(state);
    return hex(value);
}

Result<std::string> storedFingerprint(const BookPaths& book, int number)
{
    std::array<std::uint8_t, InvoiceRecordSize> invoice {};
    std::array<std::uint8_t, ExtraLinesRecordSize> lines {};
    if (Status read = readRecord(book.fs(), book.invoices, number, invoice); !read)
        return read.error();
    if (Status read = readRecord(book.fs(), book.extraLines, number, lines); !read)
        return read.error();
    return recordsFingerprint(invoice, lines);
}

Result<std::string> exportedFingerprint(const BookPaths& book, const InvoiceForm& form, int number)
{
    if (!hasUnsavedChanges(form))
        return storedFingerprint(book, number);
    const InvoiceImage image = invoiceImage(form);
    std::array<std::uint8_t, InvoiceRecordSize> invoice {};
    std::array<std::uint8_t, ExtraLinesRecordSize> lines {};
    encodeInvoice(image.record, invoice);
    encodeExtraLines(image.extraLines, lines);
    return recordsFingerprint(invoice, lines);
}

SdiStatus sdiStatus(const SdiHistory& history, std::string_view currentFingerprint, bool earlierFile)
{
    SdiStatus status;
    status.state = history.empty() && earlierFile ? SdiState::Exported : history.state(currentFingerprint);
    status.text = sdiStateText(status.state);
    if (status.state == SdiState::Rejected && !history.errors.empty()) {
        status.text += " (";
        for (std::size_t i = 0; i < history.errors.size(); ++i)
            status.text += (i > 0 ? ", " : "") + history.errors[i].code;
        status.text += ")";
    }
    return status;
}

SdiBook currentSdiBook(const InvoiceForm& form, const AppState& state)
{
    return {currentBook(form, state), state.currentIssuerRecord.vatNumber, std::string(calc::trimBlanks(form.year)),
            state.decimalSeparator};
}

Result<std::vector<SdiHistory>> readSdiHistories(const BookPaths& book, int count)
{
    std::vector<SdiHistory> rows(static_cast<std::size_t>(std::max(count, 0)));
    if (count < 1 || !book.fs().exists(book.einvoices))
        return rows;
    auto bytes = readLeadingRecords(book.fs(), book.einvoices, SdiRecordSize, count);
    if (!bytes)
        return bytes.error();
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = decodeSdiHistory(
            std::span<const std::uint8_t, SdiRecordSize>(bytes.value().data() + i * SdiRecordSize, SdiRecordSize));
    return rows;
}

Result<SdiHistory> readSdiHistory(const BookPaths& book, int number)
{
    if (number < 1 || !book.fs().exists(book.einvoices))
        return SdiHistory {};
    Record bytes {};
    if (Status read = readRecord(book.fs(), book.einvoices, number, bytes); !read)
        return read.error();
    return decodeSdiHistory(bytes);
}

Status writeSdiHistory(const BookPaths& book, int number, const SdiHistory& history, WriteStep step)
{
    Record bytes {};
    encodeSdiHistory(history, bytes);
    return writeRecord(book.fs(), book.einvoices, number, bytes, step);
}

Result<std::vector<SdiStatus>> readSdiStatuses(const SdiBook& book, int count)
{
    auto histories = readSdiHistories(book.paths, count);
    if (!histories)
        return histories.error();
    std::vector<SdiStatus> statuses(histories.value().size());
    const bool earlier = !book.paths.fs().exists(book.paths.einvoices);
    const auto present = earlier ? exportedNames(book.paths.dir) : std::unordered_set<std::string> {};
    const auto& rows = histories.value();
    const bool fingerprints
        = std::any_of(rows.begin(), rows.end(), [](const SdiHistory& history) { return history.dependsOnContent(); });
    std::vector<std::uint8_t> invoices;
    std::vector<std::uint8_t> lines;
    if (fingerprints) {
        auto read = readLeadingRecords(book.paths.fs(), book.paths.invoices, InvoiceRecordSize, count);
        if (!read)
            return read.error();
        invoices = std::move(read.value());
        auto readLines = readLeadingRecords(book.paths.fs(), book.paths.extraLines, ExtraLinesRecordSize, count);
        if (!readLines)
            return readLines.error();
        lines = std::move(readLines.value());
    }
    for (std::size_t index = 0; index < statuses.size(); ++index) {
        const SdiHistory& history = rows[index];
        std::string fingerprint;
        if (history.dependsOnContent())
            fingerprint = recordsFingerprint(std::span<const std::uint8_t, InvoiceRecordSize>(
                                                 invoices.data() + index * InvoiceRecordSize, InvoiceRecordSize),
                                             std::span<const std::uint8_t, ExtraLinesRecordSize>(
                                                 lines.data() + index * ExtraLinesRecordSize, ExtraLinesRecordSize));
        const bool earlierFile
            = earlier && present.count(earlierExportName(book.vatNumber, book.year, static_cast<int>(index) + 1)) > 0;
        statuses[index] = sdiStatus(history, fingerprint, earlierFile);
    }
    return statuses;
}

Result<SdiStatus> sdiStatusOf(const SdiBook& book, int number)
{
    auto history = readSdiHistory(book.paths, number);
    if (!history)
        return history.error();
    bool earlierFile = false;
    if (history.value().empty() && !book.paths.fs().exists(book.paths.einvoices)) {
        const std::string name = earlierExportName(book.vatNumber, book.year, number);
        earlierFile
            = !name.empty() && book.paths.fs().exists(exportFolderPath(book.paths.dir) + pathSeparator() + name);
    }
    std::string fingerprint;
    if (history.value().dependsOnContent()) {
        auto stored = storedFingerprint(book.paths, number);
        if (!stored)
            return stored.error();
        fingerprint = stored.value();
    }
    return sdiStatus(history.value(), fingerprint, earlierFile);
}

void refreshSdiStatus(InvoiceForm& form, const AppState& state)
{
    form.sdiStatus.clear();
    const int number = invoiceNumber(form.number);
    if (state.onNotices() || !isBookYear(form.year) || state.currentIssuer < 1 || number < 1
        || number >= state.nextNumber)
        return;
    if (auto status = sdiStatusOf(currentSdiBook(form, state), number))
        form.sdiStatus = status.value().text;
}

Status takeInEarlierExports(const SdiBook& book, int count)
{
    // A book of fee notices never had an electronic invoice.
    if (book.paths.einvoices.empty())
        return {};
    auto histories = BookHistories::load(book, count);
    if (!histories)
        return histories.error();
    if (!histories.value().isNew() || !histories.value().changed())
        return {};
    Journal journal(book.paths.dir, "Fatture elettroniche del " + book.year);
    if (Status kept = histories.value().keep(journal); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status written = histories.value().write(); !written)
        return written;
    return journal.commit();
}

Result<std::string> recordExport(const SdiBook& book, int count, int number, std::string_view fingerprint,
                                 std::string_view now)
{
    const DataDir& dir = book.paths.dir;
    const std::string identity(calc::trimBlanks(book.vatNumber));
    const std::string counterPath = exportCounterFile(dir);
    auto counters = readExportCounters(dir);
    if (!counters)
        return counters.error();
    const auto held = std::find_if(counters.value().begin(), counters.value().end(),
                                   [&](const ExportCounter& counter) { return counter.identity == identity; });
    const auto record = static_cast<int>(held - counters.value().begin() + 1);
    // A file the user left from an operation stopped half way keeps its name too.
    const auto present = exportedNames(dir);
    long value = (held == counters.value().end() ? 0 : held->last) + 1;
    while (value <= LastCounterValue && present.count(exportFileName(identity, counterProgressive(value))) > 0)
        ++value;
    if (value > LastCounterValue)
        return IoError {IoError::Action::Write, counterPath};
    const std::string name = exportFileName(identity, counterProgressive(value));

    auto histories = BookHistories::load(book, std::max(count, number));
    if (!histories)
        return histories.error();
    SdiExport file;
    file.fileName = name;
    file.exportedAt = now;
    file.fingerprint = fingerprint;
    histories.value().at(number).addExport(std::move(file));

    Journal journal(dir, "Esporta fattura elettronica n. " + std::to_string(number) + " del " + book.year);
    if (Status kept = journal.keepRecords(counterPath, ExportCounterRecordSize, record, 1); !kept)
        return kept.error();
    if (Status kept = histories.value().keep(journal); !kept)
        return kept.error();
    if (Status begun = journal.begin(); !begun)
        return begun.error();
    std::array<std::uint8_t, ExportCounterRecordSize> counter {};
    encodeExportCounter({identity, value}, counter);
    if (Status written = writeRecord(dir.fs(), counterPath, record, counter, WriteStep::InOperation); !written)
        return written.error();
    if (Status written = histories.value().write(); !written)
        return written.error();
    if (Status committed = journal.commit(); !committed)
        return committed.error();
    return counterProgressive(value);
}

Status forgetExport(const BookPaths& book, int number, std::string_view fileName)
{
    auto history = readSdiHistory(book, number);
    if (!history)
        return history.status();
    auto& files = history.value().exports;
    const auto found
        = std::find_if(files.begin(), files.end(), [fileName](const auto& file) { return file.fileName == fileName; });
    if (found == files.end())
        return {};
    files.erase(found);
    return writeSdiHistory(book, number, history.value());
}

namespace {

// A book of an issuer, its histories loaded once for every answer.
struct AnsweredBook {
    SdiBook book;
    std::optional<BookHistories> histories;
    bool answered = false;
};

struct AnswerSearch {
    const DataDir& dir;
    std::span<const PartyRecord> issuers;
    char decimalSeparator;
    std::vector<std::unique_ptr<AnsweredBook>> books; // by issuer, then year
    std::vector<int> issuersListed;

    Status listBooks(int issuer)
    {
        if (std::find(issuersListed.begin(), issuersListed.end(), issuer) != issuersListed.end())
            return {};
        issuersListed.push_back(issuer);
        auto found = issuerBooks(dir, issuer, "arc");
        if (!found)
            return found.error();
        const PartyRecord& record = issuers[static_cast<std::size_t>(issuer - 1)];
        for (const BookOfYear& year : found.value()) {
            auto book = std::make_unique<AnsweredBook>();
            book->book = {year.paths, record.vatNumber, std::to_string(year.year), decimalSeparator};
            auto next = nextNumberOfBook(year.paths);
            if (!next)
                return next.error();
            auto histories = BookHistories::load(book->book, std::max(next.value() - 1, 0));
            if (!histories)
                return histories.error();
            book->histories = std::move(histories.value());
            books.push_back(std::move(book));
        }
        return {};
    }

    // The book and invoice whose file the answer names; nothing when none is.
    Result<std::pair<AnsweredBook*, int>> find(const std::string& fileName)
    {
        std::pair<AnsweredBook*, int> none {nullptr, 0};
        for (int issuer = 1; issuer <= static_cast<int>(issuers.size()); ++issuer) {
            const std::string vat(calc::trimBlanks(issuers[static_cast<std::size_t>(issuer - 1)].vatNumber));
            const std::string prefix = "IT" + vat + "_";
            if (vat.empty() || fileName.compare(0, prefix.size(), prefix) != 0)
                continue;
            if (Status listed = listBooks(issuer); !listed)
                return listed.error();
            const std::string bookPrefix = dir.file(std::to_string(issuer));
            for (auto& book : books) {
                if (book->book.vatNumber != issuers[static_cast<std::size_t>(issuer - 1)].vatNumber
                    || book->book.paths.invoices.compare(0, bookPrefix.size(), bookPrefix) != 0)
                    continue;
                if (const int number = book->histories->holding(fileName); number > 0)
                    return std::pair {book.get(), number};
            }
            // A file by the earlier name, of a book that never kept its
            // history: the name still says which invoice it is.
            const auto earlier = earlierNameOf(fileName, vat);
            if (!earlier)
                continue;
            for (auto& book : books) {
                if (book->book.paths.invoices != bookPaths(dir, issuer, std::to_string(earlier->year)).invoices)
                    continue;
                if (!book->histories->isNew() || earlier->number > book->histories->count())
                    continue;
                SdiHistory& history = book->histories->at(earlier->number);
                if (history.find(fileName) == nullptr) {
                    SdiExport file;
                    file.fileName = fileName;
                    history.addExport(std::move(file));
                }
                return std::pair {book.get(), earlier->number};
            }
        }
        return none;
    }
};

} // namespace

Result<std::vector<AnswerFit>> recordAnswers(const DataDir& dir, std::span<const PartyRecord> issuers,
                                             std::span<const SdiAnswer> answers, char decimalSeparator)
{
    AnswerSearch search {dir, issuers, decimalSeparator, {}, {}};
    std::vector<AnswerFit> fits;
    for (SdiAnswer answer : answers) {
        answer.fileName = withoutSignatureSuffix(answer.fileName);
        auto place = search.find(answer.fileName);
        if (!place)
            return place.error();
        auto [book, number] = place.value();
        if (book == nullptr) {
            fits.push_back(AnswerFit::NoInvoice);
            continue;
        }
        SdiHistory& history = book->histories->at(number);
        const bool recorded = history.takeAnswer(answer);
        book->answered = book->answered || recorded;
        fits.push_back(recorded ? AnswerFit::Recorded : AnswerFit::AlreadyKnown);
    }
    // Only the books an answer changed are written, all in one operation.
    Journal journal(dir, "Importa ricevute SdI");
    bool any = false;
    for (const auto& book : search.books) {
        if (!book->answered)
            continue;
        any = true;
        if (Status kept = book->histories->keep(journal); !kept)
            return kept.error();
    }
    if (!any)
        return fits;
    if (Status begun = journal.begin(); !begun)
        return begun.error();
    for (const auto& book : search.books) {
        if (!book->answered)
            continue;
        if (Status written = book->histories->write(); !written)
            return written.error();
    }
    if (Status committed = journal.commit(); !committed)
        return committed.error();
    return fits;
}

} // namespace tessaro::archive
