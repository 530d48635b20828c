#include "einvoice/party_rules.h"

#include "archive/codepage.h"
#include "einvoice/text_rules.h"

#include <array>
#include <utility>

namespace tessaro::einvoice {

namespace {

using archive::trimBlanks;

} // namespace

std::string_view ofParty(PartyRole role)
{
    return role == PartyRole::Issuer ? "dell'emittente" : "del cliente";
}

bool isPerson(const archive::PartyRecord& party)
{
    return !trimBlanks(party.firstName).empty();
}

void checkParty(const archive::PartyRecord& party, PartyRole role, std::vector<std::string>& problems)
{
    const bool issuer = role == PartyRole::Issuer;
    const std::string of(ofParty(role));

    const std::array<std::pair<const std::string*, const char*>, 4> texts = {{
        {&party.surname, "Il cognome o la denominazione"},
        {&party.firstName, "Il nome"},
        {&party.address, "L'indirizzo"},
        {&party.city, "La città"},
    }};
    for (const auto& [text, name] : texts) {
        if (auto c = firstUnfitCharacter(*text))
            problems.push_back(std::string(name) + " " + of + " contiene il carattere \"" + utf8Character(*c)
                               + "\", che la fattura elettronica non ammette.");
    }
    if (trimBlanks(party.surname).empty())
        problems.push_back("Manca il cognome o la denominazione " + of + ".");
    if (trimBlanks(party.address).empty())
        problems.push_back("Manca l'indirizzo " + of + ".");
    if (trimBlanks(party.city).empty())
        problems.push_back("Manca la città " + of + ".");
    if (!isDigits(trimBlanks(party.postCode), 5))
        problems.push_back("Il CAP " + of + " deve essere di cinque cifre.");
    if (!isLetters(trimBlanks(party.province), 2))
        problems.push_back("La provincia " + of + " deve essere di due lettere.");

    const std::string_view vat = trimBlanks(party.vatNumber);
    const std::string_view taxCode = trimBlanks(party.taxCode);
    if (issuer && vat.empty())
        problems.push_back("Manca la partita IVA dell'emittente.");
    if (!issuer && vat.empty() && taxCode.empty())
        problems.push_back("Il cliente non ha né partita IVA né codice fiscale.");
    if (!vat.empty() && !isDigits(vat, 11))
        problems.push_back("La partita IVA " + of + " deve essere di 11 cifre.");
    if (!taxCode.empty() && !isFiscalCode(taxCode))
        problems.push_back("Il codice fiscale " + of + " non è valido: da 11 a 16 lettere o cifre.");
}

} // namespace tessaro::einvoice
