#include "einvoice/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace tessaro::einvoice {

archive::Status writeFileAtomically(const std::string& path, std::string_view content)
{
    const archive::IoError failure {archive::IoError::Action::Write, path};
    const std::filesystem::path target(path);
    const std::filesystem::path temporary(path + ".tmp");
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return failure;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close(); // a full disk may only show when the last bytes go out
        if (!out) {
            std::filesystem::remove(temporary, ignored);
            return failure;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, target, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        return failure;
    }
    return {};
}

} // namespace tessaro::einvoice
