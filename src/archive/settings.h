// The three settings files of the data directory: "impost" (issuer count,
// client count, current issuer, value of one euro), "tipo.mon" (currency)
// and "tipo.fat" (invoice type).
#pragma once

#include "archive/app_state.h"
#include "archive/io_result.h"
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

StartupSettings loadStartupSettings(const std::string& dataDir);

// Each writer rewrites only its own record of "impost".
Status writeIssuerCount(const std::string& dataDir, std::int16_t count);
Status writeClientCount(const std::string& dataDir, std::int16_t count);
Status writeCurrentIssuer(const std::string& dataDir, std::int16_t issuer);
Status writeEuroRate(const std::string& dataDir, double rate); // stored as a 32-bit float
Result<std::int16_t> readClientCount(const std::string& dataDir);

Status writeCurrencyFile(const std::string& dataDir, Currency currency); // "tipo.mon"
Status writeInvoiceTypeFile(const std::string& dataDir, InvoiceType type); // "tipo.fat"

} // namespace tessaro::archive
