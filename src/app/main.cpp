#include "app/clock.h"
#include "app/main_controller.h"
#include "app/translations.h"
#include "ui/app_font.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessaro")));

    // Without the catalogue the dialogs Qt draws itself stay in English; the program still works.
    tessaro::app::installItalianTranslations(app);
    tessaro::ui::installProgramLook();

    // The data directory is the directory the program was started in.
    const tessaro::app::Clock clock;
    tessaro::app::MainController controller(QDir::currentPath().toStdString(), clock);
    if (!controller.start())
        return 0;
    controller.window().show();
    return QApplication::exec();
}
