// Properties of printing that must hold for any invoice texts: the layout of
// a whole invoice on a recording page ends, and every position on it is a
// real number; a wrapped description loses and adds nothing.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessaro::print {

// The first property the input breaks, or an empty text.
std::string checkInvoicePrinting(std::span<const std::uint8_t> input);

} // namespace tessaro::print
