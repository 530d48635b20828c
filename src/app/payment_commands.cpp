#include "app/payment_commands.h"

#include "app/flat_rate_commands.h"
#include "app/invoice_commands.h"
#include "app/notice_commands.h"
#include "archive/box_titles.h"
#include "archive/codepage.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/register.h"
#include "archive/settlement.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/text.h"

#include <cmath>
#include <optional>
#include <string>

namespace tessaro::app {

namespace {

using archive::AttentionTitle;

// Amounts beyond this do not fit the field of a payment.
constexpr double LargestPayment = 999'999'999.99;

// The invoice the window works on, as the book holds it.
struct PaidInvoice {
    archive::BookPaths book;
    int number = 0;
    std::string year;
    archive::RegisterRow row;
    std::string client;
    archive::InvoicePayments payments;

    std::optional<calc::Date> issued() const { return row.settlementInput.issued; }
};

std::string money(double amount, const archive::AppState& state)
{
    return calc::euroText(amount, state.decimalSeparator);
}

std::string methodName(const std::string& code)
{
    const calc::PaymentMethod* method = calc::paymentMethod(code);
    return method ? std::string(method->name) : code;
}

// The book as the register reads it, for the invoice's amount to pay and the
// credit notes that point at it; then its payments afresh.
std::optional<PaidInvoice> readPaidInvoice(const archive::InvoiceForm& form, const archive::AppState& state,
                                           ui::Dialogs& dialogs, int number)
{
    PaidInvoice paid;
    paid.book = archive::currentBook(form, state);
    paid.number = number;
    paid.year = form.year;
    auto reg
        = archive::BookRegister::read(paid.book, state.invoiceType, state.nextNumber, state.figureTerms(), form.year);
    if (!reg) {
        reportFailure(dialogs, "Non è stato possibile leggere le fatture del " + form.year + ".", reg.error());
        return std::nullopt;
    }
    paid.row = reg.value().row(number - 1);
    // A notice is not paid itself, but its terms still say what it asks and by when.
    if (paid.book.ofNotices() && paid.row.counted()) {
        paid.row.settlementInput.toPay = paid.row.figures.toPay;
        paid.row.settlementInput.issued = calc::dateOfFields(form.day, form.month, form.year);
    }
    paid.client = reg.value().clientText(number - 1);
    auto payments = archive::readPayments(paid.book, number);
    if (!payments) {
        reportFailure(dialogs,
                      "Non è stato possibile leggere gli incassi della fattura n. " + std::to_string(number) + ".",
                      payments.error());
        return std::nullopt;
    }
    paid.payments = payments.value();
    return paid;
}

calc::Settlement settlementOf(const PaidInvoice& paid)
{
    return archive::settlementOf(paid.row.settlementInput, paid.payments);
}

ui::PaymentsView viewOf(const PaidInvoice& paid, const archive::AppState& state, const Clock& clock)
{
    const calc::Settlement settlement = settlementOf(paid);
    ui::PaymentsView view;
    view.heading = std::string(paid.book.ofNotices()     ? "Avviso di parcella"
                                   : paid.row.creditNote ? "Nota di credito"
                                                         : "Fattura")
        + " n. " + std::to_string(paid.number) + " del " + (paid.issued() ? calc::dateText(*paid.issued()) : paid.year);
    if (!paid.client.empty())
        view.heading += " - " + paid.client;
    view.toPay = money(settlement.toSettle, state);
    view.received = money(settlement.received, state);
    view.owed = money(settlement.owed(), state);
    view.state = std::string(calc::paymentStateText(settlement.state(clock.today())));
    view.method = paid.payments.method;
    view.term = paid.payments.term;
    if (settlement.due)
        view.due = calc::dateText(*settlement.due);
    for (const archive::ReceivedPayment& payment : paid.payments.payments) {
        if (!payment.readable()) {
            view.rows.push_back({"illeggibile", "", "", ""});
            continue;
        }
        view.rows.push_back(
            {calc::dateText(payment.date), money(payment.value(), state), methodName(payment.method), payment.note});
    }
    view.newDate = calc::dateText(clock.today());
    view.newAmount = money(settlement.owed(), state);
    view.newMethod = paid.payments.method.empty() ? std::string(calc::DefaultPaymentMethod) : paid.payments.method;
    view.full = paid.payments.payments.size() >= archive::PaymentsPerInvoice;
    return view;
}

bool store(ui::Dialogs& dialogs, const PaidInvoice& paid, const archive::InvoicePayments& payments,
           const std::string& what)
{
    const std::string operation = what + " della fattura n. " + std::to_string(paid.number) + " del " + paid.year;
    if (archive::Status status = archive::storePayments(paid.book, paid.number, payments, operation); !status) {
        reportFailure(dialogs, "Non è stato possibile registrare: " + what + ".", status.error());
        return false;
    }
    return true;
}

bool refuse(ui::Dialogs& dialogs, const std::string& text)
{
    dialogs.message(text, AttentionTitle, ui::Buttons::Ok);
    return false;
}

bool recordPayment(ui::Dialogs& dialogs, PaidInvoice& paid, const ui::PaymentsRequest& request,
                   const archive::AppState& state)
{
    if (state.onNotices())
        return refuse(dialogs,
                      "Un avviso di parcella non si incassa: quando è pagato, \"Emetti fattura\" (menu Documento) "
                      "emette la fattura e ne registra l'incasso.");
    if (paid.payments.payments.size() >= archive::PaymentsPerInvoice)
        return refuse(dialogs,
                      "La fattura ha già " + std::to_string(archive::PaymentsPerInvoice)
                          + " incassi: eliminarne uno per registrarne un altro.");
    const auto date = calc::parseDateText(request.date);
    if (!date)
        return refuse(dialogs,
                      "La data dell'incasso \"" + request.date
                          + "\" non è una data del calendario: scriverla come gg/mm/aaaa.");
    if (paid.issued() && *date < *paid.issued())
        return refuse(dialogs,
                      "La data dell'incasso non può precedere la data della fattura (" + calc::dateText(*paid.issued())
                          + ").");
    const auto typed = calc::typedAmount(request.amount);
    if (!typed || calc::cents(*typed) == 0)
        return refuse(dialogs, "Indicare l'importo incassato: un numero diverso da zero.");
    if (std::abs(*typed) > LargestPayment)
        return refuse(dialogs, "L'importo incassato è troppo grande.");
    // A credit note's payments give money back, whatever sign is typed; an
    // invoice's bring it in.
    double amount = std::abs(*typed);
    if (paid.row.creditNote)
        amount = -amount;
    else if (*typed < 0)
        return refuse(dialogs,
                      "L'importo incassato non può essere negativo: il denaro restituito si registra "
                      "sulla nota di credito.");

    const calc::Settlement before = settlementOf(paid);
    const long long after = calc::cents(before.received + amount);
    const long long limit = calc::cents(before.toSettle);
    if (paid.row.creditNote ? after < limit : after > limit) {
        const std::string question = "Con questo incasso il totale incassato (" + money(before.received + amount, state)
            + ") supera l'importo da pagare (" + money(before.toSettle, state) + "). Registrarlo comunque?";
        if (dialogs.message(question, AttentionTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
            return false;
    }
    archive::InvoicePayments updated = paid.payments;
    updated.payments.push_back({*date,
                                archive::storedAmount(amount),
                                request.method,
                                std::string(calc::trimBlanks(archive::fitToWidth(
                                    request.note, archive::paymentFieldOf(0, archive::PaymentField::Note).width))),
                                {}});
    // The year's fees as they stand before, for a flat-rate issuer: whether
    // this payment takes them past a limit is told once it is written.
    const auto flatRate = flatRateBeforePayment(state, date->year);
    if (!store(dialogs, paid, updated, "Registra incasso"))
        return false;
    paid.payments = std::move(updated);
    if (flatRate)
        alertFlatRateLimit(state, *flatRate, dialogs);
    return true;
}

bool removePayment(ui::Dialogs& dialogs, PaidInvoice& paid, const ui::PaymentsRequest& request,
                   const archive::AppState& state)
{
    const auto index = static_cast<std::size_t>(request.row);
    if (request.row < 0 || index >= paid.payments.payments.size())
        return refuse(dialogs, "Selezionare nell'elenco l'incasso da eliminare.");
    const archive::ReceivedPayment& payment = paid.payments.payments[index];
    const std::string what = payment.readable()
        ? "l'incasso del " + calc::dateText(payment.date) + " di " + money(payment.value(), state) + " euro"
        : "l'incasso illeggibile";
    if (dialogs.message("Eliminare " + what + "?", AttentionTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
        return false;
    archive::InvoicePayments updated = paid.payments;
    updated.payments.erase(updated.payments.begin() + static_cast<std::ptrdiff_t>(index));
    if (!store(dialogs, paid, updated, "Elimina incasso"))
        return false;
    paid.payments = std::move(updated);
    return true;
}

bool changeTerms(ui::Dialogs& dialogs, PaidInvoice& paid, const ui::PaymentsRequest& request)
{
    if (!request.termMethod.empty() && !calc::paymentMethod(request.termMethod))
        return refuse(dialogs, "Scegliere la modalità di pagamento dall'elenco.");
    const calc::PaymentTerm* term = calc::paymentTerm(request.term);
    if (!request.term.empty() && !term)
        return refuse(dialogs, "Scegliere la scadenza dall'elenco.");
    archive::InvoicePayments updated = paid.payments;
    updated.method = request.termMethod;
    updated.term = request.term;
    updated.typedDue.clear();
    if (term && term->explicitDate) {
        const auto due = calc::parseDateText(request.due);
        if (!due)
            return refuse(dialogs,
                          "La scadenza \"" + request.due
                              + "\" non è una data del calendario: scriverla come gg/mm/aaaa.");
        if (paid.issued() && *due < *paid.issued())
            return refuse(dialogs,
                          "La scadenza non può precedere la data della fattura (" + calc::dateText(*paid.issued())
                              + ").");
        updated.typedDue = calc::storedDateText(*due);
    }
    if (updated == paid.payments)
        return false;
    if (!store(dialogs, paid, updated, "Condizioni di pagamento"))
        return false;
    paid.payments = std::move(updated);
    return true;
}

} // namespace

void showPayments(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    form.focusField.clear();
    // The invoice loaded, not a number typed since: that names nothing shown.
    const int number = archive::invoiceNumber(form.unchanged ? form.unchangedNumber : form.number);
    if (!archive::isBookYear(form.year) || number < 1 || number >= state.nextNumber) {
        dialogs.message("Gli incassi si registrano su una fattura salvata: salvare prima la fattura.", AttentionTitle,
                        ui::Buttons::Ok);
        return;
    }
    // The payments belong to the invoice as stored: edits are saved first or let go.
    if (!mayLeaveInvoice(form, state, dialogs, clock))
        return;
    auto paid = readPaidInvoice(form, state, dialogs, number);
    if (!paid)
        return;
    if (!paid->row.counted()) {
        dialogs.message("La fattura n. " + std::to_string(number)
                            + " non ha un importo in euro (lire senza un cambio valido, o dati danneggiati): "
                              "non si possono registrarne gli incassi.",
                        AttentionTitle, ui::Buttons::Ok);
        return;
    }
    if (paid->payments.hasUnreadable())
        dialogs.message("Alcuni incassi della fattura n. " + std::to_string(number)
                            + " non sono leggibili: sono mostrati come \"illeggibile\" e restano come sono.",
                        AttentionTitle, ui::Buttons::Ok);
    for (;;) {
        const ui::PaymentsRequest request = dialogs.showPayments(viewOf(*paid, state, clock));
        using Action = ui::PaymentsRequest::Action;
        if (request.action == Action::Close)
            break;
        if (request.action == Action::Record)
            recordPayment(dialogs, *paid, request, state);
        else if (request.action == Action::Remove)
            removePayment(dialogs, *paid, request, state);
        else
            changeTerms(dialogs, *paid, request);
    }
    // The terms on screen follow what was written, for the paper and the export.
    if (archive::invoiceNumber(form.unchangedNumber) == number)
        form.payments = paid->payments;
}

} // namespace tessaro::app
