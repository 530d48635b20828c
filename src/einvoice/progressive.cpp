#include "einvoice/progressive.h"

#include "archive/codepage.h"
#include "einvoice/text_rules.h"

#include <charconv>

namespace tessaro::einvoice {

namespace {

constexpr int FirstProgressiveYear = 1900;
constexpr int LastProgressiveYear = 3744;
constexpr int NumbersPerYear = 32768;
constexpr int ProgressiveDigits = 5;

} // namespace

std::optional<std::string> progressive(std::string_view yearText, int number)
{
    if (!isDigits(yearText, 4) || number < 1 || number >= NumbersPerYear)
        return std::nullopt;
    int year = 0;
    std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    if (year < FirstProgressiveYear || year > LastProgressiveYear)
        return std::nullopt;
    long value = static_cast<long>(year - FirstProgressiveYear) * NumbersPerYear + number;
    std::string digits(ProgressiveDigits, '0');
    for (int i = ProgressiveDigits - 1; i >= 0; --i) {
        const int digit = static_cast<int>(value % 36);
        digits[static_cast<std::size_t>(i)] = static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
        value /= 36;
    }
    return digits;
}

std::string fileName(const InvoiceToExport& invoice)
{
    const auto number = progressive(invoice.year, invoice.number);
    if (!number)
        return {};
    return "IT" + std::string(archive::trimBlanks(invoice.issuer.vatNumber)) + "_" + *number + ".xml";
}

} // namespace tessaro::einvoice
