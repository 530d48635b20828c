// Which invoices of a book already have their electronic invoice: the file
// the export writes for each (its name from the issuer's VAT number and the
// invoice's progressive) is looked for in the export folder, listed once.
#pragma once

#include "archive/data_dir.h"
#include "archive/records.h"

#include <string_view>
#include <vector>

namespace tessaro::einvoice {

// One flag per invoice 1 .. count; all clear when the folder cannot be read.
std::vector<char> writtenEinvoices(const archive::DataDir& dir, const archive::PartyRecord& issuer,
                                   std::string_view year, int count);

} // namespace tessaro::einvoice
