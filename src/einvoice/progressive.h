// How the exchange system tells one transmission from another: the
// ProgressivoInvio of an invoice and the name of its file.
#pragma once

#include "einvoice/export_input.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::einvoice {

// The progressive of the earlier names, from the year and the number
// (archive/sdi_names.h); nothing outside their ranges.
std::optional<std::string> progressive(std::string_view yearText, int number);
// "IT<issuer VAT number>_<progressive>.xml", by the invoice's progressive
// from the export counter, else by the earlier name; empty when it has none.
std::string fileName(const InvoiceToExport& invoice);

} // namespace tessaro::einvoice
