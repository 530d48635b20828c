#include "app/data_dir_lock.h"

#include <QLockFile>
#include <QString>

namespace tessaro::app {

DataDirLock::DataDirLock() = default;

DataDirLock::~DataDirLock() = default;

DataDirLock::Outcome DataDirLock::acquire(const std::string& lockPath)
{
    m_lock = std::make_unique<QLockFile>(QString::fromStdString(lockPath));
    // Only a lock whose process is gone is stale, however old it is: a run
    // left open for days keeps its directory.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Outcome::Held;
    if (m_lock->error() == QLockFile::LockFailedError)
        return Outcome::InUse;
    m_lock.reset();
    return Outcome::Unlockable;
}

} // namespace tessaro::app
