// The client archive "clienti": record n (173 bytes) is client n.
#pragma once

#include "archive/app_state.h"
#include "archive/io_result.h"
#include "archive/records.h"

#include <string>
#include <vector>

namespace tessaro::archive {

Result<PartyRecord> readClient(const std::string& dataDir, int number);
// Surnames of clients 1..count exactly as stored (blank padded).
Result<std::vector<std::string>> readClientSurnames(const std::string& dataDir, int count);

// A stored client is the same client when its trimmed surname, first name,
// address and VAT number equal the candidate's (exact, case-sensitive).
bool sameClient(const PartyRecord& stored, const PartyRecord& candidate);

// Appends the client unless it is known already; on success ClientCount in
// state and in "impost" has grown when a record was added. On failure the
// state is unchanged.
Result<bool> registerClient(AppState& state, const PartyRecord& client);

// True when ClientCount has reached the largest count "impost" can hold, so
// no client can be added any more.
bool clientArchiveFull(const AppState& state);

Status deleteClientArchive(const std::string& dataDir);

} // namespace tessaro::archive
