#include "einvoice/text_rules.h"

#include "archive/codepage.h"

#include <algorithm>

namespace tessaro::einvoice {

namespace {

constexpr char32_t Malformed = 0xFFFD;

} // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    char32_t value = lead;
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        value = lead & 0x07;
    } else if (lead >= 0x80) {
        ++pos;
        return Malformed;
    }
    if (pos + length > text.size()) {
        ++pos;
        return Malformed;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return Malformed;
        }
        value = (value << 6) | (next & 0x3F);
    }
    pos += length;
    return value;
}

namespace {

bool isAtomCharacter(char c)
{
    // [!#-'*+/-9=?A-Z^-~-] of the schema's address pattern.
    return c == '!' || (c >= '#' && c <= '\'') || c == '*' || c == '+' || (c >= '/' && c <= '9') || c == '=' || c == '?'
        || (c >= 'A' && c <= 'Z') || (c >= '^' && c <= '~') || c == '-';
}

bool isDotAtom(std::string_view text)
{
    if (text.empty() || text.front() == '.' || text.back() == '.')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.') {
            if (text[i + 1] == '.')
                return false;
        } else if (!isAtomCharacter(text[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<char32_t> firstUnfitCharacter(std::string_view utf8)
{
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, pos);
        const bool lineBreakOrTab = c == '\t' || c == '\n' || c == '\r';
        if (c > 0xFF || (c < 0x20 && !lineBreakOrTab) || (c >= 0x7F && c <= 0x9F))
            return c;
    }
    return std::nullopt;
}

std::string utf8Character(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        nextCodePoint(utf8, pos);
        ++count;
    }
    return count;
}

std::string oneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows makes the one blank
        out += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    }
    return std::string(archive::trimBlanks(out));
}

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool isDigits(std::string_view text, std::size_t length)
{
    return text.size() == length && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string compactIban(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c != ' ')
            out += c;
    }
    return upperAscii(out);
}

bool isIban(std::string_view text)
{
    const std::string iban = compactIban(text);
    if (iban.size() < 15 || iban.size() > 34)
        return false;
    auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return letter(iban[0]) && letter(iban[1]) && digit(iban[2]) && digit(iban[3])
        && std::all_of(iban.begin() + 4, iban.end(), [&](char c) { return letter(c) || digit(c); });
}

bool isPecAddress(std::string_view text)
{
    const auto at = text.find('@');
    if (at == std::string_view::npos || text.size() > 256)
        return false;
    return isDotAtom(text.substr(0, at)) && isDotAtom(text.substr(at + 1));
}

} // namespace tessaro::einvoice
