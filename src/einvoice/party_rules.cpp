#include "einvoice/party_rules.h"

#include "archive/codepage.h"
#include "einvoice/identifiers.h"
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
        if (const auto unfit = unfitCharacters(sendableText(*text)); !unfit.empty())
            problems.push_back(unfitCharactersProblem(std::string(name) + " " + of, unfit));
    }
    if (trimBlanks(party.surname).empty())
        problems.push_back("Manca il cognome o la denominazione " + of + ".");
    if (trimBlanks(party.address).empty())
        problems.push_back("Manca l'indirizzo " + of + ".");
    if (trimBlanks(party.city).empty())
        problems.push_back("Manca la città " + of + ".");
    // CAP and province are required: a blank one is reported as too short.
    if (auto finding = checkPostCode(party.postCode))
        problems.push_back(describe(*finding, role));
    if (auto finding = checkProvince(party.province))
        problems.push_back(describe(*finding, role));

    const std::string_view vat = trimBlanks(party.vatNumber);
    const std::string_view taxCode = trimBlanks(party.taxCode);
    if (issuer && vat.empty())
        problems.push_back("Manca la partita IVA dell'emittente.");
    if (!issuer && vat.empty() && taxCode.empty())
        problems.push_back("Il cliente non ha né partita IVA né codice fiscale.");
    if (!vat.empty()) {
        if (auto finding = checkVatNumber(vat))
            problems.push_back(describe(*finding, role));
    }
    if (!taxCode.empty()) {
        if (auto finding = checkTaxCode(taxCode, isPerson(party)))
            problems.push_back(describe(*finding, role));
    }
}

} // namespace tessaro::einvoice
