#include "calc/numbers.h"

#include "calc/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

// Choices where the rules leave room:
// - Amount and rate texts first reduce the value to 15 significant decimal
//   digits, then round at the second decimal, half away from zero. A double
//   never holds 2.675 exactly, but the user typed 2.675 and expects 2,68.
// - A value that rounds to zero shows no minus sign ("0,00", " 0").
// - Negative values keep their minus sign; whole-lira rounding and Int take
//   the next lower whole number for them too (-2.5 -> -3 -> -3, -2.4 -> -2).
// - A text whose exponent takes it beyond the double range reads as 0, like
//   any text that cannot be read; formatting a value that is not finite
//   (never one read from a text) gives "Inf", "-Inf" or "NaN".
// - The lire text switches to exponent notation ("1E+15", "1.5E-05") from
//   10^15 up and below 10^-4, where 15 significant digits no longer read as
//   a plain amount.
// Every conversion goes through <charconv>: the C library's printf and strtod
// follow the process locale, and the window system sets it to the user's.

namespace tessaro::calc {

namespace {

constexpr int SignificantDigits = 15;

bool isIgnoredInNumber(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Reads the text left to right the way the numeric-value rule does, skipping
// ignored characters everywhere.
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : text_(text) { }

    // The next significant character, or '\0' at the end.
    char peek()
    {
        while (pos_ < text_.size() && isIgnoredInNumber(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void advance() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The value of a number too large or too small for a double: its decimal
// magnitude decides between infinity and zero.
double outOfRangeValue(const std::string& integerDigits, const std::string& fractionDigits, long exponent)
{
    long magnitude = exponent;
    const auto firstNonZero = integerDigits.find_first_not_of('0');
    if (firstNonZero != std::string::npos) {
        magnitude += static_cast<long>(integerDigits.size() - firstNonZero);
    } else {
        const auto firstFraction = fractionDigits.find_first_not_of('0');
        magnitude -= static_cast<long>(firstFraction == std::string::npos ? 0 : firstFraction);
    }
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// The value as 15 significant digits: digits[0] is the first significant
// digit, and the value is digits[0].digits[1..] x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double magnitude)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                                      SignificantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    Decimal decimal;
    for (char c : text.substr(0, e)) {
        if (isDigit(c))
            decimal.digits += c;
    }
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), decimal.exponent);
    return decimal;
}

std::string nonFiniteText(double x)
{
    if (std::isnan(x))
        return "NaN";
    return x < 0 ? "-Inf" : "Inf";
}

// Two decimals rounded half away from zero; "#0.00" when
// digitBeforeSeparator, "#.00" otherwise.
std::string twoDecimals(double x, char decimalSeparator, bool digitBeforeSeparator)
{
    if (!std::isfinite(x))
        return nonFiniteText(x);
    const Decimal decimal = toDecimal(std::fabs(x));
    // Hundredths as a whole number: the digits down to the second decimal.
    const int kept = decimal.exponent + 3;
    std::string hundredths;
    if (kept > 0) {
        hundredths = decimal.digits.substr(0, static_cast<std::size_t>(std::min(kept, SignificantDigits)));
        if (kept > SignificantDigits)
            hundredths.append(static_cast<std::size_t>(kept - SignificantDigits), '0');
    }
    if (kept >= 0 && kept < SignificantDigits && decimal.digits[static_cast<std::size_t>(kept)] >= '5') {
        std::size_t i = hundredths.size();
        while (i > 0 && hundredths[i - 1] == '9')
            hundredths[--i] = '0';
        if (i == 0)
            hundredths.insert(hundredths.begin(), '1');
        else
            ++hundredths[i - 1];
    }
    const auto firstNonZero = hundredths.find_first_not_of('0');
    hundredths = firstNonZero == std::string::npos ? std::string() : hundredths.substr(firstNonZero);
    const bool negative = x < 0 && !hundredths.empty();
    if (hundredths.size() < 3)
        hundredths.insert(0, 3 - hundredths.size(), '0');

    std::string units = hundredths.substr(0, hundredths.size() - 2);
    if (!digitBeforeSeparator && units == "0")
        units.clear();
    std::string text = negative ? "-" : "";
    text += units;
    text += decimalSeparator;
    text += hundredths.substr(hundredths.size() - 2);
    return text;
}

// The whole rule, for the rare texts the quick reading leaves: an exponent,
// more digits than a double holds exactly.
double fullNumericValue(std::string_view text)
{
    NumberScanner scanner(text);
    bool negative = false;
    if (scanner.peek() == '+' || scanner.peek() == '-') {
        negative = scanner.peek() == '-';
        scanner.advance();
    }

    std::string integerDigits;
    std::string fractionDigits;
    bool seenPoint = false;
    for (char c = scanner.peek(); isDigit(c) || (c == '.' && !seenPoint); c = scanner.peek()) {
        if (c == '.')
            seenPoint = true;
        else
            (seenPoint ? fractionDigits : integerDigits) += c;
        scanner.advance();
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0.0;

    // An exponent letter without digits after it adds nothing.
    long exponent = 0;
    const char letter = scanner.peek();
    if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
        scanner.advance();
        bool negativeExponent = false;
        if (scanner.peek() == '+' || scanner.peek() == '-') {
            negativeExponent = scanner.peek() == '-';
            scanner.advance();
        }
        for (char c = scanner.peek(); isDigit(c); c = scanner.peek()) {
            // Anything beyond this is out of the double range anyway.
            if (exponent < 100000)
                exponent = exponent * 10 + (c - '0');
            scanner.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    std::string number = integerDigits.empty() ? "0" : integerDigits;
    number += '.';
    number += fractionDigits.empty() ? "0" : fractionDigits;
    number += 'e';
    number += std::to_string(exponent);

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = outOfRangeValue(integerDigits, fractionDigits, exponent);
    // A text beyond every number (only a damaged record can hold one) cannot
    // be read, and text that cannot be read counts as 0: an infinity would
    // reach the results, the totals and the printed invoice.
    if (!std::isfinite(value))
        return 0.0;
    // "-0" is plain zero: no minus sign may surface later from a blank field.
    if (value == 0)
        return 0.0;
    return negative ? -value : value;
}

} // namespace

namespace {

// A stored field may hold zero bytes (a record cut by the end of its file).
// Blanks count for nothing wherever they stand, so taking a zero byte for a
// blank reads the field as its text without them.
template <bool ZeroIsBlank> bool ignored(char c)
{
    return isIgnoredInNumber(c) || (ZeroIsBlank && c == '\0');
}

// Up to 15 significant digits are an exact integer, and dividing it by an
// exact power of ten rounds once, to the same double the full reading gives.
double exactValue(std::uint64_t digits, int fractionDigits, bool negative)
{
    if (digits == 0)
        return 0.0;
    const double whole = static_cast<double>(digits);
    const double value = fractionDigits == 0 ? whole : whole / detail::PowersOfTen[fractionDigits];
    return negative ? -value : value;
}

template <bool ZeroIsBlank> double readNumber(std::string_view text)
{
    if (const auto plain = detail::plainNumberValue(text))
        return *plain;

    // Anything else: signs, blanks or tabs among the digits, a stop before the end.
    std::size_t i = 0;
    const std::size_t size = text.size();
    const auto skipIgnored = [&] {
        while (i < size && ignored<ZeroIsBlank>(text[i]))
            ++i;
    };
    skipIgnored();
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
        skipIgnored();
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int fractionDigits = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < size; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            significant += digits != 0;
            fractionDigits += seenPoint;
            if (significant > SignificantDigits || fractionDigits > 22)
                break;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (!ignored<ZeroIsBlank>(c)) {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;
    const bool exponent
        = i < size && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd' || isDigit(text[i]));
    if (!exponent)
        return exactValue(digits, fractionDigits, negative);
    // An exponent, or more digits than a double holds exactly: the full reading.
    if constexpr (ZeroIsBlank) {
        std::string withoutZeros;
        for (const char c : text) {
            if (c != '\0')
                withoutZeros += c;
        }
        return fullNumericValue(withoutZeros);
    } else {
        return fullNumericValue(text);
    }
}

} // namespace

double numericValue(std::string_view text)
{
    return readNumber<false>(text);
}

double detail::storedNumericValueOfAnyShape(std::string_view field)
{
    return readNumber<true>(field);
}

double intPart(double x)
{
    return std::floor(x);
}

double wholeLira(double x)
{
    const double whole = intPart(x);
    const double fraction = x - whole;
    return fraction > 0.5 ? whole + 1 : whole;
}

std::string amountText(double x, char currencyFlag, char decimalSeparator)
{
    // Only a lire invoice shows lire; any other flag (a damaged record) is
    // shown in the program's own currency.
    if (currencyFlag == 'l')
        return lireText(x);
    return euroText(x, decimalSeparator);
}

std::string euroText(double x, char decimalSeparator)
{
    return twoDecimals(x, decimalSeparator, true);
}

std::string twoDigits(int value)
{
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

std::string rateText(double x, char decimalSeparator)
{
    return twoDecimals(x, decimalSeparator, false);
}

std::string lireText(double x)
{
    if (!std::isfinite(x))
        return nonFiniteText(x);
    if (x == 0)
        return " 0";

    Decimal decimal = toDecimal(std::fabs(x));
    const auto lastNonZero = decimal.digits.find_last_not_of('0');
    decimal.digits.resize(lastNonZero + 1);
    const std::string& digits = decimal.digits;
    const int e = decimal.exponent;

    std::string text = x < 0 ? "-" : " ";
    if (e >= SignificantDigits || e < -4) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        text += e < 0 ? "E-" : "E+";
        const std::string exponentDigits = std::to_string(e < 0 ? -e : e);
        if (exponentDigits.size() < 2)
            text += '0';
        text += exponentDigits;
        return text;
    }
    if (e < 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-e - 1), '0');
        text += digits;
        return text;
    }
    const auto units = static_cast<std::size_t>(e + 1);
    if (digits.size() <= units) {
        text += digits;
        text.append(units - digits.size(), '0');
    } else {
        text += digits.substr(0, units);
        text += '.';
        text += digits.substr(units);
    }
    return text;
}

std::string pointForm(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c == ',')
            c = '.';
    }
    return result;
}

double typedAmountValue(std::string_view text)
{
    std::string number;
    for (const char c : text) {
        if (!isIgnoredInNumber(c))
            number += c;
    }
    const auto separator = [](char c) { return c == '.' || c == ','; };
    const std::size_t first = number.empty() || (number[0] != '+' && number[0] != '-') ? 0 : 1;
    std::size_t end = first;
    while (end < number.size() && (isDigit(number[end]) || separator(number[end])))
        ++end;
    const auto digitsAndSeparators = std::string_view(number).substr(first, end - first);
    const std::size_t last = digitsAndSeparators.find_last_of(".,");
    const bool decimal = last != std::string_view::npos && last + 1 < digitsAndSeparators.size()
        && digitsAndSeparators.size() - last - 1 <= 2;

    std::string read = number.substr(0, first);
    for (std::size_t i = 0; i < digitsAndSeparators.size(); ++i) {
        if (!separator(digitsAndSeparators[i]))
            read += digitsAndSeparators[i];
        else if (decimal && i == last)
            read += '.';
    }
    read += number.substr(end);
    return numericValue(read);
}

std::optional<double> typedNumber(std::string_view text)
{
    text = trimBlanks(text);
    bool digits = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c))
            digits = true;
        else if (!(c == '.' || c == ',' || ((c == '-' || c == '+') && i == 0)))
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    return typedAmountValue(text);
}

std::string groupedDigits(std::string_view plain, char decimalSeparator, char groupSeparator)
{
    const std::size_t first = plain.empty() || plain.front() != '-' ? 0 : 1;
    std::size_t end = plain.find(decimalSeparator, first);
    if (end == std::string_view::npos)
        end = plain.size();
    std::string text(plain.substr(0, first));
    for (std::size_t i = first; i < end; ++i) {
        if (i > first && (end - i) % 3 == 0)
            text += groupSeparator;
        text += plain[i];
    }
    return text.append(plain.substr(end));
}

std::string italianEuroText(double x)
{
    return groupedDigits(euroText(x, ','), ',', '.');
}

} // namespace tessaro::calc
