#include "calc/forward.h"

#include "calc/numbers.h"

namespace tessaro::calc {

namespace steps {

namespace {

bool isShownCurrency(char currencyFlag)
{
    return currencyFlag == LireFlag || currencyFlag == EuroFlag;
}

std::array<double, MainLineCount> values(const std::array<std::string, MainLineCount>& texts)
{
    std::array<double, MainLineCount> result {};
    for (std::size_t i = 0; i < MainLineCount; ++i)
        result[i] = numericValue(texts[i]);
    return result;
}

} // namespace

std::array<double, MainLineCount> defaultQuantities(const std::array<double, MainLineCount>& typed)
{
    std::array<double, MainLineCount> quantities = typed;
    for (double& q : quantities) {
        if (q == 0)
            q = 1;
    }
    return quantities;
}

double extraLinesSum(const ForwardInput& input)
{
    double sum = 0;
    for (std::size_t k = 0; k < ExtraLineCount; ++k)
        sum = sum + numericValue(input.extraPrice[k]) * numericValue(input.extraQuantity[k]);
    return sum;
}

double commercialLineSum(const ForwardInput& input)
{
    const auto p = values(input.price);
    const auto typed = values(input.quantity);
    if (p[0] == 0 || p[1] == 0 || p[2] == 0)
        return p[0] * typed[0] + p[1] * typed[1] + p[2] * typed[2];
    const auto q = defaultQuantities(typed);
    return p[0] * q[0] + p[1] * q[1] + p[2] * q[2] + extraLinesSum(input);
}

double professionalLineSum(const ForwardInput& input)
{
    const auto p = values(input.price);
    return p[0] + p[1] + p[2];
}

double taxableAmount(double lineSum, double pensionPercent, InvoiceType type)
{
    if (type == InvoiceType::Professional)
        return lineSum + lineSum * pensionPercent / 100;
    return lineSum;
}

double roundForCurrency(double x, char currencyFlag)
{
    return currencyFlag == LireFlag ? wholeLira(x) : x;
}

double vatAmount(double taxable, double vatPercent, char currencyFlag)
{
    return roundForCurrency(taxable * vatPercent / 100, currencyFlag);
}

double withholdingAmount(double lineSum, double withholdingPercent, InvoiceType type, char currencyFlag)
{
    if (type == InvoiceType::Commercial)
        return 0;
    return roundForCurrency(lineSum * withholdingPercent / 100, currencyFlag);
}

double amountToPay(double taxable, double vat, double withholding, double expenses, double expenses2)
{
    return taxable + vat - withholding + expenses + expenses2;
}

std::optional<std::string> shownAmount(double x, char currencyFlag, char decimalSeparator)
{
    if (!isShownCurrency(currencyFlag))
        return std::nullopt;
    return amountText(x, currencyFlag, decimalSeparator);
}

} // namespace steps

ForwardResult calculateForward(const ForwardInput& input)
{
    using namespace steps;
    const char flag = input.currencyFlag;
    const char separator = input.decimalSeparator;
    const bool professional = input.type == InvoiceType::Professional;

    const double lineSum = professional ? professionalLineSum(input) : commercialLineSum(input);
    const double taxable = roundForCurrency(taxableAmount(lineSum, numericValue(input.pension), input.type), flag);
    const double vat = vatAmount(taxable, numericValue(input.vat), flag);
    const double withholding = withholdingAmount(lineSum, numericValue(input.withholding), input.type, flag);
    // The expenses of a commercial invoice are emptied before they are read.
    const double expenses = professional ? numericValue(input.expenses) : 0;
    const double expenses2 = professional ? numericValue(input.expenses2) : 0;

    ForwardResult result;
    result.clearExpenses = !professional;
    result.results.taxable = shownAmount(taxable, flag, separator);
    result.results.vatAmount = shownAmount(vat, flag, separator);
    result.results.withholdingAmount = shownAmount(withholding, flag, separator);
    result.results.total = shownAmount(amountToPay(taxable, vat, withholding, expenses, expenses2), flag, separator);
    return result;
}

} // namespace tessaro::calc
