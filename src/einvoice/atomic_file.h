// Writing a whole file so that a reader finds either the old file or the new
// one, never a part: a temporary file in the same folder, then a rename.
#pragma once

#include "archive/io_result.h"

#include <string>
#include <string_view>

namespace tessaro::einvoice {

// Writes content to path through path + ".tmp"; on any failure the temporary
// file is removed and the error names path.
archive::Status writeFileAtomically(const std::string& path, std::string_view content);

} // namespace tessaro::einvoice
