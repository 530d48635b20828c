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

std::string sendableText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        switch (nextCodePoint(utf8, pos)) {
        case U'\u2018':
        case U'\u2019':
        case U'\u201A':
        case U'\u201B':
            out += '\'';
            break;
        case U'\u201C':
        case U'\u201D':
        case U'\u201E':
            out += '"';
            break;
        case U'\u2013':
        case U'\u2014':
            out += '-';
            break;
        case U'\u2026':
            out += "...";
            break;
        case U'\u20AC':
            out += "EUR";
            break;
        default:
            out += utf8.substr(start, pos - start);
        }
    }
    return out;
}

std::string sendableLine(std::string_view text)
{
    return oneLine(sendableText(text));
}

std::vector<char32_t> unfitCharacters(std::string_view utf8)
{
    std::vector<char32_t> found;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, pos);
        const bool lineBreakOrTab = c == '\t' || c == '\n' || c == '\r';
        const bool unfit = c > 0xFF || (c < 0x20 && !lineBreakOrTab) || (c >= 0x7F && c <= 0x9F);
        if (unfit && std::find(found.begin(), found.end(), c) == found.end())
            found.push_back(c);
    }
    return found;
}

std::string unfitCharactersProblem(std::string_view subject, const std::vector<char32_t>& characters)
{
    std::string listed;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (i > 0)
            listed += i + 1 == characters.size() ? " e " : ", ";
        listed += "\"" + utf8Character(characters[i]) + "\"";
    }
    return std::string(subject) + (characters.size() == 1 ? " contiene il carattere " : " contiene i caratteri ")
        + listed + ", che la fattura elettronica non ammette.";
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
