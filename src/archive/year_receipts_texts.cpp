#include "archive/year_receipts_texts.h"

#include "archive/codepage.h"
#include "archive/register_csv.h"
#include "calc/payments.h"

#include <array>

namespace tessaro::archive {

namespace {

constexpr std::array<std::string_view, ReceiptColumnCount> Headings
    = {"Data", "Fattura", "Cliente", "Importo", "Compensi", "Cassa", "IVA", "Spese", "Bollo", "Ritenuta", "Note"};

// The file's columns after the window's.
constexpr std::array<std::string_view, 3> CsvHeadings
    = {"Partita IVA del cliente", "Codice fiscale del cliente", "Modalità di pagamento"};

double partOf(const calc::PaymentParts& parts, ReceiptColumn column)
{
    switch (column) {
    case ReceiptColumn::Amount:
        return parts.amount;
    case ReceiptColumn::Fees:
        return parts.fees;
    case ReceiptColumn::Pension:
        return parts.pension;
    case ReceiptColumn::Vat:
        return parts.vat;
    case ReceiptColumn::Expenses:
        return parts.expenses;
    case ReceiptColumn::StampDuty:
        return parts.stampDuty;
    case ReceiptColumn::Withholding:
        return parts.withholding;
    default:
        return 0;
    }
}

void appendNote(std::string& note, std::string_view part)
{
    if (part.empty())
        return;
    if (!note.empty())
        note += "; ";
    note += part;
}

template <std::size_t N> std::array<std::string, N> csvLine(const std::array<std::string_view, N>& texts)
{
    std::array<std::string, N> line;
    for (std::size_t i = 0; i < N; ++i)
        line[i] = std::string(texts[i]);
    return line;
}

constexpr std::size_t CsvColumnCount = ReceiptColumnCount + CsvHeadings.size();

// A line of the file with one text in its first column.
void appendCsvText(std::string& out, std::string_view text)
{
    std::array<std::string, CsvColumnCount> line;
    line[0] = std::string(text);
    appendCsvLine(out, line);
}

} // namespace

std::string_view receiptHeading(ReceiptColumn column)
{
    return Headings[static_cast<std::size_t>(column)];
}

bool isReceiptAmountColumn(ReceiptColumn column)
{
    return column >= ReceiptColumn::Amount && column <= ReceiptColumn::Withholding;
}

std::string receiptInvoiceText(const YearReceipt& row)
{
    return std::to_string(row.invoiceNumber) + "/" + std::to_string(row.invoiceYear);
}

std::string receiptCell(const YearReceipt& row, ReceiptColumn column, const AmountStyle& style)
{
    switch (column) {
    case ReceiptColumn::Date:
        return calc::dateText(row.date);
    case ReceiptColumn::Invoice:
        return receiptInvoiceText(row);
    case ReceiptColumn::Client:
        return row.client;
    case ReceiptColumn::Note: {
        std::string note;
        if (row.creditNote)
            appendNote(note, RefundMark);
        if (!row.divided)
            appendNote(note, UndividedMark);
        appendNote(note, row.note);
        return note;
    }
    default:
        return amountText(partOf(row.parts, column), style);
    }
}

std::string receiptTotalsCell(const calc::PaymentParts& totals, ReceiptColumn column, const AmountStyle& style)
{
    if (column == ReceiptColumn::Client)
        return "Totale";
    if (!isReceiptAmountColumn(column))
        return {};
    return amountText(partOf(totals, column), style);
}

std::string unreadBookText(const UnreadBook& book)
{
    return "Anno " + std::to_string(book.year) + ": non letto (" + book.reason + ")";
}

ReceiptsSearch::ReceiptsSearch(const YearReceipts& receipts) : m_receipts(&receipts)
{
    m_clients.reserve(receipts.rows.size());
    for (const YearReceipt& row : receipts.rows)
        m_clients.push_back(foldForSearch(toWindows1252(row.client)));
}

std::vector<int> ReceiptsSearch::matching(std::string_view queryUtf8) const
{
    const std::vector<SearchWord> words = searchWords(queryUtf8);
    std::vector<int> shown;
    shown.reserve(m_clients.size());
    for (std::size_t i = 0; i < m_clients.size(); ++i) {
        const YearReceipt& row = m_receipts->rows[i];
        bool all = true;
        for (const SearchWord& word : words) {
            const bool namesInvoice = word.number == row.invoiceNumber
                || (word.text.find('/') != std::string::npos && word.text == receiptInvoiceText(row));
            if (!namesInvoice && m_clients[i].find(word.text) == std::string::npos) {
                all = false;
                break;
            }
        }
        if (all)
            shown.push_back(static_cast<int>(i));
    }
    return shown;
}

std::string yearReceiptsCsv(const YearReceipts& receipts)
{
    std::string out(CsvByteOrderMark);
    out.reserve(receipts.rows.size() * 160 + 512);
    std::array<std::string_view, CsvColumnCount> headings;
    for (std::size_t i = 0; i < CsvColumnCount; ++i)
        headings[i] = i < Headings.size() ? Headings[i] : CsvHeadings[i - Headings.size()];
    appendCsvLine(out, csvLine(headings));
    std::array<std::string, CsvColumnCount> line;
    for (const YearReceipt& row : receipts.rows) {
        for (int column = 0; column < ReceiptColumnCount; ++column)
            line[static_cast<std::size_t>(column)] = receiptCell(row, static_cast<ReceiptColumn>(column), CsvAmounts);
        const calc::PaymentMethod* method = calc::paymentMethod(row.method);
        line[ReceiptColumnCount] = row.vatNumber;
        line[ReceiptColumnCount + 1] = row.taxCode;
        line[ReceiptColumnCount + 2] = method ? std::string(method->name) : row.method;
        appendCsvLine(out, line);
    }
    const calc::PaymentParts totals = receipts.totals();
    line = {};
    for (int column = 0; column < ReceiptColumnCount; ++column)
        line[static_cast<std::size_t>(column)]
            = receiptTotalsCell(totals, static_cast<ReceiptColumn>(column), CsvAmounts);
    appendCsvLine(out, line);
    for (const UnreadBook& book : receipts.unread)
        appendCsvText(out, unreadBookText(book));
    appendCsvText(out, ReceiptsRuleNote);
    return out;
}

} // namespace tessaro::archive
