#include "archive/journal_file.h"

#include "archive/little_endian.h"
#include "archive/record_file.h"

#include <xxhash.h>

#include <algorithm>
#include <array>
#include <memory>
#include <thread>

namespace tessaro::archive {

namespace {

constexpr std::array<char, 8> Magic = {'T', 'S', 'R', 'G', 'I', 'O', 'R', 'N'};
constexpr std::array<char, 8> EndMagic = {'T', 'S', 'R', 'F', 'I', 'N', 'E', '1'};
// Version 1 had a checksum of its own; it is still read, never written.
constexpr std::uint32_t Version = 2;
constexpr std::uint32_t FirstVersion = 1;
constexpr std::size_t HeaderSize = 8 + 4 + 4 + 8 + 4; // before the operation's name
constexpr std::size_t TrailerSize = 8 + 8;
constexpr std::uint64_t Missing = ~std::uint64_t {0};

// xxHash64 with seed 0, streamed: fast enough for the tens of megabytes a
// renumbering of a full book keeps.
class Checksum {
public:
    Checksum() { XXH64_reset(m_state.get(), 0); }
    void add(std::span<const std::uint8_t> bytes) { XXH64_update(m_state.get(), bytes.data(), bytes.size()); }
    std::uint64_t value() const { return XXH64_digest(m_state.get()); }

private:
    struct Free {
        void operator()(XXH64_state_t* state) const { XXH64_freeState(state); }
    };
    std::unique_ptr<XXH64_state_t, Free> m_state {XXH64_createState()};
};

// Writes the journal in order through a buffer; long byte ranges go out directly.
class Writer {
public:
    explicit Writer(RecordFile& file) : m_file(file) { }

    void u8(std::uint8_t value) { bytes(std::span(&value, 1)); }
    void u16(std::uint16_t value) { number(value, 2); }
    void u32(std::uint32_t value) { number(value, 4); }
    void u64(std::uint64_t value) { number(value, 8); }
    void text(std::string_view value) { bytes({reinterpret_cast<const std::uint8_t*>(value.data()), value.size()}); }

    void bytes(std::span<const std::uint8_t> data)
    {
        m_checksum.add(data);
        if (data.size() >= BufferSize) {
            flush();
            put(data);
            return;
        }
        if (m_buffer.size() + data.size() > BufferSize)
            flush();
        m_buffer.insert(m_buffer.end(), data.begin(), data.end());
    }

    // The checksum of everything so far, then the end mark; false when a write failed.
    bool finish()
    {
        std::array<std::uint8_t, 8> sum {};
        writeLittleEndian(sum, m_checksum.value());
        m_buffer.insert(m_buffer.end(), sum.begin(), sum.end());
        m_buffer.insert(m_buffer.end(), EndMagic.begin(), EndMagic.end());
        flush();
        return m_ok;
    }

private:
    static constexpr std::size_t BufferSize = 1 << 20;

    void number(std::uint64_t value, int width)
    {
        std::array<std::uint8_t, 8> out {};
        const auto field = std::span(out).first(static_cast<std::size_t>(width));
        writeLittleEndian(field, value);
        bytes(field);
    }

    void flush()
    {
        put(m_buffer);
        m_buffer.clear();
    }

    void put(std::span<const std::uint8_t> data)
    {
        if (data.empty() || !m_ok)
            return;
        m_ok = m_file.put(m_offset, data).ok();
        m_offset += data.size();
    }

    RecordFile& m_file;
    Checksum m_checksum;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_offset = 0;
    bool m_ok = true;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) { }

    bool ok() const { return m_ok; }
    std::uint64_t number(int width) { return readLittleEndian(take(static_cast<std::size_t>(width))); }
    std::string text(std::size_t length)
    {
        const auto field = take(length);
        return std::string(field.begin(), field.end());
    }
    std::span<const std::uint8_t> take(std::size_t length)
    {
        if (!m_ok || length > m_bytes.size() - m_at) {
            m_ok = false;
            return {};
        }
        const auto field = m_bytes.subspan(m_at, length);
        m_at += length;
        return field;
    }
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

// A file name of the data directory: no separator, nothing that climbs out.
bool plainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\\') == std::string_view::npos && name != JournalFileName;
}

// The name of a path of the data directory; empty when it names none.
std::string nameIn(const DataDir& dir, const std::string& path)
{
    const std::string prefix = dir.file("");
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
        return {};
    std::string name = path.substr(prefix.size());
    return plainName(name) ? name : std::string();
}

void parse(const DataDir& dir, std::span<const std::uint8_t> bytes, StoredJournal& journal)
{
    journal.torn = true;
    Reader header(bytes);
    const auto magic = header.take(Magic.size());
    if (!header.ok() || !std::equal(magic.begin(), magic.end(), Magic.begin()))
        return;
    const auto version = header.number(4);
    const auto count = header.number(4);
    const auto length = header.number(8);
    const auto nameLength = header.number(4);
    journal.operation = header.text(static_cast<std::size_t>(std::min<std::uint64_t>(nameLength, 1024)));
    if (!header.ok() || (version != Version && version != FirstVersion) || length != bytes.size()
        || bytes.size() < HeaderSize + TrailerSize)
        return;
    const auto body = bytes.first(bytes.size() - TrailerSize);
    Reader trailer(bytes.subspan(body.size()));
    const std::uint64_t sum = trailer.number(8);
    const auto end = trailer.take(EndMagic.size());
    const std::uint64_t expected = version == Version ? journalChecksum(body) : firstJournalChecksum(body);
    if (!std::equal(end.begin(), end.end(), EndMagic.begin()) || sum != expected)
        return;

    Reader in(body);
    in.take(HeaderSize + static_cast<std::size_t>(nameLength));
    std::vector<JournalEntry> entries;
    for (std::uint64_t i = 0; i < count && in.ok(); ++i) {
        JournalEntry entry;
        const auto kind = in.number(1);
        const std::string name = in.text(static_cast<std::size_t>(in.number(2)));
        if (!plainName(name))
            return;
        entry.path = dir.file(name);
        switch (kind) {
        case 1:
            entry.kind = JournalEntry::Kind::Length;
            entry.value = in.number(8);
            entry.existed = entry.value != Missing;
            break;
        case 2: {
            entry.kind = JournalEntry::Kind::Bytes;
            entry.value = in.number(8);
            const auto size = in.number(8);
            const auto data = in.take(static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes.size())));
            entry.bytes.assign(data.begin(), data.end());
            break;
        }
        case 3: {
            entry.kind = JournalEntry::Kind::SetAside;
            const std::string held = in.text(static_cast<std::size_t>(in.number(2)));
            if (!plainName(held))
                return;
            entry.held = dir.file(held);
            break;
        }
        default:
            return;
        }
        entries.push_back(std::move(entry));
    }
    if (!in.ok() || !in.atEnd())
        return;
    journal.entries = std::move(entries);
    journal.torn = false;
}

} // namespace

std::string journalFile(const DataDir& dir)
{
    return dir.file(JournalFileName);
}

std::uint64_t journalChecksum(std::span<const std::uint8_t> bytes)
{
    Checksum sum;
    sum.add(bytes);
    return sum.value();
}

Status writeJournal(const DataDir& dir, std::string_view operation, const std::vector<JournalEntry>& entries)
{
    const std::string path = journalFile(dir);
    std::uint64_t length = HeaderSize + operation.size() + TrailerSize;
    for (const JournalEntry& entry : entries) {
        const std::string name = nameIn(dir, entry.path);
        if (name.empty() || (entry.kind == JournalEntry::Kind::SetAside && nameIn(dir, entry.held).empty()))
            return IoError {IoError::Action::Write, entry.path};
        length += 1 + 2 + name.size();
        switch (entry.kind) {
        case JournalEntry::Kind::Length:
            length += 8;
            break;
        case JournalEntry::Kind::Bytes:
            length += 16 + entry.bytes.size();
            break;
        case JournalEntry::Kind::SetAside:
            length += 2 + nameIn(dir, entry.held).size();
            break;
        }
    }

    const IoError failure {IoError::Action::Write, path};
    bool written = false;
    {
        auto opened = RecordFile::open(dir.fs(), path, 1);
        if (!opened)
            return opened.error();
        Writer out(opened.value());
        out.bytes({reinterpret_cast<const std::uint8_t*>(Magic.data()), Magic.size()});
        out.u32(Version);
        out.u32(static_cast<std::uint32_t>(entries.size()));
        out.u64(length);
        out.u32(static_cast<std::uint32_t>(operation.size()));
        out.text(operation);
        for (const JournalEntry& entry : entries) {
            const std::string name = nameIn(dir, entry.path);
            out.u8(static_cast<std::uint8_t>(entry.kind));
            out.u16(static_cast<std::uint16_t>(name.size()));
            out.text(name);
            switch (entry.kind) {
            case JournalEntry::Kind::Length:
                out.u64(entry.existed ? entry.value : Missing);
                break;
            case JournalEntry::Kind::Bytes:
                out.u64(entry.value);
                out.u64(entry.bytes.size());
                out.bytes(entry.bytes);
                break;
            case JournalEntry::Kind::SetAside: {
                const std::string held = nameIn(dir, entry.held);
                out.u16(static_cast<std::uint16_t>(held.size()));
                out.text(held);
                break;
            }
            }
        }
        // The directory too: a journal whose name is not on the disk would be
        // lost with the data it keeps. Both flushes wait side by side.
        if (out.finish()) {
            bool fileSynced = false;
            std::thread file([&] { fileSynced = opened.value().sync().ok(); });
            const bool dirSynced = dir.fs().syncDirectory(dir.path());
            file.join();
            written = fileSynced && dirSynced;
        }
    }
    if (written)
        return {};
    dir.fs().remove(path);
    return failure;
}

Result<std::optional<StoredJournal>> readJournal(const DataDir& dir)
{
    const std::string path = journalFile(dir);
    if (!dir.fs().exists(path))
        return std::optional<StoredJournal>();
    auto opened = RecordFile::open(dir.fs(), path, 1);
    if (!opened)
        return opened.error();
    auto size = opened.value().byteSize();
    if (!size)
        return size.error();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.value()));
    if (!bytes.empty()) {
        auto got = opened.value().keep(0, bytes);
        if (!got)
            return got.error();
        bytes.resize(got.value());
    }
    StoredJournal journal;
    parse(dir, bytes, journal);
    return std::optional<StoredJournal>(std::move(journal));
}

} // namespace tessaro::archive
