#include "app/save_checks.h"

#include "archive/codepage.h"
#include "calc/calendar.h"
#include "calc/numbers.h"

#include <string_view>

namespace tessaro::app {

namespace {

std::string shownDate(const archive::InvoiceForm& form)
{
    return std::string(archive::trimBlanks(form.day)) + "/" + std::string(archive::trimBlanks(form.month)) + "/"
        + form.year;
}

} // namespace

std::vector<std::string> invoiceProblems(const archive::InvoiceForm& form, const archive::AppState& state,
                                         CalendarDay today)
{
    std::vector<std::string> problems;
    const std::optional<calc::Date> date = calc::dateOfFields(form.day, form.month, form.year);
    if (archive::trimBlanks(form.day).empty() || archive::trimBlanks(form.month).empty())
        problems.push_back("la data della fattura non è indicata");
    else if (!date)
        problems.push_back("la data " + shownDate(form) + " non esiste");
    else if (today < *date)
        problems.push_back("la data " + shownDate(form) + " è successiva a oggi");
    const archive::PartyRecord& client = form.client;
    if (archive::trimBlanks(client.surname).empty() && archive::trimBlanks(client.firstName).empty())
        problems.push_back("il cliente non è indicato");
    const calc::RegimeStatement& regime = state.issuerTerms.statement();
    if (regime.withoutVatOrWithholding) {
        if (calc::numericValue(form.vat) > 0)
            problems.push_back("nel " + std::string(regime.name) + " la fattura non ha IVA, ma l'IVA è al "
                               + std::string(archive::trimBlanks(form.vat)) + "%");
        if (calc::numericValue(form.withholding) > 0)
            problems.push_back("nel " + std::string(regime.name) + " la fattura non ha ritenuta d'acconto");
    }
    return problems;
}

std::string gapQuestion(int number, int next)
{
    if (next < 1 || number <= next)
        return {};
    const std::string first = std::to_string(next);
    std::string which;
    if (number - next == 1)
        which = "Sarà creata la fattura vuota n. " + first;
    else if (number - next == 2)
        which = "Saranno create le fatture vuote n. " + first + " e n. " + std::to_string(number - 1);
    else
        which = "Saranno create le fatture vuote dalla n. " + first + " alla n. " + std::to_string(number - 1);
    return which + ": la numerazione non deve avere buchi. Continuare?";
}

} // namespace tessaro::app
