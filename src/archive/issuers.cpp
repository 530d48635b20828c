#include "archive/issuers.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/journal.h"
#include "archive/record_file.h"
#include "archive/settings.h"

#include <array>

namespace tessaro::archive {

namespace {

using PartyBytes = std::array<std::uint8_t, PartyRecordSize>;

PartyBytes bytesOf(const PartyRecord& issuer)
{
    PartyBytes bytes {};
    encodeParty(issuer, bytes);
    return bytes;
}

} // namespace

std::string issuerFile(const DataDir& dir)
{
    return dataFile(dir, "emit");
}

Result<PartyRecord> readIssuer(const DataDir& dir, int number)
{
    PartyBytes bytes {};
    if (Status read = readRecord(dir.fs(), issuerFile(dir), number, bytes); !read)
        return read.error();
    return decodeParty(bytes);
}

Status writeIssuer(const DataDir& dir, int number, const PartyRecord& issuer)
{
    return writeRecord(dir.fs(), issuerFile(dir), number, bytesOf(issuer));
}

Result<int> findIssuerByName(const DataDir& dir, int count, const std::string& surname, const std::string& firstName)
{
    if (count <= 0)
        return 0;
    auto file = RecordFile::open(dir.fs(), issuerFile(dir), PartyRecordSize);
    if (!file)
        return file.error();
    const std::string_view wantedSurname = trimBlanks(surname);
    const std::string_view wantedFirstName = trimBlanks(firstName);
    PartyBytes bytes {};
    for (int number = 1; number <= count; ++number) {
        if (Status read = file.value().read(number, bytes); !read)
            return read.error();
        const PartyRecord issuer = decodeParty(bytes);
        if (trimBlanks(issuer.surname) == wantedSurname && trimBlanks(issuer.firstName) == wantedFirstName)
            return number;
    }
    return 0;
}

Status appendIssuer(AppState& state, const PartyRecord& issuer)
{
    const DataDir& dir = state.dataDir;
    const auto number = static_cast<std::int16_t>(state.issuerCount + 1);
    Journal journal(dir, "Salva dati di chi emette la fattura");
    if (Status kept = journal.keepRecords(issuerFile(dir), PartyRecordSize, number, 1); !kept)
        return kept;
    if (Status kept = journal.keepRecords(settingsFile(dir), SettingsRecordSize, IssuerCountRecord,
                                          CurrentIssuerRecord - IssuerCountRecord + 1);
        !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    // The record before the count, so the count never covers a record that is not there.
    if (Status written = writeRecord(dir.fs(), issuerFile(dir), number, bytesOf(issuer), WriteStep::InOperation);
        !written)
        return written;
    if (Status written = writeIssuerCount(dir, number, WriteStep::InOperation); !written)
        return written;
    if (Status written = writeCurrentIssuer(dir, number, WriteStep::InOperation); !written)
        return written;
    if (Status done = journal.commit(); !done)
        return done;
    state.issuerCount = number;
    state.currentIssuer = number;
    state.currentIssuerRecord = issuer;
    return {};
}

Status replaceIssuer(const DataDir& dir, int number, const PartyRecord& issuer)
{
    Journal journal(dir, "Sostituisci dati di chi emette la fattura");
    if (Status kept = journal.keepRecords(issuerFile(dir), PartyRecordSize, number, 1); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status written = writeRecord(dir.fs(), issuerFile(dir), number, bytesOf(issuer), WriteStep::InOperation);
        !written)
        return written;
    if (Status done = journal.commit(); !done)
        return done;
    return {};
}

} // namespace tessaro::archive
