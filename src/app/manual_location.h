// Where the user manual (an HTML page readable without the program) is found,
// for "Manuale d'uso".
#pragma once

#include <QString>
#include <QStringList>

namespace tessaro::app {

// Every index.html the manual may be, in the order they are tried: in the
// sources when the program runs from their build tree, otherwise beside the
// running program as `cmake --install` lays it out (whatever the prefix, the
// Debian package's /usr included); then under the configured prefix.
QStringList manualCandidates();

// The first candidate that is a file, empty when none is.
QString availableManualPath();

} // namespace tessaro::app
