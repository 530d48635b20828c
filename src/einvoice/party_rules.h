// The checks of the seller and buyer blocks of the electronic invoice.
#pragma once

#include "archive/records.h"

#include <string>
#include <vector>

namespace tessaro::einvoice {

enum class PartyRole { Issuer, Client };

// Appends every reason why the party cannot stand in the e-invoice.
void checkParty(const archive::PartyRecord& party, PartyRole role, std::vector<std::string>& problems);

// A person has a first name; otherwise the surname field holds a company name.
bool isPerson(const archive::PartyRecord& party);

} // namespace tessaro::einvoice
