// The small rules of text that every layer shares: blanks, digits, and
// UTF-8 read and written under one rule.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::calc {

// The text without the blanks (0x20 only) at both ends, as the name
// comparisons of the archives see a stored field.
std::string_view trimBlanks(std::string_view text);

constexpr bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}
// At least one character, every one an ASCII digit.
bool isDigits(std::string_view text);
// Exactly length characters, every one an ASCII digit.
bool isDigits(std::string_view text, std::size_t length);
// The year of a book, as the program makes one and names its files with it.
bool isFourDigitYear(std::string_view text);

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decodes the UTF-8 sequence at pos and moves pos past it. A malformed one
// (bad lead byte, missing continuation, overlong form, surrogate, beyond
// U+10FFFF) gives nothing and moves pos one byte on.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos);
// The same, with U+FFFD for a malformed sequence.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);
std::string utf8Character(char32_t codePoint);
// Characters as decodeUtf8 reads them; each byte of a malformed sequence is one.
std::size_t characterCount(std::string_view utf8);

} // namespace tessaro::calc
