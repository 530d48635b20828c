// Where the user manual (an HTML page readable without the program) is found,
// for the "Manuale d'uso" window.
#pragma once

#include <QString>

namespace tessaro::app {

// index.html of the installed manual: beside the running program when that was
// installed (whatever the prefix), otherwise where `cmake --install` puts it.
QString installedManualPath();

// index.html in the source tree when the program runs from its build tree and
// the sources are still there; empty otherwise.
QString sourceManualPath();

// The first of the two that exists on disk, empty when neither does.
QString availableManualPath();

} // namespace tessaro::app
