// "Salva fattura in PDF": the page "Stampa" prints, laid out by the same
// routine and drawn by the same PDF back end as the printing without a
// printer, into a file the user chooses. No printer is involved, so the file
// is the same on every machine.
#pragma once

#include "archive/app_state.h"
#include "archive/box_titles.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

#include <string>

namespace tessaro::app {

inline constexpr const char* PdfSaveTitle = "Salva fattura in PDF";
inline constexpr const char* PdfFilter = "PDF (*.pdf)";
inline constexpr const char* PdfSavedTitle = archive::DoneTitle;

// Proposes "fattura-<issuer>-<year>-<number>.pdf" in the data directory; a
// cancelled dialog writes nothing. A file that already exists is replaced
// only when the user says so, and only once the new one is complete.
void saveInvoicePdf(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

// The chosen name with ".pdf" added when it has no such ending.
std::string withPdfSuffix(const std::string& path);

// Whether the file at path may be written: yes when there is none, else the
// user's answer to "Il file «name» esiste già. Sostituirlo?". Asked here, on
// the name that will be written, since the save dialog sees the name before
// its ending is added; the save dialog itself does not ask.
bool mayReplace(const std::string& path, ui::Dialogs& dialogs);

} // namespace tessaro::app
