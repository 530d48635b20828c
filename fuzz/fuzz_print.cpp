// Any texts of an invoice, printed on a recording page with either body.
#include "properties/findings.h"
#include "properties/invoice_printing_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaro::calc::abortOnFinding(tessaro::print::checkInvoicePrinting({data, size}));
    return 0;
}
