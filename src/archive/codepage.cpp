#include "archive/codepage.h"

#include <array>
#include <optional>

namespace tessaro::archive {

namespace {

// Code points of the bytes 0x80 to 0x9F; every other byte is its own code point.
// The five bytes Windows-1252 leaves unassigned keep the C1 control of their value.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char Replacement = '?';

char32_t codePointOf(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlRange[byte - 0x80];
    return byte;
}

// The byte for a code point, or -1 when the code page has none.
int byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == codePoint)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Decodes one UTF-8 sequence at pos and advances pos; a malformed sequence
// (bad lead byte, missing continuation, overlong form, surrogate, beyond
// U+10FFFF) yields nothing and consumes one byte, so it becomes one "?".
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return std::nullopt;
    }
    if (pos + length > text.size()) {
        ++pos;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return value;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // The code page reaches no further than U+2122.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool representableInWindows1252(char32_t codePoint)
{
    return byteOf(codePoint) >= 0;
}

std::string toWindows1252(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = nextCodePoint(utf8, pos);
        const int byte = cp ? byteOf(*cp) : -1;
        bytes += byte >= 0 ? static_cast<char>(byte) : Replacement;
    }
    return bytes;
}

std::string fromWindows1252(std::string_view bytes)
{
    std::string utf8;
    utf8.reserve(bytes.size());
    for (const char byte : bytes)
        appendUtf8(utf8, codePointOf(static_cast<std::uint8_t>(byte)));
    return utf8;
}

void writeFixedText(std::span<std::uint8_t> field, std::string_view utf8)
{
    // One byte per character, so cutting the converted bytes cuts by characters.
    const std::string bytes = toWindows1252(utf8);
    for (std::size_t i = 0; i < field.size(); ++i)
        field[i] = i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : std::uint8_t {' '};
}

std::string readFixedText(std::span<const std::uint8_t> field)
{
    // Zero bytes come from the part of a record that lies past the end of its
    // file; they are not text and are dropped wherever they stand, so a field
    // of zeros reads as empty and a half-filled one as its text.
    std::string bytes;
    bytes.reserve(field.size());
    for (const std::uint8_t byte : field) {
        if (byte != 0)
            bytes += static_cast<char>(byte);
    }
    return fromWindows1252(bytes);
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace tessaro::archive
