#include "archive/record_file.h"

#include <algorithm>
#include <vector>

namespace tessaro::archive {

Result<RecordFile> RecordFile::open(const std::string& path, std::size_t recordLength)
{
    RecordFile file;
    file.m_file = fileSystem().open(path);
    if (!file.m_file)
        return IoError {IoError::Action::Open, path};
    file.m_path = path;
    file.m_recordLength = recordLength;
    return file;
}

bool RecordFile::addressable(int number, std::size_t size) const
{
    return m_file && number >= 1 && size == m_recordLength && m_recordLength > 0;
}

Status RecordFile::read(int number, std::span<std::uint8_t> record)
{
    const IoError failure {IoError::Action::Read, m_path};
    if (!addressable(number, record.size()))
        return failure;
    const std::uint64_t offset = static_cast<std::uint64_t>(number - 1) * m_recordLength;
    const auto got = m_file->readAt(offset, record);
    if (!got)
        return failure;
    std::fill(record.begin() + static_cast<std::ptrdiff_t>(*got), record.end(), std::uint8_t {0});
    return {};
}

Status RecordFile::write(int number, std::span<const std::uint8_t> record)
{
    const IoError failure {IoError::Action::Write, m_path};
    if (!addressable(number, record.size()))
        return failure;
    const std::uint64_t offset = static_cast<std::uint64_t>(number - 1) * m_recordLength;
    const auto oldSize = m_file->size();
    if (!oldSize)
        return failure;

    // Keep what the record covers now, to put it back if the write stops short.
    std::vector<std::uint8_t> previous;
    if (offset < *oldSize) {
        previous.resize(static_cast<std::size_t>(std::min<std::uint64_t>(*oldSize - offset, m_recordLength)));
        const auto got = m_file->readBack(offset, previous);
        if (!got)
            return failure;
        previous.resize(*got);
    }

    if (m_file->writeAt(offset, record) == record.size())
        return {};

    if (!previous.empty())
        m_file->writeAt(offset, previous);
    if (offset + m_recordLength > *oldSize)
        m_file->truncate(*oldSize);
    return failure;
}

Status readRecord(const std::string& path, int number, std::span<std::uint8_t> record)
{
    auto file = RecordFile::open(path, record.size());
    if (!file)
        return file.error();
    return file.value().read(number, record);
}

Status writeRecord(const std::string& path, int number, std::span<const std::uint8_t> record)
{
    auto file = RecordFile::open(path, record.size());
    if (!file)
        return file.error();
    return file.value().write(number, record);
}

} // namespace tessaro::archive
