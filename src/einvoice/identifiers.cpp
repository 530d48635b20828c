#include "einvoice/identifiers.h"

#include "archive/codepage.h"
#include "einvoice/text_rules.h"

#include <array>

namespace tessaro::einvoice {

namespace {

using Kind = IdentifierFinding::Kind;

constexpr std::string_view MonthLetters = "ABCDEHLMPRST";
// The letters that stand for 0 to 9 when two persons would share one code.
constexpr std::string_view OmocodiaLetters = "LMNPQRSTUV";

// The value of A to Z, or of 0 to 9 read as A to J, at an odd position of a
// fiscal code; at an even position the value is the index itself.
constexpr std::array<int, 26> OddPositionValues
    = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

using calc::isDigit;

bool isLetter(char32_t c)
{
    return c >= 'A' && c <= 'Z';
}

bool isOneOf(char32_t c, std::string_view letters)
{
    return c < 0x80 && letters.find(static_cast<char>(c)) != std::string_view::npos;
}

bool fits(char32_t c, CharacterClass allowed)
{
    switch (allowed) {
    case CharacterClass::Digit:
        return isDigit(c);
    case CharacterClass::Letter:
        return isLetter(c);
    case CharacterClass::MonthLetter:
        return isOneOf(c, MonthLetters);
    case CharacterClass::DigitOrOmocodia:
        return isDigit(c) || isOneOf(c, OmocodiaLetters);
    }
    return false;
}

// 0 to 9 of a digit or of the omocodia letter that replaced it.
int digitValue(char32_t c)
{
    return isDigit(c) ? static_cast<int>(c - '0') : static_cast<int>(OmocodiaLetters.find(static_cast<char>(c)));
}

// A person's code: surname and name, year, month, day, place, check.
CharacterClass personCodeClass(std::size_t index)
{
    if (index < 6 || index == 11 || index == 15)
        return CharacterClass::Letter;
    if (index == 8)
        return CharacterClass::MonthLetter;
    return CharacterClass::DigitOrOmocodia;
}

// The text as the checks read it, with its characters decoded.
struct Reading {
    std::string text;
    std::u32string characters;
};

Reading readIdentifier(std::string_view text)
{
    Reading reading {upperAscii(archive::trimBlanks(text)), {}};
    for (std::size_t pos = 0; pos < reading.text.size();)
        reading.characters += nextCodePoint(reading.text, pos);
    return reading;
}

IdentifierFinding findingOf(IdentifierField field, Kind kind, const Reading& reading, bool person = false)
{
    IdentifierFinding finding;
    finding.field = field;
    finding.kind = kind;
    finding.text = reading.text;
    finding.person = person;
    return finding;
}

// The first character that is not of the class its position takes.
template <typename ClassOf>
std::optional<IdentifierFinding> unfitCharacter(IdentifierField field, const Reading& reading, bool person,
                                                ClassOf classOf)
{
    for (std::size_t i = 0; i < reading.characters.size(); ++i) {
        const CharacterClass allowed = classOf(i);
        if (!fits(reading.characters[i], allowed)) {
            IdentifierFinding finding = findingOf(field, Kind::Character, reading, person);
            finding.position = i + 1;
            finding.found = utf8Character(reading.characters[i]);
            finding.allowed = allowed;
            return finding;
        }
    }
    return std::nullopt;
}

// The partita IVA's last digit: the digits at odd positions as they are, those
// at even positions doubled less 9 above 9; the sum's complement to 10.
char elevenDigitsCheck(std::u32string_view digits)
{
    int sum = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        int value = static_cast<int>(digits[i] - '0');
        if (i % 2 == 1) {
            value *= 2;
            if (value > 9)
                value -= 9;
        }
        sum += value;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char personCodeCheck(std::u32string_view characters)
{
    int sum = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        const char32_t c = characters[i];
        const auto index = static_cast<std::size_t>(isDigit(c) ? c - '0' : c - 'A');
        // Positions count from 1, so index 0 is the first odd one.
        sum += i % 2 == 0 ? OddPositionValues[index] : static_cast<int>(index);
    }
    return static_cast<char>('A' + sum % 26);
}

std::optional<IdentifierFinding> checkCharacter(IdentifierField field, const Reading& reading, bool person,
                                                char expected)
{
    const char32_t last = reading.characters.back();
    if (last == static_cast<char32_t>(expected))
        return std::nullopt;
    IdentifierFinding finding = findingOf(field, Kind::CheckCharacter, reading, person);
    finding.position = reading.characters.size();
    finding.found = utf8Character(last);
    finding.expected = expected;
    return finding;
}

// Fixed length, one class throughout: CAP, province, and the digits of the next.
std::optional<IdentifierFinding> checkPlain(IdentifierField field, const Reading& reading, std::size_t length,
                                            CharacterClass allowed, bool person = false)
{
    if (reading.characters.size() != length)
        return findingOf(field, Kind::Length, reading, person);
    return unfitCharacter(field, reading, person, [allowed](std::size_t) { return allowed; });
}

// A partita IVA, and a firm's codice fiscale, which follows the same rule.
std::optional<IdentifierFinding> checkElevenDigits(IdentifierField field, const Reading& reading, bool person)
{
    if (auto finding = checkPlain(field, reading, 11, CharacterClass::Digit, person))
        return finding;
    return checkCharacter(field, reading, person, elevenDigitsCheck(reading.characters));
}

std::string_view className(CharacterClass allowed)
{
    switch (allowed) {
    case CharacterClass::Digit:
        return "una cifra";
    case CharacterClass::Letter:
        return "una lettera";
    case CharacterClass::MonthLetter:
        return "la lettera del mese di nascita (A, B, C, D, E, H, L, M, P, R, S, T)";
    case CharacterClass::DigitOrOmocodia:
        return "una cifra o una delle lettere L, M, N, P, Q, R, S, T, U, V";
    }
    return {};
}

// What follows "non è valida:" or "non è valido:".
std::string reason(const IdentifierFinding& finding)
{
    switch (finding.kind) {
    case Kind::Length:
        return finding.person ? "per una persona deve essere di 16 caratteri."
                              : "deve essere di 16 caratteri, o di 11 cifre per una società.";
    case Kind::FirmCodeOfPerson:
        return "11 cifre sono il codice fiscale di una società, quello di una persona è di 16 caratteri.";
    case Kind::Character:
        return "il carattere \"" + finding.found + "\" in posizione " + std::to_string(finding.position)
            + " dovrebbe essere " + std::string(className(finding.allowed)) + ".";
    case Kind::Day:
        return "\"" + finding.found
            + "\" in posizione 10 e 11 non è un giorno di nascita: da 01 a 31, o da 41 a 71 per una donna.";
    case Kind::CheckCharacter: {
        const std::string expected(1, finding.expected);
        if (finding.position == 11)
            return "l'ultima cifra dovrebbe essere " + expected + ", non " + finding.found + ".";
        return "il carattere di controllo dovrebbe essere " + expected + ", non " + finding.found + ".";
    }
    }
    return {};
}

} // namespace

std::optional<IdentifierFinding> checkVatNumber(std::string_view text)
{
    return checkElevenDigits(IdentifierField::VatNumber, readIdentifier(text), false);
}

std::optional<IdentifierFinding> checkTaxCode(std::string_view text, bool person)
{
    constexpr IdentifierField field = IdentifierField::TaxCode;
    const Reading reading = readIdentifier(text);
    if (person && isDigits(reading.text, 11))
        return findingOf(field, Kind::FirmCodeOfPerson, reading, person);
    if (!person && reading.characters.size() == 11)
        return checkElevenDigits(field, reading, person);
    if (reading.characters.size() != 16)
        return findingOf(field, Kind::Length, reading, person);
    if (auto finding = unfitCharacter(field, reading, person, personCodeClass))
        return finding;
    // The day of birth, 40 more for a woman.
    const int day = digitValue(reading.characters[9]) * 10 + digitValue(reading.characters[10]);
    if (!((day >= 1 && day <= 31) || (day >= 41 && day <= 71))) {
        IdentifierFinding finding = findingOf(field, Kind::Day, reading, person);
        finding.position = 10;
        finding.found = reading.text.substr(9, 2);
        return finding;
    }
    return checkCharacter(field, reading, person, personCodeCheck(reading.characters));
}

std::optional<IdentifierFinding> checkPostCode(std::string_view text)
{
    return checkPlain(IdentifierField::PostCode, readIdentifier(text), 5, CharacterClass::Digit);
}

std::optional<IdentifierFinding> checkProvince(std::string_view text)
{
    return checkPlain(IdentifierField::Province, readIdentifier(text), 2, CharacterClass::Letter);
}

std::optional<IdentifierFinding> checkIdentifier(IdentifierField field, std::string_view text, bool person)
{
    switch (field) {
    case IdentifierField::VatNumber:
        return checkVatNumber(text);
    case IdentifierField::TaxCode:
        return checkTaxCode(text, person);
    case IdentifierField::PostCode:
        return checkPostCode(text);
    case IdentifierField::Province:
        return checkProvince(text);
    }
    return std::nullopt;
}

std::string describe(const IdentifierFinding& finding, PartyRole role)
{
    const std::string of(ofParty(role));
    switch (finding.field) {
    case IdentifierField::PostCode:
        return "Il CAP " + of + " deve essere di cinque cifre.";
    case IdentifierField::Province:
        return "La provincia " + of + " deve essere di due lettere.";
    case IdentifierField::VatNumber:
        if (finding.kind == Kind::Length)
            return "La partita IVA " + of + " deve essere di 11 cifre.";
        return "La partita IVA " + of + " " + finding.text + " non è valida: " + reason(finding);
    case IdentifierField::TaxCode:
        return "Il codice fiscale " + of + " " + finding.text + " non è valido: " + reason(finding);
    }
    return {};
}

std::string identifierHint(IdentifierField field, std::string_view text, PartyRole role, bool person)
{
    if (archive::trimBlanks(text).empty())
        return {};
    const auto finding = checkIdentifier(field, text, person);
    return finding ? describe(*finding, role) : std::string {};
}

} // namespace tessaro::einvoice
