// The undo log of an operation that writes more than once: before its first
// write the operation says what it will change (byte ranges of its files,
// their lengths, the files it removes) and the log keeps how they are now; a
// failure at any later step puts every file back as it was.
//
//     Journal journal(dir, "Inserisci fattura n. 1 del 2026");
//     journal.keepRecords(book.invoices, InvoiceRecordSize, 1, Journal::ToTheEnd);
//     journal.keepRecords(book.counter, 2, 1, 1);
//     if (Status begun = journal.begin(); !begun) return begun;
//     if (Status moved = shiftUp(...); !moved) return journal.undo(moved);
//     ...
//     return journal.commit();
//
// Removed files are only set aside (renamed) until the operation is done, so
// putting them back costs no copy.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tessaro::archive {

class Journal {
public:
    static constexpr std::uint64_t ToTheEnd = std::numeric_limits<std::uint64_t>::max();

    // The log of an operation on the data directory, named for the user.
    Journal(const DataDir& dir, std::string operation);
    // The log of a single write of one file (see writeRecord).
    explicit Journal(FileSystem& fs);

    Journal(Journal&&) = default;
    Journal& operator=(Journal&&) = default;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::string& operation() const { return m_operation; }

    // Before begin(): the bytes from offset on, at most length of them (what
    // the file holds), and the file's length; a missing file is kept as
    // missing, so putting it back removes it.
    Status keep(const std::string& path, std::uint64_t offset, std::uint64_t length);
    // Records first .. first + count - 1 (count may be ToTheEnd).
    Status keepRecords(const std::string& path, std::size_t recordLength, int first, std::uint64_t count);
    // A file the operation removes; a missing one is an error, and nothing is removed.
    Status keepForRemoval(const std::string& path);

    // From here on the operation may write what it declared.
    Status begin();
    // Sets a file declared by keepForRemoval aside; it goes for good at commit().
    Status remove(const std::string& path);
    // The operation is done: the files set aside are removed.
    Status commit();
    // Puts every file back as it was and passes the failure on.
    Status undo(Status failure);
    // Undoes the latest changes first. When one cannot be undone the earlier
    // ones stay, so the files are as the operation left them at one of its
    // steps, which every operation orders to be safe (a record before the
    // count that covers it); false then.
    bool rollBack();

private:
    // What one declaration kept, in the order of the declarations; the first
    // keep of a file also keeps its length.
    struct Entry {
        enum class Kind { Length, Bytes, SetAside } kind = Kind::Bytes;
        std::string path;
        bool existed = false; // Length: the file was there
        std::uint64_t value = 0; // Length: the length; Bytes: the offset
        std::vector<std::uint8_t> bytes;
        std::string held; // SetAside: the name it has until commit()
        bool moved = false;
    };

    const Entry* lengthOf(const std::string& path) const;
    bool putBack(Entry& entry);

    FileSystem* m_fs = nullptr;
    std::string m_operation;
    std::vector<Entry> m_entries;
    bool m_begun = false;
};

// The name a file removed by an operation has until the operation is done.
std::string setAsideName(const std::string& path);

} // namespace tessaro::archive
