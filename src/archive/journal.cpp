#include "archive/journal.h"

#include "archive/record_file.h"

#include <algorithm>
#include <array>

namespace tessaro::archive {

namespace {

// Putting a range back compares it with the file a piece at a time and
// writes only the pieces that differ: a disk that refuses every write can
// still be told apart from one where the operation changed something.
constexpr std::size_t CompareBlock = 64 * 1024;

} // namespace

std::string setAsideName(const std::string& path)
{
    return path + ".cancellato";
}

Journal::Journal(const DataDir& dir, std::string operation) : m_fs(&dir.fs()), m_operation(std::move(operation)) { }

Journal::Journal(FileSystem& fs) : m_fs(&fs) { }

const Journal::Entry* Journal::lengthOf(const std::string& path) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return entry.kind == Entry::Kind::Length && entry.path == path;
    });
    return found == m_entries.end() ? nullptr : &*found;
}

Status Journal::keep(const std::string& path, std::uint64_t offset, std::uint64_t length)
{
    if (m_begun)
        return IoError {IoError::Action::Write, path};
    const Entry* file = lengthOf(path);
    if (!file) {
        Entry kept {Entry::Kind::Length, path, m_fs->exists(path), 0, {}, {}, false};
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
    Entry range {Entry::Kind::Bytes, path, true, offset, {}, {}, false};
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
    m_entries.push_back({Entry::Kind::SetAside, path, true, 0, {}, setAsideName(path), false});
    return {};
}

Status Journal::begin()
{
    m_begun = true;
    return {};
}

Status Journal::remove(const std::string& path)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
        return entry.kind == Entry::Kind::SetAside && entry.path == path;
    });
    if (!m_begun || found == m_entries.end() || found->moved || !m_fs->rename(found->path, found->held))
        return IoError {IoError::Action::Remove, path};
    found->moved = true;
    return {};
}

Status Journal::commit()
{
    // The operation is done once the files are set aside; one that cannot be
    // removed now only keeps its other name, which nothing reads.
    for (const Entry& entry : m_entries) {
        if (entry.kind == Entry::Kind::SetAside && entry.moved)
            m_fs->remove(entry.held);
    }
    m_begun = false;
    return {};
}

bool Journal::putBack(Entry& entry)
{
    switch (entry.kind) {
    case Entry::Kind::SetAside:
        if (entry.moved && m_fs->rename(entry.held, entry.path))
            entry.moved = false;
        return !entry.moved;
    case Entry::Kind::Length: {
        if (!entry.existed)
            return !m_fs->exists(entry.path) || m_fs->remove(entry.path);
        auto opened = RecordFile::open(*m_fs, entry.path, 1);
        if (!opened)
            return false;
        auto size = opened.value().byteSize();
        return size && (size.value() <= entry.value || opened.value().truncate(entry.value));
    }
    case Entry::Kind::Bytes:
        break;
    }
    auto opened = RecordFile::open(*m_fs, entry.path, 1);
    if (!opened)
        return false;
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
            return false;
    }
    return true;
}

bool Journal::rollBack()
{
    m_begun = false;
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        if (!putBack(*entry))
            return false;
    }
    return true;
}

Status Journal::undo(Status failure)
{
    rollBack();
    return failure;
}

} // namespace tessaro::archive
