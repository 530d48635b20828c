// What a start-up child runs: the program's own start sequence on a prepared
// data folder, or a bare main window with a menu bar to compare it with.
#pragma once

namespace tessaro::bench {

// Both write "shown <peak KiB>" to stdout once the window is on screen, then return the exit code.
int runProgramStartup(int argc, char* argv[], const char* dataDir);
int runBareStartup(int argc, char* argv[]);

} // namespace tessaro::bench
