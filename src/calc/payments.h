// When an invoice is due and how much of it is still owed: the payment
// methods and terms the program offers, the due date a term gives, and the
// state of an invoice from what it asks and what came in. Pure figures and
// dates; the side file of the book and the windows build on them.
#pragma once

#include "calc/calendar.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessaro::calc {

// ModalitaPagamento of the electronic invoice.
struct PaymentMethod {
    std::string_view code; // "MP05"
    std::string_view name; // in the lists: "MP05 bonifico"
    std::string_view paperText; // on the printed invoice: "bonifico bancario"
    bool bankTransfer = false; // the IBAN goes with it
};
std::span<const PaymentMethod> paymentMethods();
// Nothing for a code outside the table.
const PaymentMethod* paymentMethod(std::string_view code);
inline constexpr std::string_view DefaultPaymentMethod = "MP05";

// When an invoice falls due, counted from its date.
struct PaymentTerm {
    std::string_view code; // as the side files keep it: "AV", "30", "60FM", "DATA"
    std::string_view name; // "30 giorni data fattura"
    int days = 0;
    bool endOfMonth = false; // the due date moves to the last day of its month
    bool explicitDate = false; // a date typed for the invoice, not counted
};
std::span<const PaymentTerm> paymentTerms();
const PaymentTerm* paymentTerm(std::string_view code);
inline constexpr std::string_view ExplicitDateTerm = "DATA";

Date addDays(Date date, int days);
// The due date of an invoice of `issued` under the term; the typed date for
// an explicit one. Nothing without a term.
std::optional<Date> dueDate(Date issued, std::string_view termCode, std::optional<Date> typed = std::nullopt);

// "dd/mm/yyyy", as the windows and the paper show a date.
std::string dateText(Date date);
// A date typed as "d/m/yyyy" or "dd/mm/yyyy" ("-" and "." also separate);
// nothing when the text is not a calendar date.
std::optional<Date> parseDateText(std::string_view text);
// "yyyy-mm-dd", as the electronic invoice writes a date.
std::string isoDateText(Date date);
// "yyyymmdd", as the side files keep a date; and back.
std::string storedDateText(Date date);
std::optional<Date> parseStoredDate(std::string_view text);

// Amounts of money compared to the cent (a lire amount is whole anyway).
long long cents(double amount);

enum class PaymentState {
    Open, // nothing came in yet
    PartlyPaid,
    Paid, // what was asked came in, or more
    Overdue, // due date passed and something still owed
    Cancelled, // cancelled by a credit note, or a credit note with nothing to give back
};
// "da incassare", "incassata in parte", "incassata", "scaduta", "stornata".
std::string_view paymentStateText(PaymentState state);

// What an invoice asks and what came in; negative for a credit note, whose
// payments give money back.
struct Settlement {
    double toSettle = 0; // the amount to pay, or for a credit note what it gives back
    double received = 0;
    std::optional<Date> due;
    bool cancelled = false; // a credit note of the book cancels it

    double owed() const;
    PaymentState state(Date today) const;
};

} // namespace tessaro::calc
