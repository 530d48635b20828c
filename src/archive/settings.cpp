#include "archive/settings.h"

#include "archive/book.h"
#include "archive/issuers.h"
#include "archive/record_file.h"

#include <array>
#include <cmath>

namespace tessaro::archive {

namespace {

constexpr std::size_t SettingsRecordSize = 4;
constexpr int IssuerCountRecord = 1;
constexpr int ClientCountRecord = 2;
constexpr int CurrentIssuerRecord = 3;
constexpr int EuroRateRecord = 4;

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

std::int16_t notNegative(std::int16_t count)
{
    return count < 0 ? std::int16_t {0} : count;
}

struct StoredSettings {
    std::int16_t issuerCount = 0;
    std::int16_t clientCount = 0;
    std::int16_t currentIssuer = 0;
    double euroRate = DefaultEuroRate;
};

// Stage 1: the four records of "impost". Nothing when the file cannot be
// opened or read.
std::optional<StoredSettings> readSettings(const std::string& dataDir)
{
    auto file = RecordFile::open(settingsFile(dataDir), SettingsRecordSize);
    if (!file)
        return std::nullopt;
    std::array<SettingsRecord, 4> records {};
    for (int number = 1; number <= 4; ++number) {
        if (!file.value().read(number, records[static_cast<std::size_t>(number - 1)]))
            return std::nullopt;
    }
    StoredSettings stored;
    stored.issuerCount = notNegative(readInt16LE(std::span(records[0]).first<2>()));
    stored.clientCount = notNegative(readInt16LE(std::span(records[1]).first<2>()));
    stored.currentIssuer = notNegative(readInt16LE(std::span(records[2]).first<2>()));
    stored.euroRate = usableRate(readFloat32LE(records[3]));
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
    return notNegative(readInt16LE(std::span(record).first<2>()));
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
