#include "app/data_dir_lock.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QString>
#include <QSysInfo>

namespace tessaro::app {

namespace {

// This machine as QLockFile names it in a lock: on Windows the computer
// name (upper case, where the host name is lower case), elsewhere the host name.
QString lockHostName()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("COMPUTERNAME");
#else
    return QSysInfo::machineHostName();
#endif
}

} // namespace

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
    if (m_lock->error() == QLockFile::LockFailedError) {
        // Windows soon gives a dead run's process number to the next one:
        // a lock naming this very process was left by a run that is gone.
        qint64 pid = 0;
        QString host;
        if (m_lock->getLockInfo(&pid, &host, nullptr) && pid == QCoreApplication::applicationPid() && !host.isEmpty()
            && host == lockHostName() && m_lock->removeStaleLockFile() && m_lock->tryLock(0))
            return Outcome::Held;
        return Outcome::InUse;
    }
    m_lock.reset();
    return Outcome::Unlockable;
}

} // namespace tessaro::app
