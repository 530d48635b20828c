#include "archive/settings.h"

#include "archive/book.h"
#include "archive/file_system.h"
#include "archive/issuers.h"
#include "archive/record_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tessaro::archive {

namespace {

using SettingsRecord = std::array<std::uint8_t, SettingsRecordSize>;

std::string settingsFile(const std::string& dataDir)
{
    return dataFile(dataDir, "impost");
}

// A 16-bit record: the number, then two bytes that mean nothing and are written as 0.
SettingsRecord integerRecord(std::int16_t value)
{
    SettingsRecord record {};
    writeInt16LE(std::span(record).first<2>(), value);
    return record;
}

SettingsRecord rateRecord(double rate)
{
    SettingsRecord record {};
    writeFloat32LE(record, static_cast<float>(rate));
    return record;
}

Status writeSettingsRecord(const std::string& dataDir, int number, const SettingsRecord& record)
{
    return writeRecord(settingsFile(dataDir), number, record);
}

// A rate that is not a finite positive number cannot convert anything: it
// counts as missing, like the 0 of a new installation.
double usableRate(float stored)
{
    return std::isfinite(stored) && stored > 0.0f ? static_cast<double>(stored) : DefaultEuroRate;
}

// Records a party archive holds, a record cut short included; 0 when the file
// is missing or cannot be measured.
std::int16_t storedPartyRecords(const std::string& path)
{
    if (!fileSystem().exists(path))
        return 0;
    const auto file = fileSystem().open(path);
    if (!file)
        return 0;
    const auto size = file->size();
    if (!size)
        return 0;
    const std::uint64_t records = (*size + PartyRecordSize - 1) / PartyRecordSize;
    return static_cast<std::int16_t>(std::min<std::uint64_t>(records, std::numeric_limits<std::int16_t>::max()));
}

// A negative count can only come from a damaged file. Taken as 0 it would let
// the next issuer or client be written over record 1 of an archive that holds
// records, so the archive's own length stands in for it.
std::int16_t usableCount(std::int16_t stored, const std::string& archivePath)
{
    return stored < 0 ? storedPartyRecords(archivePath) : stored;
}

struct StoredSettings {
    std::int16_t issuerCount = 0;
    std::int16_t clientCount = 0;
    std::int16_t currentIssuer = 0;
    double euroRate = DefaultEuroRate;
};

// Stage 1: the four records of "impost". Nothing when the file cannot be
// opened or read. A record the file is too short to hold was lost, not set
// to zero: a lost count is taken from its archive, a lost current issuer is
// the first issuer, and such records are written back, the others left as
// they are.
std::optional<StoredSettings> readSettings(const std::string& dataDir)
{
    const std::string path = settingsFile(dataDir);
    std::uint64_t size = 0;
    {
        const auto raw = fileSystem().open(path);
        if (!raw)
            return std::nullopt;
        const auto measured = raw->size();
        if (!measured)
            return std::nullopt;
        size = *measured;
    }
    auto file = RecordFile::open(path, SettingsRecordSize);
    if (!file)
        return std::nullopt;
    std::array<SettingsRecord, 4> records {};
    for (int number = 1; number <= 4; ++number) {
        if (!file.value().read(number, records[static_cast<std::size_t>(number - 1)]))
            return std::nullopt;
    }
    const auto whole = [size](int number) { return size >= static_cast<std::uint64_t>(number) * SettingsRecordSize; };
    const auto number16 = [&records](int number) {
        return readInt16LE(std::span(records[static_cast<std::size_t>(number - 1)]).first<2>());
    };
    // A new installation has no archives, so its counts still come out 0.
    const std::string issuers = dataFile(dataDir, "emit");
    const std::string clients = dataFile(dataDir, "clienti");

    StoredSettings stored;
    stored.issuerCount = whole(1) ? usableCount(number16(1), issuers) : storedPartyRecords(issuers);
    stored.clientCount = whole(2) ? usableCount(number16(2), clients) : storedPartyRecords(clients);
    if (whole(3)) {
        // An issuer number outside the archive names nobody: like 0, no issuer is
        // loaded, and the books of a number no issuer has yet are not written to.
        const std::int16_t current = number16(3);
        stored.currentIssuer = current >= 1 && current <= stored.issuerCount ? current : std::int16_t {0};
    } else {
        stored.currentIssuer = stored.issuerCount > 0 ? std::int16_t {1} : std::int16_t {0};
    }
    stored.euroRate = whole(4) ? usableRate(readFloat32LE(records[3])) : DefaultEuroRate;

    if (stored.issuerCount > 0) {
        const std::array<SettingsRecord, 4> values
            = {integerRecord(stored.issuerCount), integerRecord(stored.clientCount),
               integerRecord(stored.currentIssuer), rateRecord(stored.euroRate)};
        for (int number = 1; number <= 4; ++number) {
            if (!whole(number) && !file.value().write(number, values[static_cast<std::size_t>(number - 1)]))
                break;
        }
    }
    return stored;
}

void writeAllSettings(const std::string& dataDir, const StoredSettings& settings)
{
    auto file = RecordFile::open(settingsFile(dataDir), SettingsRecordSize);
    if (!file)
        return;
    const std::array<SettingsRecord, 4> records
        = {integerRecord(settings.issuerCount), integerRecord(settings.clientCount),
           integerRecord(settings.currentIssuer), rateRecord(settings.euroRate)};
    for (int number = 1; number <= 4; ++number) {
        if (!file.value().write(number, records[static_cast<std::size_t>(number - 1)]))
            return;
    }
}

// The one character of "tipo.mon" or "tipo.fat"; 0 when it cannot be read.
char readModeFile(const std::string& path)
{
    std::array<std::uint8_t, 1> byte {};
    if (!readRecord(path, 1, byte))
        return '\0';
    return static_cast<char>(byte[0]);
}

Status writeModeFile(const std::string& path, char mode)
{
    const std::array<std::uint8_t, 1> byte = {static_cast<std::uint8_t>(mode)};
    return writeRecord(path, 1, byte);
}

} // namespace

StartupSettings loadStartupSettings(const std::string& dataDir)
{
    StartupSettings settings;

    // Stage 1. A file that could not be read is left alone: writing the values
    // held would replace counts that were never read with zeros.
    const auto stored = readSettings(dataDir);
    if (stored) {
        settings.issuerCount = stored->issuerCount;
        settings.clientCount = stored->clientCount;
        settings.currentIssuer = stored->currentIssuer;
        settings.euroRate = stored->euroRate;
        if (settings.issuerCount == 0) {
            writeAllSettings(dataDir,
                             {settings.issuerCount, settings.clientCount, settings.currentIssuer, settings.euroRate});
        }
    } else {
        // Counts that could not be read are not 0: with an issuer archive on
        // disk, 0 would open the first-start window and the issuer saved there
        // would replace issuer 1. The archives tell how many records they hold.
        settings.issuerCount = storedPartyRecords(dataFile(dataDir, "emit"));
        settings.clientCount = storedPartyRecords(dataFile(dataDir, "clienti"));
        settings.currentIssuer = settings.issuerCount > 0 ? std::int16_t {1} : std::int16_t {0};
    }

    // Stage 2: record 0 does not exist, so no current issuer leaves the record empty,
    // as does an issuer that cannot be read.
    if (settings.issuerCount > 0 && settings.currentIssuer > 0) {
        if (auto issuer = readIssuer(dataDir, settings.currentIssuer))
            settings.currentIssuerRecord = issuer.value();
    }

    // Stage 3: the program always starts in euro; anything else on file is replaced by "e".
    const std::string currencyFile = dataFile(dataDir, "tipo.mon");
    if (readModeFile(currencyFile) != 'e')
        writeModeFile(currencyFile, 'e');
    settings.currency = Currency::Euro;

    // Stage 4: "p" or "c"; anything else is replaced by "p".
    const std::string typeFile = dataFile(dataDir, "tipo.fat");
    const char type = readModeFile(typeFile);
    if (type == 'c') {
        settings.invoiceType = InvoiceType::Commercial;
    } else {
        if (type != 'p')
            writeModeFile(typeFile, 'p');
        settings.invoiceType = InvoiceType::Professional;
    }
    return settings;
}

Status writeIssuerCount(const std::string& dataDir, std::int16_t count)
{
    return writeSettingsRecord(dataDir, IssuerCountRecord, integerRecord(count));
}

Status writeClientCount(const std::string& dataDir, std::int16_t count)
{
    return writeSettingsRecord(dataDir, ClientCountRecord, integerRecord(count));
}

Status writeCurrentIssuer(const std::string& dataDir, std::int16_t issuer)
{
    return writeSettingsRecord(dataDir, CurrentIssuerRecord, integerRecord(issuer));
}

Status writeEuroRate(const std::string& dataDir, double rate)
{
    return writeSettingsRecord(dataDir, EuroRateRecord, rateRecord(rate));
}

Result<std::int16_t> readClientCount(const std::string& dataDir)
{
    SettingsRecord record {};
    if (Status read = readRecord(settingsFile(dataDir), ClientCountRecord, record); !read)
        return read.error();
    return usableCount(readInt16LE(std::span(record).first<2>()), dataFile(dataDir, "clienti"));
}

Status writeCurrencyFile(const std::string& dataDir, Currency currency)
{
    return writeModeFile(dataFile(dataDir, "tipo.mon"), currency == Currency::Lire ? 'l' : 'e');
}

Status writeInvoiceTypeFile(const std::string& dataDir, InvoiceType type)
{
    return writeModeFile(dataFile(dataDir, "tipo.fat"), type == InvoiceType::Commercial ? 'c' : 'p');
}

} // namespace tessaro::archive
