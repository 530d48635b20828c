#include "print/wrap.h"

#include <cstddef>

namespace tessaro::print {

namespace {

// UTF-8 characters as separate strings, so a line is built and cut by
// characters, never inside one.
std::vector<std::string> characters(std::string_view text)
{
    std::vector<std::string> result;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = 1;
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        while (i + len > text.size())
            --len;
        result.emplace_back(text.substr(i, len));
        i += len;
    }
    return result;
}

std::string joined(const std::vector<std::string>& chars)
{
    std::string s;
    for (const auto& c : chars)
        s += c;
    return s;
}

} // namespace

std::vector<std::string> wrapDescription(const Page& page, std::string_view description, double limitTwips)
{
    const std::vector<std::string> input = characters(description);
    // Up to the last character that is not a blank: leading blanks are printed
    // (they indent the text) and must not push the end of the text out.
    std::size_t n = input.size();
    while (n > 0 && input[n - 1] == " ")
        --n;

    std::vector<std::string> lines;
    std::vector<std::string> buffer;
    std::size_t k = 0;
    while (k < n) {
        const std::string& c = input[k];
        buffer.push_back(c == "\r" || c == "\n" ? std::string(" ") : c);
        const bool tooWide = page.textWidth(joined(buffer)) > limitTwips;
        if (tooWide || k + 1 == n) {
            if (tooWide && buffer.size() > 1) {
                // Fall back to the last blank that leaves something on the line;
                // the blank itself is read again as the start of the next line.
                std::size_t blank = buffer.size() - 1;
                while (blank > 0 && buffer[blank] != " ")
                    --blank;
                std::size_t keep = blank;
                if (blank == 0) {
                    // No blank to fall back to: break the word where the column ends.
                    keep = buffer.size() - 1;
                    while (keep > 1
                           && page.textWidth(joined(std::vector<std::string>(
                                  buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(keep))))
                               > limitTwips)
                        --keep;
                }
                k -= buffer.size() - keep;
                buffer.resize(keep);
            }
            lines.push_back(joined(buffer));
            buffer.clear();
        }
        ++k;
    }
    return lines;
}

int printDescription(Page& page, std::string_view description, double limitTwips)
{
    const std::vector<std::string> lines = wrapDescription(page, description, limitTwips);
    for (const std::string& line : lines) {
        page.setCurrentX(DescriptionX);
        page.setCurrentY(page.currentY() + 250);
        page.printLine(line);
    }
    return static_cast<int>(lines.size());
}

} // namespace tessaro::print
