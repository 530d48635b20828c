// Properties of the number rules that must hold for any text: reading a
// number, rounding lire and showing amounts. Shared by the fuzz target and by
// the regression test that replays the inputs it once found.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessaro::calc {

// The first property the input breaks, or an empty text.
std::string checkNumberRules(std::span<const std::uint8_t> input);

} // namespace tessaro::calc
