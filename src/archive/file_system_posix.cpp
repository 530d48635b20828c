// The file system of POSIX machines: stdio for the data, the descriptor
// calls for what stdio cannot do (fdatasync, a directory's fsync).
#include "archive/file_system.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

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

    bool sync() override { return ::fdatasync(::fileno(m_file)) == 0; }

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
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool synced = ::fsync(fd) == 0;
        ::close(fd);
        return synced;
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

} // namespace tessaro::archive
