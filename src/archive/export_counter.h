// "progressivi.fe": the last progressive given to an exported file, one
// record per identity the files are named after (the issuer's VAT number;
// layout in fields.h). Names sent to the exchange system can never be sent
// again, so the counters only go forward: "Azzera tutto" leaves the file,
// and a backup restored keeps the counters that went further since.
#pragma once

#include "archive/data_dir.h"
#include "archive/fields.h"
#include "archive/io_result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

std::string exportCounterFile(const DataDir& dir); // <dir>/progressivi.fe

struct ExportCounter {
    std::string identity;
    long last = 0;
};

void encodeExportCounter(const ExportCounter& counter, std::span<std::uint8_t, ExportCounterRecordSize> out);
// Every counter, in record order; none without the file. A damaged record
// is an error: the names must not start again from the first.
Result<std::vector<ExportCounter>> readExportCounters(const DataDir& dir);

// The counters of `from` carried into `into` wherever they went further,
// for a data directory about to take the place of `from`.
Status carryExportCounters(const DataDir& from, const DataDir& into);

} // namespace tessaro::archive
