// Amounts of the electronic invoice: whole cents, rates in hundredths of a
// percent, and the decimal texts the schema takes ("1234.50", "22.00").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::einvoice {

using Cents = std::int64_t;

// The largest amount the schema holds has 11 digits before the point.
inline constexpr Cents MaxCents = 10'000'000'000'000 - 1;

// x rounded to the cent the way the program shows euro (half away from zero,
// from 15 significant digits); nothing when it is not finite or too large.
std::optional<Cents> toCents(double x);
// "-12.34", "0.05".
std::string moneyText(Cents amount);

// A percentage text read by the program's numeric-value rule, in hundredths:
// nothing unless it lies in 0..100 and has at most two decimals.
std::optional<int> percentHundredths(std::string_view text);
// 2200 -> "22.00".
std::string rateText(int hundredths);

// amount x rate / 10000, rounded half away from zero to the cent: the tax or
// contribution at a rate given in hundredths of a percent.
Cents applyRate(Cents amount, int hundredths);

// x with 2 to 8 decimals (trailing zeros beyond the second dropped), for unit
// prices and quantities; nothing when it is not finite or has more than
// maxIntegerDigits digits before the point.
std::optional<std::string> decimalText(double x, int maxIntegerDigits);

} // namespace tessaro::einvoice
