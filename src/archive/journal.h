// The journal of an operation that writes more than once: before its first
// write the operation says what it will change (byte ranges of its files,
// their lengths, the files it removes); the journal keeps how they are now,
// writes that into the journal file of the data directory and flushes it.
// Should the operation end without a commit() that succeeded, whatever step
// failed, its journal puts every file back as it was as it goes out of
// scope, and so does the next start after a crash (see recovery.h).
//
//     Journal journal(dir, "Inserisci fattura n. 1 del 2026");
//     journal.keepRecords(book.invoices, InvoiceRecordSize, 1, Journal::ToTheEnd);
//     journal.keepRecords(book.counter, 2, 1, 1);
//     if (Status begun = journal.begin(); !begun) return begun;
//     if (Status moved = shiftUp(...); !moved) return moved; // the files go back here
//     ...
//     return journal.commit(); // flushes the files, then removes the journal file
//
// Removed files are only set aside (renamed) until the operation is done, so
// putting them back costs no copy.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "archive/journal_file.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

class Journal {
public:
    static constexpr std::uint64_t ToTheEnd = std::numeric_limits<std::uint64_t>::max();

    // The journal of an operation on the data directory, named for the user.
    Journal(const DataDir& dir, std::string operation);
    // The undo of a single write of one file, kept in memory only (see writeRecord).
    explicit Journal(FileSystem& fs);
    // An unfinished operation read back from the journal file, to be rolled back.
    Journal(const DataDir& dir, StoredJournal stored);

    // Rolls back an operation begun and not committed (see rollBack).
    ~Journal();
    // The operation goes with the journal; the one left behind has none.
    Journal(Journal&& other) noexcept;
    Journal& operator=(Journal&& other);
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::string& operation() const { return m_operation; }
    // The bytes kept of a file from offset on; empty when none were.
    std::span<const std::uint8_t> kept(const std::string& path, std::uint64_t offset) const;

    // Before begin(): the bytes from offset on, at most length of them (what
    // the file holds), and the file's length; a missing file is kept as
    // missing, so putting it back removes it.
    Status keep(const std::string& path, std::uint64_t offset, std::uint64_t length);
    // Records first .. first + count - 1 (count may be ToTheEnd).
    Status keepRecords(const std::string& path, std::size_t recordLength, int first, std::uint64_t count);
    // A file the operation removes; a missing one is an error, and nothing is removed.
    Status keepForRemoval(const std::string& path);

    // Writes and flushes the journal file; from here on the operation may
    // write what it declared. Refused while the journal of an earlier
    // operation is still there.
    Status begin();
    // Sets a file declared by keepForRemoval aside; it goes for good at commit().
    Status remove(const std::string& path);
    // The operation is done: every file it wrote is flushed, then the
    // journal file is removed (and that is flushed), then the files set
    // aside go. Until the journal file is gone the operation is not done,
    // and a failure leaves it to be rolled back like any other.
    Status commit();
    // Undoes the latest changes first. When one cannot be undone the earlier
    // ones stay, so the files are as the operation left them at one of its
    // steps, which every operation orders to be safe (a record before the
    // count that covers it); the journal file then stays for the next try.
    Status rollBack();

private:
    const JournalEntry* lengthOf(const std::string& path) const;
    Status putBack(JournalEntry& entry);
    // Flushes every file kept, and the directory when a name changed.
    Status flush();

    FileSystem* m_fs = nullptr;
    DataDir m_dir;
    bool m_durable = false; // has a journal file
    std::string m_operation;
    std::vector<JournalEntry> m_entries;
    bool m_begun = false;
    bool m_written = false; // the journal file is there
};

// The name a file removed by an operation has until the operation is done.
std::string setAsideName(const std::string& path);
inline constexpr std::string_view SetAsideSuffix = ".cancellato";

} // namespace tessaro::archive
