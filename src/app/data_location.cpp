#include "app/data_location.h"

#include <QDir>
#include <QStandardPaths>

namespace tessaro::app {

DataLocation startingDataDirectory()
{
    DataLocation location;
#ifdef Q_OS_WIN
    QString dir = qEnvironmentVariable("TESSARO_DATA");
    if (dir.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty()) {
            location.error
                = "Impossibile trovare la cartella Documenti: indicare la cartella dei dati in TESSARO_DATA.";
            return location;
        }
        dir = documents + QStringLiteral("/Tessaro");
    }
    dir = QDir(dir).absolutePath();
    // Files written relative to the current directory (the dialogs' first
    // folder among them) land in the data directory, as on Linux.
    if (!QDir().mkpath(dir) || !QDir::setCurrent(dir)) {
        location.error = "Impossibile creare la cartella dei dati " + QDir::toNativeSeparators(dir).toStdString() + ".";
        return location;
    }
    location.path = QDir::toNativeSeparators(dir).toStdString();
#else
    location.path = QDir::currentPath().toStdString();
#endif
    return location;
}

} // namespace tessaro::app
