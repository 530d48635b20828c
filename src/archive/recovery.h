// Putting back what an operation interrupted by a crash left half done,
// before anything of the data directory is read: at start-up and at every
// year switch.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"

#include <optional>
#include <string>

namespace tessaro::archive {

struct Recovery {
    enum class Outcome {
        Nothing, // no journal: the last operation finished
        RolledBack, // the files are as they were before the operation
        Torn, // the journal was cut short while it was written: nothing had been touched yet
        Failed, // the journal could not be used or removed: it stays, and nothing may be written
    };
    Outcome outcome = Outcome::Nothing;
    std::string operation; // the name the operation was given, when known
    std::optional<IoError> error; // Failed: what could not be done
};

Recovery recoverJournal(const DataDir& dir);

// The sentence that tells the user what happened; empty for Nothing.
std::string recoveryMessage(const Recovery& recovery);

} // namespace tessaro::archive
