// The program on a data directory, driven as a user would, for a test that
// kills it: started, then one command run, telling "go" before the command
// and "done" after it. "check" only starts it (which puts back what a crash
// left), "wait" starts it and waits to be killed.
//
//     tessaro_crash_driver DIR insert|delete|save|check|wait
#include "program.h"

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <cstring>

using namespace tessaro;

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    QApplication application(argc, argv);
    robustness::Program program(argv[1]);
    if (!program.start()) {
        const auto warnings = program.warnings();
        std::printf("refused %s\n", warnings.empty() ? "" : warnings.back().c_str());
        return 3;
    }
    const char* command = argv[2];
    std::printf("go\n");
    std::fflush(stdout);
    if (std::strcmp(command, "insert") == 0) {
        program.type("txtnum", "1");
        program.menu("mnueins");
    } else if (std::strcmp(command, "delete") == 0) {
        program.type("txtnum", "1");
        program.menu("mnuecanc");
    } else if (std::strcmp(command, "save") == 0) {
        program.type("txtc1", "Nuovo cliente");
        program.type("txtimp1", "100");
        program.click("Command5");
    } else if (std::strcmp(command, "wait") == 0) {
        for (;;)
            QThread::sleep(1);
    }
    std::printf("done\n");
    return 0;
}
