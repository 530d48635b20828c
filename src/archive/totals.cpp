#include "archive/totals.h"

#include "archive/file_system.h"
#include "calc/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace tessaro::archive {

namespace {

using calc::numericValue;

bool isLire(const InvoiceRecord& invoice)
{
    return invoice.currency == "l";
}

double professionalTaxable(const InvoiceRecord& invoice)
{
    const double fees
        = numericValue(invoice.amount[0]) + numericValue(invoice.amount[1]) + numericValue(invoice.amount[2]);
    return fees + fees * numericValue(invoice.pension) / 100;
}

double commercialTaxable(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines)
{
    double taxable = 0;
    bool everyAmountFilled = true;
    for (int line = 0; line < 3; ++line) {
        const double amount = numericValue(invoice.amount[line]);
        double quantity = numericValue(invoice.quantity[line]);
        if (quantity == 0)
            quantity = 1;
        taxable += amount * quantity;
        everyAmountFilled = everyAmountFilled && amount != 0;
    }
    if (everyAmountFilled) {
        for (int line = 0; line < ExtraLineCount; ++line)
            taxable += numericValue(extraLines.quantity[line]) * numericValue(extraLines.amount[line]);
    }
    return taxable;
}

// Reads the records of a loop in ascending order a block at a time: a book of
// 32766 invoices then takes a few hundred transfers instead of one per record.
// Past the end of the file a record is zero bytes, as everywhere else.
class BlockReader {
public:
    static constexpr int RecordsPerBlock = 256;

    static Result<BlockReader> open(const std::string& path, std::size_t recordLength)
    {
        BlockReader reader;
        reader.m_file = fileSystem().open(path);
        if (!reader.m_file)
            return IoError {IoError::Action::Open, path};
        reader.m_path = path;
        reader.m_recordLength = recordLength;
        reader.m_block.resize(recordLength * RecordsPerBlock);
        return reader;
    }

    // Record n (n >= 1); the bytes stay valid until the next call.
    Result<std::span<const std::uint8_t>> record(int number)
    {
        if (m_first == 0 || number < m_first || number >= m_first + RecordsPerBlock) {
            const auto offset = static_cast<std::uint64_t>(number - 1) * m_recordLength;
            const auto got = m_file->readAt(offset, m_block);
            if (!got) {
                m_first = 0;
                return IoError {IoError::Action::Read, m_path};
            }
            std::fill(m_block.begin() + static_cast<std::ptrdiff_t>(*got), m_block.end(), std::uint8_t {0});
            m_first = number;
        }
        const std::size_t start = static_cast<std::size_t>(number - m_first) * m_recordLength;
        return std::span<const std::uint8_t>(m_block).subspan(start, m_recordLength);
    }

private:
    std::unique_ptr<File> m_file;
    std::string m_path;
    std::size_t m_recordLength = 0;
    std::vector<std::uint8_t> m_block;
    int m_first = 0; // record number at the start of m_block, 0 when nothing is read
};

double roundedForCurrency(const InvoiceRecord& invoice, double amount)
{
    return isLire(invoice) ? calc::wholeLira(amount) : amount;
}

} // namespace

double invoiceTaxable(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type)
{
    const double taxable
        = type == InvoiceType::Commercial ? commercialTaxable(invoice, extraLines) : professionalTaxable(invoice);
    return roundedForCurrency(invoice, taxable);
}

double invoiceVat(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type)
{
    const double taxable = invoiceTaxable(invoice, extraLines, type);
    return roundedForCurrency(invoice, taxable * numericValue(invoice.vat) / 100);
}

double inEuro(const InvoiceRecord& invoice, double amount)
{
    if (invoice.currency == "e")
        return amount;
    // A rate of 0 (or a damaged one) cannot convert lire: such an invoice is left out.
    if (isLire(invoice) && std::isfinite(invoice.rate) && invoice.rate > 0)
        return amount / invoice.rate;
    return 0;
}

Result<double> sumInvoices(const BookPaths& book, InvoiceType type, TotalKind kind, int first, int last)
{
    if (first > last)
        return 0.0;
    if (first < 1)
        return IoError {IoError::Action::Read, book.invoices};
    auto invoices = BlockReader::open(book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    std::optional<BlockReader> extraLinesFile;
    if (type == InvoiceType::Commercial) {
        auto opened = BlockReader::open(book.extraLines, ExtraLinesRecordSize);
        if (!opened)
            return opened.error();
        extraLinesFile = std::move(opened.value());
    }

    double sum = 0;
    for (int number = first; number <= last; ++number) {
        auto invoiceBytes = invoices.value().record(number);
        if (!invoiceBytes)
            return invoiceBytes.error();
        const InvoiceRecord invoice = decodeInvoice(
            std::span<const std::uint8_t, InvoiceRecordSize>(invoiceBytes.value().data(), InvoiceRecordSize));
        ExtraLinesRecord lines;
        if (extraLinesFile) {
            auto lineBytes = extraLinesFile->record(number);
            if (!lineBytes)
                return lineBytes.error();
            lines = decodeExtraLines(
                std::span<const std::uint8_t, ExtraLinesRecordSize>(lineBytes.value().data(), ExtraLinesRecordSize));
        }
        const double amount
            = kind == TotalKind::Vat ? invoiceVat(invoice, lines, type) : invoiceTaxable(invoice, lines, type);
        sum += inEuro(invoice, amount);
    }
    return sum;
}

} // namespace tessaro::archive
