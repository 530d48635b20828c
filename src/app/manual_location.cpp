#include "app/manual_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tessaro::app {

namespace {

QString applicationDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

bool isInside(const QString& path, const QString& dir)
{
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    const QString canonicalDir = QFileInfo(dir).canonicalFilePath();
    if (canonicalPath.isEmpty() || canonicalDir.isEmpty())
        return false;
    return canonicalPath == canonicalDir || canonicalPath.startsWith(canonicalDir + QLatin1Char('/'));
}

} // namespace

QString installedManualPath()
{
    // The package installs under /usr while a plain `cmake --install` uses the
    // configured prefix: the copy next to the program wins when it is there.
    const QString programDir = applicationDir();
    if (!programDir.isEmpty()) {
        const QString besideProgram
            = QDir::cleanPath(programDir + QLatin1Char('/') + QStringLiteral(TESSARO_MANUAL_FROM_PROGRAM));
        if (QFileInfo::exists(besideProgram))
            return besideProgram;
    }
    return QDir::cleanPath(QStringLiteral(TESSARO_MANUAL_INSTALLED));
}

QString sourceManualPath()
{
    const QString source = QDir::cleanPath(QStringLiteral(TESSARO_MANUAL_SOURCE));
    if (!isInside(applicationDir(), QStringLiteral(TESSARO_BUILD_TREE)) || !QFileInfo::exists(source))
        return {};
    return source;
}

QString availableManualPath()
{
    const QString installed = installedManualPath();
    if (QFileInfo::exists(installed))
        return installed;
    return sourceManualPath();
}

} // namespace tessaro::app
