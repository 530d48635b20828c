#include "archive/codepage.h"

#include "calc/text.h"

#include <algorithm>
#include <array>

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

// Lower case, accents removed, controls as blanks: how the register's search
// compares a stored text with what the user types.
struct FoldTable {
    std::array<char, 256> to {};

    constexpr FoldTable()
    {
        for (int byte = 0; byte < 256; ++byte)
            to[static_cast<std::size_t>(byte)] = static_cast<char>(byte);
        for (int byte = 'A'; byte <= 'Z'; ++byte)
            set(byte, static_cast<char>(byte - 'A' + 'a'));
        for (int byte = 0; byte < 0x20; ++byte)
            set(byte, ' ');
        set(0x7F, ' ');
        set(0xA0, ' ');
        set(0x91, '\''); // the typographic apostrophes read as the plain one
        set(0x92, '\'');
        const auto range = [this](int first, int last, char letter) {
            for (int byte = first; byte <= last; ++byte)
                set(byte, letter);
        };
        range(0xC0, 0xC5, 'a');
        range(0xE0, 0xE5, 'a');
        range(0xC8, 0xCB, 'e');
        range(0xE8, 0xEB, 'e');
        range(0xCC, 0xCF, 'i');
        range(0xEC, 0xEF, 'i');
        range(0xD2, 0xD6, 'o');
        range(0xF2, 0xF6, 'o');
        range(0xD9, 0xDC, 'u');
        range(0xF9, 0xFC, 'u');
        set(0xC7, 'c');
        set(0xE7, 'c');
        set(0xD1, 'n');
        set(0xF1, 'n');
        set(0xD8, 'o');
        set(0xF8, 'o');
        set(0xDD, 'y');
        set(0xFD, 'y');
        set(0xFF, 'y');
        set(0x9F, 'y');
        set(0x8A, 's');
        set(0x9A, 's');
        set(0x8E, 'z');
        set(0x9E, 'z');
        set(0xC6, static_cast<char>(0xE6));
        set(0x8C, static_cast<char>(0x9C));
        set(0xD0, static_cast<char>(0xF0));
        set(0xDE, static_cast<char>(0xFE));
    }

private:
    constexpr void set(int byte, char folded) { to[static_cast<std::size_t>(byte)] = folded; }
};

constexpr FoldTable Fold;

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
        const auto cp = calc::decodeUtf8(utf8, pos);
        const int byte = cp ? byteOf(*cp) : -1;
        bytes += byte >= 0 ? static_cast<char>(byte) : Replacement;
    }
    return bytes;
}

std::string fromWindows1252(std::string_view bytes)
{
    // Most texts are plain ASCII, the same bytes in both: the year's reports
    // convert hundreds of thousands of names.
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<std::uint8_t>(byte) < 0x80; }))
        return std::string(bytes);
    std::string utf8;
    utf8.reserve(bytes.size());
    for (const char byte : bytes)
        calc::appendUtf8(utf8, codePointOf(static_cast<std::uint8_t>(byte)));
    return utf8;
}

void writeFixedText(std::span<std::uint8_t> field, std::string_view utf8)
{
    // One byte per character, so cutting the converted bytes cuts by characters.
    const std::string bytes = toWindows1252(utf8);
    for (std::size_t i = 0; i < field.size(); ++i)
        field[i] = i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : std::uint8_t {' '};
}

std::string fieldText(std::span<const std::uint8_t> record, FieldSpec field)
{
    return std::string(calc::trimBlanks(readFixedText(record.subspan(field.offset, field.width))));
}

void putFieldText(std::span<std::uint8_t> record, FieldSpec field, std::string_view utf8)
{
    writeFixedText(record.subspan(field.offset, field.width), utf8);
}

std::string readFixedText(std::span<const std::uint8_t> field)
{
    // Zero bytes come from the part of a record that lies past the end of its
    // file; they are not text and are dropped wherever they stand, so a field
    // of zeros reads as empty and a half-filled one as its text.
    // Most fields are plain ASCII, which is its own UTF-8: the reports of the
    // year read several for every payment of every book.
    if (std::all_of(field.begin(), field.end(), [](std::uint8_t byte) { return byte != 0 && byte < 0x80; }))
        return std::string(field.begin(), field.end());
    const std::string_view whole(reinterpret_cast<const char*>(field.data()), field.size());
    if (whole.find('\0') == std::string_view::npos)
        return fromWindows1252(whole);
    std::string bytes;
    bytes.reserve(field.size());
    for (const std::uint8_t byte : field) {
        if (byte != 0)
            bytes += static_cast<char>(byte);
    }
    return fromWindows1252(bytes);
}

void appendFoldedForSearch(std::string& out, std::string_view windows1252)
{
    for (const char c : windows1252)
        out += Fold.to[static_cast<unsigned char>(c)];
}

std::string foldForSearch(std::string_view windows1252)
{
    std::string folded;
    folded.reserve(windows1252.size());
    appendFoldedForSearch(folded, windows1252);
    return folded;
}

std::vector<SearchWord> searchWords(std::string_view queryUtf8)
{
    const std::string folded = foldForSearch(toWindows1252(queryUtf8));
    std::vector<SearchWord> words;
    for (std::size_t at = 0; at < folded.size();) {
        const std::size_t start = folded.find_first_not_of(' ', at);
        if (start == std::string::npos)
            break;
        const std::size_t end = std::min(folded.find(' ', start), folded.size());
        SearchWord word {folded.substr(start, end - start)};
        if (calc::isDigits(word.text) && word.text.size() <= 5)
            word.number = std::stoi(word.text);
        words.push_back(std::move(word));
        at = end;
    }
    return words;
}

} // namespace tessaro::archive
