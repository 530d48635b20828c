#include "archive/recovery.h"

#include "archive/journal.h"
#include "archive/journal_file.h"

namespace tessaro::archive {

namespace {

// A file set aside by an operation that finished and then stopped before it
// removed it: nothing reads it.
void removeSetAsideFiles(const DataDir& dir)
{
    const auto names = dir.fs().list(dir.path());
    if (!names)
        return;
    for (const std::string& name : *names) {
        if (name.ends_with(SetAsideSuffix))
            dir.fs().remove(dir.file(name));
    }
}

} // namespace

Recovery recoverJournal(const DataDir& dir)
{
    Recovery recovery;
    auto read = readJournal(dir);
    if (!read) {
        recovery.outcome = Recovery::Outcome::Failed;
        recovery.error = read.error();
        return recovery;
    }
    if (!read.value()) {
        removeSetAsideFiles(dir);
        return recovery;
    }
    StoredJournal& stored = *read.value();
    recovery.operation = stored.operation;
    if (stored.torn) {
        // Written up to a crash and never flushed whole: the operation had not begun to change anything.
        const std::string path = journalFile(dir);
        if (!dir.fs().remove(path) || !dir.fs().syncDirectory(dir.path())) {
            recovery.outcome = Recovery::Outcome::Failed;
            recovery.error = IoError {IoError::Action::Remove, path};
            return recovery;
        }
        recovery.outcome = Recovery::Outcome::Torn;
        removeSetAsideFiles(dir);
        return recovery;
    }
    Journal journal(dir, std::move(stored));
    if (Status back = journal.rollBack(); !back) {
        recovery.outcome = Recovery::Outcome::Failed;
        recovery.error = back.error();
        return recovery;
    }
    recovery.outcome = Recovery::Outcome::RolledBack;
    removeSetAsideFiles(dir);
    return recovery;
}

std::string recoveryMessage(const Recovery& recovery)
{
    const std::string operation
        = recovery.operation.empty() ? "L'ultima operazione" : "L'ultima operazione (" + recovery.operation + ")";
    switch (recovery.outcome) {
    case Recovery::Outcome::Nothing:
        return {};
    case Recovery::Outcome::RolledBack:
        return operation + " non era terminata: i dati sono stati riportati a prima.";
    case Recovery::Outcome::Torn:
        return operation + " non era terminata: i dati non erano ancora stati modificati e sono rimasti come prima.";
    case Recovery::Outcome::Failed:
        break;
    }
    return operation + " non era terminata e non è stato possibile riportare i dati a prima"
        + (recovery.error ? ": " + recovery.error->describe() : std::string()) + "."
        + "\nFinché non sarà possibile nessuna modifica verrà salvata; si riproverà al prossimo cambio d'anno.";
}

} // namespace tessaro::archive
