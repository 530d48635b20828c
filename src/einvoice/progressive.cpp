#include "einvoice/progressive.h"

#include "archive/sdi_names.h"

namespace tessaro::einvoice {

std::optional<std::string> progressive(std::string_view yearText, int number)
{
    return archive::yearProgressive(yearText, number);
}

std::string fileName(const InvoiceToExport& invoice)
{
    if (!invoice.progressive.empty())
        return archive::exportFileName(invoice.issuer.vatNumber, invoice.progressive);
    return archive::earlierExportName(invoice.issuer.vatNumber, invoice.year, invoice.number);
}

} // namespace tessaro::einvoice
