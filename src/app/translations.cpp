#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tessaro::app {

bool installItalianTranslations(QCoreApplication& app)
{
    // Dates and sizes in the file dialogs follow the default locale. The
    // decimal separator of the amounts is taken from the system's locale
    // elsewhere and is not touched by this.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Owned by the application, so it lives as long as the texts it gives.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace tessaro::app
