// Windows-1252, the single-byte code page of every text field in the data
// files, and the fixed-width fields themselves (blank padded, cut by characters).
#pragma once

#include "archive/fields.h"
#include "calc/text.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

bool representableInWindows1252(char32_t codePoint);

// UTF-8 -> Windows-1252 bytes; a character the code page cannot hold becomes "?".
std::string toWindows1252(std::string_view utf8);
// Windows-1252 bytes -> UTF-8. The five unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, so they round-trip.
std::string fromWindows1252(std::string_view bytes);

// Writes the text cut to the field's width in characters, padded with blanks.
void writeFixedText(std::span<std::uint8_t> field, std::string_view utf8);
// Reads a field as stored, trailing blanks included; a field of zero bytes is empty.
std::string readFixedText(std::span<const std::uint8_t> field);

// A field of a record as text (UTF-8), without the blanks around it; and a
// text written into a field, as writeFixedText writes it.
std::string fieldText(std::span<const std::uint8_t> record, FieldSpec field);
void putFieldText(std::span<std::uint8_t> record, FieldSpec field, std::string_view utf8);

// Windows-1252 bytes as the register's search compares them: lower case,
// accents removed, controls as blanks.
std::string foldForSearch(std::string_view windows1252);
void appendFoldedForSearch(std::string& out, std::string_view windows1252);

// One word of what is typed in a search field, folded; number is the invoice
// number a word of up to five digits names, -1 for any other word.
struct SearchWord {
    std::string text;
    int number = -1;
};
// The words of a UTF-8 query, in order; none for a query of blanks.
std::vector<SearchWord> searchWords(std::string_view queryUtf8);

// Blanks go as everywhere else: the archives' callers name it unqualified.
using calc::trimBlanks;

} // namespace tessaro::archive
