// Every byte the archive reads or writes passes through a FileSystem, handed
// to it with the data directory, so a test can give it a failing one and
// check that a failure is reported, never hidden.
#pragma once

#include "archive/io_result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
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
    // Bytes written at offset in one transfer; fewer than data.size() when it stopped short.
    // Writing past the end extends the file, zero-filling any gap.
    virtual std::size_t writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) = 0;
    virtual std::optional<std::uint64_t> size() = 0;
    virtual bool truncate(std::uint64_t size) = 0;
    // Returns once what was written is on the disk (fdatasync), not only
    // handed to the system.
    virtual bool sync() = 0;
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
    // Gives a file another name in the same directory, replacing a file of that name.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Names (not paths) of the regular files of a directory, nothing when it cannot be read.
    virtual std::optional<std::vector<std::string>> list(const std::string& dir) = 0;
    // Returns once the names of the directory (files created, renamed or
    // removed in it) are on the disk.
    virtual bool syncDirectory(const std::string& dir) = 0;
    // Makes the directory and every missing one above it; true when it is
    // there afterwards, already or newly made.
    virtual bool createDirectories(const std::string& dir) = 0;
};

// The machine's own file system.
FileSystem& realFileSystem();

// The program's paths are UTF-8 on every system; std::filesystem reads a
// plain string in the machine's code page on Windows.
std::filesystem::path nativePath(const std::string& path);
std::string pathText(const std::filesystem::path& path);

// The platform's path separator: a backslash on Windows, a slash elsewhere.
char pathSeparator();
// The path with the platform's separators. Windows accepts both, but a path
// shown to the user or compared with another must not mix them.
std::string nativeSeparators(std::string path);

} // namespace tessaro::archive
