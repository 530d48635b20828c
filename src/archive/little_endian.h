// Numbers as the data files and the journal store them: least significant
// byte first, whatever the processor's own order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessaro::archive {

// The unsigned number held in bytes (at most eight of them).
constexpr std::uint64_t readLittleEndian(std::span<const std::uint8_t> bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | bytes[i];
    return value;
}

// The low bytes.size() bytes of value (at most eight).
constexpr void writeLittleEndian(std::span<std::uint8_t> bytes, std::uint64_t value)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace tessaro::archive
