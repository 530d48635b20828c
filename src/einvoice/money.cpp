#include "einvoice/money.h"

#include "calc/text.h"

#include "calc/numbers.h"

#include <charconv>
#include <cmath>

namespace tessaro::einvoice {

std::optional<Cents> toCents(double x)
{
    if (!std::isfinite(x) || std::fabs(x) >= 1e11)
        return std::nullopt;
    const std::string text = calc::euroText(x, '.');
    Cents cents = 0;
    bool negative = false;
    for (char c : text) {
        if (c == '-')
            negative = true;
        else if (calc::isDigit(c))
            cents = cents * 10 + (c - '0');
    }
    if (cents > MaxCents)
        return std::nullopt;
    return negative ? -cents : cents;
}

std::string moneyText(Cents amount)
{
    const bool negative = amount < 0;
    const Cents magnitude = negative ? -amount : amount;
    std::string hundredths = std::to_string(magnitude % 100);
    if (hundredths.size() < 2)
        hundredths.insert(0, 1, '0');
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + hundredths;
}

std::optional<int> percentHundredths(std::string_view text)
{
    const double value = calc::numericValue(text);
    if (!(value >= 0 && value <= 100))
        return std::nullopt;
    const auto hundredths = toCents(value);
    if (!hundredths || std::fabs(static_cast<double>(*hundredths) / 100 - value) > 1e-9)
        return std::nullopt;
    return static_cast<int>(*hundredths);
}

std::string rateText(int hundredths)
{
    return moneyText(hundredths);
}

Cents applyRate(Cents amount, int hundredths)
{
    const Cents product = amount * hundredths;
    const Cents half = 5000;
    return product >= 0 ? (product + half) / 10000 : -((-product + half) / 10000);
}

std::optional<std::string> decimalText(double x, int maxIntegerDigits)
{
    if (!std::isfinite(x) || std::fabs(x) >= std::pow(10.0, maxIntegerDigits))
        return std::nullopt;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 8);
    std::string text(buffer, result.ptr);
    while (text.size() > 3 && text.back() == '0' && text[text.size() - 3] != '.')
        text.pop_back();
    if (text == "-0.00")
        text = "0.00";
    const auto point = text.find('.') - (text.front() == '-' ? 1 : 0);
    if (point > static_cast<std::size_t>(maxIntegerDigits))
        return std::nullopt;
    return text;
}

} // namespace tessaro::einvoice
