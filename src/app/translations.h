// Qt's own texts (the file dialogs, the print dialog, the standard buttons)
// in Italian, like the rest of the program, whatever language the system is in.
#pragma once

class QCoreApplication;

namespace tessaro::app {

// Makes Italian the default locale and installs Qt's Italian catalogue from
// Qt's translations folder. False when the catalogue is missing or cannot be
// read: the program then runs with Qt's English texts.
bool installItalianTranslations(QCoreApplication& app);

} // namespace tessaro::app
