// The issuer archive "emit": record n (173 bytes) is issuer n.
#pragma once

#include "archive/app_state.h"
#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "archive/records.h"

#include <string>

namespace tessaro::archive {

std::string issuerFile(const DataDir& dir);

Result<PartyRecord> readIssuer(const DataDir& dir, int number);
Status writeIssuer(const DataDir& dir, int number, const PartyRecord& issuer);

// First issuer 1..count whose trimmed surname and first name equal the
// trimmed texts given (exact, case-sensitive); 0 when none matches.
Result<int> findIssuerByName(const DataDir& dir, int count, const std::string& surname, const std::string& firstName);

// Saves the issuer as number IssuerCount + 1 and makes it current: the
// record, IssuerCount and CurrentIssuer, all or none. The caller checks that
// the count can still grow.
Status appendIssuer(AppState& state, const PartyRecord& issuer);
// Rewrites issuer n in place; the settings are not touched.
Status replaceIssuer(const DataDir& dir, int number, const PartyRecord& issuer);

} // namespace tessaro::archive
