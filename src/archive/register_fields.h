// A text of a register's kept record, as the search and the screen read it.
#pragma once

#include "archive/fields.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tessaro::archive {

// A stored text without the blanks around it; the zero bytes of a record
// never written count as blanks too.
inline std::string_view storedText(std::span<const std::uint8_t> record, FieldSpec field)
{
    std::string_view text {reinterpret_cast<const char*>(record.data()) + field.offset, field.width};
    const auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace tessaro::archive
