// The data directory and the file system its files are reached through; the
// run keeps one and hands it to every archive operation.
#pragma once

#include "archive/file_system.h"

#include <string>
#include <string_view>

namespace tessaro::archive {

class DataDir {
public:
    DataDir() = default;
    explicit DataDir(std::string path, FileSystem& fileSystem = realFileSystem())
        : m_path(nativeSeparators(std::move(path))), m_fileSystem(&fileSystem)
    {
    }

    const std::string& path() const { return m_path; }
    FileSystem& fs() const { return *m_fileSystem; }

    // "<dir>/<name>". The directory text is used as it is: a root directory
    // gives two separators in a row, which every platform accepts.
    std::string file(std::string_view name) const { return m_path + pathSeparator() + std::string(name); }

    bool exists(std::string_view name) const { return m_fileSystem->exists(file(name)); }

private:
    std::string m_path;
    FileSystem* m_fileSystem = &realFileSystem();
};

// A missing file is an error, like one that cannot be removed.
Status removeFile(FileSystem& fs, const std::string& path);
// True when error is a removal refused only because the file is not there.
bool isMissingFile(const DataDir& dir, const IoError& error);
// Paths of the files of the directory whose name ends with "." + extension
// ("*.arc"), sorted by name. No match gives an empty list.
Result<std::vector<std::string>> listFilesWithExtension(const DataDir& dir, std::string_view extension);

} // namespace tessaro::archive
