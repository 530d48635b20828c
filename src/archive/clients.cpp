#include "archive/clients.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/journal.h"
#include "archive/record_file.h"
#include "archive/settings.h"

#include <array>
#include <limits>

namespace tessaro::archive {

namespace {

// True when one of clients 1..count is the candidate.
Result<bool> knownClient(const DataDir& dir, int count, const PartyRecord& candidate)
{
    if (count <= 0)
        return false;
    auto file = RecordFile::open(dir.fs(), clientFile(dir), PartyRecordSize);
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

std::string clientFile(const DataDir& dir)
{
    return dataFile(dir, "clienti");
}

Result<PartyRecord> readClient(const DataDir& dir, int number)
{
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    if (Status read = readRecord(dir.fs(), clientFile(dir), number, bytes); !read)
        return read.error();
    return decodeParty(bytes);
}

Result<std::vector<std::string>> readClientSurnames(const DataDir& dir, int count)
{
    std::vector<std::string> surnames;
    if (count <= 0)
        return surnames;
    auto file = RecordFile::open(dir.fs(), clientFile(dir), PartyRecordSize);
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

Result<int> newClientNumber(const AppState& state, const PartyRecord& client)
{
    auto known = knownClient(state.dataDir, state.clientCount, client);
    if (!known)
        return known.error();
    if (known.value())
        return 0;
    const int count = state.clientCount < 0 ? 0 : state.clientCount;
    if (count >= std::numeric_limits<std::int16_t>::max())
        return IoError {IoError::Action::Write, clientFile(state.dataDir)};
    return count + 1;
}

Status keepClientAppend(Journal& journal, const DataDir& dir, int number)
{
    if (Status kept = journal.keepRecords(clientFile(dir), PartyRecordSize, number, 1); !kept)
        return kept;
    return journal.keepRecords(settingsFile(dir), SettingsRecordSize, ClientCountRecord, 1);
}

Status appendClient(const DataDir& dir, int number, const PartyRecord& client)
{
    // The record first, then the count: the count never names a record nobody wrote.
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    encodeParty(client, bytes);
    if (Status written = writeRecord(dir.fs(), clientFile(dir), number, bytes, WriteStep::InOperation); !written)
        return written;
    return writeClientCount(dir, static_cast<std::int16_t>(number), WriteStep::InOperation);
}

Result<bool> registerClient(AppState& state, const PartyRecord& client)
{
    auto number = newClientNumber(state, client);
    if (!number)
        return number.error();
    if (number.value() == 0)
        return false;
    Journal journal(state.dataDir, "Aggiungi cliente");
    if (Status kept = keepClientAppend(journal, state.dataDir, number.value()); !kept)
        return kept.error();
    if (Status begun = journal.begin(); !begun)
        return begun.error();
    if (Status written = appendClient(state.dataDir, number.value(), client); !written)
        return written.error();
    if (Status done = journal.commit(); !done)
        return done.error();
    state.clientCount = static_cast<std::int16_t>(number.value());
    return true;
}

bool clientArchiveFull(const AppState& state)
{
    return state.clientCount >= std::numeric_limits<std::int16_t>::max();
}

Status deleteClientArchive(const DataDir& dir)
{
    // The count goes with the file it counts, or the next registration would
    // append after records that no longer exist.
    Journal journal(dir, "Azzera archivio clienti");
    if (Status kept = journal.keepForRemoval(clientFile(dir)); !kept)
        return kept;
    if (Status kept = journal.keepRecords(settingsFile(dir), SettingsRecordSize, ClientCountRecord, 1); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status removed = journal.remove(clientFile(dir)); !removed)
        return removed;
    if (Status written = writeClientCount(dir, 0, WriteStep::InOperation); !written)
        return written;
    if (Status done = journal.commit(); !done)
        return done;
    return {};
}

} // namespace tessaro::archive
