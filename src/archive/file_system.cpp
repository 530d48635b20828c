#include "archive/file_system.h"

#include "archive/data_dir.h"

#include <algorithm>

namespace tessaro::archive {

std::filesystem::path nativePath(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string pathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

char pathSeparator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string nativeSeparators(std::string path)
{
    std::replace(path.begin(), path.end(), '/', pathSeparator());
    return path;
}

Status removeFile(FileSystem& fs, const std::string& path)
{
    if (!fs.remove(path))
        return IoError {IoError::Action::Remove, path};
    return {};
}

bool isMissingFile(const DataDir& dir, const IoError& error)
{
    return error.action == IoError::Action::Remove && !dir.fs().exists(error.path);
}

Result<std::vector<std::string>> listFilesWithExtension(const DataDir& dir, std::string_view extension)
{
    auto names = dir.fs().list(dir.path());
    if (!names)
        return IoError {IoError::Action::Read, dir.path()};
    const std::string suffix = "." + std::string(extension);
    std::vector<std::string> paths;
    for (const std::string& name : *names) {
        if (name.ends_with(suffix))
            paths.push_back(dir.file(name));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace tessaro::archive
