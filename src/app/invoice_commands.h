// The commands of the main window that move invoices between the window and
// the book: the year switch, "<---", "--->", "Nuova" and "Salva". Each asks
// its questions, calls the archive, then tells the user what happened.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"
#include "ui/dialogs.h"

#include <string>

namespace tessaro::app {

// The year field changed (typed or set by a step): the year switch when it
// holds exactly four characters.
void yearChanged(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);
void previousInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                     const Clock& clock); // "<---"
void nextInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                 const Clock& clock); // "--->"
// Shows invoice n of the book as "<---" and "--->" do: the number field
// " n", the stored invoice, and the new-slot rule from N on.
void showInvoice(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs, int number);
void newInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                const Clock& clock); // "Nuova"
// "Salva": stores the invoice, registers its client, and from the first free
// number on moves the window to the next one. An invoice that looks wrong
// (see save_checks.h) is stored only when the user says so.
void saveInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

// Before a command lets the invoice on screen go: when something was typed
// since it was loaded or saved, asks "Salvare le modifiche alla fattura n.
// ...?". Yes saves it (a save stopped or failed keeps it on screen), No lets it
// go, Cancel keeps it. True when the command may go on.
bool mayLeaveInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);

// Puts back an operation a crash left unfinished, before anything is read,
// and tells the user which one in an "ATTENZIONE" box. A journal that still
// cannot be put back is told once, not at every year switch.
void recoverUnfinishedOperation(archive::AppState& state, ui::Dialogs& dialogs);

// The "ATTENZIONE" box of a command stopped by a file that failed: what was
// not done, then which file could not be used and how.
void reportFailure(ui::Dialogs& dialogs, const std::string& whatFailed, const archive::IoError& error);
// What failed when a book could not be read in, for every command that switches or reloads it.
std::string yearNotLoadedText(const std::string& year);

} // namespace tessaro::app
