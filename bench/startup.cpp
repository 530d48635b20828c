#include "bench/startup.h"

#include "app/clock.h"
#include "app/main_controller.h"
#include "bench/fixture.h"
#include "bench/measure.h"
#include "ui/app_font.h"
#include "ui/main_window.h"
#include "ui/scripted_dialogs.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <cstdio>

namespace tessaro::bench {

namespace {

int reportShown()
{
    QCoreApplication::processEvents();
    std::printf("shown %ld\n", peakResidentKiB());
    std::fflush(stdout);
    return 0;
}

} // namespace

int runProgramStartup(int argc, char* argv[], const char* dataDir)
{
    QApplication app(argc, argv);
    ui::installProgramLook(); // as the program does before its first window
    const app::FixedClock clock(FullBookYear);
    ui::ScriptedDialogs dialogs;
    app::MainController controller(dataDir, clock, &dialogs);
    if (!controller.start())
        return 1;
    controller.window().show();
    return reportShown();
}

int runBareStartup(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ui::installProgramLook(); // as the program does before its first window
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Esci dal programma"));
    window.resize(800, 600);
    window.show();
    return reportShown();
}

} // namespace tessaro::bench
