#include "app/calc_commands.h"

#include "app/form_calc.h"
#include "calc/reverse.h"

namespace tessaro::app {

namespace {

constexpr const char* ReverseTitle = "CALCOLO INVERSO";
constexpr const char* ProfessionalTotalPrompt
    = "Indicare il valore totale da pagare, e assicurarsi di aver indicato, nelle caselle corrispondenti, la "
      "percentuale che va alla cassa nazionale, quella della ritenuta d'acconto e le spese.";
constexpr const char* CommercialTotalPrompt
    = "Indicare il valore totale da pagare ed assicurarsi di aver indicato la quantità.";
constexpr const char* LinePrompt = "Indicare a quale delle tre voci riferirsi.";

void applyReverse(archive::InvoiceForm& form, const calc::ReverseResult& result)
{
    form.amount[static_cast<std::size_t>(result.line - 1)] = result.amountText;
    applyResults(form, result.results);
}

} // namespace

void calculate(archive::InvoiceForm& form, const archive::AppState& state)
{
    const calc::ForwardResult result = calc::calculateForward(forwardInput(form, state));
    applyResults(form, result.results);
    if (result.clearExpenses) {
        form.expenses.clear();
        form.expenses2.clear();
    }
}

void reverseProfessional(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string total = dialogs.input(ProfessionalTotalPrompt, ReverseTitle, "");
    if (calc::totalTooLarge(total)) {
        dialogs.message(calc::TotalTooLargeMessage, "ATTENZIONE");
        return;
    }
    const calc::ReverseResult result = calc::solveProfessional(total, forwardInput(form, state));
    if (result.outcome == calc::ReverseOutcome::Done)
        applyReverse(form, result);
}

void reverseCommercial(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string total = dialogs.input(CommercialTotalPrompt, ReverseTitle, "");
    if (calc::totalTooLarge(total)) {
        dialogs.message(calc::TotalTooLargeMessage, "ATTENZIONE");
        return;
    }
    const std::string line = dialogs.input(LinePrompt, ReverseTitle, "1");
    const calc::ReverseResult result = calc::solveCommercial(total, line, forwardInput(form, state));
    switch (result.outcome) {
    case calc::ReverseOutcome::LineNotContemplated:
        dialogs.message(calc::LineNotContemplatedMessage, "ATTENZIONE");
        break;
    case calc::ReverseOutcome::Done:
        applyReverse(form, result);
        break;
    case calc::ReverseOutcome::TooLarge:
    case calc::ReverseOutcome::SilentStop:
        break;
    }
}

} // namespace tessaro::app
