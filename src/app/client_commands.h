// The client archive as the main window uses it: the list Cmbclienti, the
// client picked from it, and "Azzera archivio clienti". Registering the
// client of a saved invoice belongs to "Salva".
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::app {

// "Carica archivio clienti": the entries of Cmbclienti, " " first and then
// every stored surname as it is stored, or nothing when the list must stay as it is.
std::optional<std::vector<std::string>> loadClientList(archive::AppState& state, ui::Dialogs& dialogs);
// Entry k of Cmbclienti was selected: 0 empties the client fields but the
// title, k >= 1 copies client record k into them.
void pickClient(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, int index);
// The client block holds a client typed since the invoice was loaded or
// saved, which a client picked from the list would replace.
bool clientTyped(const archive::InvoiceForm& form);
// "Azzera archivio clienti".
void deleteClientArchive(archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
