// "Importa ricevute SdI...": the receipts of the exchange system, chosen as
// files, a folder or the ZIP the tax portal hands out, read and taken into
// the histories of the invoices whose files they answer; one box tells what
// came of them.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

#include <string>
#include <vector>

namespace tessaro::app {

inline constexpr const char* ReceiptsTitle = "RICEVUTE SdI";

// The files and folders to read, as the user chose them; empty when cancelled.
std::vector<std::string> chooseReceipts(ui::Dialogs& dialogs);

// Reads the receipts of `paths` and records them; the form's title state follows.
void importReceipts(const std::vector<std::string>& paths, archive::InvoiceForm& form, archive::AppState& state,
                    ui::Dialogs& dialogs);
// The command of the menu: chooses, then imports.
void importReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

} // namespace tessaro::app
