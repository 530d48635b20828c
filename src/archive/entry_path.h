// The names inside a packed file (a backup, a zip of receipts) come from
// whoever made it: one rule decides which of them stay inside the folder
// they would be unpacked in, on every system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::archive {

// The entry's path inside its folder, parts joined by '/', with "./" and "."
// left out (empty for the folder itself). Nothing for a name that could lead
// outside on any system: an absolute one, a drive, a backslash (Windows'
// separator), or a part of dots and blanks alone, which Windows reads as "..".
std::optional<std::string> pathInsideFolder(std::string_view name);

} // namespace tessaro::archive
