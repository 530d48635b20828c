#include "archive/issuers.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/file_system.h"
#include "archive/record_file.h"

#include <array>

namespace tessaro::archive {

namespace {

std::string issuerFile(const std::string& dataDir)
{
    return dataFile(dataDir, "emit");
}

} // namespace

Result<PartyRecord> readIssuer(const std::string& dataDir, int number)
{
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    if (Status read = readRecord(issuerFile(dataDir), number, bytes); !read)
        return read.error();
    return decodeParty(bytes);
}

Status writeIssuer(const std::string& dataDir, int number, const PartyRecord& issuer)
{
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    encodeParty(issuer, bytes);
    return writeRecord(issuerFile(dataDir), number, bytes);
}

Result<int> findIssuerByName(const std::string& dataDir, int count, const std::string& surname,
                             const std::string& firstName)
{
    if (count <= 0)
        return 0;
    auto file = RecordFile::open(issuerFile(dataDir), PartyRecordSize);
    if (!file)
        return file.error();
    const std::string_view wantedSurname = trimBlanks(surname);
    const std::string_view wantedFirstName = trimBlanks(firstName);
    std::array<std::uint8_t, PartyRecordSize> bytes {};
    for (int number = 1; number <= count; ++number) {
        if (Status read = file.value().read(number, bytes); !read)
            return read.error();
        const PartyRecord issuer = decodeParty(bytes);
        if (trimBlanks(issuer.surname) == wantedSurname && trimBlanks(issuer.firstName) == wantedFirstName)
            return number;
    }
    return 0;
}

Status deleteIssuerArchive(const std::string& dataDir)
{
    return removeFile(issuerFile(dataDir));
}

} // namespace tessaro::archive
