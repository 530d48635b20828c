#include "app/backup.h"

#include "app/data_dir_lock.h"
#include "archive/entry_path.h"
#include "archive/export_counter.h"
#include "archive/whole_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace tessaro::app {

namespace {

constexpr qint64 ChunkSize = 64 * 1024;
constexpr QDir::Filters EveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
// The same modes whatever the system the copy is made on: it is put back
// with the modes of the user who restores it, never with these.
constexpr int FileMode = 0644;
constexpr int FolderMode = 0755;

std::string cannotWriteIn(const QString& folder)
{
    return "Impossibile scrivere nella cartella " + QDir::toNativeSeparators(folder).toStdString();
}

std::string cannotWriteBackup(const std::string& reason)
{
    return "Impossibile scrivere la copia di sicurezza: " + reason + ".";
}

std::string notABackup(const std::string& archive)
{
    return "Il file " + archive + " non è una copia di sicurezza dei dati.";
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
    QStringList entries = QDir(dir).entryList(EveryEntry, QDir::Name);
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

// A tar.gz written through the file system, so that it can be put on the
// disk before it takes its name. Pax (restricted to ustar headers where they
// suffice) keeps names beyond ASCII in UTF-8, as GNU tar and libarchive read
// them on every system.
class BackupWriter {
public:
    // shownPath: the archive's name for the messages, not the temporary one written.
    BackupWriter(archive::File& file, std::string shownPath)
        : m_archive(archive_write_new()), m_file(file), m_shownPath(std::move(shownPath))
    {
    }
    ~BackupWriter() { archive_write_free(m_archive); }
    BackupWriter(const BackupWriter&) = delete;
    BackupWriter& operator=(const BackupWriter&) = delete;

    // Each returns why it failed, empty when it did not.
    std::string open()
    {
        // The file ends with the compressed data: zeros padding it to a whole
        // block would be "trailing garbage" to gzip, and would hide a copy cut short.
        if (!m_archive || archive_write_set_format_pax_restricted(m_archive) != ARCHIVE_OK
            || archive_write_add_filter_gzip(m_archive) != ARCHIVE_OK
            || archive_write_set_bytes_in_last_block(m_archive, 1) != ARCHIVE_OK
            || archive_write_open2(m_archive, this, nullptr, &BackupWriter::write, nullptr, nullptr) != ARCHIVE_OK)
            return failure();
        return {};
    }

    // The folder's entry, then what it holds, each folder before its files:
    // names "./<path>", as `tar --directory <dir> .` gives them.
    std::string addFolder(const QString& path, const QString& name, const QStringList& entries)
    {
        if (std::string why = addHeader(QFileInfo(path), name, true, 0); !why.empty())
            return why;
        for (const QString& entry : entries) {
            const QFileInfo info(path + QLatin1Char('/') + entry);
            const QString entryName = name + QLatin1Char('/') + entry;
            std::string why;
            // What a restore refuses is not written either: the copy would be of no use.
            if (info.isSymLink() || !(info.isFile() || info.isDir()))
                why = cannotWriteBackup(QDir::toNativeSeparators(info.filePath()).toStdString()
                                        + " non è un file né una cartella (un collegamento?)");
            else if (info.isDir())
                why = addFolder(info.filePath(), entryName, QDir(info.filePath()).entryList(EveryEntry, QDir::Name));
            else
                why = addFile(info, entryName);
            if (!why.empty())
                return why;
        }
        return {};
    }

    // The end of the archive written, then the file on the disk.
    std::string close()
    {
        if (archive_write_close(m_archive) != ARCHIVE_OK)
            return failure();
        if (!m_file.sync())
            return cannotWriteBackup("il file " + m_shownPath + " non è stato scritto sul disco");
        return {};
    }

private:
    // libarchive takes a short write for a failure: the file gets all the bytes or the copy stops.
    static la_ssize_t write(struct archive*, void* self, const void* buffer, std::size_t length)
    {
        auto& writer = *static_cast<BackupWriter*>(self);
        const std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(buffer), length);
        if (writer.m_file.writeAt(writer.m_offset, bytes) != length) {
            writer.m_fileFailed = true;
            return -1;
        }
        writer.m_offset += length;
        return static_cast<la_ssize_t>(length);
    }

    std::string failure() const
    {
        if (m_fileFailed)
            return cannotWriteBackup("scrittura non riuscita nel file " + m_shownPath);
        if (!m_archive || archive_errno(m_archive) == ENOMEM)
            return cannotWriteBackup("memoria insufficiente");
        return cannotWriteBackup("compressione dei dati non riuscita");
    }

    std::string addHeader(const QFileInfo& info, const QString& name, bool folder, qint64 size)
    {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                                  &archive_entry_free);
        if (!entry)
            return cannotWriteBackup("memoria insufficiente");
        // Wide characters: on Windows the only form libarchive turns into UTF-8 without the code page.
        archive_entry_copy_pathname_w(entry.get(), name.toStdWString().c_str());
        archive_entry_set_filetype(entry.get(), folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry.get(), folder ? FolderMode : FileMode);
        archive_entry_set_size(entry.get(), size);
        archive_entry_set_mtime(entry.get(), info.lastModified().toSecsSinceEpoch(), 0);
        if (archive_write_header(m_archive, entry.get()) == ARCHIVE_OK)
            return {};
        if (m_fileFailed)
            return failure();
        return cannotWriteBackup("il nome di " + QDir::toNativeSeparators(info.filePath()).toStdString()
                                 + " non si può scrivere nella copia");
    }

    // The header gives the size the file had when opened: one that then
    // reads shorter would be padded with zeros, so it stops the copy instead.
    std::string addFile(const QFileInfo& info, const QString& name)
    {
        const std::string unreadable = cannotWriteBackup(
            "il file " + QDir::toNativeSeparators(info.filePath()).toStdString() + " non si può leggere");
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return unreadable;
        const qint64 size = file.size();
        if (std::string why = addHeader(info, name, false, size); !why.empty())
            return why;
        std::vector<char> chunk(ChunkSize);
        for (qint64 left = size; left > 0;) {
            const qint64 got = file.read(chunk.data(), std::min(left, ChunkSize));
            if (got <= 0)
                return unreadable;
            if (archive_write_data(m_archive, chunk.data(), static_cast<std::size_t>(got)) != got)
                return failure();
            left -= got;
        }
        return {};
    }

    struct archive* m_archive;
    archive::File& m_file;
    std::string m_shownPath;
    std::uint64_t m_offset = 0;
    bool m_fileFailed = false;
};

// Writes the archive of dir into temporary and puts it on the disk; empty when done, else why not.
std::string writeArchive(archive::FileSystem& fs, const QString& dir, const std::string& temporary,
                         const std::string& shownPath)
{
    // Left over by an interrupted copy, the file may hold more than this one will.
    const std::unique_ptr<archive::File> file = fs.open(temporary);
    if (!file || !file->truncate(0))
        return cannotWriteBackup("il file " + shownPath + " non si può creare");
    BackupWriter writer(*file, shownPath);
    std::string why = writer.open();
    if (why.empty())
        why = writer.addFolder(dir, QStringLiteral("."), entriesOf(dir));
    if (why.empty())
        why = writer.close();
    return why;
}

enum class Unpacking { Done, NotABackup, Unreadable, Unwritable };

// The entry's path inside the folder it is unpacked in; nothing for a name
// that could lead outside it.
std::optional<QString> insideName(archive_entry* entry)
{
    const wchar_t* wide = archive_entry_pathname_w(entry);
    if (!wide)
        return std::nullopt;
    const std::optional<std::string> inside = archive::pathInsideFolder(QString::fromWCharArray(wide).toStdString());
    if (!inside)
        return std::nullopt;
    return QString::fromStdString(*inside);
}

// The chosen file is read a piece at a time rather than whole: it may be
// any file, a film as well as a copy, and the first pieces are enough to
// refuse what is not a copy.
class BackupReader {
public:
    BackupReader(archive::FileSystem& fs, const QString& path)
        : m_fs(fs), m_file(path), m_input(ChunkSize), m_output(ChunkSize), m_archive(archive_read_new())
    {
    }
    ~BackupReader() { archive_read_free(m_archive); }
    BackupReader(const BackupReader&) = delete;
    BackupReader& operator=(const BackupReader&) = delete;

    // Only plain files and folders, made with Qt rather than libarchive's
    // own extraction so that nothing but those can be made.
    Unpacking unpackInto(const QString& folder)
    {
        if (!m_archive || !m_file.open(QIODevice::ReadOnly))
            return Unpacking::Unreadable;
        archive_read_support_filter_gzip(m_archive);
        archive_read_support_format_tar(m_archive);
        // The names of GNU tar's own headers are the bytes of its system's
        // names, UTF-8 on Linux; without this Windows would read them in its
        // code page. Only names beyond ASCII depend on it, so a failure is no reason to stop.
        archive_read_set_format_option(m_archive, "tar", "hdrcharset", "UTF-8");
        if (archive_read_open(m_archive, this, nullptr, &BackupReader::read, nullptr) != ARCHIVE_OK)
            return refused();
        for (;;) {
            archive_entry* entry = nullptr;
            const int status = archive_read_next_header(m_archive, &entry);
            if (status == ARCHIVE_EOF)
                return Unpacking::Done;
            if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
                return refused();
            if (const Unpacking unpacked = unpackEntry(entry, folder); unpacked != Unpacking::Done)
                return unpacked == Unpacking::NotABackup ? refused() : unpacked;
        }
    }

private:
    static la_ssize_t read(struct archive*, void* self, const void** buffer)
    {
        auto& reader = *static_cast<BackupReader*>(self);
        const qint64 got = reader.m_file.read(reader.m_input.data(), ChunkSize);
        if (got < 0) {
            reader.m_fileFailed = true;
            return -1;
        }
        *buffer = reader.m_input.data();
        return static_cast<la_ssize_t>(got);
    }

    // A file that could not be read is not said to be something else.
    Unpacking refused() const { return m_fileFailed ? Unpacking::Unreadable : Unpacking::NotABackup; }

    Unpacking unpackEntry(archive_entry* entry, const QString& folder)
    {
        const std::optional<QString> name = insideName(entry);
        const auto type = archive_entry_filetype(entry);
        // A hard link may read as a plain file, one that names another.
        if (!name || archive_entry_hardlink(entry) || (type != AE_IFDIR && type != AE_IFREG))
            return Unpacking::NotABackup;
        const QString path = folder + QLatin1Char('/') + *name;
        if (type == AE_IFDIR)
            return QDir().mkpath(path) ? Unpacking::Done : Unpacking::Unwritable;
        if (name->isEmpty())
            return Unpacking::NotABackup;
        return unpackFile(entry, path);
    }

    Unpacking unpackFile(archive_entry* entry, const QString& path)
    {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return Unpacking::Unwritable;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return Unpacking::Unwritable;
        for (;;) {
            const la_ssize_t got = archive_read_data(m_archive, m_output.data(), m_output.size());
            if (got < 0)
                return Unpacking::NotABackup;
            if (got == 0)
                break;
            if (file.write(m_output.data(), got) != got)
                return Unpacking::Unwritable;
        }
        if (!file.flush())
            return Unpacking::Unwritable;
        // After the last write, which would set the time again.
        if (archive_entry_mtime_is_set(entry))
            file.setFileTime(QDateTime::fromSecsSinceEpoch(archive_entry_mtime(entry)),
                             QFileDevice::FileModificationTime);
        file.close();
        // On the disk before the current data are moved aside for it.
        const std::unique_ptr<archive::File> synced = m_fs.open(path.toStdString());
        return synced && synced->sync() ? Unpacking::Done : Unpacking::Unwritable;
    }

    archive::FileSystem& m_fs;
    QFile m_file;
    // Apart: libarchive goes on reading what the file gave it while it unpacks.
    std::vector<char> m_input;
    std::vector<char> m_output;
    struct archive* m_archive;
    bool m_fileFailed = false;
};

std::string unpackingError(Unpacking unpacking, const std::string& archive, const QString& parent)
{
    switch (unpacking) {
    case Unpacking::Done:
        break;
    case Unpacking::NotABackup:
        return notABackup(archive);
    case Unpacking::Unreadable:
        return "Impossibile leggere la copia di sicurezza: il file " + archive + " non si può leggere.";
    case Unpacking::Unwritable:
        return cannotWriteIn(parent);
    }
    return {};
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
    outcome.error = writeArchive(fs, data, temporary, outcome.path);
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
    outcome.error = unpackingError(BackupReader(fs, QString::fromStdString(archive)).unpackInto(unpacked.path()),
                                   archive, parent);
    if (!outcome.error.empty())
        return outcome;
    if (!holdsADataDirectory(unpacked.path())) {
        outcome.error = notABackup(archive);
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
        outcome.error = "Impossibile mettere da parte i dati attuali nella cartella "
            + QDir::toNativeSeparators(aside).toStdString();
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
