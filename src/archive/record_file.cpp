#include "archive/record_file.h"

#include "archive/journal.h"

#include <algorithm>

namespace tessaro::archive {

Result<RecordFile> RecordFile::open(FileSystem& fs, const std::string& path, std::size_t recordLength)
{
    RecordFile file;
    file.m_file = fs.open(path);
    if (!file.m_file)
        return IoError {IoError::Action::Open, path};
    file.m_path = path;
    file.m_recordLength = recordLength;
    return file;
}

bool RecordFile::addressable(int number, std::size_t size) const
{
    return m_file && number >= 1 && m_recordLength > 0 && size > 0 && size % m_recordLength == 0;
}

Status RecordFile::read(int number, std::span<std::uint8_t> record)
{
    if (record.size() != m_recordLength)
        return IoError {IoError::Action::Read, m_path};
    return readBlock(number, record);
}

Status RecordFile::write(int number, std::span<const std::uint8_t> record)
{
    if (record.size() != m_recordLength)
        return IoError {IoError::Action::Write, m_path};
    return writeBlock(number, record);
}

Status RecordFile::readBlock(int first, std::span<std::uint8_t> records)
{
    const IoError failure {IoError::Action::Read, m_path};
    if (!addressable(first, records.size()))
        return failure;
    const auto got = m_file->readAt(offsetOf(first), records);
    if (!got)
        return failure;
    std::fill(records.begin() + static_cast<std::ptrdiff_t>(*got), records.end(), std::uint8_t {0});
    return {};
}

Status RecordFile::writeBlock(int first, std::span<const std::uint8_t> records)
{
    if (!addressable(first, records.size()) || m_file->writeAt(offsetOf(first), records) != records.size())
        return IoError {IoError::Action::Write, m_path};
    return {};
}

Result<std::uint64_t> RecordFile::byteSize()
{
    const auto size = m_file ? m_file->size() : std::nullopt;
    if (!size)
        return IoError {IoError::Action::Read, m_path};
    return *size;
}

Result<std::uint64_t> RecordFile::recordCount()
{
    auto size = byteSize();
    if (!size || m_recordLength == 0)
        return size;
    return (size.value() + m_recordLength - 1) / m_recordLength;
}

Status RecordFile::truncate(std::uint64_t bytes)
{
    if (!m_file || !m_file->truncate(bytes))
        return IoError {IoError::Action::Write, m_path};
    return {};
}

Status RecordFile::sync()
{
    if (!m_file || !m_file->sync())
        return IoError {IoError::Action::Write, m_path};
    return {};
}

Result<std::size_t> RecordFile::keep(std::uint64_t offset, std::span<std::uint8_t> out)
{
    const auto got = m_file ? m_file->readAt(offset, out) : std::nullopt;
    if (!got)
        return IoError {IoError::Action::Read, m_path};
    return *got;
}

Status RecordFile::put(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    if (!m_file || m_file->writeAt(offset, bytes) != bytes.size())
        return IoError {IoError::Action::Write, m_path};
    return {};
}

Status readRecord(FileSystem& fs, const std::string& path, int number, std::span<std::uint8_t> record)
{
    auto file = RecordFile::open(fs, path, record.size());
    if (!file)
        return file.error();
    return file.value().read(number, record);
}

Status readLeadingRecords(FileSystem& fs, const std::string& path, std::size_t recordLength, int count,
                          std::vector<std::uint8_t>& bytes)
{
    // Only what lies past the end of the file is zeroed, by the read itself.
    bytes.resize(static_cast<std::size_t>(std::max(count, 0)) * recordLength);
    if (bytes.empty())
        return {};
    if (!fs.exists(path)) {
        std::fill(bytes.begin(), bytes.end(), std::uint8_t {0});
        return {};
    }
    auto file = RecordFile::open(fs, path, recordLength);
    if (!file)
        return file.error();
    return file.value().readBlock(1, bytes);
}

Result<std::vector<std::uint8_t>> readLeadingRecords(FileSystem& fs, const std::string& path, std::size_t recordLength,
                                                     int count)
{
    std::vector<std::uint8_t> bytes;
    if (Status read = readLeadingRecords(fs, path, recordLength, count, bytes); !read)
        return read.error();
    return bytes;
}

Status writeRecord(FileSystem& fs, const std::string& path, int number, std::span<const std::uint8_t> record,
                   WriteStep step)
{
    return writeRecords(fs, path, record.size(), number, record, step);
}

Status writeRecords(FileSystem& fs, const std::string& path, std::size_t recordLength, int first,
                    std::span<const std::uint8_t> records, WriteStep step)
{
    if (first < 1 || recordLength == 0 || records.empty() || records.size() % recordLength != 0)
        return IoError {IoError::Action::Write, path};
    Journal undo(fs);
    if (step == WriteStep::Alone) {
        // While an unfinished operation waits to be put back, nothing else is written beside it.
        const auto separator = path.find_last_of("/\\");
        const std::string journal = (separator == std::string::npos ? std::string() : path.substr(0, separator + 1))
            + std::string(JournalFileName);
        if (fs.exists(journal))
            return IoError {IoError::Action::Pending, journal};
        const auto offset = static_cast<std::uint64_t>(first - 1) * recordLength;
        if (Status kept = undo.keep(path, offset, records.size()); !kept)
            return IoError {IoError::Action::Write, path};
        if (Status begun = undo.begin(); !begun)
            return begun;
    }
    auto file = RecordFile::open(fs, path, recordLength);
    if (!file)
        return file.error();
    if (Status written = file.value().writeBlock(first, records); !written)
        return written;
    return step == WriteStep::Alone ? undo.commit() : Status {};
}

} // namespace tessaro::archive
