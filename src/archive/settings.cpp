#include "archive/settings.h"

#include "archive/book.h"
#include "archive/issuers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tessaro::archive {

namespace {

using SettingsRecord = std::array<std::uint8_t, SettingsRecordSize>;

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

Status writeSettingsRecord(const DataDir& dir, int number, const SettingsRecord& record,
                           WriteStep step = WriteStep::Alone)
{
    return writeRecord(dir.fs(), settingsFile(dir), number, record, step);
}

// A rate that is not a finite positive number cannot convert anything: it
// counts as missing, like the 0 of a new installation.
double usableRate(float stored)
{
    return std::isfinite(stored) && stored > 0.0f ? static_cast<double>(stored) : DefaultEuroRate;
}

// Records a party archive holds, a record cut short included; 0 when the file
// is missing or cannot be measured.
std::int16_t storedPartyRecords(const DataDir& dir, const std::string& path)
{
    if (!dir.fs().exists(path))
        return 0;
    auto file = RecordFile::open(dir.fs(), path, PartyRecordSize);
    if (!file)
        return 0;
    const auto records = file.value().recordCount();
    if (!records)
        return 0;
    return static_cast<std::int16_t>(
        std::min<std::uint64_t>(records.value(), std::numeric_limits<std::int16_t>::max()));
}

// A negative count can only come from a damaged file. Taken as 0 it would let
// the next issuer or client be written over record 1 of an archive that holds
// records, so the archive's own length stands in for it.
std::int16_t usableCount(const DataDir& dir, std::int16_t stored, const std::string& archivePath)
{
    return stored < 0 ? storedPartyRecords(dir, archivePath) : stored;
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
std::optional<StoredSettings> readSettings(const DataDir& dir)
{
    const std::string path = settingsFile(dir);
    auto file = RecordFile::open(dir.fs(), path, SettingsRecordSize);
    if (!file)
        return std::nullopt;
    const auto measured = file.value().byteSize();
    if (!measured)
        return std::nullopt;
    const std::uint64_t size = measured.value();
    std::array<std::uint8_t, 4 * SettingsRecordSize> bytes {};
    if (!file.value().readBlock(1, bytes))
        return std::nullopt;
    const auto record = [&bytes](int number) {
        return std::span(bytes).subspan(static_cast<std::size_t>(number - 1) * SettingsRecordSize, SettingsRecordSize);
    };
    const auto whole = [size](int number) { return size >= static_cast<std::uint64_t>(number) * SettingsRecordSize; };
    const auto number16 = [&record](int number) { return readInt16LE(record(number).first<2>()); };
    // A new installation has no archives, so its counts still come out 0.
    const std::string issuers = dataFile(dir, "emit");
    const std::string clients = dataFile(dir, "clienti");

    StoredSettings stored;
    stored.issuerCount = whole(1) ? usableCount(dir, number16(1), issuers) : storedPartyRecords(dir, issuers);
    stored.clientCount = whole(2) ? usableCount(dir, number16(2), clients) : storedPartyRecords(dir, clients);
    if (whole(3)) {
        // An issuer number outside the archive names nobody: like 0, no issuer is
        // loaded, and the books of a number no issuer has yet are not written to.
        const std::int16_t current = number16(3);
        stored.currentIssuer = current >= 1 && current <= stored.issuerCount ? current : std::int16_t {0};
    } else {
        stored.currentIssuer = stored.issuerCount > 0 ? std::int16_t {1} : std::int16_t {0};
    }
    stored.euroRate = whole(4) ? usableRate(readFloat32LE(record(4).first<4>())) : DefaultEuroRate;

    if (stored.issuerCount > 0 && !whole(4)) {
        // The lost records go back in one transfer from the first of them on.
        const std::array<SettingsRecord, 4> values
            = {integerRecord(stored.issuerCount), integerRecord(stored.clientCount),
               integerRecord(stored.currentIssuer), rateRecord(stored.euroRate)};
        int first = 1;
        while (whole(first))
            ++first;
        for (int number = first; number <= 4; ++number) {
            if (!whole(number))
                std::copy(values[static_cast<std::size_t>(number - 1)].begin(),
                          values[static_cast<std::size_t>(number - 1)].end(), record(number).begin());
        }
        const auto lost
            = std::span<const std::uint8_t>(bytes).subspan(static_cast<std::size_t>(first - 1) * SettingsRecordSize);
        file = Result<RecordFile>(RecordFile {}); // closed before the write opens it again
        writeRecords(dir.fs(), path, SettingsRecordSize, first, lost);
    }
    return stored;
}

void writeAllSettings(const DataDir& dir, const StoredSettings& settings)
{
    std::array<std::uint8_t, 4 * SettingsRecordSize> bytes {};
    const std::array<SettingsRecord, 4> records
        = {integerRecord(settings.issuerCount), integerRecord(settings.clientCount),
           integerRecord(settings.currentIssuer), rateRecord(settings.euroRate)};
    for (std::size_t i = 0; i < records.size(); ++i)
        std::copy(records[i].begin(), records[i].end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(i * SettingsRecordSize));
    writeRecords(dir.fs(), settingsFile(dir), SettingsRecordSize, 1, bytes);
}

// The one character of "tipo.mon" or "tipo.fat"; 0 when it cannot be read.
char readModeFile(const DataDir& dir, const std::string& path)
{
    std::array<std::uint8_t, 1> byte {};
    if (!readRecord(dir.fs(), path, 1, byte))
        return '\0';
    return static_cast<char>(byte[0]);
}

Status writeModeFile(const DataDir& dir, const std::string& path, char mode)
{
    const std::array<std::uint8_t, 1> byte = {static_cast<std::uint8_t>(mode)};
    return writeRecord(dir.fs(), path, 1, byte);
}

} // namespace

std::string settingsFile(const DataDir& dir)
{
    return dataFile(dir, "impost");
}

void adoptStartupSettings(AppState& state, const StartupSettings& settings)
{
    state.issuerCount = settings.issuerCount;
    state.clientCount = settings.clientCount;
    state.currentIssuer = settings.currentIssuer;
    state.euroRate = settings.euroRate;
    state.currentIssuerRecord = settings.currentIssuerRecord;
    state.currency = settings.currency;
    state.invoiceType = settings.invoiceType;
}

StartupSettings loadStartupSettings(const DataDir& dir)
{
    StartupSettings settings;

    // Stage 1. A file that could not be read is left alone: writing the values
    // held would replace counts that were never read with zeros.
    const auto stored = readSettings(dir);
    if (stored) {
        settings.issuerCount = stored->issuerCount;
        settings.clientCount = stored->clientCount;
        settings.currentIssuer = stored->currentIssuer;
        settings.euroRate = stored->euroRate;
        if (settings.issuerCount == 0) {
            writeAllSettings(dir,
                             {settings.issuerCount, settings.clientCount, settings.currentIssuer, settings.euroRate});
        }
    } else {
        // Counts that could not be read are not 0: with an issuer archive on
        // disk, 0 would open the first-start window and the issuer saved there
        // would replace issuer 1. The archives tell how many records they hold.
        settings.issuerCount = storedPartyRecords(dir, dataFile(dir, "emit"));
        settings.clientCount = storedPartyRecords(dir, dataFile(dir, "clienti"));
        settings.currentIssuer = settings.issuerCount > 0 ? std::int16_t {1} : std::int16_t {0};
    }

    // Stage 2: record 0 does not exist, so no current issuer leaves the record empty,
    // as does an issuer that cannot be read.
    if (settings.issuerCount > 0 && settings.currentIssuer > 0) {
        if (auto issuer = readIssuer(dir, settings.currentIssuer))
            settings.currentIssuerRecord = issuer.value();
    }

    // Stage 3: the program always starts in euro; anything else on file is replaced by "e".
    const std::string currencyFile = dataFile(dir, "tipo.mon");
    if (readModeFile(dir, currencyFile) != 'e')
        writeModeFile(dir, currencyFile, 'e');
    settings.currency = Currency::Euro;

    // Stage 4: "p" or "c"; anything else is replaced by "p".
    const std::string typeFile = dataFile(dir, "tipo.fat");
    const char type = readModeFile(dir, typeFile);
    if (type == 'c') {
        settings.invoiceType = InvoiceType::Commercial;
    } else {
        if (type != 'p')
            writeModeFile(dir, typeFile, 'p');
        settings.invoiceType = InvoiceType::Professional;
    }
    return settings;
}

Status writeIssuerCount(const DataDir& dir, std::int16_t count, WriteStep step)
{
    return writeSettingsRecord(dir, IssuerCountRecord, integerRecord(count), step);
}

Status writeClientCount(const DataDir& dir, std::int16_t count, WriteStep step)
{
    return writeSettingsRecord(dir, ClientCountRecord, integerRecord(count), step);
}

Status writeCurrentIssuer(const DataDir& dir, std::int16_t issuer, WriteStep step)
{
    return writeSettingsRecord(dir, CurrentIssuerRecord, integerRecord(issuer), step);
}

Status writeEuroRate(const DataDir& dir, double rate)
{
    return writeSettingsRecord(dir, EuroRateRecord, rateRecord(rate));
}

Result<std::int16_t> readClientCount(const DataDir& dir)
{
    SettingsRecord record {};
    if (Status read = readRecord(dir.fs(), settingsFile(dir), ClientCountRecord, record); !read)
        return read.error();
    return usableCount(dir, readInt16LE(std::span(record).first<2>()), dataFile(dir, "clienti"));
}

Status writeCurrencyFile(const DataDir& dir, Currency currency)
{
    return writeModeFile(dir, dataFile(dir, "tipo.mon"), currency == Currency::Lire ? 'l' : 'e');
}

Status writeInvoiceTypeFile(const DataDir& dir, InvoiceType type)
{
    return writeModeFile(dir, dataFile(dir, "tipo.fat"), type == InvoiceType::Commercial ? 'c' : 'p');
}

} // namespace tessaro::archive
