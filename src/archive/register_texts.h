// The register's columns and the text of every cell, the same on screen, on
// paper and in the exported file: one heading table and one set of rules for
// the dates, the amounts and the marks of the rows left out of the sums.
#pragma once

#include "archive/register.h"

#include <array>
#include <string>
#include <string_view>

namespace tessaro::archive {

enum class RegisterColumn {
    Number,
    Date,
    Client,
    Taxable,
    Vat,
    Withholding,
    Expenses,
    ToPay,
    Kind,
    Sdi,
    Note,
    Due,
    Received,
    Owed,
    State,
};
inline constexpr int RegisterColumnCount = 15;
// The columns of what came in, after those of the invoice's figures.
inline constexpr RegisterColumn FirstPaymentColumn = RegisterColumn::Due;

// A book of fee notices has, in the electronic invoice's place, the invoice each notice became.
std::string_view registerHeading(RegisterColumn column, bool notices = false);
inline constexpr std::string_view NoticeInvoiceHeading = "Fattura";
bool isAmountColumn(RegisterColumn column);
// The figure an amount column shows; 0 for any other column.
double registerFigure(const RegisterFigures& figures, RegisterColumn column);

// The note under every register: which rule its figures follow.
inline constexpr std::string_view RegisterRuleNote = "Importi come nei totali dell'anno: una quantità mancante vale 1.";
inline constexpr std::string_view FromLireMark = "da lire";

struct AmountStyle {
    char decimalSeparator = ',';
    // Thousands apart by "." (by "," when the decimal separator is ".").
    bool grouped = true;
    // Whether the amounts of a row left out of the sums are shown (in lire,
    // or as read); a file for a spreadsheet leaves them out of its columns
    // so that a column sums to the total.
    bool uncountedAmounts = true;
};

// "1.234,50"; "importo non valido" for what no number can show.
std::string amountText(double euro, const AmountStyle& style);
// "L. 1.936.270": whole lire.
std::string lireAmountText(double lire);

// The text of one cell of row index. sdiText is what became of the row's
// electronic invoice (SdiStatus::text); year is the book's year text; today
// decides which invoices are overdue. A row left out of the sums has no
// payment cells.
std::string registerCell(const BookRegister& reg, int index, RegisterColumn column, std::string_view sdiText,
                         std::string_view year, calc::Date today, const AmountStyle& style);
// The row of sums: "Totale" (or the caption given) under the client, the amounts, nothing elsewhere.
std::string totalsCell(const RegisterFigures& totals, RegisterColumn column, const AmountStyle& style,
                       std::string_view caption = "Totale");
// Why a row is marked: converted from lire, or left out of the sums; empty for a euro row.
std::string registerNote(const RegisterRow& row, char decimalSeparator);

} // namespace tessaro::archive
