// How the printed invoice writes amounts and the small texts around them.
#pragma once

#include <string>
#include <string_view>

namespace tessaro::print {

// Blanks removed at both ends (tabs and line ends are kept, as typed).
std::string trimBlanks(std::string_view text);

// Lire as the printed invoice shows them: whole lire, rounded half away from
// zero, thousands grouped with "." and no currency symbol ("1.936.270", "-500").
std::string lireMoneyText(double lire);

// Lire format for flag 'l', otherwise the euro amount text "#0.00".
std::string moneyText(double amount, char currencyFlag, char decimalSeparator);

// " 1", " 2", ...: the row number with one leading blank.
std::string rowNumberText(int row);

} // namespace tessaro::print
