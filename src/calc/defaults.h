// What a new invoice starts from, before the user types anything.
#pragma once

#include <string_view>

namespace tessaro::calc {

// The ordinary Italian VAT rate, in percent, as the VAT field holds it.
inline constexpr std::string_view DefaultVatRate = "22";

} // namespace tessaro::calc
