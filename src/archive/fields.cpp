#include "archive/fields.h"

#include "archive/codepage.h"
#include "calc/numbers.h"

#include <algorithm>

namespace tessaro::archive {

double figureAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    const std::span<const std::uint8_t> bytes = fieldBytes(record, field);
    // Zero bytes (a record cut by the end of its file) are dropped from a text
    // wherever they stand: such a field takes the text reading. Any other byte
    // outside ASCII ends a number in either form.
    if (std::find(bytes.begin(), bytes.end(), std::uint8_t {0}) != bytes.end()) {
        if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 0; }))
            return 0;
        return calc::numericValue(readFixedText(bytes));
    }
    return calc::numericValue(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace tessaro::archive
