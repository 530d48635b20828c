// Any bytes as a receipt of the exchange system: what a user's folder or a
// damaged download may hold.
#include "properties/findings.h"
#include "properties/receipt_reading_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaro::calc::abortOnFinding(tessaro::einvoice::checkReceiptReading({data, size}));
    return 0;
}
