#include "app/backup_commands.h"

#include "app/backup.h"
#include "app/command_context.h"
#include "app/invoice_commands.h"
#include "archive/box_titles.h"
#include "archive/journal_file.h"
#include "archive/settings.h"
#include "ui/main_window.h"

#include <QDir>
#include <QFileInfo>

namespace tessaro::app {

namespace {

std::string nativePath(const std::string& path)
{
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toStdString();
}

// An unfinished operation is put back first; one that cannot be stops the command.
bool noOperationPending(archive::AppState& state, ui::Dialogs& dialogs, const std::string& notDone)
{
    recoverUnfinishedOperation(state, dialogs);
    if (!state.dataDir.exists(archive::JournalFileName))
        return true;
    dialogs.message(notDone + "\nL'ultima operazione non è terminata e i dati non sono ancora stati riportati a prima.",
                    archive::AttentionTitle, ui::Buttons::Ok);
    return false;
}

} // namespace

void makeBackup(archive::AppState& state, ui::Dialogs& dialogs, const QDateTime& now)
{
    const std::string notDone = "La copia di sicurezza non è stata scritta.";
    if (!noOperationPending(state, dialogs, notDone))
        return;
    const std::string folder = dialogs.chooseFolder("Copia di sicurezza", QDir::homePath().toStdString());
    if (folder.empty())
        return;
    BackupOutcome outcome;
    {
        ui::BusyPointer busy(dialogs);
        outcome = writeBackup(state.dataDir.fs(), state.dataDir.path(), folder, now.date());
    }
    if (!outcome.done) {
        dialogs.message(notDone + "\n" + outcome.error, archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    dialogs.message("La copia di sicurezza della cartella dati è stata scritta nel file\n" + nativePath(outcome.path),
                    BackupTitle, ui::Buttons::Ok);
}

bool restoreBackup(archive::AppState& state, ui::Dialogs& dialogs, const QDateTime& now)
{
    const std::string notDone = "La copia di sicurezza non è stata ripristinata.";
    if (!noOperationPending(state, dialogs, notDone))
        return false;
    const std::string archive
        = dialogs.openFileName("Ripristina copia di sicurezza", QDir::homePath().toStdString(), BackupFilter);
    if (archive.empty())
        return false;
    const std::string aside = asideFolder(state.dataDir.path(), now);
    // The names in quotes, as the program's other messages quote what they
    // name within a sentence: the full stop is not part of the folder.
    if (dialogs.message("Siete sicuri di voler ripristinare la copia di sicurezza \""
                            + QFileInfo(QString::fromStdString(archive)).fileName().toStdString()
                            + "\"? I dati attuali saranno messi da parte nella cartella \"" + nativePath(aside) + "\".",
                        archive::AttentionTitle, ui::Buttons::OkCancel)
        != ui::Answer::Ok)
        return false;
    BackupOutcome outcome;
    {
        ui::BusyPointer busy(dialogs);
        outcome = app::restoreBackup(state.dataDir.fs(), state.dataDir.path(), archive, now);
    }
    if (!outcome.done) {
        dialogs.message(notDone + "\n" + outcome.error, archive::AttentionTitle, ui::Buttons::Ok);
        return false;
    }
    dialogs.message("La copia di sicurezza è stata ripristinata. I dati di prima sono nella cartella\n"
                        + nativePath(outcome.path),
                    RestoreTitle, ui::Buttons::Ok);
    return true;
}

void reloadAfterRestore(CommandContext& context)
{
    archive::AppState& state = context.state;
    recoverUnfinishedOperation(state, context.dialogs);
    archive::adoptStartupSettings(state, archive::loadStartupSettings(state.dataDir));
    state.nextNumber = 0;
    state.loadedBook.clear();
    state.loadedYear.clear();
    context.applyModes();
    context.window.showIssuer(state.currentIssuerRecord);
    context.perform([&context] {
        archive::InvoiceForm& form = context.form;
        form.year = std::to_string(context.clock.currentYear());
        // The data on disk are the restored ones: nothing typed before belongs to them.
        form.unchanged.reset();
        yearChanged(form, context.state, context.dialogs, context.clock);
    });
    if (state.issuerCount == 0)
        context.openIssuerWindow();
}

} // namespace tessaro::app
