// The number rules every part of the program shares: how a text becomes a
// number, how lire are rounded, and how amounts are shown. Amounts live as
// texts; they become doubles only for a calculation.
#pragma once

#include <string>
#include <string_view>

namespace tessaro::calc {

// Blanks, tabs and line feeds ignored anywhere; optional sign; digits with at
// most one "." (never ","); optional exponent E/D; stops at the first
// character that does not fit; no digits -> 0.
double numericValue(std::string_view text);

// Int(x), then +1 when the fraction is above one half (2.5 -> 2, 2.51 -> 3).
double wholeLira(double x);

// Largest whole number not above x.
double intPart(double x);

// Amount text for a currency flag: 'l' plain decimal form with a leading
// blank for values >= 0; 'e' "#0.00" with the given decimal separator.
std::string amountText(double x, char currencyFlag, char decimalSeparator);

// "#0.00": two decimals, half away from zero, no thousands separator.
std::string euroText(double x, char decimalSeparator);

// Plain decimal form used for lire: " 1200", "-3", " .5", up to 15 significant digits.
std::string lireText(double x);

// "#.00": like euroText but no digit before the separator below 1.
std::string rateText(double x, char decimalSeparator);

// Every "," replaced by ".".
std::string pointForm(std::string_view text);

} // namespace tessaro::calc
