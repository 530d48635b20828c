// The client archive "clienti": record n (173 bytes) is client n.
#pragma once

#include "archive/app_state.h"
#include "archive/io_result.h"
#include "archive/records.h"

#include <string>
#include <vector>

namespace tessaro::archive {

class Journal;

std::string clientFile(const DataDir& dir);

Result<PartyRecord> readClient(const DataDir& dir, int number);
// Surnames of clients 1..count exactly as stored (blank padded).
Result<std::vector<std::string>> readClientSurnames(const DataDir& dir, int count);

// A stored client is the same client when its trimmed surname, first name,
// address and VAT number equal the candidate's (exact, case-sensitive).
bool sameClient(const PartyRecord& stored, const PartyRecord& candidate);

// The number the client would be appended as; 0 when it is known already.
// An archive whose count cannot grow any more is an error naming "clienti".
Result<int> newClientNumber(const AppState& state, const PartyRecord& client);
// What appending client n changes, declared in the journal of the operation
// that appends it: the record and ClientCount.
Status keepClientAppend(Journal& journal, const DataDir& dir, int number);
// The record first, then the count; a step of that operation.
Status appendClient(const DataDir& dir, int number, const PartyRecord& client);

// Appends the client unless it is known already; on success ClientCount in
// state and in "impost" has grown when a record was added. On failure the
// state and the files are unchanged.
Result<bool> registerClient(AppState& state, const PartyRecord& client);

// True when ClientCount has reached the largest count "impost" can hold, so
// no client can be added any more.
bool clientArchiveFull(const AppState& state);

// Removes "clienti" and sets ClientCount to 0 in "impost", both or neither.
Status deleteClientArchive(const DataDir& dir);

} // namespace tessaro::archive
