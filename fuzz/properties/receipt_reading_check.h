// Properties of reading a receipt that must hold for any bytes, however far
// from a receipt: shared by the fuzz target and the regression test.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessaro::einvoice {

// The first property the input breaks, or an empty text.
std::string checkReceiptReading(std::span<const std::uint8_t> input);

} // namespace tessaro::einvoice
