#include "calc/forward.h"

#include "calc/numbers.h"

namespace tessaro::calc {

namespace {

template <std::size_t N> std::array<double, N> values(const std::array<std::string, N>& texts)
{
    std::array<double, N> result {};
    for (std::size_t i = 0; i < N; ++i)
        result[i] = numericValue(texts[i]);
    return result;
}

} // namespace

InvoiceFigures figuresOf(const InvoiceTexts& texts)
{
    InvoiceFigures figures;
    figures.price = values(texts.price);
    figures.quantity = values(texts.quantity);
    figures.extraPrice = values(texts.extraPrice);
    figures.extraQuantity = values(texts.extraQuantity);
    figures.vat = numericValue(texts.vat);
    figures.pension = numericValue(texts.pension);
    figures.withholding = numericValue(texts.withholding);
    figures.expenses = numericValue(texts.expenses);
    figures.expenses2 = numericValue(texts.expenses2);
    return figures;
}

std::optional<std::string> shownAmount(double x, char currencyFlag, char decimalSeparator)
{
    if (currencyFlag != LireFlag && currencyFlag != EuroFlag)
        return std::nullopt;
    return amountText(x, currencyFlag, decimalSeparator);
}

ForwardResult calculateForward(const InvoiceTexts& input)
{
    const char flag = input.currencyFlag;
    const char separator = input.decimalSeparator;
    const InvoiceAmounts amounts
        = invoiceAmounts(figuresOf(input), input.type, flag, QuantityRule::Screen, input.terms);

    ForwardResult result;
    // The expenses of a commercial invoice are emptied, and count for nothing.
    result.clearExpenses = input.type == InvoiceType::Commercial;
    result.results.taxable = shownAmount(amounts.taxable, flag, separator);
    result.results.vatAmount = shownAmount(amounts.vat, flag, separator);
    result.results.withholdingAmount = shownAmount(amounts.withholding, flag, separator);
    result.results.total = shownAmount(amounts.toPay, flag, separator);
    return result;
}

} // namespace tessaro::calc
