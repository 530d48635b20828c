// What a text of the electronic invoice may hold: the schema takes the
// characters of Latin-1 only, and some fields take a fixed form (IBAN, PEC
// address; the identifiers of a party have their own unit).
#pragma once

#include "calc/text.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::einvoice {

// The text as the e-invoice carries it: typographic quotes and dashes
// (‘ ’ ‚ ‛ “ ” „ – —) become their plain equivalents, "…" becomes "..." and
// "€" becomes "EUR". Only the XML gets these: the records keep what was typed.
std::string sendableText(std::string_view utf8);
// oneLine() of the sendable text: how every free text goes into the XML.
std::string sendableLine(std::string_view text);

// Every character the e-invoice cannot hold (beyond U+00FF, or a control
// character other than tab, carriage return and line feed), once each in the
// order met; empty when the text is fit. A malformed UTF-8 sequence counts as
// U+FFFD. Pass the sendable text: what sendableText() replaces is fit.
std::vector<char32_t> unfitCharacters(std::string_view utf8);
// The refusal of a text holding them, subject first: "La descrizione della
// riga 1 contiene i caratteri "☺" e "✓", che la fattura elettronica non ammette."
std::string unfitCharactersProblem(std::string_view subject, const std::vector<char32_t>& characters);

// The program's one reading of UTF-8, and its digits, under the names the
// export's rules use.
using calc::characterCount;
using calc::isDigits;
using calc::nextCodePoint;
using calc::utf8Character;

// The text on one line: each line break (CR LF, CR or LF) and tab becomes one
// blank, and the blanks at both ends go.
std::string oneLine(std::string_view text);

std::string upperAscii(std::string_view text);
// Blanks removed: two letters, two digits, then 11 to 30 letters or digits.
bool isIban(std::string_view text);
std::string compactIban(std::string_view text);
// The dot-atom form the schema accepts for a PEC address: local@domain.
bool isPecAddress(std::string_view text);

} // namespace tessaro::einvoice
