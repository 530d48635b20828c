#include "app/clock.h"
#include "app/main_controller.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessaro")));

    // The windows are laid out for the classic 8.25-point dialog font.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSizeF(8.25);
    QApplication::setFont(dialogFont);

    // The data directory is the directory the program was started in.
    const tessaro::app::Clock clock;
    tessaro::app::MainController controller(QDir::currentPath().toStdString(), clock);
    if (!controller.start())
        return 0;
    controller.window().show();
    return QApplication::exec();
}
