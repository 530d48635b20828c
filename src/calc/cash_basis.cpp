#include "calc/cash_basis.h"

#include "calc/pension_funds.h"

#include <cmath>

namespace tessaro::calc {

std::optional<PaymentParts> paymentParts(const InvoiceAmounts& amounts, char currencyFlag, double rate, double payment)
{
    const std::optional<double> toPay = inEuro(amounts.toPay, currencyFlag, rate);
    if (!toPay || !std::isfinite(payment))
        return std::nullopt;
    PaymentParts parts;
    parts.amount = payment;
    if (*toPay == 0 || !std::isfinite(*toPay)) {
        parts.fees = payment;
        return parts;
    }
    const double share = payment / *toPay;
    const auto part = [&](double amount) { return *inEuro(amount, currencyFlag, rate) * share; };
    parts.withholding = part(amounts.withholding);
    parts.fees = part(amounts.lineSum) - parts.withholding;
    parts.pension = part(amounts.pensionContribution);
    parts.vat = part(amounts.vat);
    parts.expenses = part(amounts.expenses + amounts.expenses2);
    // The duty is due on euro invoices only, so it is in euro already.
    parts.stampDuty = amounts.stampDuty * share;
    return parts;
}

bool pensionIsIncomeByDefault(std::string_view pensionFundCode)
{
    return pensionFundCode == InpsFundCode;
}

} // namespace tessaro::calc
