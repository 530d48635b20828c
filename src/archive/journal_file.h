// The journal file "giornale" of the data directory: what an unfinished
// operation overwrote, written and flushed before its first change, so that
// the next start can put it back. Its layout is described in doc/journal.md.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

inline constexpr std::string_view JournalFileName = "giornale";

std::string journalFile(const DataDir& dir);

// One thing an operation kept: a file's length (or that it did not exist),
// bytes of a file from an offset on, or a file it removes, renamed to `held`
// until the operation is done. Paths are whole; the file holds their names.
struct JournalEntry {
    enum class Kind : std::uint8_t { Length = 1, Bytes = 2, SetAside = 3 };
    Kind kind = Kind::Bytes;
    std::string path;
    bool existed = false; // Length
    std::uint64_t value = 0; // Length: the length; Bytes: the offset
    std::vector<std::uint8_t> bytes;
    std::string held; // SetAside
    bool moved = false; // SetAside: renamed already (in memory only)
};

// Creates the journal, writes it whole and flushes it and the directory; on
// a failure nothing of it is left. Every path must name a file of dir.
Status writeJournal(const DataDir& dir, std::string_view operation, const std::vector<JournalEntry>& entries);

struct StoredJournal {
    // Cut short or damaged: written by a run that stopped before it was
    // flushed, so the files it names were not touched yet.
    bool torn = false;
    std::string operation; // as far as it could be read
    std::vector<JournalEntry> entries;
};

// Nothing when there is no journal; an error when it cannot be read.
Result<std::optional<StoredJournal>> readJournal(const DataDir& dir);

// The 64-bit checksum the journal ends with (doc/journal.md): xxHash64 from
// version 2 on, the first journals' own before.
std::uint64_t journalChecksum(std::span<const std::uint8_t> bytes);
std::uint64_t firstJournalChecksum(std::span<const std::uint8_t> bytes);

} // namespace tessaro::archive
