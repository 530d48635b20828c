// "Copia di sicurezza..." and "Ripristina copia di sicurezza..." of the menu
// "File": the whole data directory into one archive kept elsewhere, and one
// put back after a confirmation, the current files set aside first.
#pragma once

#include "archive/app_state.h"
#include "ui/dialogs.h"

#include <QDateTime>

namespace tessaro::app {

struct CommandContext;

inline constexpr const char* BackupTitle = "COPIA DI SICUREZZA";
inline constexpr const char* RestoreTitle = "RIPRISTINO COPIA DI SICUREZZA";
inline constexpr const char* BackupFilter = "Copie di sicurezza (*.tar.gz)";

// Made only with no unfinished operation waiting to be put back, so the copy
// is of data as an operation left them whole.
void makeBackup(archive::AppState& state, ui::Dialogs& dialogs, const QDateTime& now);
// True when the copy was put back: the settings, the issuer and the book on
// screen must then be read again.
bool restoreBackup(archive::AppState& state, ui::Dialogs& dialogs, const QDateTime& now);

// The run goes on with the data just put back, as a start on them would.
void reloadAfterRestore(CommandContext& context);

} // namespace tessaro::app
