// A file of fixed-length records addressed by a 1-based record number, open
// for the lifetime of one RecordFile (one operation, possibly a loop over
// many records). Reading past the end gives zero bytes for the missing part;
// writing past the end extends the file. Every byte of a data file is read
// and written through this one door.
#pragma once

#include "archive/file_system.h"
#include "archive/io_result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

class RecordFile {
public:
    RecordFile() = default;

    // Creates the file empty when it does not exist.
    static Result<RecordFile> open(FileSystem& fs, const std::string& path, std::size_t recordLength);

    const std::string& path() const { return m_path; }
    std::size_t recordLength() const { return m_recordLength; }

    // record.size() must be the record length. A record number below 1 is an error.
    Status read(int number, std::span<std::uint8_t> record);
    // One transfer; a write that stops short is reported, and undoing it is
    // left to the undo log of the operation (see Journal).
    Status write(int number, std::span<const std::uint8_t> record);

    // Consecutive records from `first` on, as many as `records` holds whole;
    // past the end of the file they are zero bytes.
    Status readBlock(int first, std::span<std::uint8_t> records);
    Status writeBlock(int first, std::span<const std::uint8_t> records);

    // Length in bytes, and in records counting a record cut short.
    Result<std::uint64_t> byteSize();
    Result<std::uint64_t> recordCount();
    Status truncate(std::uint64_t bytes);
    // What was written is on the disk when this returns.
    Status sync();

    // The bytes from offset on, as the file holds them now, for an undo log:
    // how many there were (fewer at the end of the file).
    Result<std::size_t> keep(std::uint64_t offset, std::span<std::uint8_t> out);
    Status put(std::uint64_t offset, std::span<const std::uint8_t> bytes);

private:
    bool addressable(int number, std::size_t size) const;
    std::uint64_t offsetOf(int number) const { return static_cast<std::uint64_t>(number - 1) * m_recordLength; }

    std::unique_ptr<File> m_file;
    std::string m_path;
    std::size_t m_recordLength = 0;
};

// How a write is made safe: on its own (what it covers is kept and put back
// when it fails, so no record is left half-written), or as one step of an
// operation whose Journal keeps it and puts it back.
enum class WriteStep { Alone, InOperation };

// One record in one call: open, transfer, close.
Status readRecord(FileSystem& fs, const std::string& path, int number, std::span<std::uint8_t> record);
Status writeRecord(FileSystem& fs, const std::string& path, int number, std::span<const std::uint8_t> record,
                   WriteStep step = WriteStep::Alone);
// Records 1 .. count end to end, in one transfer, zero bytes where the file
// holds none. A file that is not there reads as all zero and is not created:
// the side files of a book exist only once written.
Result<std::vector<std::uint8_t>> readLeadingRecords(FileSystem& fs, const std::string& path, std::size_t recordLength,
                                                     int count);
// The same into bytes the caller keeps: a reader of many books reuses one
// buffer rather than asking the system for fresh pages for every book.
Status readLeadingRecords(FileSystem& fs, const std::string& path, std::size_t recordLength, int count,
                          std::vector<std::uint8_t>& bytes);
// Consecutive records from `first` on, in one transfer.
Status writeRecords(FileSystem& fs, const std::string& path, std::size_t recordLength, int first,
                    std::span<const std::uint8_t> records, WriteStep step = WriteStep::Alone);

} // namespace tessaro::archive
