#include "calc/amounts.h"

#include "calc/numbers.h"
#include "calc/regimes.h"

#include <cmath>

namespace tessaro::calc {

namespace {

bool allPricesSet(const InvoiceFigures& figures)
{
    return figures.price[0] != 0 && figures.price[1] != 0 && figures.price[2] != 0;
}

// The quantity a main line is multiplied by.
double countedQuantity(double typed, QuantityRule rule, bool allPrices)
{
    switch (rule) {
    case QuantityRule::Screen:
        // A line left at one piece is the usual case once the invoice is complete.
        return typed == 0 && allPrices ? 1 : typed;
    case QuantityRule::YearlyTotals:
        // The sums of the year count every stored line, however its quantity was left.
        return typed == 0 ? 1 : typed;
    case QuantityRule::Paper:
        // The paper shows what was typed, and its totals are the products of what it shows.
        return typed;
    }
    return typed;
}

double rounded(double x, char currencyFlag)
{
    return currencyFlag == LireFlag ? wholeLira(x) : x;
}

void commercialLines(const InvoiceFigures& figures, QuantityRule rule, InvoiceAmounts& amounts)
{
    const bool allPrices = allPricesSet(figures);
    double goods = 0;
    for (std::size_t k = 0; k < MainLineCount; ++k) {
        amounts.lineTotal[k] = figures.price[k] * countedQuantity(figures.quantity[k], rule, allPrices);
        goods = goods + amounts.lineTotal[k];
    }
    double extra = 0;
    for (std::size_t i = 0; i < ExtraLineCount; ++i) {
        amounts.extraLineTotal[i] = figures.extraPrice[i] * figures.extraQuantity[i];
        extra = extra + amounts.extraLineTotal[i];
    }
    amounts.extraLinesCount = allPrices;
    amounts.lineSum = allPrices ? goods + extra : goods;
}

// Compared as shown, to the cent: the figure the paper and the electronic
// invoice state. Only a few cents around the threshold need the text.
bool aboveStampDutyThreshold(double withoutVat)
{
    if (!(withoutVat > StampDutyThreshold - 0.02))
        return false;
    if (withoutVat > StampDutyThreshold + 0.02)
        return true;
    return numericValue(euroText(withoutVat, '.')) > StampDutyThreshold;
}

} // namespace

bool extraLinesCount(const InvoiceFigures& figures, InvoiceType type)
{
    return type == InvoiceType::Commercial && allPricesSet(figures);
}

InvoiceAmounts invoiceAmounts(const InvoiceFigures& figures, InvoiceType type, char currencyFlag, QuantityRule rule,
                              InvoiceTerms terms)
{
    InvoiceAmounts amounts;
    if (type == InvoiceType::Professional) {
        amounts.lineTotal = figures.price;
        amounts.lineSum = figures.price[0] + figures.price[1] + figures.price[2];
        amounts.taxable = rounded(amounts.lineSum + amounts.lineSum * figures.pension / 100, currencyFlag);
        amounts.pensionContribution = amounts.taxable - amounts.lineSum;
        // On the fees alone: the pension contribution bears no withholding.
        amounts.withholding = rounded(amounts.lineSum * figures.withholding / 100, currencyFlag);
        amounts.expenses = figures.expenses;
        amounts.expenses2 = figures.expenses2;
    } else {
        commercialLines(figures, rule, amounts);
        amounts.taxable = rounded(amounts.lineSum, currencyFlag);
    }
    amounts.vat = rounded(amounts.taxable * figures.vat / 100, currencyFlag);
    amounts.withoutVat = (figures.vat == 0 ? amounts.taxable : 0) + amounts.expenses + amounts.expenses2;
    amounts.stampDutyDue
        = terms.stampDutyApplies && currencyFlag == EuroFlag && aboveStampDutyThreshold(amounts.withoutVat);
    amounts.stampDuty = amounts.stampDutyDue && terms.chargeStampDuty ? StampDutyAmount : 0;
    amounts.total = amounts.taxable + amounts.vat + amounts.expenses + amounts.expenses2 + amounts.stampDuty;
    amounts.toPay = amounts.taxable + amounts.vat - amounts.withholding + amounts.expenses + amounts.expenses2
        + amounts.stampDuty;
    return amounts;
}

std::optional<double> inEuro(double amount, char currencyFlag, double rate)
{
    if (currencyFlag == EuroFlag)
        return amount;
    if (currencyFlag == LireFlag && std::isfinite(rate) && rate > 0)
        return amount / rate;
    return std::nullopt;
}

} // namespace tessaro::calc
