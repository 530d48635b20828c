#include "calc/payments.h"

#include "calc/numbers.h"
#include "calc/text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessaro::calc {

namespace {

constexpr std::array Methods = {
    PaymentMethod {"MP01", "MP01 contanti", "contanti"},
    PaymentMethod {"MP02", "MP02 assegno", "assegno"},
    PaymentMethod {"MP05", "MP05 bonifico", "bonifico bancario", true},
    PaymentMethod {"MP08", "MP08 carta di pagamento", "carta di pagamento"},
    PaymentMethod {"MP12", "MP12 RIBA", "ricevuta bancaria"},
    PaymentMethod {"MP19", "MP19 SEPA Direct Debit", "addebito diretto SEPA"},
    PaymentMethod {"MP23", "MP23 PagoPA", "PagoPA"},
};

constexpr std::array Terms = {
    PaymentTerm {"AV", "a vista", 0},
    PaymentTerm {"30", "30 giorni data fattura", 30},
    PaymentTerm {"60", "60 giorni data fattura", 60},
    PaymentTerm {"90", "90 giorni data fattura", 90},
    PaymentTerm {"30FM", "30 giorni fine mese", 30, true},
    PaymentTerm {"60FM", "60 giorni fine mese", 60, true},
    PaymentTerm {"90FM", "90 giorni fine mese", 90, true},
    PaymentTerm {ExplicitDateTerm, "data indicata", 0, false, true},
};

} // namespace

std::span<const PaymentMethod> paymentMethods()
{
    return Methods;
}

const PaymentMethod* paymentMethod(std::string_view code)
{
    const auto found = std::find_if(Methods.begin(), Methods.end(), [&](const auto& m) { return m.code == code; });
    return found == Methods.end() ? nullptr : &*found;
}

std::span<const PaymentTerm> paymentTerms()
{
    return Terms;
}

const PaymentTerm* paymentTerm(std::string_view code)
{
    const auto found = std::find_if(Terms.begin(), Terms.end(), [&](const auto& t) { return t.code == code; });
    return found == Terms.end() ? nullptr : &*found;
}

Date addDays(Date date, int days)
{
    date.day += days;
    while (date.day > daysInMonth(date.month, date.year)) {
        date.day -= daysInMonth(date.month, date.year);
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    while (date.day < 1) {
        if (--date.month < 1) {
            date.month = 12;
            --date.year;
        }
        date.day += daysInMonth(date.month, date.year);
    }
    return date;
}

std::optional<Date> dueDate(Date issued, std::string_view termCode, std::optional<Date> typed)
{
    const PaymentTerm* term = paymentTerm(termCode);
    if (!term)
        return std::nullopt;
    if (term->explicitDate)
        return typed;
    Date due = addDays(issued, term->days);
    if (term->endOfMonth)
        due.day = daysInMonth(due.month, due.year);
    return due;
}

std::string dateText(Date date)
{
    return twoDigits(date.day) + "/" + twoDigits(date.month) + "/" + std::to_string(date.year);
}

std::optional<Date> parseDateText(std::string_view text)
{
    text = trimBlanks(text);
    std::array<std::string_view, 3> parts;
    std::size_t part = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '/' && text[i] != '-' && text[i] != '.')
            continue;
        if (part == parts.size())
            return std::nullopt;
        parts[part++] = text.substr(start, i - start);
        start = i + 1;
    }
    if (part != parts.size())
        return std::nullopt;
    return dateOfFields(parts[0], parts[1], parts[2]);
}

std::string isoDateText(Date date)
{
    return std::to_string(date.year) + "-" + twoDigits(date.month) + "-" + twoDigits(date.day);
}

std::string storedDateText(Date date)
{
    return std::to_string(date.year) + twoDigits(date.month) + twoDigits(date.day);
}

std::optional<Date> parseStoredDate(std::string_view text)
{
    if (!isDigits(text, 8))
        return std::nullopt;
    return dateOfFields(text.substr(6, 2), text.substr(4, 2), text.substr(0, 4));
}

long long cents(double amount)
{
    return std::llround(amount * 100);
}

std::string_view paymentStateText(PaymentState state)
{
    switch (state) {
    case PaymentState::Open:
        return "da incassare";
    case PaymentState::PartlyPaid:
        return "incassata in parte";
    case PaymentState::Paid:
        return "incassata";
    case PaymentState::Overdue:
        return "scaduta";
    case PaymentState::Cancelled:
        return "stornata";
    }
    return {};
}

double Settlement::owed() const
{
    if (cancelled)
        return 0;
    // What came in beyond the amount is no debt of the client's.
    const long long left = cents(toSettle) - cents(received);
    const bool sameSide = toSettle < 0 ? left < 0 : left > 0;
    return sameSide ? static_cast<double>(left) / 100 : 0;
}

PaymentState Settlement::state(Date today) const
{
    if (cancelled)
        return PaymentState::Cancelled;
    if (cents(owed()) == 0)
        return PaymentState::Paid;
    if (due && *due < today)
        return PaymentState::Overdue;
    return cents(received) == 0 ? PaymentState::Open : PaymentState::PartlyPaid;
}

} // namespace tessaro::calc
