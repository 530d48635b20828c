#include "app/invoice_commands.h"

#include "archive/box_titles.h"
#include "archive/clients.h"
#include "archive/lifecycle.h"
#include "archive/recovery.h"

#include <string>

namespace tessaro::app {

void reportFailure(ui::Dialogs& dialogs, const std::string& whatFailed, const archive::IoError& error)
{
    dialogs.message(whatFailed + "\n" + error.describe(), archive::AttentionTitle, ui::Buttons::Ok);
}

// Loads into a copy first, so a failed read leaves the window as it was.
void showInvoice(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs, int number)
{
    archive::InvoiceForm shown = form;
    shown.number = " " + std::to_string(number);
    if (archive::Status status = archive::loadInvoice(shown, state, number); !status) {
        reportFailure(dialogs, "Non è stato possibile caricare la fattura " + std::to_string(number) + ".",
                      status.error());
        return;
    }
    form = std::move(shown);
}

void recoverUnfinishedOperation(archive::AppState& state, ui::Dialogs& dialogs)
{
    const archive::Recovery recovery = archive::recoverJournal(state.dataDir);
    const bool failed = recovery.outcome == archive::Recovery::Outcome::Failed;
    const bool toldAlready = failed && state.recoveryFailed;
    state.recoveryFailed = failed;
    if (recovery.outcome == archive::Recovery::Outcome::Nothing || toldAlready)
        return;
    dialogs.message(archive::recoveryMessage(recovery), archive::AttentionTitle, ui::Buttons::Ok);
}

std::string yearNotLoadedText(const std::string& year)
{
    return "Non è stato possibile caricare le fatture dell'anno " + year + ".";
}

void yearChanged(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    if (archive::isBookYear(form.year))
        recoverUnfinishedOperation(state, dialogs);
    if (archive::Status status = archive::switchYear(form, state); !status)
        reportFailure(dialogs, yearNotLoadedText(form.year), status.error());
}

void previousInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    const int number = archive::invoiceNumber(form.number);
    if (number < 2)
        return;
    showInvoice(form, state, dialogs, number - 1);
}

void nextInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    const int number = archive::invoiceNumber(form.number);
    if (number < 1 || number + 1 > state.nextNumber)
        return;
    showInvoice(form, state, dialogs, number + 1);
}

void newInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    const ui::Answer answer
        = dialogs.message("Siete sicuri di voler cancellare tutti i campi di questa fattura? I dati saranno persi se "
                          "successivamente si preme 'salva'.",
                          archive::AttentionTitle, ui::Buttons::OkCancel);
    if (answer != ui::Answer::Ok)
        return;
    archive::clearInvoice(form, state);
    form.extraLines = archive::ExtraLinesRecord {};
}

void saveInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    // A year of any other length names no book the window has loaded: N would belong to another book.
    if (!archive::isBookYear(form.year)) {
        dialogs.message("Inserire l'anno di emissione della fattura", archive::AttentionTitle, ui::Buttons::Ok);
        form.focusField = "txtanno";
        return;
    }
    if (form.number.empty()) {
        dialogs.message("Indicare il numero della fattura", archive::AttentionTitle, ui::Buttons::Ok);
        form.focusField = "txtnum";
        return;
    }
    const int number = archive::invoiceNumber(form.number);
    if (number < 1)
        return;
    if (number > archive::MaxInvoiceNumber) {
        dialogs.message("Il numero della fattura non può superare " + std::to_string(archive::MaxInvoiceNumber) + ".",
                        archive::AttentionTitle, ui::Buttons::Ok);
        form.focusField = "txtnum";
        return;
    }
    if (!archive::pensionFitsRecord(form.pension)) {
        dialogs.message("Per la percentuale della Cassa Nazionale si può memorizzare una sola cifra (da 0 a 9).",
                        archive::AttentionTitle, ui::Buttons::Ok);
        form.focusField = "txtcn";
        return;
    }
    const auto nextBefore = state.nextNumber;
    if (archive::Status status = archive::saveInvoice(form, state, number); !status) {
        // Only the read of the next free number comes after the counter has moved on.
        const bool stored = state.nextNumber != nextBefore;
        reportFailure(dialogs,
                      stored ? "La fattura è stata salvata, ma non è stato possibile mostrare la fattura successiva."
                             : "La fattura non è stata salvata.",
                      status.error());
        return;
    }
    dialogs.message("          FATTURA SALVATA    ", archive::DoneTitle, ui::Buttons::Ok);
    if (archive::clientArchiveFull(state))
        dialogs.message("L'archivio dei clienti è pieno: il cliente di questa fattura non è stato aggiunto.",
                        archive::AttentionTitle, ui::Buttons::Ok);
}

} // namespace tessaro::app
