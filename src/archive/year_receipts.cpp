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
#include <charconv>
#include <optional>
#include <tuple>

namespace tessaro::archive {

namespace {

// readFixedText already gives UTF-8: converting it again would turn every
// accented letter of a client's name into two.
std::string textAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    return std::string(trimBlanks(readFixedText(record.subspan(field.offset, field.width))));
}

// Whether a place of a record of the .inc may hold a payment of the year:
// its stored date begins with the year's four digits. Most places hold none,
// or a payment of another year, and are never decoded.
bool datedIn(std::span<const std::uint8_t> record, std::size_t slot, std::string_view yearText)
{
    const std::size_t start = paymentFieldOf(slot, PaymentField::Date).offset;
    return std::equal(yearText.begin(), yearText.end(), record.begin() + static_cast<std::ptrdiff_t>(start));
}

struct BookYear {
    int year = 0;
    BookPaths paths;
};

// The issuer's books that hold payments: "<issuer><year>.inc" with a year of four digits.
Result<std::vector<BookYear>> booksWithPayments(const DataDir& dir, int issuer)
{
    auto found = listFilesWithExtension(dir, "inc");
    if (!found)
        return found.error();
    const std::string prefix = std::to_string(issuer);
    std::vector<BookYear> books;
    for (const std::string& path : found.value()) {
        const std::size_t slash = path.find_last_of("/\\");
        const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
        const std::string_view stem = name.substr(0, name.size() - 4); // ".inc"
        if (stem.size() != prefix.size() + 4 || stem.substr(0, prefix.size()) != prefix)
            continue;
        const std::string_view yearText = stem.substr(prefix.size());
        int year = 0;
        const auto [end, error] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
        if (error != std::errc() || end != yearText.data() + yearText.size())
            continue;
        books.push_back({year, bookPaths(dir, issuer, std::string(yearText))});
    }
    std::sort(books.begin(), books.end(), [](const BookYear& a, const BookYear& b) { return a.year < b.year; });
    return books;
}

// The bytes of the files of one book, kept from book to book.
struct BookBytes {
    std::vector<std::uint8_t> payments, invoices, extraLines, creditNotes;
};

// The payments of the year in one book, appended to `out`.
Status readBook(const BookYear& book, int year, calc::InvoiceType type, calc::InvoiceTerms terms, BookBytes& bytes,
                std::vector<YearReceipt>& out)
{
    auto counter = readCounter(book.paths);
    if (!counter)
        return counter.error();
    const int count = std::clamp(static_cast<int>(counter.value()) - 1, 0, MaxInvoiceNumber);
    FileSystem& fs = book.paths.fs();
    if (Status read = readLeadingRecords(fs, book.paths.payments, PaymentsRecordSize, count, bytes.payments); !read)
        return read;

    struct Found {
        std::size_t index;
        ReceivedPayment payment;
    };
    std::vector<Found> found;
    const std::string yearText = std::to_string(year);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const auto record
            = std::span<const std::uint8_t>(bytes.payments).subspan(i * PaymentsRecordSize, PaymentsRecordSize);
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

    const int highest = static_cast<int>(found.back().index) + 1;
    if (Status read = readLeadingRecords(fs, book.paths.invoices, InvoiceRecordSize, highest, bytes.invoices); !read)
        return read;
    bytes.extraLines.clear();
    if (type == calc::InvoiceType::Commercial) {
        if (Status read
            = readLeadingRecords(fs, book.paths.extraLines, ExtraLinesRecordSize, highest, bytes.extraLines);
            !read)
            return read;
    }
    if (Status read = readLeadingRecords(fs, book.paths.creditNotes, CreditNoteRecordSize, highest, bytes.creditNotes);
        !read)
        return read;

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
            const auto record
                = std::span<const std::uint8_t>(bytes.invoices).subspan(f.index * InvoiceRecordSize, InvoiceRecordSize);
            std::span<const std::uint8_t> lines;
            if (!bytes.extraLines.empty())
                lines = std::span<const std::uint8_t>(bytes.extraLines)
                            .subspan(f.index * ExtraLinesRecordSize, ExtraLinesRecordSize);
            flag = storedCurrencyFlag(record);
            rate = rateAt(record);
            amounts = calc::invoiceAmounts(storedFigures(record, lines, type), type, flag,
                                           calc::QuantityRule::YearlyTotals, terms);
            invoice.invoiceNumber = static_cast<int>(f.index) + 1;
            invoice.invoiceYear = book.year;
            invoice.creditNote = isCreditNoteRecord(std::span<const std::uint8_t>(bytes.creditNotes)
                                                        .subspan(f.index * CreditNoteRecordSize, CreditNoteRecordSize));
            invoice.client = textAt(record, fieldOf(PartyField::Surname));
            if (const std::string first = textAt(record, fieldOf(PartyField::FirstName)); !first.empty())
                invoice.client += (invoice.client.empty() ? "" : " ") + first;
            invoice.taxCode = textAt(record, fieldOf(PartyField::TaxCode));
            invoice.vatNumber = textAt(record, fieldOf(PartyField::VatNumber));
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
    for (const BookYear& book : books.value())
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
    BookBytes bytes;
    for (const BookYear& book : books.value()) {
        const std::size_t before = receipts.rows.size();
        if (Status read = readBook(book, year, type, terms, bytes, receipts.rows); !read) {
            receipts.rows.resize(before);
            receipts.unread.push_back({book.year, read.error().describe()});
        }
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
