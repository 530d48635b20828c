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

QStringList manualCandidates()
{
    QStringList candidates;
    const auto add = [&candidates](const QString& path) {
        const QString clean = QDir::cleanPath(path);
        if (!candidates.contains(clean))
            candidates.append(clean);
    };
    // A program run from its build tree reads the manual of its own sources
    // first. Only such a program looks there: an installed one would name a
    // folder of the machine it was built on.
    const QString programDir = applicationDir();
    if (isInside(programDir, QStringLiteral(TESSARO_BUILD_TREE))) {
        add(QStringLiteral(TESSARO_MANUAL_SOURCE));
    } else if (!programDir.isEmpty()) {
        // The package installs under /usr while a plain `cmake --install` uses
        // the configured prefix: the copy next to the program comes first.
        add(programDir + QLatin1Char('/') + QStringLiteral(TESSARO_MANUAL_FROM_PROGRAM));
    }
    add(QStringLiteral(TESSARO_MANUAL_INSTALLED));
    return candidates;
}

QString availableManualPath()
{
    for (const QString& path : manualCandidates()) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace tessaro::app
