// The data directory a run starts on.
//
// On Linux it is the directory the program is started in: the launcher
// starts it in ~/Tessaro (or $TESSARO_DATA). Windows starts a program from the
// Start menu in its own folder under Program Files, which the user cannot
// write, so there the program goes itself to Documents\Tessaro, or to the
// folder named by TESSARO_DATA, making it when missing.
#pragma once

#include <string>

namespace tessaro::app {

struct DataLocation {
    std::string path; // the data directory, also made the current directory
    std::string error; // why there is none, for the user
};

DataLocation startingDataDirectory();

} // namespace tessaro::app
