// The XML document (FatturaPA, format FPR12, UTF-8) of an electronic invoice.
#pragma once

#include "einvoice/checked_invoice.h"
#include "einvoice/export_input.h"

#include <string>

namespace tessaro::einvoice {

std::string buildXml(const CheckedInvoice& checked);
// Checks the invoice first: empty when check() refuses it.
std::string buildXml(const InvoiceToExport& invoice);

} // namespace tessaro::einvoice
