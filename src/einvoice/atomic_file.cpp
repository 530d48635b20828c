#include "einvoice/atomic_file.h"

#include "archive/whole_file.h"

namespace tessaro::einvoice {

archive::Status writeFileAtomically(const std::string& path, std::string_view content, archive::FileSystem& fs)
{
    return archive::writeWholeFile(fs, path, {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
}

} // namespace tessaro::einvoice
