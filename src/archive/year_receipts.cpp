#include "archive/year_receipts.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/credit_notes.h"
#include "archive/fields.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "archive/records.h"
#include "archive/stored_figures.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <iterator>
#include <optional>
#include <system_error>
#include <thread>
#include <tuple>

namespace tessaro::archive {

namespace {

// readFixedText already gives UTF-8: converting it again would turn every
// accented letter of a client's name into two.
// Whether a place of a record of the .inc may hold a payment of the year:
// its stored date begins with the year's four digits. Most places hold none,
// or a payment of another year, and are never decoded.
bool datedIn(std::span<const std::uint8_t> record, std::size_t slot, std::string_view yearText)
{
    const std::size_t start = paymentFieldOf(slot, PaymentField::Date).offset;
    return std::equal(yearText.begin(), yearText.end(), record.begin() + static_cast<std::ptrdiff_t>(start));
}

// The issuer's books that hold payments.
Result<std::vector<BookOfYear>> booksWithPayments(const DataDir& dir, int issuer)
{
    return issuerBooks(dir, issuer, "inc");
}

// Records read in order through a window of a few hundred kilobytes
// rather than whole files: ten full books are more than half a gigabyte, and
// a window that stays in the processor's cache costs neither page faults nor
// zeroing. A file that is not there reads as zero bytes and is not created.
class RecordWindow {
public:
    static constexpr int Records = 512;

    RecordWindow(FileSystem& fs, const std::string& path, std::size_t length, std::vector<std::uint8_t>& bytes)
        : m_fs(fs), m_path(path), m_length(length), m_bytes(bytes)
    {
    }

    // Record n (1-based); the numbers asked for never go down.
    Result<std::span<const std::uint8_t>> record(int n)
    {
        if (m_first == 0 || n < m_first || n >= m_first + Records) {
            if (Status read = fill(n); !read)
                return read.error();
        }
        return std::span<const std::uint8_t>(m_bytes).subspan(static_cast<std::size_t>(n - m_first) * m_length,
                                                              m_length);
    }

private:
    Status fill(int first)
    {
        m_bytes.resize(Records * m_length);
        if (!m_opened) {
            m_opened = true;
            if (m_fs.exists(m_path)) {
                auto file = RecordFile::open(m_fs, m_path, m_length);
                if (!file)
                    return file.error();
                m_file = std::move(file.value());
            }
        }
        m_first = first;
        if (!m_file) {
            std::fill(m_bytes.begin(), m_bytes.end(), std::uint8_t {0});
            return {};
        }
        return m_file->readBlock(first, m_bytes);
    }

    FileSystem& m_fs;
    const std::string& m_path;
    std::size_t m_length;
    std::vector<std::uint8_t>& m_bytes;
    std::optional<RecordFile> m_file;
    bool m_opened = false;
    int m_first = 0; // 0 before the first fill
};

// The windows' bytes, kept from book to book.
struct BookBytes {
    std::vector<std::uint8_t> payments, invoices, extraLines, creditNotes;
};

// The payments of the year in one book, appended to `out`.
Status readBook(const BookOfYear& book, int year, calc::InvoiceType type, calc::InvoiceTerms terms, BookBytes& bytes,
                std::vector<YearReceipt>& out)
{
    auto counter = readCounter(book.paths);
    if (!counter)
        return counter.error();
    const int count = std::clamp(static_cast<int>(counter.value()) - 1, 0, MaxInvoiceNumber);
    FileSystem& fs = book.paths.fs();

    struct Found {
        std::size_t index;
        ReceivedPayment payment;
    };
    std::vector<Found> found;
    const std::string yearText = std::to_string(year);
    RecordWindow payments(fs, book.paths.payments, PaymentsRecordSize, bytes.payments);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const auto read = payments.record(static_cast<int>(i) + 1);
        if (!read)
            return read.error();
        const std::span<const std::uint8_t> record = read.value();
        for (std::size_t slot = 0; yearText.size() == 4 && slot < PaymentsPerInvoice; ++slot) {
            if (!datedIn(record, slot, yearText))
                continue;
            auto payment = decodePayment(
                std::span<const std::uint8_t, PaymentsRecordSize>(record.data(), PaymentsRecordSize), slot);
            if (payment && payment->readable() && payment->date.year == year)
                found.push_back({i, std::move(*payment)});
        }
    }
    if (found.empty())
        return {};

    RecordWindow invoices(fs, book.paths.invoices, InvoiceRecordSize, bytes.invoices);
    RecordWindow extraLines(fs, book.paths.extraLines, ExtraLinesRecordSize, bytes.extraLines);
    RecordWindow creditNotes(fs, book.paths.creditNotes, CreditNoteRecordSize, bytes.creditNotes);

    // Grown by doubling over the books, not to the size of each in turn: a row is large to move.
    if (out.capacity() < out.size() + found.size())
        out.reserve(std::max(out.capacity() * 2, out.size() + found.size()));
    // An invoice's figures and client are read once for all its payments.
    YearReceipt invoice;
    std::optional<calc::InvoiceAmounts> amounts;
    char flag = 0;
    double rate = 0;
    std::size_t current = static_cast<std::size_t>(-1);
    for (Found& f : found) {
        if (f.index != current) {
            current = f.index;
            const int number = static_cast<int>(f.index) + 1;
            const auto read = invoices.record(number);
            if (!read)
                return read.error();
            const std::span<const std::uint8_t> record = read.value();
            std::span<const std::uint8_t> lines;
            if (type == calc::InvoiceType::Commercial) {
                const auto extra = extraLines.record(number);
                if (!extra)
                    return extra.error();
                lines = extra.value();
            }
            const auto mark = creditNotes.record(number);
            if (!mark)
                return mark.error();
            flag = storedCurrencyFlag(record);
            rate = rateAt(record);
            amounts = calc::invoiceAmounts(storedFigures(record, lines, type), type, flag,
                                           calc::QuantityRule::YearlyTotals, terms);
            invoice.invoiceNumber = number;
            invoice.invoiceYear = book.year;
            invoice.creditNote = isCreditNoteRecord(mark.value());
            invoice.client = fieldText(record, fieldOf(PartyField::Surname));
            if (const std::string first = fieldText(record, fieldOf(PartyField::FirstName)); !first.empty())
                invoice.client += (invoice.client.empty() ? "" : " ") + first;
            invoice.taxCode = fieldText(record, fieldOf(PartyField::TaxCode));
            invoice.vatNumber = fieldText(record, fieldOf(PartyField::VatNumber));
        }
        YearReceipt& row = out.emplace_back(invoice);
        row.date = f.payment.date;
        row.method = std::move(f.payment.method);
        row.note = std::move(f.payment.note);
        const double amount = f.payment.value();
        if (const auto parts = calc::paymentParts(*amounts, flag, rate, amount)) {
            row.parts = *parts;
        } else {
            row.parts.amount = amount;
            row.parts.fees = amount;
            row.divided = false;
        }
    }
    return {};
}

void add(calc::PaymentParts& sum, const calc::PaymentParts& parts)
{
    sum.amount += parts.amount;
    sum.fees += parts.fees;
    sum.pension += parts.pension;
    sum.vat += parts.vat;
    sum.expenses += parts.expenses;
    sum.stampDuty += parts.stampDuty;
    sum.withholding += parts.withholding;
}

} // namespace

calc::PaymentParts YearReceipts::totals() const
{
    calc::PaymentParts sum;
    for (const YearReceipt& row : rows)
        add(sum, row.parts);
    return sum;
}

calc::PaymentParts YearReceipts::totalsOf(std::span<const int> indices) const
{
    calc::PaymentParts sum;
    for (const int index : indices)
        add(sum, rows[static_cast<std::size_t>(index)].parts);
    return sum;
}

std::array<double, 12> YearReceipts::monthlyAmounts() const
{
    std::array<double, 12> months {};
    for (const YearReceipt& row : rows) {
        if (row.date.month >= 1 && row.date.month <= 12)
            months[static_cast<std::size_t>(row.date.month - 1)] += row.parts.amount;
    }
    return months;
}

double YearReceipts::income(bool pensionIsIncome) const
{
    double sum = 0;
    for (const YearReceipt& row : rows)
        sum += row.parts.income(pensionIsIncome);
    return sum;
}

Result<std::vector<int>> yearsWithPayments(const DataDir& dir, int issuer)
{
    auto books = booksWithPayments(dir, issuer);
    if (!books)
        return books.error();
    std::vector<int> years;
    for (const BookOfYear& book : books.value())
        years.push_back(book.year);
    return years;
}

Result<YearReceipts> readYearReceipts(const DataDir& dir, int issuer, int year, calc::InvoiceType type,
                                      calc::InvoiceTerms terms)
{
    auto books = booksWithPayments(dir, issuer);
    if (!books)
        return books.error();
    YearReceipts receipts;
    receipts.year = year;

    // The books are independent and mostly a matter of copying their files
    // in: with ten full books that copy is the wait, so each worker reads
    // its share of the books into buffers of its own, and the books' rows
    // are joined in the order of their years.
    const std::vector<BookOfYear>& list = books.value();
    std::vector<std::vector<YearReceipt>> rowsOf(list.size());
    std::vector<Status> statusOf(list.size());
    std::atomic<std::size_t> next {0};
    const auto work = [&] {
        BookBytes bytes;
        for (std::size_t i = next++; i < list.size(); i = next++)
            statusOf[i] = readBook(list[i], year, type, terms, bytes, rowsOf[i]);
    };
    const unsigned workers = std::min<std::size_t>(list.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    try {
        for (unsigned w = 1; w < workers; ++w)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No thread to be had: the books are read here, one after the other.
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();

    std::size_t total = 0;
    for (const auto& rows : rowsOf)
        total += rows.size();
    receipts.rows.reserve(total);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!statusOf[i]) {
            receipts.unread.push_back({list[i].year, statusOf[i].error().describe()});
            continue;
        }
        std::move(rowsOf[i].begin(), rowsOf[i].end(), std::back_inserter(receipts.rows));
    }
    // The rows are sorted through small keys and moved once: a row is large.
    struct Key {
        calc::Date date;
        int invoiceYear;
        int invoiceNumber;
        std::size_t index; // as recorded, among equals
    };
    std::vector<Key> keys;
    keys.reserve(receipts.rows.size());
    for (std::size_t i = 0; i < receipts.rows.size(); ++i) {
        const YearReceipt& row = receipts.rows[i];
        keys.push_back({row.date, row.invoiceYear, row.invoiceNumber, i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return std::tie(a.date, a.invoiceYear, a.invoiceNumber, a.index)
            < std::tie(b.date, b.invoiceYear, b.invoiceNumber, b.index);
    });
    std::vector<YearReceipt> sorted;
    sorted.reserve(keys.size());
    for (const Key& key : keys)
        sorted.push_back(std::move(receipts.rows[key.index]));
    receipts.rows = std::move(sorted);
    return receipts;
}

} // namespace tessaro::archive
