#include "archive/file_system.h"

#include "archive/data_dir.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tessaro::archive {

namespace {

class StdioFile final : public File {
public:
    StdioFile(std::FILE* file, std::string path) : m_file(file), m_path(std::move(path))
    {
        // Unbuffered, so a short write shows up in the count of the call that made it
        // instead of in a later flush nobody checks.
        std::setvbuf(m_file, nullptr, _IONBF, 0);
    }
    ~StdioFile() override { std::fclose(m_file); }
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;

    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) override
    {
        if (!seek(offset))
            return std::nullopt;
        const std::size_t got = std::fread(out.data(), 1, out.size(), m_file);
        if (std::ferror(m_file)) {
            std::clearerr(m_file);
            return std::nullopt;
        }
        return got;
    }

    std::size_t writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override
    {
        if (!seek(offset))
            return 0;
        const std::size_t put = std::fwrite(data.data(), 1, data.size(), m_file);
        if (std::fflush(m_file) != 0)
            return 0;
        std::clearerr(m_file);
        return put;
    }

    std::optional<std::uint64_t> size() override
    {
        if (std::fseek(m_file, 0, SEEK_END) != 0)
            return std::nullopt;
        const long end = std::ftell(m_file);
        if (end < 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(end);
    }

    bool truncate(std::uint64_t size) override
    {
        std::error_code error;
        std::filesystem::resize_file(m_path, size, error);
        return !error;
    }

    bool sync() override
    {
#ifdef _WIN32
        return _commit(_fileno(m_file)) == 0;
#else
        return ::fdatasync(::fileno(m_file)) == 0;
#endif
    }

private:
    bool seek(std::uint64_t offset)
    {
        // Data files stay far below 2 GiB (32767 records of 696 bytes).
        return std::fseek(m_file, static_cast<long>(offset), SEEK_SET) == 0;
    }

    std::FILE* m_file;
    std::string m_path;
};

class RealFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path) override
    {
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        if (!file) {
            // "w+b" would empty an existing file, so it is used only to create a missing one.
            file = std::fopen(path.c_str(), exists(path) ? "rb" : "w+b");
        }
        if (!file)
            return nullptr;
        return std::make_unique<StdioFile>(file, path);
    }

    bool exists(const std::string& path) override
    {
        std::error_code error;
        return std::filesystem::exists(path, error);
    }

    bool remove(const std::string& path) override
    {
        std::error_code error;
        return std::filesystem::remove(path, error) && !error;
    }

    bool rename(const std::string& from, const std::string& to) override
    {
        std::error_code error;
        std::filesystem::rename(from, to, error);
        return !error;
    }

    std::optional<std::vector<std::string>> list(const std::string& dir) override
    {
        std::error_code error;
        std::filesystem::directory_iterator it(dir, error);
        if (error)
            return std::nullopt;
        std::vector<std::string> names;
        for (const auto& entry : it) {
            std::error_code typeError;
            if (entry.is_regular_file(typeError))
                names.push_back(entry.path().filename().string());
        }
        return names;
    }

    bool syncDirectory(const std::string& dir) override
    {
#ifdef _WIN32
        // Windows keeps a directory's names with the files themselves.
        return exists(dir);
#else
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool synced = ::fsync(fd) == 0;
        ::close(fd);
        return synced;
#endif
    }

    bool createDirectories(const std::string& dir) override
    {
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        return !error;
    }
};

} // namespace

FileSystem& realFileSystem()
{
    static RealFileSystem real;
    return real;
}

char pathSeparator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
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
