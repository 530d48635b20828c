#include "archive/whole_file.h"

#include "archive/record_file.h"

namespace tessaro::archive {

namespace {

std::string directoryOf(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

} // namespace

Status writeWholeFile(FileSystem& fs, const std::string& path, std::span<const std::uint8_t> content)
{
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        auto file = RecordFile::open(fs, temporary, 1);
        if (!file)
            return IoError {IoError::Action::Write, path};
        written = file.value().truncate(0).ok() && (content.empty() || file.value().writeBlock(1, content).ok());
    }
    if (!written) {
        fs.remove(temporary);
        return IoError {IoError::Action::Write, path};
    }
    return moveIntoPlace(fs, temporary, path);
}

Status moveIntoPlace(FileSystem& fs, const std::string& temporary, const std::string& path)
{
    bool synced = false;
    {
        auto file = RecordFile::open(fs, temporary, 1);
        synced = file && file.value().sync().ok();
    }
    if (!synced || !fs.rename(temporary, path)) {
        fs.remove(temporary);
        return IoError {IoError::Action::Write, path};
    }
    if (!fs.syncDirectory(directoryOf(path)))
        return IoError {IoError::Action::Write, path};
    return {};
}

} // namespace tessaro::archive
