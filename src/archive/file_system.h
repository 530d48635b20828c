// Every byte the archive reads or writes passes through one FileSystem, so a
// test can put a failing one in its place and check that a failure is
// reported, never hidden. The real one is installed by default.
#pragma once

#include "archive/io_result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

// An open file with random access.
class File {
public:
    virtual ~File() = default;
    // Bytes read at offset: fewer than out.size() at the end of the file, nothing on a read error.
    virtual std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    // The bytes a write is about to replace, kept to put them back if the write
    // stops short. Not a read of the caller's: a fault layer lets it through.
    virtual std::optional<std::size_t> readBack(std::uint64_t offset, std::span<std::uint8_t> out)
    {
        return readAt(offset, out);
    }
    // Bytes written at offset in one transfer; fewer than data.size() when it stopped short.
    // Writing past the end extends the file, zero-filling any gap.
    virtual std::size_t writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) = 0;
    virtual std::optional<std::uint64_t> size() = 0;
    virtual bool truncate(std::uint64_t size) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens for reading and writing, creating a missing file empty. A file that
    // exists but cannot be written is opened for reading only (its writes fail).
    // Nothing when the file cannot be opened or created.
    virtual std::unique_ptr<File> open(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // False when the file is missing or cannot be removed.
    virtual bool remove(const std::string& path) = 0;
    // Names (not paths) of the regular files of a directory, nothing when it cannot be read.
    virtual std::optional<std::vector<std::string>> list(const std::string& dir) = 0;
};

FileSystem& realFileSystem();
// The file system every archive operation uses.
FileSystem& fileSystem();

// Installs another file system for the lifetime of the guard.
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* m_previous;
};

// The platform's path separator: a backslash on Windows, a slash elsewhere.
char pathSeparator();

bool fileExists(const std::string& path);
// A missing file is an error, like one that cannot be removed.
Status removeFile(const std::string& path);
// Paths of the files of dir whose name ends with "." + extension ("*.arc"),
// sorted by name. No match gives an empty list.
Result<std::vector<std::string>> listFilesWithExtension(const std::string& dir, std::string_view extension);

} // namespace tessaro::archive
