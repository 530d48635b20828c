#include "app/backup.h"

#include "app/data_dir_lock.h"
#include "archive/export_counter.h"
#include "archive/whole_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <vector>

namespace tessaro::app {

namespace {

constexpr int TarTimeoutMs = 10 * 60 * 1000;

std::string cannotWriteIn(const QString& folder)
{
    return "Impossibile scrivere nella cartella " + folder.toStdString();
}

// Runs tar with the arguments; empty when it ran and exited 0, else why not.
std::string runTar(const QStringList& arguments)
{
    const QString tar = QStandardPaths::findExecutable(QStringLiteral("tar"));
    if (tar.isEmpty())
        return "Il programma tar non è installato.";
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tar, arguments);
    if (!process.waitForFinished(TarTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAll()).trimmed();
        return ("Il programma tar si è fermato" + (said.isEmpty() ? QString() : QStringLiteral(": ") + said) + ".")
            .toStdString();
    }
    return {};
}

bool inside(const QString& folder, const QString& dir)
{
    const QString f = QDir(folder).canonicalPath();
    const QString d = QDir(dir).canonicalPath();
    return !f.isEmpty() && (f == d || f.startsWith(d + QLatin1Char('/')));
}

// What lies in a data directory besides the lock of the run: files, and
// folders such as the one of the electronic invoices.
QStringList entriesOf(const QString& dir)
{
    QStringList entries
        = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    entries.removeAll(QString::fromLatin1(LockFileName));
    return entries;
}

// Moves the entries from one folder to another; on a failure those moved go back.
bool moveAll(const QStringList& entries, const QString& from, const QString& to)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!QDir().rename(from + QLatin1Char('/') + entries[i], to + QLatin1Char('/') + entries[i])) {
            for (qsizetype back = 0; back < i; ++back)
                QDir().rename(to + QLatin1Char('/') + entries[back], from + QLatin1Char('/') + entries[back]);
            return false;
        }
    }
    return true;
}

// Only files and folders: a link could lead a later write out of the data directory.
bool holdsADataDirectory(const QString& dir)
{
    if (!QFileInfo(dir + QStringLiteral("/impost")).isFile())
        return false;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (entry.isSymLink() || !(entry.isFile() || entry.isDir()))
            return false;
    }
    return true;
}

} // namespace

std::string backupName(const QDate& day, int attempt)
{
    QString name = QStringLiteral("tessaro-copia-") + day.toString(Qt::ISODate);
    if (attempt > 1)
        name += QStringLiteral("-%1").arg(attempt);
    return (name + QStringLiteral(".tar.gz")).toStdString();
}

BackupOutcome writeBackup(archive::FileSystem& fs, const std::string& dataDir, const std::string& folder,
                          const QDate& day)
{
    BackupOutcome outcome;
    const QString data = QString::fromStdString(dataDir);
    const QString target = QString::fromStdString(folder);
    if (inside(target, data)) {
        outcome.error = "Scegliere una cartella fuori dalla cartella dati.";
        return outcome;
    }
    int attempt = 1;
    while (QFileInfo::exists(target + QLatin1Char('/') + QString::fromStdString(backupName(day, attempt))))
        ++attempt;
    outcome.path = (target + QLatin1Char('/') + QString::fromStdString(backupName(day, attempt))).toStdString();
    const std::string temporary = outcome.path + ".tmp";
    outcome.error = runTar({"--create", "--gzip", "--file", QString::fromStdString(temporary), "--directory", data,
                            "--exclude=./" + QString::fromLatin1(LockFileName), "."});
    if (!outcome.error.empty()) {
        fs.remove(temporary);
        return outcome;
    }
    if (archive::Status placed = archive::moveIntoPlace(fs, temporary, outcome.path); !placed) {
        outcome.error = placed.error().describe();
        return outcome;
    }
    outcome.done = true;
    return outcome;
}

std::string asideFolder(const std::string& dataDir, const QDateTime& when)
{
    const QFileInfo dir(QDir(QString::fromStdString(dataDir)).absolutePath());
    return (dir.absolutePath() + QLatin1Char('/') + dir.fileName() + QStringLiteral(" prima del ripristino ")
            + when.toString(QStringLiteral("yyyy-MM-dd HHmmss")))
        .toStdString();
}

BackupOutcome restoreBackup(archive::FileSystem& fs, const std::string& dataDir, const std::string& archive,
                            const QDateTime& when)
{
    BackupOutcome outcome;
    const QString data = QDir(QString::fromStdString(dataDir)).absolutePath();
    const QString parent = QFileInfo(data).absolutePath();
    QTemporaryDir unpacked(parent + QStringLiteral("/.tessaro-ripristino-XXXXXX"));
    if (!unpacked.isValid()) {
        outcome.error = cannotWriteIn(parent);
        return outcome;
    }
    outcome.error = runTar({"--extract", "--gzip", "--file", QString::fromStdString(archive), "--directory",
                            unpacked.path(), "--no-same-owner", "--no-same-permissions"});
    if (!outcome.error.empty())
        return outcome;
    if (!holdsADataDirectory(unpacked.path())) {
        outcome.error = "Il file " + archive + " non è una copia di sicurezza dei dati.";
        return outcome;
    }
    // The files exported since the copy was made went to the exchange
    // system already: the copy's counters must not give their names again.
    const archive::DataDir restoredDir(unpacked.path().toStdString(), fs);
    if (archive::Status carried = archive::carryExportCounters(archive::DataDir(dataDir, fs), restoredDir); !carried) {
        outcome.error = carried.error().describe();
        return outcome;
    }

    const QString aside = QString::fromStdString(asideFolder(dataDir, when));
    const QStringList current = entriesOf(data);
    const QStringList restored = entriesOf(unpacked.path());
    if (!QDir().mkdir(aside) || !moveAll(current, data, aside)) {
        QDir().rmdir(aside);
        outcome.error = "Impossibile mettere da parte i dati attuali nella cartella " + aside.toStdString();
        return outcome;
    }
    if (!moveAll(restored, unpacked.path(), data)) {
        moveAll(current, aside, data);
        QDir().rmdir(aside);
        outcome.error = cannotWriteIn(data);
        return outcome;
    }
    // The new names are on the disk before the copy is said to be back.
    fs.syncDirectory(aside.toStdString());
    if (!fs.syncDirectory(data.toStdString())) {
        outcome.error = cannotWriteIn(data);
        return outcome;
    }
    outcome.path = aside.toStdString();
    outcome.done = true;
    return outcome;
}

} // namespace tessaro::app
