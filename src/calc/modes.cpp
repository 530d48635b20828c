#include "calc/modes.h"

#include "calc/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tessaro::calc {

char invoiceTypeFlag(InvoiceType type)
{
    return type == InvoiceType::Professional ? 'p' : 'c';
}

std::optional<InvoiceType> invoiceTypeFromFlag(char flag)
{
    if (flag == 'p')
        return InvoiceType::Professional;
    if (flag == 'c')
        return InvoiceType::Commercial;
    return std::nullopt;
}

EuroConversion convertToEuro(const EuroConvertedTexts& texts, char currencyFlag, double rate)
{
    EuroConversion conversion;
    conversion.texts = texts;
    conversion.currencyFlag = currencyFlag;
    if (currencyFlag == EuroFlag) {
        conversion.outcome = EuroConversionOutcome::AlreadyEuro;
        return conversion;
    }
    // A rate of 0 (or a negative or unreadable one) only comes from a damaged
    // record. Dividing by it would turn every amount into infinity or flip its
    // sign, and marking the lire amounts as euro would multiply them by about
    // two thousand: the invoice stays as it is, lire flag included.
    if (!(rate > 0) || !std::isfinite(rate)) {
        conversion.outcome = EuroConversionOutcome::NoRate;
        return conversion;
    }
    conversion.outcome = EuroConversionOutcome::Converted;
    conversion.currencyFlag = EuroFlag;
    conversion.emptyResults = true;
    // A field loaded from a record keeps its blank padding: blanks alone are
    // an empty field, which must not become an amount of 0.00 (and a line on paper).
    for (std::string& text : conversion.texts) {
        if (text.find_first_not_of(' ') != std::string::npos)
            text = pointForm(euroText(numericValue(text) / rate, '.'));
    }
    return conversion;
}

std::optional<double> acceptEuroValue(std::string_view answer)
{
    const double value = numericValue(answer);
    if (value <= 0 || value > MaxEuroValue || std::isnan(value))
        return std::nullopt;
    return value;
}

std::string euroValueDefaultText(double euroRate)
{
    // A rate read from the settings file is a 32-bit float: 1936.27 comes back
    // as 1936.27001953125. Shown with the digits the float actually holds, so
    // the user sees the 1936.27 that was stored, not its binary residue.
    if (!std::isfinite(euroRate) || std::fabs(euroRate) > std::numeric_limits<float>::max())
        return lireText(euroRate);
    const auto asFloat = static_cast<float>(euroRate);
    if (static_cast<double>(asFloat) == euroRate) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, asFloat);
        return lireText(numericValue(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer))));
    }
    return lireText(euroRate);
}

} // namespace tessaro::calc
