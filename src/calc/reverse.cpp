#include "calc/reverse.h"

#include "calc/numbers.h"

namespace tessaro::calc {

bool totalTooLarge(std::string_view totalText)
{
    return numericValue(totalText) > MaxReverseTotal;
}

std::optional<int> chosenLine(std::string_view lineText)
{
    const double n = intPart(numericValue(lineText));
    if (n < 1 || n > 3)
        return std::nullopt;
    return static_cast<int>(n);
}

std::string solvedAmountText(double x, char currencyFlag)
{
    // A negative lire amount (expenses above the total) is cut down too.
    if (currencyFlag == LireFlag)
        return lireText(intPart(x));
    return pointForm(euroText(x, '.'));
}

ReverseResult solveProfessional(std::string_view totalText, const ForwardInput& invoice)
{
    using namespace steps;
    ReverseResult result;
    if (totalTooLarge(totalText)) {
        result.outcome = ReverseOutcome::TooLarge;
        return result;
    }
    const double total = numericValue(totalText);
    const double pension = numericValue(invoice.pension);
    const double vatPercent = numericValue(invoice.vat);
    const double withholdingPercent = numericValue(invoice.withholding);

    // Built term by term: the sum in this order is the factor the results
    // are checked against.
    double k = 1;
    k = k + pension / 100;
    k = k + vatPercent / 100;
    k = k + pension * vatPercent / 10000;
    k = k - withholdingPercent / 100;
    if (k == 0) {
        result.outcome = ReverseOutcome::SilentStop;
        return result;
    }
    const double expenses = numericValue(invoice.expenses);
    const double expenses2 = numericValue(invoice.expenses2);
    const double solved = (total - expenses - expenses2) / k;

    const char flag = invoice.currencyFlag;
    const char separator = invoice.decimalSeparator;
    result.outcome = ReverseOutcome::Done;
    result.line = 1;
    result.amountText = solvedAmountText(solved, flag);

    // The results follow the amount as written, not the exact solution.
    const double lineSum = numericValue(result.amountText);
    const double taxable = roundForCurrency(taxableAmount(lineSum, pension, InvoiceType::Professional), flag);
    const double vat = vatAmount(taxable, vatPercent, flag);
    const double withholding = withholdingAmount(lineSum, withholdingPercent, InvoiceType::Professional, flag);
    result.results.taxable = shownAmount(taxable, flag, separator);
    result.results.vatAmount = shownAmount(vat, flag, separator);
    result.results.withholdingAmount = shownAmount(withholding, flag, separator);
    result.results.total = shownAmount(amountToPay(taxable, vat, withholding, expenses, expenses2), flag, separator);
    return result;
}

ReverseResult solveCommercial(std::string_view totalText, std::string_view lineText, const ForwardInput& invoice)
{
    using namespace steps;
    ReverseResult result;
    if (totalTooLarge(totalText)) {
        result.outcome = ReverseOutcome::TooLarge;
        return result;
    }
    const double total = numericValue(totalText);
    const auto line = chosenLine(lineText);
    if (!line) {
        result.outcome = ReverseOutcome::LineNotContemplated;
        return result;
    }
    const auto index = static_cast<std::size_t>(*line - 1);
    const double vatPercent = numericValue(invoice.vat);

    // The pieces of the line with their VAT: the total is shared among them.
    double pieces = numericValue(invoice.quantity[index]);
    pieces = pieces + pieces * vatPercent / 100;
    if (pieces == 0) {
        result.outcome = ReverseOutcome::SilentStop;
        return result;
    }
    const double solved = total / pieces;

    const char flag = invoice.currencyFlag;
    const char separator = invoice.decimalSeparator;
    result.outcome = ReverseOutcome::Done;
    result.line = *line;
    result.amountText = solvedAmountText(solved, flag);

    ForwardInput recomputed = invoice;
    recomputed.price[index] = result.amountText;
    const double taxable = roundForCurrency(commercialLineSum(recomputed), flag);
    const double vat = vatAmount(taxable, vatPercent, flag);
    result.results.taxable = shownAmount(taxable, flag, separator);
    result.results.vatAmount = shownAmount(vat, flag, separator);
    if (result.results.taxable)
        result.results.withholdingAmount = std::string();
    result.results.total = shownAmount(taxable + vat, flag, separator);
    return result;
}

} // namespace tessaro::calc
