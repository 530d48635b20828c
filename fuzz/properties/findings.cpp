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

void abortOnFinding(const std::string& finding)
{
    if (finding.empty())
        return;
    std::fprintf(stderr, "Property broken: %s\n", finding.c_str());
    std::abort();
}

} // namespace tessaro::calc
