#include "app/calc_commands.h"

#include "archive/box_titles.h"
#include "archive/fields.h"
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

calc::InvoiceTexts textsOf(const archive::InvoiceForm& form, const archive::AppState& state)
{
    return archive::invoiceTexts(form, state.invoiceType, state.decimalSeparator, state.figureTerms());
}

// A solved amount goes into its field only whole: one cut to the field's
// width would store a tenth of the amount, or lose its cents.
void applyReverse(archive::InvoiceForm& form, const calc::ReverseResult& result, ui::Dialogs& dialogs)
{
    const auto line = static_cast<std::size_t>(result.line);
    if (result.amountText.size() > archive::amountField(line).width) {
        dialogs.message(calc::TotalTooLargeMessage, archive::AttentionTitle);
        return;
    }
    form.amount[line - 1] = result.amountText;
    archive::applyResults(form, result.results);
}

} // namespace

void calculate(archive::InvoiceForm& form, const archive::AppState& state)
{
    const calc::ForwardResult result = calc::calculateForward(textsOf(form, state));
    archive::applyResults(form, result.results);
    if (result.clearExpenses) {
        form.expenses.clear();
        form.expenses2.clear();
    }
}

void reverseProfessional(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string total = dialogs.input(ProfessionalTotalPrompt, ReverseTitle, "");
    if (calc::totalTooLarge(total)) {
        dialogs.message(calc::TotalTooLargeMessage, archive::AttentionTitle);
        return;
    }
    const calc::ReverseResult result = calc::solveProfessional(total, textsOf(form, state));
    if (result.outcome == calc::ReverseOutcome::Done)
        applyReverse(form, result, dialogs);
}

void reverseCommercial(archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string total = dialogs.input(CommercialTotalPrompt, ReverseTitle, "");
    if (calc::totalTooLarge(total)) {
        dialogs.message(calc::TotalTooLargeMessage, archive::AttentionTitle);
        return;
    }
    const std::string line = dialogs.input(LinePrompt, ReverseTitle, "1");
    const calc::ReverseResult result = calc::solveCommercial(total, line, textsOf(form, state));
    switch (result.outcome) {
    case calc::ReverseOutcome::LineNotContemplated:
        dialogs.message(calc::LineNotContemplatedMessage, archive::AttentionTitle);
        break;
    case calc::ReverseOutcome::Done:
        applyReverse(form, result, dialogs);
        break;
    case calc::ReverseOutcome::TooLarge:
    case calc::ReverseOutcome::SilentStop:
        break;
    }
}

} // namespace tessaro::app
