#include "archive/sdi_names.h"

#include "archive/book.h"
#include "calc/text.h"

#include <charconv>

namespace tessaro::archive {

namespace {

constexpr int FirstProgressiveYear = 1900;
constexpr int LastProgressiveYear = 3744;
constexpr long NumbersPerYear = 32768;
constexpr std::size_t ProgressiveDigits = 5;
constexpr std::string_view Extension = ".xml";

std::string base36(long value)
{
    std::string digits(ProgressiveDigits, '0');
    for (std::size_t i = ProgressiveDigits; i-- > 0;) {
        const int digit = static_cast<int>(value % 36);
        digits[i] = static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
        value /= 36;
    }
    return digits;
}

std::optional<long> base36Value(std::string_view digits)
{
    if (digits.size() != ProgressiveDigits)
        return std::nullopt;
    long value = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'Z')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 36 + digit;
    }
    return value;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
        if (c != suffix[i])
            return false;
    }
    return true;
}

} // namespace

std::string exportFolderPath(const DataDir& dir)
{
    return dataFile(dir, ExportFolderName);
}

std::optional<std::string> yearProgressive(std::string_view yearText, int number)
{
    if (!calc::isDigits(yearText, 4) || number < 1 || number >= NumbersPerYear)
        return std::nullopt;
    int year = 0;
    std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    if (year < FirstProgressiveYear || year > LastProgressiveYear)
        return std::nullopt;
    return base36(static_cast<long>(year - FirstProgressiveYear) * NumbersPerYear + number);
}

std::string counterProgressive(long value)
{
    return base36(value);
}

std::string exportFileName(std::string_view vatNumber, std::string_view progressive)
{
    return "IT" + std::string(calc::trimBlanks(vatNumber)) + "_" + std::string(progressive) + std::string(Extension);
}

std::string earlierExportName(std::string_view vatNumber, std::string_view yearText, int number)
{
    const auto progressive = yearProgressive(calc::trimBlanks(yearText), number);
    return progressive ? exportFileName(vatNumber, *progressive) : std::string();
}

std::string withoutSignatureSuffix(std::string_view fileName)
{
    if (endsWithNoCase(fileName, ".p7m"))
        fileName.remove_suffix(4);
    return std::string(fileName);
}

std::optional<EarlierName> earlierNameOf(std::string_view fileName, std::string_view vatNumber)
{
    const std::string prefix = "IT" + std::string(calc::trimBlanks(vatNumber)) + "_";
    if (fileName.size() != prefix.size() + ProgressiveDigits + Extension.size()
        || fileName.substr(0, prefix.size()) != prefix || !endsWithNoCase(fileName, Extension))
        return std::nullopt;
    const auto value = base36Value(fileName.substr(prefix.size(), ProgressiveDigits));
    if (!value || *value <= LastCounterValue || *value % NumbersPerYear == 0)
        return std::nullopt;
    return EarlierName {FirstProgressiveYear + static_cast<int>(*value / NumbersPerYear),
                        static_cast<int>(*value % NumbersPerYear)};
}

} // namespace tessaro::archive
