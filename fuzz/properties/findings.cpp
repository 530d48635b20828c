#include "findings.h"

#include <cstdio>
#include <cstdlib>

namespace tessaro::calc {

std::string quoted(std::string_view bytes)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string text = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            text += c;
        } else {
            text += "\\x";
            text += Hex[byte >> 4];
            text += Hex[byte & 0x0F];
        }
    }
    return text + "\"";
}

std::optional<std::size_t> utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
        if (length == 0 || i + length > text.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return std::nullopt;
        }
        i += length;
    }
    return count;
}

void abortOnFinding(const std::string& finding)
{
    if (finding.empty())
        return;
    std::fprintf(stderr, "Property broken: %s\n", finding.c_str());
    std::abort();
}

} // namespace tessaro::calc
