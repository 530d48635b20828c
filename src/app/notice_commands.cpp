#include "app/notice_commands.h"

#include "app/invoice_commands.h"
#include "archive/box_titles.h"
#include "archive/lifecycle.h"
#include "archive/notices.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/text.h"

#include <string>

namespace tessaro::app {

namespace {

using archive::AttentionTitle;

void tell(ui::Dialogs& dialogs, const std::string& text)
{
    dialogs.message(text, AttentionTitle, ui::Buttons::Ok);
}

// The refusal of a second invoice, naming the first.
std::string alreadyInvoicedText(int number, const archive::NoticeInvoiced& mark)
{
    return "L'avviso di parcella n. " + std::to_string(number) + " è già stato " + archive::invoicedText(mark)
        + ": non si emette una seconda fattura.";
}

std::string noticeName(int number, const std::string& year)
{
    return "l'avviso di parcella n. " + std::to_string(number) + " del " + year;
}

// The day the notice was paid, as the user gives it; nothing when the
// question is cancelled or the answer refused.
std::optional<calc::Date> askPaymentDate(ui::Dialogs& dialogs, const Clock& clock, int number, calc::Date noticeDate)
{
    const std::string answer = dialogs.input("Data del pagamento dell'avviso di parcella n. " + std::to_string(number)
                                                 + " (gg/mm/aaaa): la fattura avrà questa data.",
                                             IssueInvoiceTitle, calc::dateText(clock.today()));
    const std::string typed(calc::trimBlanks(answer));
    if (typed.empty())
        return std::nullopt;
    const auto paid = calc::parseDateText(typed);
    if (!paid) {
        tell(dialogs,
             "La data del pagamento \"" + typed + "\" non è una data del calendario: scriverla come gg/mm/aaaa.");
        return std::nullopt;
    }
    if (*paid < noticeDate) {
        tell(dialogs,
             "La data del pagamento non può precedere la data dell'avviso di parcella (" + calc::dateText(noticeDate)
                 + ").");
        return std::nullopt;
    }
    return paid;
}

// The window on the invoice just issued, in the invoices' book of its year.
void showIssued(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                const archive::IssuedInvoice& issued, int year)
{
    state.document = archive::Document::Invoices;
    form.unchanged.reset();
    form.year = std::to_string(year);
    if (archive::Status status = archive::switchYear(form, state); !status) {
        reportFailure(dialogs, yearNotLoadedText(form.year), status.error());
        return;
    }
    showInvoice(form, state, dialogs, issued.number);
}

} // namespace

bool refusedOnNotices(const archive::AppState& state, ui::Dialogs& dialogs, const char* text)
{
    if (!state.onNotices())
        return false;
    tell(dialogs, text);
    return true;
}

void chooseDocument(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                    archive::Document document)
{
    form.focusField.clear();
    if (state.document == document)
        return;
    if (!archive::isBookYear(form.year)) {
        tell(dialogs, "Indicare l'anno di quattro cifre, poi scegliere il documento.");
        form.focusField = "txtanno";
        return;
    }
    if (!mayLeaveInvoice(form, state, dialogs, clock))
        return;
    state.document = document;
    form.unchanged.reset();
    yearChanged(form, state, dialogs, clock);
}

IssuedFromNotice issueInvoiceFromNotice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                                        const Clock& clock)
{
    form.focusField.clear();
    if (!state.onNotices()) {
        tell(dialogs,
             "\"Emetti fattura\" emette la fattura di un avviso di parcella pagato: scegliere \"Avvisi di parcella\" "
             "nel menu Documento e mostrare l'avviso.");
        return {};
    }
    const int number = archive::invoiceNumber(form.unchanged ? form.unchangedNumber : form.number);
    if (!archive::isBookYear(form.year) || number < 1 || number >= state.nextNumber) {
        tell(dialogs, "La fattura si emette da un avviso di parcella salvato: salvare prima l'avviso.");
        return {};
    }
    // The invoice is made of the notice as stored: edits are saved first or let go.
    if (!mayLeaveInvoice(form, state, dialogs, clock))
        return {};
    const std::string year(calc::trimBlanks(form.year));
    const archive::BookPaths notices = archive::currentBook(form, state);
    auto mark = archive::readNoticeInvoiced(notices, number);
    if (!mark) {
        reportFailure(dialogs, "Non è stato possibile leggere " + noticeName(number, year) + ".", mark.error());
        return {};
    }
    if (mark.value().invoiced()) {
        tell(dialogs, alreadyInvoicedText(number, mark.value()));
        return {};
    }
    const auto noticeDate = calc::dateOfFields(form.day, form.month, form.year);
    if (!noticeDate) {
        tell(dialogs,
             "L'avviso di parcella n. " + std::to_string(number)
                 + " non ha una data valida: correggerla e salvarlo prima di emettere la fattura.");
        return {};
    }
    const auto paid = askPaymentDate(dialogs, clock, number, *noticeDate);
    if (!paid)
        return {};

    const auto flatRate = flatRateBeforePayment(state, paid->year);
    const archive::InvoiceFromNotice request {
        notices, number, year, *paid, state.invoiceType, state.issuerTerms.amounts};
    auto issued = archive::issueInvoice(request, state.currentIssuer);
    if (!issued) {
        reportFailure(dialogs, "La fattura non è stata emessa.", issued.error());
        return {};
    }
    using Refusal = archive::IssuedInvoice::Refusal;
    switch (issued.value().refusal) {
    case Refusal::AlreadyInvoiced:
        tell(dialogs, alreadyInvoicedText(number, issued.value().mark));
        return {};
    case Refusal::NoEuroAmount:
        tell(dialogs,
             "L'avviso di parcella n. " + std::to_string(number)
                 + " non ha un importo in euro (lire senza un cambio valido): la fattura non è stata emessa.");
        return {};
    case Refusal::BookFull:
        tell(dialogs,
             "Le fatture del " + std::to_string(paid->year) + " hanno raggiunto il numero massimo ("
                 + std::to_string(archive::MaxInvoiceNumber) + "): la fattura non è stata emessa.");
        return {};
    case Refusal::None:
        break;
    }
    showIssued(form, state, dialogs, issued.value(), paid->year);
    return {"Emessa la fattura n. " + std::to_string(issued.value().number) + " del " + calc::dateText(*paid)
                + " dall'avviso di parcella n. " + std::to_string(number) + " del " + year + ", con l'incasso di "
                + calc::euroText(issued.value().toPay, state.decimalSeparator) + " euro.",
            flatRate};
}

void tellIssued(const archive::AppState& state, ui::Dialogs& dialogs, const IssuedFromNotice& issued)
{
    if (issued.done.empty())
        return;
    dialogs.message(issued.done, archive::DoneTitle, ui::Buttons::Ok);
    if (issued.flatRate)
        alertFlatRateLimit(state, *issued.flatRate, dialogs);
}

} // namespace tessaro::app
