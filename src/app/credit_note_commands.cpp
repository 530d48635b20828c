#include "app/credit_note_commands.h"

#include "app/invoice_commands.h"
#include "app/notice_commands.h"
#include "archive/box_titles.h"
#include "archive/codepage.h"
#include "archive/credit_notes.h"
#include "archive/lifecycle.h"
#include "calc/numbers.h"

#include <span>
#include <string>

namespace tessaro::app {

namespace {

// The first stored credit note of the book that cancels invoice `number`; 0
// when none does, or when the marks cannot be read (the note is then simply prepared).
int creditNoteOf(const archive::InvoiceForm& form, const archive::AppState& state, int number)
{
    const int stored = state.nextNumber - 1;
    const auto records = archive::readCreditNoteRecords(archive::currentBook(form, state), stored);
    if (!records)
        return 0;
    const std::string wanted = std::to_string(number);
    for (int n = 1; n <= stored; ++n) {
        const auto bytes = std::span(records.value())
                               .subspan(static_cast<std::size_t>(n - 1) * archive::CreditNoteRecordSize)
                               .first<archive::CreditNoteRecordSize>();
        if (!archive::isCreditNoteRecord(bytes))
            continue;
        const archive::CreditNoteMark mark = archive::decodeCreditNote(bytes);
        if (archive::trimBlanks(mark.refNumber) == wanted && archive::trimBlanks(mark.refYear) == form.year)
            return n;
    }
    return 0;
}

} // namespace

void prepareCreditNote(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    if (refusedOnNotices(state, dialogs, NoticeIsNoInvoiceText))
        return;
    const int number = archive::invoiceNumber(form.number);
    if (!archive::isBookYear(form.year) || number < 1 || number >= state.nextNumber) {
        dialogs.message("Per preparare una nota di credito mostrare prima la fattura salvata da stornare.",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    if (state.nextNumber > archive::MaxInvoiceNumber) {
        dialogs.message("Le fatture del " + form.year
                            + " sono al numero massimo: non c'è posto per la nota di credito.",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    // What is cancelled is the invoice as stored (and sent): edits on screen are saved first or let go.
    if (!mayLeaveInvoice(form, state, dialogs, clock))
        return;
    archive::InvoiceForm note = form;
    if (archive::Status status = archive::loadInvoice(note, state, number); !status) {
        reportFailure(dialogs, "Non è stato possibile preparare la nota di credito.", status.error());
        return;
    }
    if (note.creditNote.isCreditNote) {
        dialogs.message("La fattura n. " + std::to_string(number)
                            + " è già una nota di credito: si può stornare solo una fattura.",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    if (const int earlier = creditNoteOf(form, state, number); earlier > 0) {
        if (dialogs.message("La fattura n. " + std::to_string(number) + " è già stornata dalla nota di credito n. "
                                + std::to_string(earlier) + ". Preparare un'altra nota di credito?",
                            archive::AttentionTitle, ui::Buttons::YesNo)
            != ui::Answer::Yes)
            return;
    }
    note.creditNote = {true, std::to_string(number), std::string(archive::trimBlanks(note.day)),
                       std::string(archive::trimBlanks(note.month)), form.year};
    note.number = std::to_string(state.nextNumber);
    if (const CalendarDay today = clock.today(); std::to_string(today.year) == form.year) {
        // Two digits, as the record keeps them: "8" would come back as "8 ".
        note.day = calc::twoDigits(today.day);
        note.month = calc::twoDigits(today.month);
    }
    form = std::move(note);
    dialogs.message("Nota di credito n. " + form.number + " a storno della fattura n. " + std::to_string(number)
                        + " del " + archive::referredDate(form.creditNote)
                        + ".\nControllare i dati e premere \"Salva\" per memorizzarla.",
                    "Nota di credito", ui::Buttons::Ok);
}

} // namespace tessaro::app
