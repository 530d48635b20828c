// One program per data directory: a lock file held for the whole run. A lock
// left by a run that crashed (its process is gone) is taken over.
#pragma once

#include <memory>
#include <string>

class QLockFile;

namespace tessaro::app {

inline constexpr const char* LockFileName = "tessaro.lock";
inline constexpr const char* InUseText = "Tessaro è già in uso su questa cartella dati.";

class DataDirLock {
public:
    enum class Outcome {
        Held, // this run holds the lock
        InUse, // another running program holds it
        Unlockable, // the directory takes no lock (read-only): nothing can be written anyway
    };

    DataDirLock();
    ~DataDirLock();
    DataDirLock(const DataDirLock&) = delete;
    DataDirLock& operator=(const DataDirLock&) = delete;

    Outcome acquire(const std::string& lockPath);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tessaro::app
