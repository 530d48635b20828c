// A whole file written so that a reader finds either the old file or the new
// one, never a part, and that is on the disk before anyone is told it was
// written: a temporary file beside it, flushed, renamed over it, and the
// directory flushed.
#pragma once

#include "archive/file_system.h"
#include "archive/io_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace tessaro::archive {

// Writes content to path through path + ".tmp"; on any failure the
// temporary file is removed and the error names path.
Status writeWholeFile(FileSystem& fs, const std::string& path, std::span<const std::uint8_t> content);

// Puts a file finished under the temporary name, in the directory of path,
// in place of path once it is on the disk; on a failure the temporary file
// is removed and the error names path.
Status moveIntoPlace(FileSystem& fs, const std::string& temporary, const std::string& path);

} // namespace tessaro::archive
