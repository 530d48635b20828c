// The year counted in money received: what part of a payment is fees, the
// pension contribution, VAT, expenses and stamp duty, and how much
// withholding goes with it. One rule for every reckoning of the year (the
// payments of the year, the flat-rate limits and estimate, the withholding
// per client), beside the amounts engine whose figures it divides.
#pragma once

#include "calc/amounts.h"

namespace tessaro::calc {

// The parts of one payment, in euro, with the payment's sign: money given
// back (a negative payment, as a credit note records it) takes its parts away.
struct PaymentParts {
    double amount = 0; // the payment
    double fees = 0; // the fee part of the amount to pay: the fees less their withholding
    double pension = 0; // the contribution of the "Cassa Nazionale" field
    double vat = 0;
    double expenses = 0; // both expenses outside VAT
    double stampDuty = 0; // the stamp duty charged to the client
    double withholding = 0; // the invoice's withholding in the payment's proportion

    // The fees before the withholding: what a client's certificate calls gross.
    double grossFees() const { return fees + withholding; }
    // What the payment adds to the professional's income: the gross fees and,
    // where the issuer's fund makes it income (INPS "rivalsa"), the contribution.
    double income(bool pensionIsIncome) const { return grossFees() + (pensionIsIncome ? pension : 0); }
};

// A payment divided in proportion over the parts of the amount to pay of its
// invoice (amounts as the engine gives them, in the invoice's currency; a
// lire invoice converts at its own rate). The proportion is the payment over
// the amount to pay, above one for an overpayment: money received is counted
// as received, and giving the excess back takes the same parts away. An
// invoice whose amount to pay is 0 counts the whole payment as fees. Nothing
// for an invoice whose amounts cannot be had in euro (a free slot, lire
// without a rate).
std::optional<PaymentParts> paymentParts(const InvoiceAmounts& amounts, char currencyFlag, double rate, double payment);

// Whether the contribution of the issuer's pension fund (TipoCassa) counts as
// income when the issuer has not said: the INPS "rivalsa" does, a
// professional fund's integrative contribution does not.
bool pensionIsIncomeByDefault(std::string_view pensionFundCode);

} // namespace tessaro::calc
