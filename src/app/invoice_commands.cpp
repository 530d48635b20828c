#include "app/invoice_commands.h"

#include "app/save_checks.h"
#include "archive/box_titles.h"
#include "archive/clients.h"
#include "archive/codepage.h"
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

void yearChanged(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    if (!archive::isBookYear(form.year))
        return;
    // What was typed belongs to the book loaded before the year changed: it is saved there, if at all.
    if (archive::hasUnsavedChanges(form) && !state.loadedYear.empty()) {
        const std::string typedYear = form.year;
        form.year = state.loadedYear;
        if (!mayLeaveInvoice(form, state, dialogs, clock)) {
            form.focusField = "txtanno";
            return;
        }
        form.year = typedYear;
    }
    recoverUnfinishedOperation(state, dialogs);
    if (archive::Status status = archive::switchYear(form, state); !status)
        reportFailure(dialogs, yearNotLoadedText(form.year), status.error());
}

void previousInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    const int number = archive::invoiceNumber(form.number);
    if (number < 2 || !mayLeaveInvoice(form, state, dialogs, clock))
        return;
    showInvoice(form, state, dialogs, number - 1);
}

void nextInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    const int number = archive::invoiceNumber(form.number);
    if (number < 1 || number + 1 > state.nextNumber || !mayLeaveInvoice(form, state, dialogs, clock))
        return;
    // A save of the first free number moves N on, so the target is the one counted before it.
    showInvoice(form, state, dialogs, number + 1);
}

void newInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    if (archive::hasUnsavedChanges(form)) {
        // The question about the changes replaces the warning: whatever the answer, it was asked.
        if (!mayLeaveInvoice(form, state, dialogs, clock))
            return;
    } else {
        const ui::Answer answer
            = dialogs.message(std::string("Siete sicuri di voler cancellare tutti i campi di ")
                                  + (state.onNotices() ? "questo avviso di parcella" : "questa fattura")
                                  + "? I dati saranno persi se successivamente si preme 'salva'.",
                              archive::AttentionTitle, ui::Buttons::OkCancel);
        if (answer != ui::Answer::Ok)
            return;
    }
    archive::clearInvoice(form, state);
    form.extraLines = archive::ExtraLinesRecord {};
}

bool mayLeaveInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    if (!archive::hasUnsavedChanges(form))
        return true;
    const std::string number(archive::trimBlanks(form.number));
    const char* document = state.onNotices() ? "all'avviso di parcella n. " : "alla fattura n. ";
    switch (dialogs.message(std::string("Salvare le modifiche ") + document + number + "?", archive::AttentionTitle,
                            ui::Buttons::YesNoCancel)) {
    case ui::Answer::Yes:
        saveInvoice(form, state, dialogs, clock);
        return !archive::hasUnsavedChanges(form);
    case ui::Answer::No:
        return true;
    default:
        return false;
    }
}

void saveInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
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
    if (number < 1) {
        dialogs.message("Le fatture sono numerate da 1 in poi: con il numero "
                            + std::string(archive::trimBlanks(form.number)) + " la fattura non è stata salvata.",
                        archive::AttentionTitle, ui::Buttons::Ok);
        form.focusField = "txtnum";
        return;
    }
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
    if (const std::vector<std::string> problems = invoiceProblems(form, state, clock.today()); !problems.empty()) {
        std::string text = "Prima di salvare la fattura n. " + std::to_string(number) + ", controllare:";
        for (const std::string& problem : problems)
            text += "\n- " + problem;
        if (dialogs.message(text + "\n\nSalvarla comunque?", archive::AttentionTitle, ui::Buttons::YesNo)
            != ui::Answer::Yes)
            return;
    }
    // A number typed over the one shown would put this invoice in place of another one already stored.
    if (form.unchanged && number < state.nextNumber && number != archive::invoiceNumber(form.unchangedNumber)) {
        if (dialogs.message("La fattura n. " + std::to_string(number)
                                + " è già salvata: sarà sostituita da quella sullo schermo. Continuare?",
                            archive::AttentionTitle, ui::Buttons::YesNo)
            != ui::Answer::Yes)
            return;
    }
    if (const std::string gap = gapQuestion(number, state.nextNumber); !gap.empty()) {
        if (dialogs.message(gap, archive::AttentionTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
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
    dialogs.message(state.onNotices() ? "          AVVISO DI PARCELLA SALVATO    " : "          FATTURA SALVATA    ",
                    archive::DoneTitle, ui::Buttons::Ok);
    if (archive::clientArchiveFull(state))
        dialogs.message("L'archivio dei clienti è pieno: il cliente di questa fattura non è stato aggiunto.",
                        archive::AttentionTitle, ui::Buttons::Ok);
}

} // namespace tessaro::app
