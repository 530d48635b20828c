// How the exchange system tells one transmission from another: the
// ProgressivoInvio of an invoice and the name of its file.
#pragma once

#include "einvoice/export_input.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::einvoice {

// ProgressivoInvio: five base-36 digits (0-9, A-Z) of
// (year - 1900) x 32768 + number, distinct for every year from 1900 to 3744
// and every number from 1 to 32767. Nothing outside those ranges.
std::optional<std::string> progressive(std::string_view yearText, int number);
// "IT<issuer VAT number>_<progressive>.xml"; empty when the progressive has none.
std::string fileName(const InvoiceToExport& invoice);

} // namespace tessaro::einvoice
