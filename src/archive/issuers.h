// The issuer archive "emit": record n (173 bytes) is issuer n.
#pragma once

#include "archive/io_result.h"
#include "archive/records.h"

#include <string>

namespace tessaro::archive {

Result<PartyRecord> readIssuer(const std::string& dataDir, int number);
Status writeIssuer(const std::string& dataDir, int number, const PartyRecord& issuer);

// First issuer 1..count whose trimmed surname and first name equal the
// trimmed texts given (exact, case-sensitive); 0 when none matches.
Result<int> findIssuerByName(const std::string& dataDir, int count, const std::string& surname,
                             const std::string& firstName);

Status deleteIssuerArchive(const std::string& dataDir);

} // namespace tessaro::archive
