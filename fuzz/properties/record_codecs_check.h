// Properties of the record codecs that must hold for any bytes: decoding the
// party, invoice and extra-lines records of a damaged or foreign file, and
// the round trips between records and bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessaro::archive {

// The first property the input breaks, or an empty text.
std::string checkRecordCodecs(std::span<const std::uint8_t> input);

} // namespace tessaro::archive
