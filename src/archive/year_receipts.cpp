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
#include <tuple>

namespace tessaro::archive {

namespace {

std::string textAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    return fromWindows1252(trimBlanks(readFixedText(record.subspan(field.offset, field.width))));
}

// Whether a record of the .inc can hold a payment of the year: a record
// never written or written empty holds none, and most invoices have none.
bool blank(std::span<const std::uint8_t> record)
{
    return std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0 || b == ' '; });
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

// The payments of the year in one book, appended to `out`.
Status readBook(const BookYear& book, int year, calc::InvoiceType type, calc::InvoiceTerms terms,
                std::vector<YearReceipt>& out)
{
    auto counter = readCounter(book.paths);
    if (!counter)
        return counter.error();
    const int count = std::clamp(static_cast<int>(counter.value()) - 1, 0, MaxInvoiceNumber);
    auto records = readPaymentRecords(book.paths, count);
    if (!records)
        return records.error();

    struct Found {
        std::size_t index;
        ReceivedPayment payment;
    };
    std::vector<Found> found;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const auto record
            = std::span<const std::uint8_t>(records.value()).subspan(i * PaymentsRecordSize, PaymentsRecordSize);
        if (blank(record))
            continue;
        InvoicePayments payments
            = decodePayments(std::span<const std::uint8_t, PaymentsRecordSize>(record.data(), PaymentsRecordSize));
        for (ReceivedPayment& payment : payments.payments) {
            if (payment.readable() && payment.date.year == year)
                found.push_back({i, std::move(payment)});
        }
    }
    if (found.empty())
        return {};

    const int highest = static_cast<int>(found.back().index) + 1;
    auto invoices = readLeadingRecords(book.paths.fs(), book.paths.invoices, InvoiceRecordSize, highest);
    if (!invoices)
        return invoices.error();
    std::vector<std::uint8_t> extraLines;
    if (type == calc::InvoiceType::Commercial) {
        auto lines = readLeadingRecords(book.paths.fs(), book.paths.extraLines, ExtraLinesRecordSize, highest);
        if (!lines)
            return lines.error();
        extraLines = std::move(lines.value());
    }
    auto creditNotes = readCreditNoteRecords(book.paths, highest);
    if (!creditNotes)
        return creditNotes.error();

    for (Found& f : found) {
        const auto record
            = std::span<const std::uint8_t>(invoices.value()).subspan(f.index * InvoiceRecordSize, InvoiceRecordSize);
        std::span<const std::uint8_t> lines;
        if (!extraLines.empty())
            lines = std::span<const std::uint8_t>(extraLines)
                        .subspan(f.index * ExtraLinesRecordSize, ExtraLinesRecordSize);
        const char flag = storedCurrencyFlag(record);
        const calc::InvoiceAmounts amounts = calc::invoiceAmounts(storedFigures(record, lines, type), type, flag,
                                                                  calc::QuantityRule::YearlyTotals, terms);
        YearReceipt row;
        row.date = f.payment.date;
        row.invoiceNumber = static_cast<int>(f.index) + 1;
        row.invoiceYear = book.year;
        row.creditNote = isCreditNoteRecord(std::span<const std::uint8_t>(creditNotes.value())
                                                .subspan(f.index * CreditNoteRecordSize, CreditNoteRecordSize));
        row.client = textAt(record, fieldOf(PartyField::Surname));
        if (const std::string first = textAt(record, fieldOf(PartyField::FirstName)); !first.empty())
            row.client += (row.client.empty() ? "" : " ") + first;
        row.taxCode = textAt(record, fieldOf(PartyField::TaxCode));
        row.vatNumber = textAt(record, fieldOf(PartyField::VatNumber));
        row.method = std::move(f.payment.method);
        row.note = std::move(f.payment.note);
        const double amount = f.payment.value();
        if (const auto parts = calc::paymentParts(amounts, flag, rateAt(record), amount)) {
            row.parts = *parts;
        } else {
            row.parts.amount = amount;
            row.parts.fees = amount;
            row.divided = false;
        }
        out.push_back(std::move(row));
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
    for (const BookYear& book : books.value()) {
        const std::size_t before = receipts.rows.size();
        if (Status read = readBook(book, year, type, terms, receipts.rows); !read) {
            receipts.rows.resize(before);
            receipts.unread.push_back({book.year, read.error().describe()});
        }
    }
    std::stable_sort(receipts.rows.begin(), receipts.rows.end(), [](const YearReceipt& a, const YearReceipt& b) {
        return std::tie(a.date, a.invoiceYear, a.invoiceNumber) < std::tie(b.date, b.invoiceYear, b.invoiceNumber);
    });
    return receipts;
}

} // namespace tessaro::archive
