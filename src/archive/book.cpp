#include "archive/book.h"

#include "archive/file_system.h"
#include "archive/record_file.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace tessaro::archive {

namespace {

constexpr std::size_t CounterRecordSize = 2;

// Moves record `from` to record `to` within one open file.
Status moveRecord(RecordFile& file, int from, int to, std::vector<std::uint8_t>& scratch)
{
    if (Status read = file.read(from, scratch); !read)
        return read;
    return file.write(to, scratch);
}

struct OpenBook {
    RecordFile invoices;
    RecordFile extraLines;
};

Result<OpenBook> openBook(const BookPaths& book)
{
    auto invoices = RecordFile::open(book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    auto extraLines = RecordFile::open(book.extraLines, ExtraLinesRecordSize);
    if (!extraLines)
        return extraLines.error();
    return OpenBook {std::move(invoices.value()), std::move(extraLines.value())};
}

// Moves one invoice in both files, so that a failure part way leaves the two
// files shifted over the same records.
Status moveInvoice(OpenBook& files, int from, int to)
{
    std::vector<std::uint8_t> invoice(InvoiceRecordSize);
    if (Status moved = moveRecord(files.invoices, from, to, invoice); !moved)
        return moved;
    std::vector<std::uint8_t> lines(ExtraLinesRecordSize);
    return moveRecord(files.extraLines, from, to, lines);
}

} // namespace

std::string dataFile(const std::string& dataDir, std::string_view name)
{
    // The directory text is used as it is: a root directory gives two separators
    // in a row, which every platform accepts.
    return dataDir + pathSeparator() + std::string(name);
}

BookPaths bookPaths(const std::string& dataDir, int issuer, const std::string& yearText)
{
    const std::string base = dataFile(dataDir, std::to_string(std::abs(issuer)) + yearText);
    return {base + ".arc", base + ".agg", base + ".imp"};
}

Result<InvoiceRecord> readInvoice(const BookPaths& book, int number)
{
    std::array<std::uint8_t, InvoiceRecordSize> bytes {};
    if (Status read = readRecord(book.invoices, number, bytes); !read)
        return read.error();
    return decodeInvoice(bytes);
}

Status writeInvoice(const BookPaths& book, int number, const InvoiceRecord& invoice)
{
    std::array<std::uint8_t, InvoiceRecordSize> bytes {};
    encodeInvoice(invoice, bytes);
    return writeRecord(book.invoices, number, bytes);
}

Result<ExtraLinesRecord> readExtraLines(const BookPaths& book, int number)
{
    std::array<std::uint8_t, ExtraLinesRecordSize> bytes {};
    if (Status read = readRecord(book.extraLines, number, bytes); !read)
        return read.error();
    return decodeExtraLines(bytes);
}

Status writeExtraLines(const BookPaths& book, int number, const ExtraLinesRecord& lines)
{
    std::array<std::uint8_t, ExtraLinesRecordSize> bytes {};
    encodeExtraLines(lines, bytes);
    return writeRecord(book.extraLines, number, bytes);
}

Result<std::int16_t> readCounter(const BookPaths& book)
{
    std::array<std::uint8_t, CounterRecordSize> bytes {};
    if (Status read = readRecord(book.counter, 1, bytes); !read)
        return read.error();
    return readInt16LE(bytes);
}

Status writeCounter(const BookPaths& book, std::int16_t next)
{
    std::array<std::uint8_t, CounterRecordSize> bytes {};
    writeInt16LE(bytes, next);
    return writeRecord(book.counter, 1, bytes);
}

Status createBook(const BookPaths& book)
{
    for (const std::string* path : {&book.invoices, &book.extraLines, &book.counter}) {
        if (!fileSystem().open(*path))
            return IoError {IoError::Action::Open, *path};
    }
    return {};
}

Status deleteBook(const BookPaths& book)
{
    for (const std::string* path : {&book.invoices, &book.counter, &book.extraLines}) {
        if (Status removed = removeFile(*path); !removed)
            return removed;
    }
    return {};
}

Status deleteAllBooks(const std::string& dataDir)
{
    for (const char* extension : {"arc", "imp", "agg"}) {
        auto paths = listFilesWithExtension(dataDir, extension);
        if (!paths)
            return paths.status();
        for (const std::string& path : paths.value()) {
            if (Status removed = removeFile(path); !removed)
                return removed;
        }
    }
    return {};
}

Status shiftUp(const BookPaths& book, int from, int newLast)
{
    if (from < 1)
        return IoError {IoError::Action::Read, book.invoices};
    if (newLast <= from)
        return {};
    auto files = openBook(book);
    if (!files)
        return files.status();
    // Highest first, so no record is overwritten before it has been copied.
    for (int k = newLast; k > from; --k) {
        if (Status moved = moveInvoice(files.value(), k - 1, k); !moved)
            return moved;
    }
    return {};
}

Status shiftDown(const BookPaths& book, int from, int last)
{
    if (from < 1)
        return IoError {IoError::Action::Write, book.invoices};
    if (last <= from)
        return {};
    auto files = openBook(book);
    if (!files)
        return files.status();
    // Lowest first, so no record is overwritten before it has been copied.
    for (int k = from; k < last; ++k) {
        if (Status moved = moveInvoice(files.value(), k + 1, k); !moved)
            return moved;
    }
    return {};
}

} // namespace tessaro::archive
