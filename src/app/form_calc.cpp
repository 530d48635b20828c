#include "app/form_calc.h"

namespace tessaro::app {

calc::InvoiceType calcType(archive::InvoiceType type)
{
    return type == archive::InvoiceType::Commercial ? calc::InvoiceType::Commercial : calc::InvoiceType::Professional;
}

char currencyFlagOf(const archive::InvoiceForm& form)
{
    return form.buffer.currency.empty() ? '\0' : form.buffer.currency.front();
}

calc::ForwardInput forwardInput(const archive::InvoiceForm& form, const archive::AppState& state)
{
    calc::ForwardInput input;
    for (std::size_t i = 0; i < calc::MainLineCount; ++i) {
        input.quantity[i] = form.quantity[i];
        input.price[i] = form.amount[i];
    }
    for (std::size_t i = 0; i < calc::ExtraLineCount; ++i) {
        input.extraPrice[i] = form.extraLines.amount[i];
        input.extraQuantity[i] = form.extraLines.quantity[i];
    }
    input.vat = form.vat;
    input.pension = form.pension;
    input.withholding = form.withholding;
    input.expenses = form.expenses;
    input.expenses2 = form.expenses2;
    input.type = calcType(state.invoiceType);
    input.currencyFlag = currencyFlagOf(form);
    input.decimalSeparator = state.decimalSeparator;
    return input;
}

void applyResults(archive::InvoiceForm& form, const calc::ResultTexts& results)
{
    if (results.taxable)
        form.taxable = *results.taxable;
    if (results.vatAmount)
        form.vatAmount = *results.vatAmount;
    if (results.withholdingAmount)
        form.withholdingAmount = *results.withholdingAmount;
    if (results.total)
        form.total = *results.total;
}

} // namespace tessaro::app
