#include "archive/entry_path.h"

#include <algorithm>

namespace tessaro::archive {

namespace {

bool leadsUp(std::string_view part)
{
    return part != "." && std::all_of(part.begin(), part.end(), [](char c) { return c == '.' || c == ' '; });
}

bool startsWithDrive(std::string_view name)
{
    return name.size() >= 2 && name[1] == ':'
        && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

} // namespace

std::optional<std::string> pathInsideFolder(std::string_view name)
{
    if (name.starts_with('/') || name.find('\\') != std::string_view::npos || startsWithDrive(name))
        return std::nullopt;
    std::string inside;
    while (!name.empty()) {
        const std::size_t slash = name.find('/');
        const std::string_view part = name.substr(0, slash);
        name = slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (leadsUp(part))
            return std::nullopt;
        if (!inside.empty())
            inside += '/';
        inside += part;
    }
    return inside;
}

} // namespace tessaro::archive
