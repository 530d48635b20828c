// Reads a fuzz input as a stream of values: texts as a length byte followed
// by that many bytes, flags and numbers as raw bytes. A short input simply
// runs out: what is missing reads as empty or zero.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

namespace tessaro::calc {

class FieldStream {
public:
    explicit FieldStream(std::span<const std::uint8_t> input) : m_input(input) { }

    std::uint8_t byte() { return m_pos < m_input.size() ? m_input[m_pos++] : 0; }

    std::string text()
    {
        const std::size_t declared = byte();
        const std::size_t length = std::min(declared, m_input.size() - m_pos);
        std::string bytes(reinterpret_cast<const char*>(m_input.data() + m_pos), length);
        m_pos += length;
        return bytes;
    }

    std::uint32_t bits()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(byte()) << (8 * i);
        return value;
    }

private:
    std::span<const std::uint8_t> m_input;
    std::size_t m_pos = 0;
};

} // namespace tessaro::calc
