#include "bench/startup.h"

#include "app/clock.h"
#include "app/main_controller.h"
#include "bench/fixture.h"
#include "bench/measure.h"
#include "ui/main_window.h"
#include "ui/scripted_dialogs.h"

#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenuBar>

#include <cstdio>

namespace tessaro::bench {

namespace {

// The fonts the program sets before its first window.
void useDialogFont()
{
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSizeF(8.25);
    QApplication::setFont(dialogFont);
}

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
    useDialogFont();
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
    useDialogFont();
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Esci dal programma"));
    window.resize(800, 600);
    window.show();
    return reportShown();
}

} // namespace tessaro::bench
