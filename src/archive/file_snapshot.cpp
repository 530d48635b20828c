#include "archive/file_snapshot.h"

#include "archive/file_system.h"

#include <algorithm>

namespace tessaro::archive {

Result<FileSnapshot> FileSnapshot::take(const std::string& path, std::uint64_t offset, std::uint64_t length)
{
    FileSnapshot snapshot;
    snapshot.m_path = path;
    snapshot.m_offset = offset;
    const auto file = fileSystem().open(path);
    if (!file)
        return IoError {IoError::Action::Open, path};
    const auto size = file->size();
    if (!size)
        return IoError {IoError::Action::Read, path};
    snapshot.m_size = *size;
    if (offset < *size) {
        snapshot.m_bytes.resize(static_cast<std::size_t>(std::min(*size - offset, length)));
        const auto got = file->readAt(offset, snapshot.m_bytes);
        if (!got)
            return IoError {IoError::Action::Read, path};
        snapshot.m_bytes.resize(*got);
    }
    return snapshot;
}

void FileSnapshot::restore() const
{
    const auto file = fileSystem().open(m_path);
    if (!file)
        return;
    if (!m_bytes.empty())
        file->writeAt(m_offset, m_bytes);
    const auto size = file->size();
    if (size && *size > m_size)
        file->truncate(m_size);
}

} // namespace tessaro::archive
