#include "app/client_commands.h"

#include "app/invoice_commands.h"
#include "archive/book.h"
#include "archive/box_titles.h"
#include "archive/clients.h"
#include "archive/codepage.h"
#include "archive/settings.h"

namespace tessaro::app {

std::optional<std::vector<std::string>> loadClientList(archive::AppState& state, ui::Dialogs& dialogs)
{
    ui::BusyPointer busy(dialogs);
    auto count = archive::readClientCount(state.dataDir);
    if (!count) {
        reportFailure(dialogs, "Non è stato possibile caricare l'archivio dei clienti.", count.error());
        return std::nullopt;
    }
    std::vector<std::string> entries {" "};
    if (count.value() <= 0) {
        state.clientCount = count.value();
        dialogs.message("L'ARCHIVIO DEI CLIENTI E' VUOTO", archive::AttentionTitle, ui::Buttons::Ok);
        return entries;
    }
    auto surnames = archive::readClientSurnames(state.dataDir, count.value());
    if (!surnames) {
        reportFailure(dialogs, "Non è stato possibile caricare l'archivio dei clienti.", surnames.error());
        return std::nullopt;
    }
    state.clientCount = count.value();
    entries.insert(entries.end(), surnames.value().begin(), surnames.value().end());
    return entries;
}

void pickClient(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, int index)
{
    form.focusField.clear();
    if (index < 0)
        return;
    if (index == 0) {
        const std::string title = form.client.title;
        form.client = archive::PartyRecord {};
        form.client.title = title;
        return;
    }
    auto client = archive::readClient(state.dataDir, index);
    if (!client) {
        reportFailure(dialogs, "Non è stato possibile leggere il cliente scelto.", client.error());
        return;
    }
    form.client = client.value();
}

void deleteClientArchive(archive::AppState& state, ui::Dialogs& dialogs)
{
    if (dialogs.message("Siete sicuri di voler cancellare l'archivio dei clienti? Tutti i dati saranno persi.",
                        archive::AttentionTitle, ui::Buttons::OkCancel)
        != ui::Answer::Ok)
        return;
    if (archive::Status status = archive::deleteClientArchive(state.dataDir); !status) {
        // Without an archive there is nothing to delete; one that stays is worth telling.
        if (!archive::isMissingFile(state.dataDir, status.error()))
            reportFailure(dialogs, "L'archivio dei clienti non è stato cancellato.", status.error());
        return;
    }
    state.clientCount = 0;
    dialogs.message("            FATTO    ", "CANCELLAZIONE ARCHIVIO CLIENTI", ui::Buttons::Ok);
}

bool clientTyped(const archive::InvoiceForm& form)
{
    if (!form.unchanged)
        return false;
    const archive::PartyRecord typed = archive::invoiceImage(form).record.client;
    const bool named = !archive::trimBlanks(typed.surname).empty() || !archive::trimBlanks(typed.firstName).empty();
    return named && typed != form.unchanged->record.client;
}

} // namespace tessaro::app
