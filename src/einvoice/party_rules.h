// The checks of the seller and buyer blocks of the electronic invoice.
#pragma once

#include "archive/records.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::einvoice {

enum class PartyRole { Issuer, Client };

// "dell'emittente" or "del cliente": how a message names the party.
std::string_view ofParty(PartyRole role);

// Appends every reason why the party cannot stand in the e-invoice.
void checkParty(const archive::PartyRecord& party, PartyRole role, std::vector<std::string>& problems);

// A person has a first name; otherwise the surname field holds a company name.
bool isPerson(const archive::PartyRecord& party);

} // namespace tessaro::einvoice
