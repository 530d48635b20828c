// A stretch of one file, and the file's length, as they were before a command
// wrote over them, so a command that fails part way can put them back: a save
// keeps the record it writes, a renumbering the tail it shifts.
#pragma once

#include "archive/io_result.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tessaro::archive {

class FileSnapshot {
public:
    static constexpr std::uint64_t ToTheEnd = std::numeric_limits<std::uint64_t>::max();

    // The bytes from offset on, at most length of them (what the file holds).
    static Result<FileSnapshot> take(const std::string& path, std::uint64_t offset, std::uint64_t length);

    // Best effort: a disk that refuses this has refused the same file already,
    // and that first failure is the one told. A file grown since is cut back,
    // so a record that extended it is taken away instead of left as zeros.
    void restore() const;

private:
    std::string m_path;
    std::uint64_t m_offset = 0;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace tessaro::archive
