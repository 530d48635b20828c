#include "print/money_text.h"

#include "calc/numbers.h"
#include "calc/text.h"

#include <cmath>
#include <cstdio>

namespace tessaro::print {

std::string trimBlanks(std::string_view text)
{
    return std::string(calc::trimBlanks(text));
}

std::string lireMoneyText(double lire)
{
    const double rounded = std::round(lire); // half away from zero
    if (!std::isfinite(rounded))
        return "0";
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", std::fabs(rounded));
    const std::string plain(digits);
    std::string grouped;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i > 0 && (plain.size() - i) % 3 == 0)
            grouped += '.';
        grouped += plain[i];
    }
    return rounded < 0 ? "-" + grouped : grouped;
}

std::string moneyText(double amount, char currencyFlag, char decimalSeparator)
{
    if (currencyFlag == 'l')
        return lireMoneyText(amount);
    return calc::euroText(amount, decimalSeparator);
}

std::string rowNumberText(int row)
{
    return " " + std::to_string(row);
}

} // namespace tessaro::print
