// A copy of the whole data directory in one compressed archive (a tar.gz
// that GNU tar reads too), and putting one back in its place.
#pragma once

#include "archive/file_system.h"

#include <QDateTime>

#include <string>

namespace tessaro::app {

struct BackupOutcome {
    bool done = false;
    std::string path; // the archive written, or the folder the data were set aside in
    std::string error; // why not, for the user
};

// The file name of a copy made on a day: "tessaro-copia-2026-03-14.tar.gz".
std::string backupName(const QDate& day, int attempt = 1);

// Writes every file of dataDir (the lock aside) into folder, under the name
// of the day (another attempt's name when that exists already). The archive
// is on the disk when this returns done.
BackupOutcome writeBackup(archive::FileSystem& fs, const std::string& dataDir, const std::string& folder,
                          const QDate& day);

// The folder the current data are set aside in when a copy is put back.
std::string asideFolder(const std::string& dataDir, const QDateTime& when);

// Unpacks the archive beside dataDir and checks it holds a data directory
// ("impost", plain files and folders); only then moves the current files
// (the lock aside) into asideFolder and the copy's files in their place.
BackupOutcome restoreBackup(archive::FileSystem& fs, const std::string& dataDir, const std::string& archive,
                            const QDateTime& when);

} // namespace tessaro::app
