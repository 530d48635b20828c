#include "archive/book.h"

#include "archive/file_system.h"
#include "archive/record_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace tessaro::archive {

namespace {

// One file of a book, open for a shift. Records move a block at a time: a
// shift at number 1 of a full book moves 32766 records in each file, and one
// read and one write per record made that take seconds.
class ShiftFile {
public:
    static Result<ShiftFile> open(const std::string& path, std::size_t recordLength)
    {
        ShiftFile file;
        file.m_file = fileSystem().open(path);
        if (!file.m_file)
            return IoError {IoError::Action::Open, path};
        const auto size = file.m_file->size();
        if (!size)
            return IoError {IoError::Action::Read, path};
        file.m_path = path;
        file.m_recordLength = recordLength;
        file.m_size = *size;
        return file;
    }

    // Reads records first .. first + count - 1 into m_block; past the end of
    // the file they are zero bytes, as a single record's read gives them.
    Status read(int first, int count)
    {
        m_block.resize(static_cast<std::size_t>(count) * m_recordLength);
        const auto got = m_file->readAt(offsetOf(first), m_block);
        if (!got)
            return IoError {IoError::Action::Read, m_path};
        std::fill(m_block.begin() + static_cast<std::ptrdiff_t>(*got), m_block.end(), std::uint8_t {0});
        return {};
    }

    // Writes `count` records of m_block, starting at record `from` of the
    // block, as records to .. to + count - 1 of the file, in one transfer.
    Status write(int from, int to, int count)
    {
        const std::uint64_t offset = offsetOf(to);
        const auto bytes = std::span<const std::uint8_t>(m_block).subspan(
            static_cast<std::size_t>(from) * m_recordLength, static_cast<std::size_t>(count) * m_recordLength);
        if (m_file->writeAt(offset, bytes) != bytes.size())
            return IoError {IoError::Action::Write, m_path};
        m_size = std::max<std::uint64_t>(m_size, offset + bytes.size());
        return {};
    }

    // Puts records to .. to + count - 1 back as they were before write(),
    // their old bytes being records from .. of the block: what lay past the
    // old end of the file is cut off again.
    void restore(int from, int to, int count, std::uint64_t sizeBefore)
    {
        const std::uint64_t offset = offsetOf(to);
        if (offset < sizeBefore) {
            const auto length
                = std::min<std::uint64_t>(static_cast<std::uint64_t>(count) * m_recordLength, sizeBefore - offset);
            m_file->writeAt(offset,
                            std::span<const std::uint8_t>(m_block).subspan(
                                static_cast<std::size_t>(from) * m_recordLength, static_cast<std::size_t>(length)));
        }
        if (m_size > sizeBefore && m_file->truncate(sizeBefore))
            m_size = sizeBefore;
    }

    std::uint64_t size() const { return m_size; }

private:
    std::uint64_t offsetOf(int number) const { return static_cast<std::uint64_t>(number - 1) * m_recordLength; }

    std::unique_ptr<File> m_file;
    std::string m_path;
    std::size_t m_recordLength = 0;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_block;
};

constexpr int RecordsPerBlock = 512;

// The first record of a shift moves alone. Going up it is the one that
// lengthens both files, so a disk without room stops the shift before any
// stored record has been overwritten; and a failure in the first moves leaves
// the files as moving one record at a time always did.
int firstBlock(bool first)
{
    return first ? 1 : RecordsPerBlock;
}

struct OpenBook {
    ShiftFile invoices;
    ShiftFile extraLines;
};

Result<OpenBook> openBook(const BookPaths& book)
{
    auto invoices = ShiftFile::open(book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    auto extraLines = ShiftFile::open(book.extraLines, ExtraLinesRecordSize);
    if (!extraLines)
        return extraLines.error();
    return OpenBook {std::move(invoices.value()), std::move(extraLines.value())};
}

// Moves `count` records from `source` on to `target` on (one record up or
// down) in both files. The block read holds the moved
// records and, one record off, the ones they replace, so a failed write can
// be undone. A failure leaves the two files shifted over the same records,
// except that the .arc keeps the first record moved, as when each record is
// moved in both files before the next.
Status moveBlock(OpenBook& files, int source, int target, int count)
{
    const int first = std::min(source, target);
    const int fromInBlock = source - first; // the moved records within the block
    const int toInBlock = target - first; // the records they replace
    // The record written first when records move one at a time, highest first going up.
    const int leadingInBlock = target > source ? count - 1 : 0;

    for (ShiftFile* file : {&files.invoices, &files.extraLines}) {
        if (Status read = file->read(first, count + 1); !read)
            return read;
    }
    const std::uint64_t invoicesSize = files.invoices.size();
    if (Status written = files.invoices.write(fromInBlock, target, count); !written) {
        files.invoices.restore(toInBlock, target, count, invoicesSize);
        return written;
    }
    const std::uint64_t linesSize = files.extraLines.size();
    if (Status written = files.extraLines.write(fromInBlock, target, count); !written) {
        files.extraLines.restore(toInBlock, target, count, linesSize);
        // The .arc keeps its leading record, and the length that record gave it.
        const int leading = target + leadingInBlock;
        const std::uint64_t keptSize
            = std::max<std::uint64_t>(invoicesSize, static_cast<std::uint64_t>(leading) * InvoiceRecordSize);
        if (leadingInBlock == 0)
            files.invoices.restore(toInBlock + 1, target + 1, count - 1, keptSize);
        else
            files.invoices.restore(toInBlock, target, count - 1, keptSize);
        return written;
    }
    return {};
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
    // Highest block first, so no record is overwritten before it has been copied.
    for (int last = newLast; last > from;) {
        const int count = std::min(firstBlock(last == newLast), last - from);
        const int target = last - count + 1;
        if (Status moved = moveBlock(files.value(), target - 1, target, count); !moved)
            return moved;
        last -= count;
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
    // Lowest block first, so no record is overwritten before it has been copied.
    for (int target = from; target < last;) {
        const int count = std::min(firstBlock(target == from), last - target);
        if (Status moved = moveBlock(files.value(), target + 1, target, count); !moved)
            return moved;
        target += count;
    }
    return {};
}

} // namespace tessaro::archive
