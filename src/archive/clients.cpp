#include "archive/clients.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/file_system.h"
#include "archive/record_file.h"
#include "archive/settings.h"

#include <array>
#include <limits>

namespace tessaro::archive {

namespace {

std::string clientFile(const std::string& dataDir)
{
    return dataFile(dataDir, "clienti");
}

} // namespace

Result<PartyRecord> readClient(const std::string& dataDir, int number)
{
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    if (Status read = readRecord(clientFile(dataDir), number, bytes); !read)
        return read.error();
    return decodeParty(bytes);
}

Result<std::vector<std::string>> readClientSurnames(const std::string& dataDir, int count)
{
    std::vector<std::string> surnames;
    if (count <= 0)
        return surnames;
    auto file = RecordFile::open(clientFile(dataDir), PartyRecordSize);
    if (!file)
        return file.error();
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    surnames.reserve(static_cast<std::size_t>(count));
    for (int number = 1; number <= count; ++number) {
        if (Status read = file.value().read(number, bytes); !read)
            return read.error();
        surnames.push_back(decodeParty(bytes).surname);
    }
    return surnames;
}

bool sameClient(const PartyRecord& stored, const PartyRecord& candidate)
{
    return trimBlanks(stored.surname) == trimBlanks(candidate.surname)
        && trimBlanks(stored.firstName) == trimBlanks(candidate.firstName)
        && trimBlanks(stored.address) == trimBlanks(candidate.address)
        && trimBlanks(stored.vatNumber) == trimBlanks(candidate.vatNumber);
}

namespace {

// True when one of clients 1..count is the candidate.
Result<bool> knownClient(const std::string& dataDir, int count, const PartyRecord& candidate)
{
    if (count <= 0)
        return false;
    auto file = RecordFile::open(clientFile(dataDir), PartyRecordSize);
    if (!file)
        return file.error();
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    for (int number = 1; number <= count; ++number) {
        if (Status read = file.value().read(number, bytes); !read)
            return read.error();
        if (sameClient(decodeParty(bytes), candidate))
            return true;
    }
    return false;
}

} // namespace

Result<bool> registerClient(AppState& state, const PartyRecord& client)
{
    auto known = knownClient(state.dataDir, state.clientCount, client);
    if (!known)
        return known.error();
    if (known.value())
        return false;

    const int count = state.clientCount < 0 ? 0 : state.clientCount;
    if (count >= std::numeric_limits<std::int16_t>::max())
        return IoError {IoError::Action::Write, clientFile(state.dataDir)};
    const auto next = static_cast<std::int16_t>(count + 1);

    // The record first, then the count: a failure between the two leaves an
    // uncounted record, which the next registration overwrites, never a count
    // that names a record nobody wrote.
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    encodeParty(client, bytes);
    if (Status written = writeRecord(clientFile(state.dataDir), next, bytes); !written)
        return written.error();
    if (Status counted = writeClientCount(state.dataDir, next); !counted)
        return counted.error();
    state.clientCount = next;
    return true;
}

bool clientArchiveFull(const AppState& state)
{
    return state.clientCount >= std::numeric_limits<std::int16_t>::max();
}

Status deleteClientArchive(const std::string& dataDir)
{
    if (Status removed = removeFile(clientFile(dataDir)); !removed)
        return removed;
    // The count goes with the file it counts, or the next registration would
    // append after records that no longer exist.
    return writeClientCount(dataDir, 0);
}

} // namespace tessaro::archive
