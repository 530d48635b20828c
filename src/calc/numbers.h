// The number rules every part of the program shares: how a text becomes a
// number, how lire are rounded, and how amounts are shown. Amounts live as
// texts; they become doubles only for a calculation.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::calc {

// Blanks, tabs and line feeds ignored anywhere; optional sign; digits with at
// most one "." (never ","); optional exponent E/D; stops at the first
// character that does not fit; no digits -> 0.
double numericValue(std::string_view text);

namespace detail {

inline constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of the usual shapes, blanks, or plain digits with at most one
// point between blanks ("250", "105.50    "); nothing for any other shape.
// Up to 15 digits are an exact integer, and dividing it by an exact power of
// ten rounds once, to the same double the full reading gives. Inline: a
// sum over a book reads hundreds of thousands of them.
inline std::optional<double> plainNumberValue(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    // The blanks of an unused field eight at a time.
    constexpr std::uint64_t EightBlanks = 0x2020202020202020u;
    while (end - p >= 8) {
        std::uint64_t eight;
        std::memcpy(&eight, p, 8);
        if (eight != EightBlanks)
            break;
        p += 8;
    }
    while (p != end && *p == ' ')
        ++p;
    if (p == end)
        return 0.0;
    const auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
    std::uint64_t digits = 0;
    const char* first = p;
    while (p != end && isDigit(*p))
        digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
    long count = p - first;
    long fractionDigits = 0;
    if (p != end && *p == '.') {
        const char* fraction = ++p;
        while (p != end && isDigit(*p))
            digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
        fractionDigits = p - fraction;
        count += fractionDigits;
    }
    while (p != end && *p == ' ')
        ++p;
    if (p != end || count == 0 || count > 15)
        return std::nullopt;
    const auto whole = static_cast<double>(digits);
    return fractionDigits == 0 ? whole : whole / PowersOfTen[fractionDigits];
}

double storedNumericValueOfAnyShape(std::string_view field);

} // namespace detail

// The same rule on a field as a record stores it, whose zero bytes (the part
// of a record past the end of its file) count as blanks.
inline double storedNumericValue(std::string_view field)
{
    if (const auto plain = detail::plainNumberValue(field))
        return *plain;
    return detail::storedNumericValueOfAnyShape(field);
}

// Int(x), then +1 when the fraction is above one half (2.5 -> 2, 2.51 -> 3).
double wholeLira(double x);

// Largest whole number not above x.
double intPart(double x);

// Amount text for a currency flag: 'l' plain decimal form with a leading
// blank for values >= 0; 'e' "#0.00" with the given decimal separator.
std::string amountText(double x, char currencyFlag, char decimalSeparator);

// "#0.00": two decimals, half away from zero, no thousands separator.
std::string euroText(double x, char decimalSeparator);

// The digits of a plain amount text before its decimal separator (or its
// end) in groups of three: ("1234,50", ',', '.') gives "1.234,50".
std::string groupedDigits(std::string_view plain, char decimalSeparator, char groupSeparator);

// Euro the Italian way, for reports a person reads: "1.234,50", "-0,50".
std::string italianEuroText(double x);

// Plain decimal form used for lire: " 1200", "-3", " .5", up to 15 significant digits.
std::string lireText(double x);

// "#.00": like euroText but no digit before the separator below 1.
std::string rateText(double x, char decimalSeparator);

// A day or month of a date, "07"; values of two digits or more as they are.
std::string twoDigits(int value);

// Every "," replaced by ".".
std::string pointForm(std::string_view text);

// An amount as a person answers a question box, the Italian way or not:
// "1042,50", "1.042,50", "1042.50" and "1,042.50" all read 1042.50. Of the
// "." and "," among the number's digits, the last one is the decimal point
// when one or two digits follow it; every other one, and that one before
// three digits or more, separates thousands ("1.042" is 1042). Then the
// numeric-value rule reads the text.
double typedAmountValue(std::string_view text);
// An amount or a percentage typed into a field of a window: digits, "."
// and "," with a sign in front, blanks around, read by the rule above.
// Nothing for any other text or one without digits ("500 euro", ""), so a
// letter is refused, never read as 0.
std::optional<double> typedAmount(std::string_view text);

} // namespace tessaro::calc
