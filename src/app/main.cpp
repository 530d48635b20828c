#include "app/clock.h"
#include "app/data_location.h"
#include "app/main_controller.h"
#include "app/translations.h"
#include "ui/app_font.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    tessaro::ui::chooseFontEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessaro")));

    // Without the catalogue the dialogs Qt draws itself stay in English; the program still works.
    tessaro::app::installItalianTranslations(app);
    tessaro::ui::installProgramLook();

    const tessaro::app::DataLocation data = tessaro::app::startingDataDirectory();
    if (!data.error.empty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Tessaro"), QString::fromStdString(data.error));
        return 1;
    }
    const tessaro::app::Clock clock;
    tessaro::app::MainController controller(data.path, clock);
    if (!controller.start())
        return 0;
    controller.window().show();
    return QApplication::exec();
}
