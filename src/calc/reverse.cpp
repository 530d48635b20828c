#include "calc/reverse.h"

#include "calc/numbers.h"
#include "calc/regimes.h"

namespace tessaro::calc {

namespace {

struct Solution {
    std::string amountText;
    InvoiceAmounts amounts;
};

// The amount to pay includes the stamp duty the issuer charges, which is due
// only on some invoices: the invoice solved for the total less the duty is
// taken when it bears the duty, otherwise the one solved for the whole total.
template <typename Solve> Solution solveAroundStampDuty(double total, InvoiceTerms terms, Solve solve)
{
    if (terms.chargeStampDuty) {
        Solution withDuty = solve(total - StampDutyAmount);
        if (withDuty.amounts.stampDuty != 0)
            return withDuty;
    }
    return solve(total);
}

} // namespace

bool totalTooLarge(std::string_view totalText)
{
    return typedAmountValue(totalText) > MaxReverseTotal;
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

ReverseResult solveProfessional(std::string_view totalText, const InvoiceTexts& invoice)
{
    ReverseResult result;
    if (totalTooLarge(totalText)) {
        result.outcome = ReverseOutcome::TooLarge;
        return result;
    }
    const InvoiceFigures figures = figuresOf(invoice);
    const double total = typedAmountValue(totalText);

    // Built term by term: the sum in this order is the factor the results
    // are checked against.
    double k = 1;
    k = k + figures.pension / 100;
    k = k + figures.vat / 100;
    k = k + figures.pension * figures.vat / 10000;
    k = k - figures.withholding / 100;
    if (k == 0) {
        result.outcome = ReverseOutcome::SilentStop;
        return result;
    }

    const char flag = invoice.currencyFlag;
    // The results follow the amount as written, not the exact solution, and
    // line 1 alone: lines 2 and 3 keep their texts but do not count.
    const auto solve = [&](double totalWithoutDuty) {
        Solution solution;
        solution.amountText = solvedAmountText((totalWithoutDuty - figures.expenses - figures.expenses2) / k, flag);
        InvoiceFigures lineOne = figures;
        lineOne.price = {numericValue(solution.amountText), 0, 0};
        solution.amounts
            = invoiceAmounts(lineOne, InvoiceType::Professional, flag, QuantityRule::Screen, invoice.terms);
        return solution;
    };
    const Solution solution = solveAroundStampDuty(total, invoice.terms, solve);
    result.outcome = ReverseOutcome::Done;
    result.line = 1;
    result.amountText = solution.amountText;
    const InvoiceAmounts& amounts = solution.amounts;
    result.results.taxable = shownAmount(amounts.taxable, flag, invoice.decimalSeparator);
    result.results.vatAmount = shownAmount(amounts.vat, flag, invoice.decimalSeparator);
    result.results.withholdingAmount = shownAmount(amounts.withholding, flag, invoice.decimalSeparator);
    result.results.total = shownAmount(amounts.toPay, flag, invoice.decimalSeparator);
    return result;
}

ReverseResult solveCommercial(std::string_view totalText, std::string_view lineText, const InvoiceTexts& invoice)
{
    ReverseResult result;
    if (totalTooLarge(totalText)) {
        result.outcome = ReverseOutcome::TooLarge;
        return result;
    }
    const double total = typedAmountValue(totalText);
    const auto line = chosenLine(lineText);
    if (!line) {
        result.outcome = ReverseOutcome::LineNotContemplated;
        return result;
    }
    const auto index = static_cast<std::size_t>(*line - 1);
    InvoiceFigures figures = figuresOf(invoice);

    // The pieces of the line with their VAT: the total is shared among them.
    double pieces = figures.quantity[index];
    pieces = pieces + pieces * figures.vat / 100;
    if (pieces == 0) {
        result.outcome = ReverseOutcome::SilentStop;
        return result;
    }
    const char flag = invoice.currencyFlag;
    const char separator = invoice.decimalSeparator;
    // Every line counts by the commercial rules, whatever the menu's type;
    // the expenses and the withholding are not read.
    figures.expenses = figures.expenses2 = figures.withholding = 0;
    const auto solve = [&](double totalWithoutDuty) {
        Solution solution;
        solution.amountText = solvedAmountText(totalWithoutDuty / pieces, flag);
        InvoiceFigures solved = figures;
        solved.price[index] = numericValue(solution.amountText);
        solution.amounts = invoiceAmounts(solved, InvoiceType::Commercial, flag, QuantityRule::Screen, invoice.terms);
        return solution;
    };
    const Solution solution = solveAroundStampDuty(total, invoice.terms, solve);
    result.outcome = ReverseOutcome::Done;
    result.line = *line;
    result.amountText = solution.amountText;
    const InvoiceAmounts& amounts = solution.amounts;
    result.results.taxable = shownAmount(amounts.taxable, flag, separator);
    result.results.vatAmount = shownAmount(amounts.vat, flag, separator);
    if (result.results.taxable)
        result.results.withholdingAmount = std::string();
    result.results.total = shownAmount(amounts.toPay, flag, separator);
    return result;
}

} // namespace tessaro::calc
