#include "number_rules_check.h"

#include "calc/numbers.h"
#include "findings.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string_view>

namespace tessaro::calc {

namespace {

// Fifteen significant digits of a value this close to the largest double may
// round up past it, and the text then reads back as infinity.
constexpr double NearOverflow = 1e300;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A second, independent reading of the numeric-value rule: drop the ignored
// characters, keep the longest prefix that fits the grammar, and let the C
// library convert it in the "C" locale (the process locale may use a comma).
double referenceValue(std::string_view text)
{
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            kept += c;
    }
    std::size_t i = 0;
    std::string number;
    if (i < kept.size() && (kept[i] == '+' || kept[i] == '-'))
        number += kept[i++];
    bool digits = false;
    bool point = false;
    for (; i < kept.size(); ++i) {
        if (isDigit(kept[i])) {
            digits = true;
        } else if (kept[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += kept[i];
    }
    if (!digits)
        return 0.0;
    if (i < kept.size() && std::string_view("EeDd").find(kept[i]) != std::string_view::npos) {
        std::string exponent = "e";
        ++i;
        if (i < kept.size() && (kept[i] == '+' || kept[i] == '-'))
            exponent += kept[i++];
        bool exponentDigits = false;
        for (; i < kept.size() && isDigit(kept[i]); ++i) {
            exponent += kept[i];
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    // Beyond every number the text cannot be read, and counts as 0.
#ifdef _WIN32
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    const double value = _strtod_l(number.c_str(), nullptr, cLocale);
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
#endif
    return std::isfinite(value) ? value : 0.0;
}

void checkNumericValue(std::string_view text, Findings& findings)
{
    const double value = numericValue(text);
    const double expected = referenceValue(text);
    if (std::isnan(value))
        return findings.fail("numericValue(", quoted(text), ") is NaN");
    if (value == 0 && std::signbit(value))
        return findings.fail("numericValue(", quoted(text), ") is -0, which would show a minus sign");
    // Below the normal range the C library and the rule may part ways; such
    // amounts are zero for every purpose of the program.
    const bool subnormal = expected != 0 && std::fabs(expected) < DBL_MIN;
    if (value != expected && !(subnormal && value == 0))
        findings.fail("numericValue(", quoted(text), ") = ", value, ", expected ", expected);
}

// "-"? digits separator two-digits; units may be empty for the rate text.
bool hasTwoDecimalsForm(const std::string& text, char separator, bool unitsRequired)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t unitsStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::size_t units = i - unitsStart;
    if (unitsRequired ? units == 0 : (units > 0 && text[unitsStart] == '0'))
        return false;
    return text.size() == i + 3 && text[i] == separator && isDigit(text[i + 1]) && isDigit(text[i + 2]);
}

bool isNonFiniteText(const std::string& text, double x)
{
    if (std::isnan(x))
        return text == "NaN";
    return text == (x < 0 ? "-Inf" : "Inf");
}

// Reads a shown amount back the way the program does after a calculation:
// the point form, then the numeric value.
double readBack(const std::string& text)
{
    return numericValue(pointForm(text));
}

void checkTwoDecimals(double x, char separator, bool euro, Findings& findings)
{
    const std::string text = euro ? euroText(x, separator) : rateText(x, separator);
    const char* name = euro ? "euroText(" : "rateText(";
    if (!std::isfinite(x)) {
        if (!isNonFiniteText(text, x))
            findings.fail(name, x, ") = ", quoted(text));
        return;
    }
    if (!hasTwoDecimalsForm(text, separator, euro))
        return findings.fail(name, x, ", '", separator, "') = ", quoted(text), " is not in the two-decimals form");
    // Fifteen digits of a value this large may read back as beyond every
    // number, which the rule reads as 0: nothing below can be judged on it.
    if (std::fabs(x) > NearOverflow)
        return;
    if (text.starts_with('-') && readBack(text) == 0)
        return findings.fail(name, x, ") = ", quoted(text), " shows a minus sign on zero");
    const double shown = readBack(text);
    // Half a cent from the rounding, plus the 15 significant digits kept.
    const double tolerance = 0.005 + std::fabs(x) * 1e-14 + 1e-12;
    if (!(std::fabs(shown - x) <= tolerance))
        return findings.fail(name, x, ") = ", quoted(text), " reads back as ", shown);
    if (shown != 0 && std::signbit(shown) != std::signbit(x))
        return findings.fail(name, x, ") = ", quoted(text), " has the wrong sign");
    // An amount shown, read back and shown again must not move by a cent.
    if (euro && std::fabs(x) < 1e12 && euroText(shown, separator) != text)
        findings.fail("euroText is not stable: ", x, " -> ", quoted(text), " -> ", quoted(euroText(shown, separator)));
}

void checkLireText(double x, Findings& findings)
{
    const std::string text = lireText(x);
    if (!std::isfinite(x)) {
        if (!isNonFiniteText(text, x))
            findings.fail("lireText(", x, ") = ", quoted(text));
        return;
    }
    if (text.size() < 2 || text[0] != (x < 0 ? '-' : ' ') || text.find(',') != std::string::npos)
        return findings.fail("lireText(", x, ") = ", quoted(text), " does not start with a blank or a minus");
    const double shown = numericValue(text);
    if (std::fabs(x) <= NearOverflow && !(std::fabs(shown - x) <= std::fabs(x) * 1e-14))
        return findings.fail("lireText(", x, ") = ", quoted(text), " reads back as ", shown);
    // Whole lire below 10^15 have at most 15 digits: they must come back exactly.
    const double lire = wholeLira(x);
    if (std::fabs(lire) < 1e15 && numericValue(lireText(lire)) != lire)
        findings.fail("whole lire ", lire, " shown as ", quoted(lireText(lire)), " do not read back exactly");
}

void checkWholeLira(double x, Findings& findings)
{
    const double lire = wholeLira(x);
    if (!std::isfinite(x)) {
        if (!(std::isnan(x) ? std::isnan(lire) : lire == x))
            findings.fail("wholeLira(", x, ") = ", lire);
        return;
    }
    if (std::floor(lire) != lire || !(std::fabs(lire - x) <= 0.5))
        return findings.fail("wholeLira(", x, ") = ", lire, " is not the nearest whole lira");
    if (x - std::floor(x) == 0.5 && lire != std::floor(x))
        return findings.fail("wholeLira(", x, ") = ", lire, ": an exact half must round down");
    if (wholeLira(lire) != lire)
        findings.fail("wholeLira is not stable on ", lire);
}

void checkShownValue(double x, Findings& findings)
{
    checkWholeLira(x, findings);
    checkLireText(x, findings);
    for (const char separator : {',', '.'}) {
        checkTwoDecimals(x, separator, true, findings);
        checkTwoDecimals(x, separator, false, findings);
    }
}

} // namespace

std::string checkNumberRules(std::span<const std::uint8_t> input)
{
    Findings findings;
    const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
    checkNumericValue(text, findings);
    checkShownValue(numericValue(text), findings);
    // The raw bits reach values no text of a field can: infinities, NaN,
    // subnormals, the extremes of the double range.
    if (input.size() >= sizeof(double)) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, input.data(), sizeof bits);
        checkShownValue(std::bit_cast<double>(bits), findings);
    }
    return findings.first();
}

} // namespace tessaro::calc
