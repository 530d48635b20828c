// The reverse calculations of the menu "Calcolo inverso": from the amount to
// pay back to one line amount, then the results recomputed from it. The
// caller asks the questions; these functions say what to show or write.
#pragma once

#include "calc/forward.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::calc {

inline constexpr double MaxReverseTotal = 9000000000.0;

inline constexpr const char* TotalTooLargeMessage = "   TOTALE ECCESSIVO   ";
inline constexpr const char* LineNotContemplatedMessage = "   VOCE NON CONTEMPLATA   ";

// The answer to the total question is read as typed, a decimal comma and
// thousands points included (typedAmountValue), by the limit and the solvers
// alike; the line question keeps the numeric-value rule.

// The answer to the total question exceeds 9 000 000 000: show
// TotalTooLargeMessage and stop before asking anything else.
bool totalTooLarge(std::string_view totalText);

// The line chosen for the commercial variant (1..3); none when the answer
// names no main line (show LineNotContemplatedMessage).
std::optional<int> chosenLine(std::string_view lineText);

enum class ReverseOutcome {
    TooLarge, // show TotalTooLargeMessage; nothing changes
    LineNotContemplated, // show LineNotContemplatedMessage; nothing changes
    SilentStop, // no solution (factor or quantity 0): nothing changes, no message
    Done, // write amountText into line `line`, then the results
};

struct ReverseResult {
    ReverseOutcome outcome = ReverseOutcome::SilentStop;
    int line = 1; // 1..3: txtimp1..txtimp3
    std::string amountText; // the solved amount as the field holds it
    ResultTexts results; // as for the forward calculation
};

// Professional service: solves the fee of line 1 from the total, reading
// pension, vat, withholding, expenses, expenses2, currencyFlag and
// decimalSeparator of the invoice; lines 2 and 3 play no part.
ReverseResult solveProfessional(std::string_view totalText, const InvoiceTexts& invoice);

// Commercial: solves the unit price of the chosen line from the total, VAT
// included, then recomputes every line with the commercial rules (etcra
// becomes empty). Reads quantity, price, the extra lines, vat,
// currencyFlag and decimalSeparator; the type of the invoice is ignored.
ReverseResult solveCommercial(std::string_view totalText, std::string_view lineText, const InvoiceTexts& invoice);

// The text a solved amount is written as: the lire text of Int(x) in a lire
// invoice, otherwise the point form of its two-decimal euro text.
std::string solvedAmountText(double x, char currencyFlag);

} // namespace tessaro::calc
