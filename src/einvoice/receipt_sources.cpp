#include "einvoice/receipt_sources.h"

#include "archive/entry_path.h"
#include "archive/file_system.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string_view>

namespace tessaro::einvoice {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::uint8_t, 4> ZipMagic = {'P', 'K', 3, 4};
const std::string TooLarge = "troppo grande per essere una ricevuta";
const std::string Nested = "archivio dentro un archivio: estrarlo prima";

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

bool hasSuffix(std::string_view name, std::string_view suffix)
{
    return name.size() >= suffix.size() && lowered(name.substr(name.size() - suffix.size())) == suffix;
}

bool startsWithZipMagic(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= ZipMagic.size() && std::equal(ZipMagic.begin(), ZipMagic.end(), bytes.begin());
}

// A name that could point outside the folder it would be extracted to, on
// any system. Nothing is extracted, but such a name is never an honest one.
bool unsafeEntryName(std::string_view name)
{
    const std::optional<std::string> inside = archive::pathInsideFolder(name);
    return !inside || inside->empty();
}

// What the whole choice has read so far, against its limits.
class Collector {
public:
    explicit Collector(const SourceLimits& limits) : m_limits(limits) { }

    bool exhausted() const { return m_exhausted; }
    std::vector<ReceiptSource> take() { return std::move(m_sources); }

    void refuse(std::string name, std::string reason) { m_sources.push_back({std::move(name), {}, std::move(reason)}); }

    // False, with one source saying so, once this source would pass a limit.
    bool admit(const std::string& name)
    {
        if (m_exhausted)
            return false;
        if (m_files < m_limits.maxFiles) {
            ++m_files;
            return true;
        }
        stop(name, "oltre " + std::to_string(m_limits.maxFiles) + " file");
        return false;
    }

    // Bytes expanded count whether or not they make a source: an archive of
    // entries each just too large must not cost more than the limit either.
    bool spend(const std::string& name, std::uint64_t bytes)
    {
        m_bytes += bytes;
        if (m_bytes <= m_limits.maxTotalBytes)
            return true;
        const std::uint64_t limit = m_limits.maxTotalBytes;
        const std::string amount
            = limit % (1 << 20) == 0 ? std::to_string(limit >> 20) + " MB" : std::to_string(limit) + " byte";
        stop(name, "oltre " + amount + " letti in tutto");
        return false;
    }

    void add(std::string name, std::vector<std::uint8_t> bytes)
    {
        m_sources.push_back({std::move(name), std::move(bytes), {}});
    }

    const SourceLimits& limits() const { return m_limits; }

private:
    void stop(const std::string& name, const std::string& why)
    {
        m_exhausted = true;
        refuse(name, "non letto, e con esso il resto della scelta: " + why);
    }

    const SourceLimits& m_limits;
    std::vector<ReceiptSource> m_sources;
    std::size_t m_files = 0;
    std::uint64_t m_bytes = 0;
    bool m_exhausted = false;
};

using ArchiveHandle = std::unique_ptr<struct archive, decltype(&archive_read_free)>;

struct EntryReading {
    std::optional<std::vector<std::uint8_t>> bytes;
    std::size_t expanded = 0;
    std::string refusal;
    bool fatal = false; // nothing after it can be read
};

// The entry's bytes, reading at most one byte more than an entry may hold:
// the size its header gives may be a lie.
EntryReading readEntry(struct archive* zip, std::size_t maxBytes)
{
    EntryReading reading;
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 65536> chunk;
    for (;;) {
        const std::size_t room = std::min(chunk.size(), maxBytes + 1 - bytes.size());
        const la_ssize_t got = archive_read_data(zip, chunk.data(), room);
        if (got < 0) {
            reading.fatal = got == ARCHIVE_FATAL;
            reading.refusal = "voce dell'archivio danneggiata o non leggibile";
            return reading;
        }
        reading.expanded += static_cast<std::size_t>(got);
        if (got == 0) {
            reading.bytes = std::move(bytes);
            return reading;
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
        if (bytes.size() > maxBytes) {
            reading.refusal = TooLarge;
            return reading;
        }
    }
}

void readZip(const fs::path& path, Collector& out)
{
    const std::string zipName = archive::pathText(path.filename());
    ArchiveHandle zip(archive_read_new(), &archive_read_free);
    if (!zip)
        return out.refuse(zipName, "memoria insufficiente per leggere l'archivio");
    archive_read_support_format_zip(zip.get());
#ifdef _WIN32
    const int opened = archive_read_open_filename_w(zip.get(), path.c_str(), 65536);
#else
    const int opened = archive_read_open_filename(zip.get(), path.c_str(), 65536);
#endif
    if (opened != ARCHIVE_OK)
        return out.refuse(zipName, "non è un archivio ZIP leggibile");

    for (;;) {
        struct archive_entry* entry = nullptr;
        const int status = archive_read_next_header(zip.get(), &entry);
        if (status == ARCHIVE_EOF)
            return;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            return out.refuse(zipName, "archivio ZIP danneggiato: il resto non è leggibile");
        if (archive_entry_filetype(entry) != AE_IFREG)
            continue;
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const char* raw = utf8 ? utf8 : archive_entry_pathname(entry);
        const std::string entryName = raw ? raw : "";
        const std::string name = zipName + ": " + entryName;
        if (!hasSuffix(entryName, ".xml") && !hasSuffix(entryName, ".zip"))
            continue;
        // Counted before any refusal, so a flood of bad names is bounded too.
        if (!out.admit(name))
            return;
        if (unsafeEntryName(entryName)) {
            out.refuse(name, "percorso non ammesso");
            continue;
        }
        if (hasSuffix(entryName, ".zip")) {
            out.refuse(name, Nested);
            continue;
        }
        if (archive_entry_is_encrypted(entry)) {
            out.refuse(name, "voce cifrata con una password: non si può leggere");
            continue;
        }
        const std::size_t maxBytes = out.limits().maxEntryBytes;
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) >= 0
            && static_cast<std::uint64_t>(archive_entry_size(entry)) > maxBytes) {
            out.refuse(name, TooLarge);
            continue;
        }
        EntryReading reading = readEntry(zip.get(), maxBytes);
        if (!out.spend(name, reading.expanded))
            return;
        if (!reading.bytes) {
            out.refuse(name, reading.refusal);
            if (reading.fatal)
                return out.refuse(zipName, "archivio ZIP danneggiato: il resto non è leggibile");
            continue;
        }
        if (startsWithZipMagic(*reading.bytes)) {
            out.refuse(name, Nested);
            continue;
        }
        out.add(name, std::move(*reading.bytes));
    }
}

std::optional<std::array<std::uint8_t, 4>> fileStart(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<std::uint8_t, 4> start {};
    if (!in.read(reinterpret_cast<char*>(start.data()), start.size()))
        return std::nullopt;
    return start;
}

void readFile(const fs::path& path, Collector& out)
{
    const std::string name = archive::pathText(path);
    if (out.exhausted())
        return;
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error)
        return out.refuse(name, "file non leggibile");
    const auto start = fileStart(path);
    if (hasSuffix(name, ".zip") || (start && startsWithZipMagic(*start)))
        return readZip(path, out);
    if (!out.admit(name))
        return;
    if (size > out.limits().maxEntryBytes)
        return out.refuse(name, TooLarge);
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))
        || in.peek() != std::ifstream::traits_type::eof())
        return out.refuse(name, "file non leggibile, o cambiato mentre veniva letto");
    if (out.spend(name, bytes.size()))
        out.add(name, std::move(bytes));
}

// The folder's ".xml" and ".zip" files down to the depth allowed; links are
// not followed, so a folder cannot lead back into itself or out of the choice.
void listFolder(const fs::path& folder, int depth, const SourceLimits& limits, std::vector<fs::path>& files,
                bool& unreadable)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        unreadable = true;
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            unreadable = true;
            return;
        }
        const fs::file_status status = it->symlink_status(error);
        if (error || fs::is_symlink(status))
            continue;
        const fs::path& path = it->path();
        if (fs::is_directory(status)) {
            if (depth < limits.maxFolderDepth)
                listFolder(path, depth + 1, limits, files, unreadable);
        } else if (fs::is_regular_file(status)) {
            const std::string name = archive::pathText(path.filename());
            if (hasSuffix(name, ".xml") || hasSuffix(name, ".zip"))
                files.push_back(path);
        }
        // The listing itself is bounded too: a folder of a million files
        // should not be held in memory only to be refused.
        if (files.size() > limits.maxFiles)
            return;
    }
}

} // namespace

std::vector<ReceiptSource> receiptSources(const std::vector<std::string>& paths, const SourceLimits& limits)
{
    Collector out(limits);
    for (const std::string& chosen : paths) {
        if (out.exhausted())
            break;
        const fs::path path = archive::nativePath(chosen);
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (!fs::exists(status)) {
            out.refuse(chosen, "file non trovato");
        } else if (fs::is_directory(status)) {
            std::vector<fs::path> files;
            bool unreadable = false;
            listFolder(path, 0, limits, files, unreadable);
            if (unreadable)
                out.refuse(chosen, "cartella non leggibile per intero");
            std::sort(files.begin(), files.end());
            for (const fs::path& file : files)
                readFile(file, out);
        } else {
            readFile(path, out);
        }
    }
    return out.take();
}

} // namespace tessaro::einvoice
