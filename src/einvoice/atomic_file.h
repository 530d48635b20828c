// Writing a whole file so that a reader finds either the old file or the new
// one, never a part, and only reports it written once it is on the disk.
#pragma once

#include "archive/file_system.h"
#include "archive/io_result.h"

#include <string>
#include <string_view>

namespace tessaro::einvoice {

// Writes content to path through path + ".tmp", flushed before it is renamed;
// on any failure the temporary file is removed and the error names path.
archive::Status writeFileAtomically(const std::string& path, std::string_view content,
                                    archive::FileSystem& fs = archive::realFileSystem());

} // namespace tessaro::einvoice
