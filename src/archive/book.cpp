#include "archive/book.h"

#include "archive/journal.h"
#include "archive/record_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace tessaro::archive {

namespace {

// Records move a block at a time: a shift at number 1 of a full book moves
// 32766 records in each file, and one read and one write per record made
// that take seconds. What a shift stopped part way leaves behind is put back
// by the undo log of the command that shifts.
constexpr int RecordsPerBlock = 512;

Status shiftFile(FileSystem& fs, const std::string& path, std::size_t recordLength, int first, int last, bool up,
                 std::span<const std::uint8_t> known)
{
    auto opened = RecordFile::open(fs, path, recordLength);
    if (!opened)
        return opened.error();
    RecordFile& file = opened.value();
    // The records as they were, from `first` on: moved in one write.
    const std::size_t moved = static_cast<std::size_t>(last - first) * recordLength;
    if (known.size() >= moved + (up ? 0 : recordLength))
        return file.writeBlock(up ? first + 1 : first, known.subspan(up ? 0 : recordLength, moved));
    std::vector<std::uint8_t> block;
    // Going up the highest block moves first, going down the lowest, so no
    // record is overwritten before it has been copied.
    for (int done = 0; done < last - first;) {
        const int count = std::min(RecordsPerBlock, last - first - done);
        const int target = up ? last - done - count + 1 : first + done;
        const int source = up ? target - 1 : target + 1;
        block.resize(static_cast<std::size_t>(count) * recordLength);
        if (Status read = file.readBlock(source, block); !read)
            return read;
        if (Status written = file.writeBlock(target, block); !written)
            return written;
        done += count;
    }
    return {};
}

Status shift(const BookPaths& book, int first, int last, bool up, const KnownTails& known)
{
    if (Status moved = shiftFile(book.fs(), book.invoices, InvoiceRecordSize, first, last, up, known.invoices); !moved)
        return moved;
    if (Status moved = shiftFile(book.fs(), book.extraLines, ExtraLinesRecordSize, first, last, up, known.extraLines);
        !moved)
        return moved;
    const auto sides = sideFiles(book);
    for (std::size_t i = 0; i < sides.size(); ++i) {
        if (!book.fs().exists(*sides[i].path))
            continue;
        if (Status moved
            = shiftFile(book.fs(), *sides[i].path, sides[i].recordLength, first, last, up, known.sideFiles[i]);
            !moved)
            return moved;
    }
    return {};
}

} // namespace

std::string dataFile(const DataDir& dir, std::string_view name)
{
    return dir.file(name);
}

BookPaths bookPaths(const DataDir& dir, int issuer, const std::string& yearText, Document document)
{
    const std::string base = dir.file(std::to_string(std::abs(issuer)) + yearText);
    if (document == Document::Notices)
        return {dir, base + ".avv", base + ".avr", base + ".avn", {}, base + ".avp", {}, base + ".avf", document};
    return {dir, base + ".arc", base + ".agg", base + ".imp", base + ".ndc", base + ".inc", base + ".sdi",
            {},  document};
}

std::array<SideFile, SideFileCount> sideFiles(const BookPaths& book)
{
    return {SideFile {&book.creditNotes, CreditNoteRecordSize}, SideFile {&book.payments, PaymentsRecordSize},
            SideFile {&book.einvoices, SdiRecordSize}, SideFile {&book.invoiced, NoticeInvoicedRecordSize}};
}

Result<InvoiceRecord> readInvoice(const BookPaths& book, int number)
{
    std::array<std::uint8_t, InvoiceRecordSize> bytes {};
    if (Status read = readRecord(book.fs(), book.invoices, number, bytes); !read)
        return read.error();
    return decodeInvoice(bytes);
}

Status writeInvoice(const BookPaths& book, int number, const InvoiceRecord& invoice, WriteStep step)
{
    std::array<std::uint8_t, InvoiceRecordSize> bytes {};
    encodeInvoice(invoice, bytes);
    return writeRecord(book.fs(), book.invoices, number, bytes, step);
}

Result<ExtraLinesRecord> readExtraLines(const BookPaths& book, int number)
{
    std::array<std::uint8_t, ExtraLinesRecordSize> bytes {};
    if (Status read = readRecord(book.fs(), book.extraLines, number, bytes); !read)
        return read.error();
    return decodeExtraLines(bytes);
}

Status writeExtraLines(const BookPaths& book, int number, const ExtraLinesRecord& lines, WriteStep step)
{
    std::array<std::uint8_t, ExtraLinesRecordSize> bytes {};
    encodeExtraLines(lines, bytes);
    return writeRecord(book.fs(), book.extraLines, number, bytes, step);
}

Result<std::int16_t> readCounter(const BookPaths& book)
{
    std::array<std::uint8_t, CounterRecordSize> bytes {};
    if (Status read = readRecord(book.fs(), book.counter, 1, bytes); !read)
        return read.error();
    return readInt16LE(bytes);
}

Status writeCounter(const BookPaths& book, std::int16_t next, WriteStep step)
{
    std::array<std::uint8_t, CounterRecordSize> bytes {};
    writeInt16LE(bytes, next);
    return writeRecord(book.fs(), book.counter, 1, bytes, step);
}

Status createBook(const BookPaths& book)
{
    for (const std::string* path : {&book.invoices, &book.extraLines, &book.counter}) {
        if (auto opened = RecordFile::open(book.fs(), *path, 1); !opened)
            return opened.error();
    }
    return {};
}

Result<std::vector<std::string>> bookFiles(const BookPaths& book, bool required)
{
    std::vector<std::string> files;
    for (const std::string* path : {&book.invoices, &book.counter, &book.extraLines}) {
        if (book.fs().exists(*path))
            files.push_back(*path);
        else if (required)
            return IoError {IoError::Action::Remove, *path};
    }
    for (const SideFile& side : sideFiles(book)) {
        if (book.fs().exists(*side.path))
            files.push_back(*side.path);
    }
    return files;
}

Result<std::vector<BookOfYear>> issuerBooks(const DataDir& dir, int issuer, std::string_view extension,
                                            Document document)
{
    auto found = listFilesWithExtension(dir, extension);
    if (!found)
        return found.error();
    const std::string prefix = std::to_string(issuer);
    std::vector<BookOfYear> books;
    for (const std::string& path : found.value()) {
        const std::size_t slash = path.find_last_of("/\\");
        const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
        const std::string_view stem = name.substr(0, name.size() - extension.size() - 1);
        if (stem.size() != prefix.size() + 4 || stem.substr(0, prefix.size()) != prefix)
            continue;
        const std::string_view yearText = stem.substr(prefix.size());
        int year = 0;
        const auto [end, error] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
        if (error != std::errc() || end != yearText.data() + yearText.size())
            continue;
        books.push_back({year, bookPaths(dir, issuer, std::string(yearText), document)});
    }
    std::sort(books.begin(), books.end(), [](const BookOfYear& a, const BookOfYear& b) { return a.year < b.year; });
    return books;
}

Result<std::vector<std::string>> allBookFiles(const DataDir& dir)
{
    std::vector<std::string> paths;
    for (const char* extension : {"arc", "imp", "agg", "ndc", "inc", "sdi", "avv", "avn", "avr", "avp", "avf"}) {
        auto found = listFilesWithExtension(dir, extension);
        if (!found)
            return found.error();
        paths.insert(paths.end(), found.value().begin(), found.value().end());
    }
    return paths;
}

Status shiftUp(const BookPaths& book, int from, int newLast, const KnownTails& known)
{
    if (from < 1)
        return IoError {IoError::Action::Read, book.invoices};
    if (newLast <= from)
        return {};
    return shift(book, from, newLast, true, known);
}

Status shiftDown(const BookPaths& book, int from, int last, const KnownTails& known)
{
    if (from < 1)
        return IoError {IoError::Action::Write, book.invoices};
    if (last <= from)
        return {};
    return shift(book, from, last, false, known);
}

} // namespace tessaro::archive
