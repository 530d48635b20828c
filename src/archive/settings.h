// The three settings files of the data directory: "impost" (issuer count,
// client count, current issuer, value of one euro), "tipo.mon" (currency)
// and "tipo.fat" (invoice type).
#pragma once

#include "archive/app_state.h"
#include "archive/io_result.h"
#include "archive/record_file.h"
#include "archive/records.h"

#include <cstdint>
#include <string>

namespace tessaro::archive {

// The settings as start-up leaves them, after the four stages and their
// silent recovery (missing or invalid files are rewritten with defaults).
struct StartupSettings {
    std::int16_t issuerCount = 0;
    std::int16_t clientCount = 0;
    std::int16_t currentIssuer = 0;
    double euroRate = DefaultEuroRate;
    PartyRecord currentIssuerRecord; // empty when there is no issuer or it cannot be read
    Currency currency = Currency::Euro;
    InvoiceType invoiceType = InvoiceType::Professional;
};

StartupSettings loadStartupSettings(const DataDir& dir);
// The run takes the settings read: counts, current issuer, euro value and modes.
void adoptStartupSettings(AppState& state, const StartupSettings& settings);

// "impost": four records of four bytes (the layout is in fields.h).
std::string settingsFile(const DataDir& dir);

// Each writer rewrites only its own record of "impost".
Status writeIssuerCount(const DataDir& dir, std::int16_t count, WriteStep step = WriteStep::Alone);
Status writeClientCount(const DataDir& dir, std::int16_t count, WriteStep step = WriteStep::Alone);
Status writeCurrentIssuer(const DataDir& dir, std::int16_t issuer, WriteStep step = WriteStep::Alone);
Status writeEuroRate(const DataDir& dir, double rate); // stored as a 32-bit float
Result<std::int16_t> readClientCount(const DataDir& dir);

Status writeCurrencyFile(const DataDir& dir, Currency currency); // "tipo.mon"
Status writeInvoiceTypeFile(const DataDir& dir, InvoiceType type); // "tipo.fat"

} // namespace tessaro::archive
