#include "app/book_commands.h"

#include "app/invoice_commands.h"
#include "archive/box_titles.h"
#include "archive/income_settings.h"
#include "archive/lifecycle.h"
#include "archive/maintenance.h"
#include "archive/notices.h"
#include "archive/withholdings.h"
#include "calc/text.h"
#include "einvoice/einvoice_files.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace tessaro::app {

namespace {

std::string fourDigitYear(int year)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", year);
    return text;
}

// Whether a notice names the stored invoice as the one it became.
bool issuedFromNotice(const archive::InvoiceForm& form, const archive::AppState& state, int number)
{
    if (state.onNotices() || number >= state.nextNumber)
        return false;
    const auto marks
        = archive::noticeMarksAfter(state.dataDir, state.currentIssuer, archive::bookYearNumber(form.year), number, -1);
    return marks.ok()
        && std::any_of(marks.value().begin(), marks.value().end(),
                       [](const archive::NoticeMarkChange& change) { return !change.mark.invoiced(); });
}

} // namespace

void insertInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    const int number = archive::invoiceNumber(form.number);
    if (number < 1 || number > state.nextNumber)
        return;
    if (number == state.nextNumber) {
        dialogs.message(state.onNotices() ? "Ti trovi nell'ultimo avviso di parcella dell'anno"
                                          : "Ti trovi nell'ultima fattura dell'anno",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    if (state.nextNumber >= archive::MaxNextNumber) {
        dialogs.message("Non è possibile inserire altre fatture: l'anno contiene già il numero massimo di fatture ("
                            + std::to_string(archive::MaxInvoiceNumber) + ").",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    // The empty invoice takes the place of the one on screen, and a save keeps the window on it.
    if (!mayLeaveInvoice(form, state, dialogs, clock))
        return;
    if (archive::Status status = archive::insertInvoice(form, state, number); !status)
        reportFailure(dialogs, "La fattura non è stata inserita.", status.error());
}

void deleteInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    const int number = archive::invoiceNumber(form.number);
    if (number < 1 || number > state.nextNumber)
        return;
    std::string question = state.onNotices() ? "Siete sicuri di voler cancellare l'avviso di parcella corrente?"
                                             : "Siete sicuri di voler cancellare la fattura corrente?";
    if (issuedFromNotice(form, state, number))
        question += "\nLa fattura è stata emessa da un avviso di parcella, che tornerà da fatturare.";
    if (dialogs.message(question, archive::AttentionTitle, ui::Buttons::OkCancel) != ui::Answer::Ok)
        return;
    if (number == state.nextNumber) {
        // Nothing is stored at the first free number: only the window is emptied.
        archive::clearInvoice(form, state);
        return;
    }
    if (archive::Status status = archive::deleteInvoice(form, state, number); !status)
        reportFailure(dialogs, "La fattura non è stata cancellata.", status.error());
}

void deleteYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    const std::string answer
        = dialogs.input("Indicare l'anno di cui si vogliono cancellare le fatture.", "CANCELLA FATTURE", "");
    if (dialogs.message("Siete sicuri di voler cancellare? Le fatture dell'anno specificato saranno perse.",
                        archive::AttentionTitle, ui::Buttons::OkCancel)
        != ui::Answer::Ok)
        return;
    // The year becomes part of a file name: only a year the program could
    // have made names a book.
    const std::string year(calc::trimBlanks(answer));
    if (!calc::isFourDigitYear(year))
        return;
    // The current year's book replaces the one on screen; what was typed in a
    // book that is not deleted may still be saved there.
    if (year != state.loadedYear && !mayLeaveInvoice(form, state, dialogs, clock))
        return;
    if (archive::Status status = archive::deleteYear(state, year); !status) {
        // A year without its files has nothing to delete; a file that stays is worth telling.
        if (!archive::isMissingFile(state.dataDir, status.error()))
            reportFailure(dialogs, "Le fatture dell'anno " + year + " non sono state cancellate.", status.error());
        return;
    }
    form.year = fourDigitYear(clock.currentYear());
    if (archive::Status status = archive::switchYear(form, state); !status) {
        reportFailure(dialogs, yearNotLoadedText(form.year), status.error());
        return;
    }
    dialogs.message("     FATTO     ", "ELIMINAZIONE FATTURE", ui::Buttons::Ok);
}

bool resetAll(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    form.focusField.clear();
    if (dialogs.message("Siete sicuri di voler cancellare l'archivio dei soggetti che emettono le fatture, con le "
                        "relative fatture? Tutti i dati saranno persi.",
                        archive::AttentionTitle, ui::Buttons::OkCancel)
        != ui::Answer::Ok)
        return false;
    // The e-invoice data, the income settings and the certificates typed
    // follow the issuer numbers: left behind, they would pass to the next
    // issuer saved as number 1.
    if (archive::Status status
        = archive::resetAll(state,
                            {einvoice::issuerDataFile(state.dataDir), einvoice::stampDutyFile(state.dataDir),
                             einvoice::newInvoiceFile(state.dataDir), einvoice::paymentDefaultsFile(state.dataDir),
                             archive::incomeSettingsFile(state.dataDir), archive::certificateFile(state.dataDir)});
        !status) {
        reportFailure(dialogs, "L'azzeramento non è stato completato.", status.error());
        return false;
    }
    dialogs.message("FATTO. OCCORRE INSERIRE, ORA, UN NUOVO NOMINATIVO CHE EMETTE LA FATTURA", archive::AttentionTitle,
                    ui::Buttons::Ok);
    return true;
}

} // namespace tessaro::app
