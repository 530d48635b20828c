#include "archive/journal.h"

#include "archive/record_file.h"

#include <algorithm>
#include <array>
#include <thread>
#include <utility>

namespace tessaro::archive {

namespace {

// Putting a range back compares it with the file a piece at a time and
// writes only the pieces that differ: a disk that refuses every write can
// still be told apart from one where the operation changed something.
constexpr std::size_t CompareBlock = 64 * 1024;

std::string directoryOf(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

} // namespace

std::string setAsideName(const std::string& path)
{
    return path + std::string(SetAsideSuffix);
}

Journal::Journal(const DataDir& dir, std::string operation)
    : m_fs(&dir.fs()), m_dir(dir), m_durable(true), m_operation(std::move(operation))
{
}

Journal::Journal(FileSystem& fs) : m_fs(&fs) { }

Journal::Journal(const DataDir& dir, StoredJournal stored)
    : m_fs(&dir.fs()), m_dir(dir), m_durable(true), m_operation(std::move(stored.operation)),
      m_entries(std::move(stored.entries)), m_begun(true), m_written(true)
{
    for (JournalEntry& entry : m_entries) {
        if (entry.kind == JournalEntry::Kind::SetAside)
            entry.moved = m_fs->exists(entry.held);
    }
}

Journal::~Journal()
{
    // The caller passes its own failure on, the first one. A rollback that
    // fails as well keeps the journal file: every write is refused until
    // the next start puts the files back.
    if (m_begun)
        rollBack();
}

Journal::Journal(Journal&& other) noexcept
    : m_fs(other.m_fs), m_dir(std::move(other.m_dir)), m_durable(other.m_durable),
      m_operation(std::move(other.m_operation)), m_entries(std::move(other.m_entries)),
      m_begun(std::exchange(other.m_begun, false)), m_written(std::exchange(other.m_written, false))
{
}

Journal& Journal::operator=(Journal&& other)
{
    if (this == &other)
        return *this;
    if (m_begun)
        rollBack();
    m_fs = other.m_fs;
    m_dir = std::move(other.m_dir);
    m_durable = other.m_durable;
    m_operation = std::move(other.m_operation);
    m_entries = std::move(other.m_entries);
    m_begun = std::exchange(other.m_begun, false);
    m_written = std::exchange(other.m_written, false);
    return *this;
}

const JournalEntry* Journal::lengthOf(const std::string& path) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const JournalEntry& entry) {
        return entry.kind == JournalEntry::Kind::Length && entry.path == path;
    });
    return found == m_entries.end() ? nullptr : &*found;
}

std::span<const std::uint8_t> Journal::kept(const std::string& path, std::uint64_t offset) const
{
    for (const JournalEntry& entry : m_entries) {
        if (entry.kind == JournalEntry::Kind::Bytes && entry.path == path && entry.value == offset)
            return entry.bytes;
    }
    return {};
}

Status Journal::keep(const std::string& path, std::uint64_t offset, std::uint64_t length)
{
    if (m_begun)
        return IoError {IoError::Action::Write, path};
    const JournalEntry* file = lengthOf(path);
    if (!file) {
        JournalEntry kept;
        kept.kind = JournalEntry::Kind::Length;
        kept.path = path;
        kept.existed = m_fs->exists(path);
        if (kept.existed) {
            auto opened = RecordFile::open(*m_fs, path, 1);
            if (!opened)
                return opened.error();
            auto size = opened.value().byteSize();
            if (!size)
                return size.error();
            kept.value = size.value();
        }
        m_entries.push_back(std::move(kept));
        file = &m_entries.back();
    }
    if (!file->existed || offset >= file->value || length == 0)
        return {};
    JournalEntry range;
    range.kind = JournalEntry::Kind::Bytes;
    range.path = path;
    range.value = offset;
    range.bytes.resize(static_cast<std::size_t>(std::min(file->value - offset, length)));
    auto opened = RecordFile::open(*m_fs, path, 1);
    if (!opened)
        return opened.error();
    auto got = opened.value().keep(offset, range.bytes);
    if (!got)
        return got.error();
    range.bytes.resize(got.value());
    m_entries.push_back(std::move(range));
    return {};
}

Status Journal::keepRecords(const std::string& path, std::size_t recordLength, int first, std::uint64_t count)
{
    if (first < 1 || recordLength == 0)
        return IoError {IoError::Action::Write, path};
    const std::uint64_t offset = static_cast<std::uint64_t>(first - 1) * recordLength;
    const std::uint64_t length = count == ToTheEnd ? ToTheEnd : count * recordLength;
    return keep(path, offset, length);
}

Status Journal::keepForRemoval(const std::string& path)
{
    if (m_begun || !m_fs->exists(path))
        return IoError {IoError::Action::Remove, path};
    JournalEntry entry;
    entry.kind = JournalEntry::Kind::SetAside;
    entry.path = path;
    entry.held = setAsideName(path);
    m_entries.push_back(std::move(entry));
    return {};
}

Status Journal::begin()
{
    if (m_durable) {
        const std::string path = journalFile(m_dir);
        if (m_fs->exists(path))
            return IoError {IoError::Action::Pending, path};
        if (Status written = writeJournal(m_dir, m_operation, m_entries); !written)
            return written;
        m_written = true;
    }
    m_begun = true;
    return {};
}

Status Journal::remove(const std::string& path)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const JournalEntry& entry) {
        return entry.kind == JournalEntry::Kind::SetAside && entry.path == path;
    });
    if (!m_begun || found == m_entries.end() || found->moved || !m_fs->rename(found->path, found->held))
        return IoError {IoError::Action::Remove, path};
    found->moved = true;
    return {};
}

Status Journal::flush()
{
    std::vector<RecordFile> files;
    bool namesChanged = false;
    for (const JournalEntry& entry : m_entries) {
        if (entry.kind == JournalEntry::Kind::SetAside)
            namesChanged = true;
        if (entry.kind != JournalEntry::Kind::Length)
            continue;
        const bool there = m_fs->exists(entry.path);
        namesChanged = namesChanged || there != entry.existed;
        if (!there)
            continue;
        auto opened = RecordFile::open(*m_fs, entry.path, 1);
        if (!opened)
            return opened.error();
        files.push_back(std::move(opened.value()));
    }
    // Each flush waits for the disk; side by side they wait about as long as one.
    std::vector<Status> synced(files.size());
    std::vector<std::thread> others;
    for (std::size_t i = 1; i < files.size(); ++i)
        others.emplace_back([&, i] { synced[i] = files[i].sync(); });
    if (!files.empty())
        synced[0] = files[0].sync();
    for (std::thread& other : others)
        other.join();
    for (const Status& status : synced) {
        if (!status)
            return status;
    }
    if (!namesChanged)
        return {};
    const std::string dir = m_durable ? m_dir.path() : directoryOf(m_entries.front().path);
    if (!m_fs->syncDirectory(dir))
        return IoError {IoError::Action::Write, dir};
    return {};
}

Status Journal::commit()
{
    if (Status flushed = flush(); !flushed)
        return flushed;
    if (m_written) {
        // The operation is done when the journal file is gone. The files are
        // on the disk already: should the removal itself not reach it, the
        // next start finds the journal, puts the files back and says so.
        const std::string path = journalFile(m_dir);
        if (!m_fs->remove(path))
            return IoError {IoError::Action::Write, path};
        m_written = false;
        m_fs->syncDirectory(m_dir.path());
    }
    m_begun = false;
    // A file set aside that cannot be removed now only keeps its other name,
    // which nothing reads; the next start removes it.
    for (const JournalEntry& entry : m_entries) {
        if (entry.kind == JournalEntry::Kind::SetAside && entry.moved)
            m_fs->remove(entry.held);
    }
    return {};
}

Status Journal::putBack(JournalEntry& entry)
{
    const IoError failure {IoError::Action::Write, entry.path};
    switch (entry.kind) {
    case JournalEntry::Kind::SetAside:
        if (entry.moved && m_fs->rename(entry.held, entry.path))
            entry.moved = false;
        if (entry.moved)
            return failure;
        return {};
    case JournalEntry::Kind::Length: {
        if (!entry.existed) {
            if (m_fs->exists(entry.path) && !m_fs->remove(entry.path))
                return failure;
            return {};
        }
        auto opened = RecordFile::open(*m_fs, entry.path, 1);
        if (!opened)
            return opened.error();
        auto size = opened.value().byteSize();
        if (!size)
            return size.error();
        if (size.value() > entry.value)
            return opened.value().truncate(entry.value);
        return {};
    }
    case JournalEntry::Kind::Bytes:
        break;
    }
    auto opened = RecordFile::open(*m_fs, entry.path, 1);
    if (!opened)
        return opened.error();
    RecordFile& file = opened.value();
    std::array<std::uint8_t, CompareBlock> now {};
    for (std::size_t at = 0; at < entry.bytes.size(); at += CompareBlock) {
        const std::size_t length = std::min(CompareBlock, entry.bytes.size() - at);
        const auto before = std::span<const std::uint8_t>(entry.bytes).subspan(at, length);
        const auto current = std::span<std::uint8_t>(now).first(length);
        const auto holds = [&] {
            auto got = file.keep(entry.value + at, current);
            return got && got.value() == length && std::equal(before.begin(), before.end(), current.begin());
        };
        // A write that stopped short may still have put back all that differed.
        if (!holds() && !file.put(entry.value + at, before) && !holds())
            return failure;
    }
    return {};
}

Status Journal::rollBack()
{
    m_begun = false;
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        if (Status back = putBack(*entry); !back)
            return back;
    }
    if (!m_entries.empty()) {
        if (Status flushed = flush(); !flushed)
            return flushed;
    }
    if (m_written) {
        const std::string path = journalFile(m_dir);
        if ((m_fs->exists(path) && !m_fs->remove(path)) || !m_fs->syncDirectory(m_dir.path()))
            return IoError {IoError::Action::Write, path};
        m_written = false;
    }
    return {};
}

} // namespace tessaro::archive
