#include "archive/totals.h"

#include "archive/credit_notes.h"
#include "archive/record_file.h"
#include "archive/stored_figures.h"
#include "calc/amounts.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace tessaro::archive {

namespace {

// Reads the records of a loop in ascending order a block at a time: a book of
// 32766 invoices then takes a few hundred transfers instead of one per record.
// Past the end of the file a record is zero bytes, as everywhere else.
class BlockReader {
public:
    static constexpr int RecordsPerBlock = 256;

    static Result<BlockReader> open(FileSystem& fs, const std::string& path, std::size_t recordLength)
    {
        auto file = RecordFile::open(fs, path, recordLength);
        if (!file)
            return file.error();
        BlockReader reader;
        reader.m_file = std::move(file.value());
        reader.m_recordLength = recordLength;
        reader.m_block.resize(recordLength * RecordsPerBlock);
        return reader;
    }

    // Record n (n >= 1); the bytes stay valid until the next call.
    Result<std::span<const std::uint8_t>> record(int number)
    {
        if (m_first == 0 || number < m_first || number >= m_first + RecordsPerBlock) {
            if (Status read = m_file.readBlock(number, m_block); !read) {
                m_first = 0;
                return read.error();
            }
            m_first = number;
        }
        const std::size_t start = static_cast<std::size_t>(number - m_first) * m_recordLength;
        return std::span<const std::uint8_t>(m_block).subspan(start, m_recordLength);
    }

private:
    RecordFile m_file;
    std::size_t m_recordLength = 0;
    std::vector<std::uint8_t> m_block;
    int m_first = 0; // record number at the start of m_block, 0 when nothing is read
};

} // namespace

Result<double> sumInvoices(const BookPaths& book, InvoiceType type, TotalKind kind, int first, int last)
{
    if (first > last)
        return 0.0;
    if (first < 1)
        return IoError {IoError::Action::Read, book.invoices};
    auto invoices = BlockReader::open(book.fs(), book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    std::optional<BlockReader> extraLinesFile;
    if (type == InvoiceType::Commercial) {
        auto opened = BlockReader::open(book.fs(), book.extraLines, ExtraLinesRecordSize);
        if (!opened)
            return opened.error();
        extraLinesFile = std::move(opened.value());
    }
    // A credit note cancels what its invoice added.
    std::optional<BlockReader> creditNotes;
    if (book.fs().exists(book.creditNotes)) {
        auto opened = BlockReader::open(book.fs(), book.creditNotes, CreditNoteRecordSize);
        if (!opened)
            return opened.error();
        creditNotes = std::move(opened.value());
    }

    double sum = 0;
    for (int number = first; number <= last; ++number) {
        auto invoiceBytes = invoices.value().record(number);
        if (!invoiceBytes)
            return invoiceBytes.error();
        const std::span<const std::uint8_t> record = invoiceBytes.value();
        // The .agg is read for every record, counted or not, so a damaged one is reported alike.
        std::span<const std::uint8_t> lineBytes;
        if (extraLinesFile) {
            auto lines = extraLinesFile->record(number);
            if (!lines)
                return lines.error();
            lineBytes = lines.value();
        }
        const char flag = storedCurrencyFlag(record);
        const calc::InvoiceAmounts amounts = calc::invoiceAmounts(storedFigures(record, lineBytes, type), type, flag,
                                                                  calc::QuantityRule::YearlyTotals);
        // A free slot, or a lire invoice whose rate cannot convert, adds nothing.
        const auto euro = calc::inEuro(kind == TotalKind::Vat ? amounts.vat : amounts.taxable, flag, rateAt(record));
        bool cancels = false;
        if (creditNotes) {
            auto mark = creditNotes->record(number);
            if (!mark)
                return mark.error();
            cancels = isCreditNoteRecord(mark.value());
        }
        sum += cancels ? -euro.value_or(0) : euro.value_or(0);
    }
    return sum;
}

} // namespace tessaro::archive
