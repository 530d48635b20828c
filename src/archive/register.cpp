#include "archive/register.h"

#include "archive/codepage.h"
#include "archive/credit_notes.h"
#include "archive/fields.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "archive/records.h"
#include "archive/settlement.h"
#include "archive/stored_figures.h"
#include "calc/regimes.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessaro::archive {

namespace {

std::uint8_t dateNumber(std::span<const std::uint8_t> record, InvoiceField field, int highest)
{
    const double value = figureAt(record, fieldOf(field));
    if (!(value >= 1 && value <= highest) || value != std::floor(value))
        return 0;
    return static_cast<std::uint8_t>(value);
}

RegisterRow rowOf(int number, std::span<const std::uint8_t> record, std::span<const std::uint8_t> lines,
                  calc::InvoiceType type, calc::InvoiceTerms terms, bool& extraLinesCount)
{
    RegisterRow row;
    row.number = number;
    row.rate = rateAt(record);
    row.day = dateNumber(record, InvoiceField::Day, 31);
    row.month = dateNumber(record, InvoiceField::Month, 12);

    const char flag = storedCurrencyFlag(record);
    const calc::InvoiceAmounts amounts
        = calc::invoiceAmounts(storedFigures(record, lines, type), type, flag, calc::QuantityRule::YearlyTotals, terms);
    extraLinesCount = amounts.extraLinesCount;
    const RegisterFigures stored {amounts.taxable,     amounts.vat,
                                  amounts.withholding, amounts.expenses + amounts.expenses2,
                                  amounts.toPay,       amounts.stampDutyDue ? calc::StampDutyAmount : 0};
    const auto euro = [&](double amount) { return calc::inEuro(amount, flag, row.rate); };
    if (!euro(stored.taxable)) {
        row.currency = flag == calc::LireFlag ? RegisterCurrency::LireWithoutRate : RegisterCurrency::Unknown;
        row.figures = stored;
        return row;
    }
    row.currency = flag == calc::EuroFlag ? RegisterCurrency::Euro : RegisterCurrency::FromLire;
    // The duty is due on euro invoices only, so it is in euro already.
    row.figures = {*euro(stored.taxable),  *euro(stored.vat),   *euro(stored.withholding),
                   *euro(stored.expenses), *euro(stored.toPay), stored.stampDuty};
    return row;
}

} // namespace

RegisterRow registerRow(int number, std::span<const std::uint8_t> record, std::span<const std::uint8_t> lines,
                        calc::InvoiceType type, calc::InvoiceTerms terms)
{
    bool extraLinesCount = false;
    return rowOf(number, record, lines, type, terms, extraLinesCount);
}

namespace {

void markCreditNote(RegisterRow& row, std::span<const std::uint8_t, CreditNoteRecordSize> record)
{
    const CreditNoteMark mark = decodeCreditNote(record);
    if (!mark.isCreditNote)
        return;
    row.creditNote = true;
    row.cancelledInvoice = invoiceNumber(mark.refNumber);
    for (double* figure :
         {&row.figures.taxable, &row.figures.vat, &row.figures.withholding, &row.figures.expenses, &row.figures.toPay})
        *figure = -*figure;
}

void add(RegisterFigures& sum, const RegisterFigures& figures)
{
    sum.taxable += figures.taxable;
    sum.vat += figures.vat;
    sum.withholding += figures.withholding;
    sum.expenses += figures.expenses;
    sum.toPay += figures.toPay;
    sum.stampDuty += figures.stampDuty;
    sum.received += figures.received;
    sum.owed += figures.owed;
}

// Most invoices have no terms and no payments: their records, never written
// (zero bytes) or written empty (blanks), decode to nothing, so they are not
// decoded at all.
InvoicePayments paymentsAt(std::span<const std::uint8_t> records, std::size_t index)
{
    const auto record = records.subspan(index * PaymentsRecordSize, PaymentsRecordSize);
    if (std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0 || b == ' '; }))
        return {};
    return decodePayments(std::span<const std::uint8_t, PaymentsRecordSize>(record.data(), PaymentsRecordSize));
}

} // namespace

Result<BookRegister> BookRegister::read(const BookPaths& book, calc::InvoiceType type, int nextNumber,
                                        calc::InvoiceTerms terms, std::string_view year)
{
    BookRegister reg;
    reg.m_type = type;
    const int count = std::clamp(nextNumber - 1, 0, MaxInvoiceNumber);
    const auto records = static_cast<std::size_t>(count);
    // A book without its invoice file has no invoices; reading it must not create one.
    if (!book.fs().exists(book.invoices)) {
        reg.m_searchStart.push_back(0);
        return reg;
    }
    auto invoices = RecordFile::open(book.fs(), book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    reg.m_invoices.resize(records * InvoiceRecordSize);
    if (count > 0) {
        if (Status read = invoices.value().readBlock(1, reg.m_invoices); !read)
            return read.error();
    }
    // The .agg only matters where lines 4 to 10 can count.
    std::vector<std::uint8_t> extraLines;
    if (type == calc::InvoiceType::Commercial) {
        extraLines.resize(records * ExtraLinesRecordSize);
        if (count > 0 && book.fs().exists(book.extraLines)) {
            auto file = RecordFile::open(book.fs(), book.extraLines, ExtraLinesRecordSize);
            if (!file)
                return file.error();
            if (Status read = file.value().readBlock(1, extraLines); !read)
                return read.error();
        }
    }

    auto creditNotes = readCreditNoteRecords(book, count);
    if (!creditNotes)
        return creditNotes.error();

    reg.m_rows.reserve(records);
    reg.m_searchStart.reserve(records + 1);
    reg.m_clientLength.reserve(records);
    for (std::size_t i = 0; i < records; ++i) {
        const auto record
            = std::span<const std::uint8_t>(reg.m_invoices).subspan(i * InvoiceRecordSize, InvoiceRecordSize);
        std::span<const std::uint8_t> lines;
        if (!extraLines.empty())
            lines = std::span<const std::uint8_t>(extraLines).subspan(i * ExtraLinesRecordSize, ExtraLinesRecordSize);
        bool extraLinesCount = false;
        reg.m_rows.push_back(rowOf(static_cast<int>(i) + 1, record, lines, type, terms, extraLinesCount));
        markCreditNote(reg.m_rows.back(),
                       std::span<const std::uint8_t, CreditNoteRecordSize>(
                           creditNotes.value().data() + i * CreditNoteRecordSize, CreditNoteRecordSize));

        reg.indexRow(record, extraLinesCount ? lines : std::span<const std::uint8_t>());
    }
    reg.m_searchStart.push_back(static_cast<std::uint32_t>(reg.m_search.size()));

    // A fee notice is not paid: the invoice it becomes is.
    if (book.ofNotices())
        return reg;
    auto payments = readPaymentRecords(book, count);
    if (!payments)
        return payments.error();
    reg.settle(payments.value(), year);
    return reg;
}

void BookRegister::settle(std::span<const std::uint8_t> paymentRecords, std::string_view year)
{
    const std::size_t rows = m_rows.size();
    std::vector<InvoicePayments> payments(rows);
    for (std::size_t i = 0; i < rows; ++i)
        payments[i] = paymentsAt(paymentRecords, i);
    // Only an invoice of this book can be cancelled by one of its credit notes.
    const auto cancelledIndex = [&](const RegisterRow& row) -> std::optional<std::size_t> {
        if (!row.creditNote || row.cancelledInvoice < 1 || static_cast<std::size_t>(row.cancelledInvoice) > rows)
            return std::nullopt;
        return static_cast<std::size_t>(row.cancelledInvoice) - 1;
    };
    std::vector<char> cancelled(rows, 0);
    for (const RegisterRow& row : m_rows) {
        if (const auto k = cancelledIndex(row))
            cancelled[*k] = 1;
    }
    const std::optional<calc::Date> firstDay = calc::dateOfFields("1", "1", year);
    for (std::size_t i = 0; i < rows; ++i) {
        RegisterRow& row = m_rows[i];
        if (!row.counted())
            continue;
        SettlementInput input;
        input.toPay = row.figures.toPay;
        input.creditNote = row.creditNote;
        input.cancelled = cancelled[i] != 0;
        if (firstDay && row.day && row.month && calc::isRealDate(row.day, row.month, firstDay->year))
            input.issued = calc::Date {firstDay->year, row.month, row.day};
        if (const auto k = cancelledIndex(row))
            input.receivedOnCancelled = payments[*k].received();
        row.settlementInput = input;
        row.settlement = settlementOf(input, payments[i]);
        row.figures.received = row.settlement->received;
        row.figures.owed = row.settlement->owed();
    }
}

std::optional<calc::PaymentState> BookRegister::paymentState(int index, calc::Date today) const
{
    const RegisterRow& r = row(index);
    if (!r.settlement)
        return std::nullopt;
    return r.settlement->state(today);
}

std::vector<char> BookRegister::showing(PaymentFilter filter, calc::Date today) const
{
    std::vector<char> shown(m_rows.size(), 1);
    if (filter == PaymentFilter::All)
        return shown;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::optional<calc::Settlement>& settlement = m_rows[i].settlement;
        if (!settlement) {
            shown[i] = 0;
            continue;
        }
        const calc::PaymentState state = settlement->state(today);
        const bool overdue = state == calc::PaymentState::Overdue;
        shown[i] = filter == PaymentFilter::Overdue
            ? overdue
            : overdue || state == calc::PaymentState::Open || state == calc::PaymentState::PartlyPaid;
    }
    return shown;
}

std::span<const std::uint8_t> BookRegister::invoiceBytes(int index) const
{
    return std::span<const std::uint8_t>(m_invoices)
        .subspan(static_cast<std::size_t>(index) * InvoiceRecordSize, InvoiceRecordSize);
}

char BookRegister::kind(int index) const
{
    return flagAt(invoiceBytes(index), fieldOf(InvoiceField::Kind));
}

RegisterFigures BookRegister::totals() const
{
    RegisterFigures sum;
    for (const RegisterRow& row : m_rows) {
        if (row.counted())
            add(sum, row.figures);
    }
    return sum;
}

RegisterFigures BookRegister::totalsOf(std::span<const char> selected) const
{
    RegisterFigures sum;
    const std::size_t rows = std::min(selected.size(), m_rows.size());
    for (std::size_t i = 0; i < rows; ++i) {
        if (selected[i] && m_rows[i].counted())
            add(sum, m_rows[i].figures);
    }
    return sum;
}

std::array<double, 12> BookRegister::monthlyTaxable() const
{
    std::array<double, 12> months {};
    for (const RegisterRow& row : m_rows) {
        if (row.counted() && row.month >= 1)
            months[row.month - 1u] += row.figures.taxable;
    }
    return months;
}

int BookRegister::uncountedRows() const
{
    return static_cast<int>(
        std::count_if(m_rows.begin(), m_rows.end(), [](const RegisterRow& r) { return !r.counted(); }));
}

bool BookRegister::hasLireRows() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const RegisterRow& r) {
        return r.currency == RegisterCurrency::FromLire || r.currency == RegisterCurrency::LireWithoutRate;
    });
}

} // namespace tessaro::archive
