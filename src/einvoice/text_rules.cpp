#include "einvoice/text_rules.h"

#include "calc/text.h"

#include <algorithm>

namespace tessaro::einvoice {

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
    return std::string(calc::trimBlanks(out));
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
    return letter(iban[0]) && letter(iban[1]) && calc::isDigit(iban[2]) && calc::isDigit(iban[3])
        && std::all_of(iban.begin() + 4, iban.end(), [&](char c) { return letter(c) || calc::isDigit(c); });
}

bool isPecAddress(std::string_view text)
{
    const auto at = text.find('@');
    if (at == std::string_view::npos || text.size() > 256)
        return false;
    return isDotAtom(text.substr(0, at)) && isDotAtom(text.substr(at + 1));
}

} // namespace tessaro::einvoice
