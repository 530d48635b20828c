// The names of the electronic invoices' files: "IT<VAT number>_<progressive>.xml",
// the progressive five letters or digits. Files exported before the
// program kept a counter were named after the invoice's year and number;
// those names are still recognised, and the counter's never meet them.
#pragma once

#include "archive/data_dir.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::archive {

// The folder of the data directory that receives the electronic invoices.
inline constexpr std::string_view ExportFolderName = "fatture elettroniche";
std::string exportFolderPath(const DataDir& dir);

// The progressive of the earlier names: five base-36 digits (0-9, A-Z) of
// (year - 1900) x 32768 + number, distinct for every year from 1900 to 3744
// and every number from 1 to 32767. Nothing outside those ranges.
std::optional<std::string> yearProgressive(std::string_view yearText, int number);

// The counter runs below every earlier name of a book from 1980 on.
inline constexpr long LastCounterValue = 80L * 32768 - 1;
// The progressive of counter value 1 .. LastCounterValue.
std::string counterProgressive(long value);

// "IT<VAT number>_<progressive>.xml", the VAT number trimmed.
std::string exportFileName(std::string_view vatNumber, std::string_view progressive);
// The earlier name of an invoice; empty when its year or number has no progressive.
std::string earlierExportName(std::string_view vatNumber, std::string_view yearText, int number);

// A receipt names the file it answers, sometimes with the signature's ".p7m".
std::string withoutSignatureSuffix(std::string_view fileName);

// The invoice an earlier name of this VAT number stands for; nothing for a
// name of the counter, of another VAT number, or no such name at all.
struct EarlierName {
    int year = 0;
    int number = 0;
};
std::optional<EarlierName> earlierNameOf(std::string_view fileName, std::string_view vatNumber);

} // namespace tessaro::archive
