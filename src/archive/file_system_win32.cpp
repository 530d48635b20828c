// The file system of Windows, through the wide-character Win32 calls: the
// program's paths are UTF-8, which the narrow calls would read in the
// machine's code page, and stdio can neither flush to the disk nor replace a
// file in one step there.
#include "archive/file_system.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>
#include <vector>

#include <windows.h>

namespace tessaro::archive {

namespace {

// Nothing for a text that is not UTF-8: every call refuses an empty path.
std::wstring wide(const std::string& utf8)
{
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, out.data(), needed);
    return out;
}

std::string utf8(const wchar_t* text)
{
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 1)
        return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), needed, nullptr, nullptr);
    out.pop_back(); // the terminating zero
    return out;
}

OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED place {};
    place.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    place.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return place;
}

// One transfer moves at most this much; record files are far smaller.
constexpr std::size_t MaxTransfer = 1u << 30;

class Win32File final : public File {
public:
    explicit Win32File(HANDLE handle) : m_handle(handle) { }
    ~Win32File() override { CloseHandle(m_handle); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> out) override
    {
        std::size_t got = 0;
        while (got < out.size()) {
            OVERLAPPED place = at(offset + got);
            DWORD read = 0;
            const auto wanted = static_cast<DWORD>(std::min(out.size() - got, MaxTransfer));
            if (!ReadFile(m_handle, out.data() + got, wanted, &read, &place)) {
                if (GetLastError() == ERROR_HANDLE_EOF)
                    break;
                return std::nullopt;
            }
            if (read == 0)
                break;
            got += read;
        }
        return got;
    }

    // A write past the end leaves zeros in the gap, as on NTFS every byte
    // between the old end and the new data reads as zero.
    std::size_t writeAt(std::uint64_t offset, std::span<const std::uint8_t> data) override
    {
        std::size_t put = 0;
        while (put < data.size()) {
            OVERLAPPED place = at(offset + put);
            DWORD written = 0;
            const auto wanted = static_cast<DWORD>(std::min(data.size() - put, MaxTransfer));
            if (!WriteFile(m_handle, data.data() + put, wanted, &written, &place) || written == 0)
                break;
            put += written;
        }
        return put;
    }

    std::optional<std::uint64_t> size() override
    {
        LARGE_INTEGER bytes {};
        if (!GetFileSizeEx(m_handle, &bytes))
            return std::nullopt;
        return static_cast<std::uint64_t>(bytes.QuadPart);
    }

    bool truncate(std::uint64_t size) override
    {
        FILE_END_OF_FILE_INFO end {};
        end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
        return SetFileInformationByHandle(m_handle, FileEndOfFileInfo, &end, sizeof end) != 0;
    }

    bool sync() override { return FlushFileBuffers(m_handle) != 0; }

private:
    HANDLE m_handle;
};

// Others may read, write, rename and remove a file the program holds open,
// as on POSIX: a journal's file is replaced while a record file stays open.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE openHandle(const std::wstring& path, DWORD access, DWORD disposition)
{
    return CreateFileW(path.c_str(), access, ShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// FileRenameInfoEx and its flags, which MinGW declares only for newer
// Windows versions than the program requires.
constexpr auto RenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD RenameReplaceIfExists = 0x1;
constexpr DWORD RenamePosixSemantics = 0x2;

// Whether the renaming reached the disk; nothing when this system cannot
// rename that way.
std::optional<bool> renameOpenTarget(const std::wstring& source, const std::wstring& target)
{
    wchar_t full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameW(target.c_str(), MAX_PATH * 4, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 4)
        return std::nullopt;
    HANDLE handle = openHandle(source, DELETE | GENERIC_WRITE, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::wstring name = L"\\\\?\\" + std::wstring(full, length);
    const std::size_t nameBytes = name.size() * sizeof(wchar_t);
    std::vector<std::uint8_t> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t), 0);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    // Flags share their place with the older ReplaceIfExists.
    const DWORD flags = RenameReplaceIfExists | RenamePosixSemantics;
    std::memcpy(buffer.data(), &flags, sizeof flags);
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, name.data(), nameBytes);
    const bool renamed = SetFileInformationByHandle(handle, RenameInfoEx, info, static_cast<DWORD>(buffer.size())) != 0;
    const bool flushed = renamed && FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    if (!renamed)
        return std::nullopt;
    return flushed;
}

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path) override
    {
        const std::wstring name = wide(path);
        if (name.empty())
            return nullptr;
        HANDLE handle = openHandle(name, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
        if (handle == INVALID_HANDLE_VALUE) {
            // Creating only a missing file, so an existing one that refuses
            // writing is opened for reading instead of being replaced.
            handle = exists(path) ? openHandle(name, GENERIC_READ, OPEN_EXISTING)
                                  : openHandle(name, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
        }
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<Win32File>(handle);
    }

    bool exists(const std::string& path) override { return attributes(path) != INVALID_FILE_ATTRIBUTES; }

    bool remove(const std::string& path) override
    {
        const DWORD kind = attributes(path);
        if (kind == INVALID_FILE_ATTRIBUTES)
            return false;
        const std::wstring name = wide(path);
        if (kind & FILE_ATTRIBUTE_DIRECTORY)
            return RemoveDirectoryW(name.c_str()) != 0;
        return DeleteFileW(name.c_str()) != 0;
    }

    // The new name is on the disk when the call returns. Windows 10 replaces
    // with POSIX semantics a file that another handle holds open, as the
    // journal needs; older systems (and Wine) refuse that renaming, and the
    // plain replace still serves every file nobody holds open.
    bool rename(const std::string& from, const std::string& to) override
    {
        const std::wstring source = wide(from);
        const std::wstring target = wide(to);
        if (source.empty() || target.empty())
            return false;
        if (const std::optional<bool> renamed = renameOpenTarget(source, target))
            return *renamed;
        return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    std::optional<std::vector<std::string>> list(const std::string& dir) override
    {
        const std::wstring pattern = wide(dir + "\\*");
        WIN32_FIND_DATAW found {};
        HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE)
            return std::nullopt;
        std::vector<std::string> names;
        do {
            if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
                names.push_back(utf8(found.cFileName));
        } while (FindNextFileW(search, &found));
        const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(search);
        if (!complete)
            return std::nullopt;
        return names;
    }

    // Windows has no flush of a directory: its file system writes a
    // directory's names with the files, and renames go through with
    // MOVEFILE_WRITE_THROUGH.
    bool syncDirectory(const std::string& dir) override
    {
        const DWORD kind = attributes(dir);
        return kind != INVALID_FILE_ATTRIBUTES && (kind & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool createDirectories(const std::string& dir) override
    {
        std::error_code error;
        std::filesystem::create_directories(nativePath(dir), error);
        return !error;
    }

private:
    static DWORD attributes(const std::string& path)
    {
        const std::wstring name = wide(path);
        return name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(name.c_str());
    }
};

} // namespace

FileSystem& realFileSystem()
{
    static Win32FileSystem real;
    return real;
}

} // namespace tessaro::archive
