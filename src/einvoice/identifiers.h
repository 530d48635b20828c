// The Italian identifiers of a party: partita IVA, codice fiscale, CAP and
// province. The exchange system refuses an e-invoice whose identifiers are
// wrong, days after it was sent, so the export and the windows name the fault
// first: the character that is wrong and the one the rules expect.
#pragma once

#include "einvoice/party_rules.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::einvoice {

enum class IdentifierField { VatNumber, TaxCode, PostCode, Province };

// What one position of an identifier takes.
enum class CharacterClass {
    Digit,
    Letter,
    MonthLetter, // A B C D E H L M P R S T: the month of birth of a fiscal code
    DigitOrOmocodia, // a digit, or L M N P Q R S T U V standing for 0 to 9
};

// Why one identifier is wrong, for the caller to phrase.
struct IdentifierFinding {
    enum class Kind {
        Length, // not as many characters as the field takes
        Character, // `found` at `position` is not of the class `allowed`
        Day, // positions 10 and 11 of a person's code (`found`) are no day of birth
        CheckCharacter, // the last character is `found`, the others give `expected`
        FirmCodeOfPerson, // 11 digits, a firm's fiscal code, for a person
    };
    IdentifierField field = IdentifierField::VatNumber;
    Kind kind = Kind::Length;
    std::string text; // blanks trimmed, upper-cased: what the e-invoice would carry
    bool person = false; // the party has a first name
    std::size_t position = 0; // 1-based, in characters
    std::string found; // UTF-8
    char expected = 0;
    CharacterClass allowed = CharacterClass::Digit;

    friend bool operator==(const IdentifierFinding&, const IdentifierFinding&) = default;
};

// Each check trims the blanks at both ends and reads lower case as upper case;
// nothing means the text is fine. A blank text is too short: whether the field
// may stay empty is the caller's rule.
std::optional<IdentifierFinding> checkVatNumber(std::string_view text);
// A person's code has 16 characters; otherwise 16, or 11 digits for a firm.
std::optional<IdentifierFinding> checkTaxCode(std::string_view text, bool person);
std::optional<IdentifierFinding> checkPostCode(std::string_view text);
std::optional<IdentifierFinding> checkProvince(std::string_view text);
std::optional<IdentifierFinding> checkIdentifier(IdentifierField field, std::string_view text, bool person);

// The Italian sentence of a finding, naming the field and the party.
std::string describe(const IdentifierFinding& finding, PartyRole role);

// The sentence a window shows beside one field, or nothing when the text is
// blank or fine: a blank field is the refusal's concern, not the hint's.
std::string identifierHint(IdentifierField field, std::string_view text, PartyRole role, bool person);

} // namespace tessaro::einvoice
