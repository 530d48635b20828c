// "Incassi dell'anno" as texts: its columns, the text of every cell and of
// the totals, the books that could not be read, the search over the clients
// and the file for a spreadsheet. The same on screen, on paper and in the file.
#pragma once

#include "archive/register_texts.h"
#include "archive/year_receipts.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

enum class ReceiptColumn {
    Date,
    Invoice,
    Client,
    Amount,
    Fees,
    Pension,
    Vat,
    Expenses,
    StampDuty,
    Withholding,
    Note,
};
inline constexpr int ReceiptColumnCount = 11;

std::string_view receiptHeading(ReceiptColumn column);
bool isReceiptAmountColumn(ReceiptColumn column);

// The marks of the note: money given back on a credit note, a payment left whole.
inline constexpr std::string_view RefundMark = "rimborso su nota di credito";
inline constexpr std::string_view UndividedMark = "non suddiviso: fattura in lire senza cambio";

// "12/2025": the invoice's number and the year of its book.
std::string receiptInvoiceText(const YearReceipt& row);
std::string receiptCell(const YearReceipt& row, ReceiptColumn column, const AmountStyle& style);
// "Totale" under the client, the sums under the amounts, nothing elsewhere.
std::string receiptTotalsCell(const calc::PaymentParts& totals, ReceiptColumn column, const AmountStyle& style);
// "Anno 2024: non letto (<reason>)".
std::string unreadBookText(const UnreadBook& book);
// The rule the parts follow, under the totals everywhere.
inline constexpr std::string_view ReceiptsRuleNote
    = "Importi in euro. Ogni incasso è diviso tra le voci della sua fattura in proporzione all'importo da pagare.";

// The rows a search shows: every word typed is in the client's name, or
// names the invoice's number ("12") or number and year ("12/2025"). The
// clients are folded once, so every keystroke only compares bytes.
class ReceiptsSearch {
public:
    explicit ReceiptsSearch(const YearReceipts& receipts);
    // The indices of the rows shown, in order; every row for an empty query.
    std::vector<int> matching(std::string_view queryUtf8) const;

private:
    const YearReceipts* m_receipts;
    std::vector<std::string> m_clients;
};

// The whole year as a file a spreadsheet opens like the register's: one row
// per payment, then the totals, the books not read and the rule; after the
// columns of the window those of the client's identifiers and the payment's method.
std::string yearReceiptsCsv(const YearReceipts& receipts);

} // namespace tessaro::archive
