#include "archive/totals.h"

#include "archive/codepage.h"
#include "archive/record_file.h"
#include "calc/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace tessaro::archive {

namespace {

using calc::numericValue;

// The numbers of an invoice a sum needs, read from its texts by the
// numeric-value rule. The extra lines are read only when they count.
struct InvoiceFigures {
    std::array<double, 3> amount {};
    std::array<double, 3> quantity {};
    double pension = 0;
    double vat = 0;
    char currency = 0; // 'l', 'e', or anything else for a free slot
};

struct ExtraFigures {
    std::array<double, ExtraLineCount> amount {};
    std::array<double, ExtraLineCount> quantity {};
};

char currencyFlag(const std::string& currency)
{
    return currency.size() == 1 ? currency.front() : '\0';
}

InvoiceFigures figuresOf(const InvoiceRecord& invoice)
{
    InvoiceFigures figures;
    for (std::size_t line = 0; line < 3; ++line) {
        figures.amount[line] = numericValue(invoice.amount[line]);
        figures.quantity[line] = numericValue(invoice.quantity[line]);
    }
    figures.pension = numericValue(invoice.pension);
    figures.vat = numericValue(invoice.vat);
    figures.currency = currencyFlag(invoice.currency);
    return figures;
}

double professionalTaxable(const InvoiceFigures& invoice)
{
    const double fees = invoice.amount[0] + invoice.amount[1] + invoice.amount[2];
    return fees + fees * invoice.pension / 100;
}

bool everyAmountFilled(const InvoiceFigures& invoice)
{
    return invoice.amount[0] != 0 && invoice.amount[1] != 0 && invoice.amount[2] != 0;
}

// extraLines is asked for only when the lines 4 to 10 count.
template <typename ExtraLines> double commercialTaxable(const InvoiceFigures& invoice, ExtraLines extraLines)
{
    double taxable = 0;
    for (std::size_t line = 0; line < 3; ++line) {
        const double quantity = invoice.quantity[line] == 0 ? 1 : invoice.quantity[line];
        taxable += invoice.amount[line] * quantity;
    }
    if (everyAmountFilled(invoice)) {
        const ExtraFigures extra = extraLines();
        for (std::size_t line = 0; line < static_cast<std::size_t>(ExtraLineCount); ++line)
            taxable += extra.quantity[line] * extra.amount[line];
    }
    return taxable;
}

double roundedForCurrency(const InvoiceFigures& invoice, double amount)
{
    return invoice.currency == 'l' ? calc::wholeLira(amount) : amount;
}

template <typename ExtraLines> double taxableOf(const InvoiceFigures& invoice, InvoiceType type, ExtraLines extraLines)
{
    const double taxable
        = type == InvoiceType::Commercial ? commercialTaxable(invoice, extraLines) : professionalTaxable(invoice);
    return roundedForCurrency(invoice, taxable);
}

template <typename ExtraLines> double vatOf(const InvoiceFigures& invoice, InvoiceType type, ExtraLines extraLines)
{
    return roundedForCurrency(invoice, taxableOf(invoice, type, extraLines) * invoice.vat / 100);
}

double inEuro(char currency, float rate, double amount)
{
    if (currency == 'e')
        return amount;
    // A rate of 0 (or a damaged one) cannot convert lire: such an invoice is left out.
    if (currency == 'l' && std::isfinite(rate) && rate > 0)
        return amount / rate;
    return 0;
}

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

// A sum reads only the figures of a record. Decoding the whole record would
// convert its descriptions and its client to UTF-8 and then every figure
// through a string, which made a sum over a full book cost half a second; these
// are the byte offsets of the fields it needs, in the layout of the book files.
namespace offsets {
constexpr std::size_t Vat = 177; // after the client (173), the day and the month
constexpr std::size_t Amounts = 630; // after the kind and the three descriptions (210 + 150 + 90)
constexpr std::size_t AmountWidth = 10;
constexpr std::size_t Quantities = Amounts + 3 * AmountWidth;
constexpr std::size_t QuantityWidth = 4;
constexpr std::size_t Pension = Quantities + 3 * QuantityWidth;
constexpr std::size_t Currency = Pension + 1 + 8 + 2; // after the expenses and the withholding
constexpr std::size_t Rate = Currency + 1;
static_assert(Rate + 4 + 8 == InvoiceRecordSize);
constexpr std::size_t ExtraAmounts = ExtraLineCount * 35; // after the seven descriptions
constexpr std::size_t ExtraQuantities = ExtraAmounts + ExtraLineCount * AmountWidth;
static_assert(ExtraQuantities + ExtraLineCount * QuantityWidth == ExtraLinesRecordSize);
} // namespace offsets

// The numeric value of a stored field. The usual field, digits with at most
// one point between blanks (or the zero bytes past the end of a file), is read
// here: up to 15 digits are an exact integer, and dividing it by an exact
// power of ten rounds once, to the same double the rule gives. Anything else
// (a sign, an exponent, a blank between digits, another character) takes the
// rule itself.
double fieldValue(std::span<const std::uint8_t> field)
{
    static constexpr std::array<double, 16> PowersOfTen
        = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    // Most stored figures are empty: the unused lines of an invoice.
    if (std::all_of(field.begin(), field.end(), [](std::uint8_t byte) { return byte == ' '; }))
        return 0;
    const auto isBlank = [](std::uint8_t byte) { return byte == ' ' || byte == 0; };
    const std::uint8_t* first = field.data();
    const std::uint8_t* last = first + field.size();
    while (first != last && isBlank(*first))
        ++first;
    while (last != first && isBlank(last[-1]))
        --last;
    // One pass without branches over what lies between the blanks, so the
    // changes from digits to point do not stall the processor.
    std::uint64_t digits = 0;
    unsigned digitCount = 0;
    unsigned fractionDigits = 0;
    unsigned points = 0;
    bool other = false;
    for (const std::uint8_t* p = first; p != last; ++p) {
        const unsigned digit = static_cast<unsigned>(*p) - '0';
        const bool isDigit = digit < 10;
        const bool isPoint = *p == '.';
        other |= !isDigit && !isPoint;
        points += isPoint;
        digits = isDigit ? digits * 10 + digit : digits;
        digitCount += isDigit;
        fractionDigits += isDigit && points != 0;
    }
    if (other || points > 1 || digitCount > 15)
        return numericValue(readFixedText(field));
    // Most fields are whole numbers or empty: no division to wait for.
    if (fractionDigits == 0)
        return static_cast<double>(digits);
    return static_cast<double>(digits) / PowersOfTen[static_cast<std::size_t>(fractionDigits)];
}

double valueAt(std::span<const std::uint8_t> record, std::size_t offset, std::size_t width)
{
    return fieldValue(record.subspan(offset, width));
}

// A one-byte field holds its flag; a zero byte is an empty field.
char flagAt(std::span<const std::uint8_t> record, std::size_t offset)
{
    return static_cast<char>(record[offset]);
}

// Only the figures the sum of this type and kind uses are read; the others stay 0.
InvoiceFigures figuresOfInvoice(std::span<const std::uint8_t> record, InvoiceType type, TotalKind kind)
{
    InvoiceFigures figures;
    for (std::size_t line = 0; line < 3; ++line)
        figures.amount[line] = valueAt(record, offsets::Amounts + line * offsets::AmountWidth, offsets::AmountWidth);
    if (type == InvoiceType::Commercial) {
        for (std::size_t line = 0; line < 3; ++line)
            figures.quantity[line]
                = valueAt(record, offsets::Quantities + line * offsets::QuantityWidth, offsets::QuantityWidth);
    } else {
        figures.pension = valueAt(record, offsets::Pension, 1);
    }
    if (kind == TotalKind::Vat)
        figures.vat = valueAt(record, offsets::Vat, 2);
    figures.currency = flagAt(record, offsets::Currency);
    return figures;
}

ExtraFigures figuresOfExtraLines(std::span<const std::uint8_t> record)
{
    ExtraFigures figures;
    for (std::size_t line = 0; line < static_cast<std::size_t>(ExtraLineCount); ++line) {
        figures.amount[line]
            = valueAt(record, offsets::ExtraAmounts + line * offsets::AmountWidth, offsets::AmountWidth);
        figures.quantity[line]
            = valueAt(record, offsets::ExtraQuantities + line * offsets::QuantityWidth, offsets::QuantityWidth);
    }
    return figures;
}

} // namespace

double invoiceTaxable(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type)
{
    return taxableOf(figuresOf(invoice), type, [&] {
        ExtraFigures extra;
        for (std::size_t line = 0; line < static_cast<std::size_t>(ExtraLineCount); ++line) {
            extra.amount[line] = numericValue(extraLines.amount[line]);
            extra.quantity[line] = numericValue(extraLines.quantity[line]);
        }
        return extra;
    });
}

double invoiceVat(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type)
{
    const InvoiceFigures figures = figuresOf(invoice);
    return roundedForCurrency(figures, invoiceTaxable(invoice, extraLines, type) * figures.vat / 100);
}

double inEuro(const InvoiceRecord& invoice, double amount)
{
    return inEuro(currencyFlag(invoice.currency), invoice.rate, amount);
}

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

    double sum = 0;
    for (int number = first; number <= last; ++number) {
        auto invoiceBytes = invoices.value().record(number);
        if (!invoiceBytes)
            return invoiceBytes.error();
        const std::span<const std::uint8_t> record = invoiceBytes.value();
        const InvoiceFigures figures = figuresOfInvoice(record, type, kind);
        // The .agg is read for every record, counted or not, so a damaged one is reported alike.
        std::span<const std::uint8_t> lineBytes;
        if (extraLinesFile) {
            auto lines = extraLinesFile->record(number);
            if (!lines)
                return lines.error();
            lineBytes = lines.value();
        }
        const auto extraLines = [&] { return figuresOfExtraLines(lineBytes); };
        const double amount
            = kind == TotalKind::Vat ? vatOf(figures, type, extraLines) : taxableOf(figures, type, extraLines);
        const float rate = readFloat32LE(record.subspan(offsets::Rate).first<4>());
        sum += inEuro(figures.currency, rate, amount);
    }
    return sum;
}

} // namespace tessaro::archive
