// A file of fixed-length records addressed by a 1-based record number, open
// for the lifetime of one RecordFile (one operation, possibly a loop over
// many records). Reading past the end gives zero bytes for the missing part;
// writing past the end extends the file.
#pragma once

#include "archive/file_system.h"
#include "archive/io_result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tessaro::archive {

class RecordFile {
public:
    RecordFile() = default;

    // Creates the file empty when it does not exist.
    static Result<RecordFile> open(const std::string& path, std::size_t recordLength);

    const std::string& path() const { return m_path; }
    std::size_t recordLength() const { return m_recordLength; }

    // record.size() must be the record length. A record number below 1 is an error.
    Status read(int number, std::span<std::uint8_t> record);
    // The record is written in one transfer; when that fails or stops short, the
    // bytes it covered are put back as they were, so no record is left half-written.
    Status write(int number, std::span<const std::uint8_t> record);

private:
    bool addressable(int number, std::size_t size) const;

    std::unique_ptr<File> m_file;
    std::string m_path;
    std::size_t m_recordLength = 0;
};

// One record in one call: open, transfer, close.
Status readRecord(const std::string& path, int number, std::span<std::uint8_t> record);
Status writeRecord(const std::string& path, int number, std::span<const std::uint8_t> record);

} // namespace tessaro::archive
