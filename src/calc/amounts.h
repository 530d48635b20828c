// The amounts engine: every figure of an invoice that the program shows,
// prints, exports or sums (line totals, taxable amount, pension
// contribution, VAT, withholding, expenses, invoice total, amount to pay)
// comes from invoiceAmounts(). Where the screen, the yearly totals and the
// paper really read an invoice differently, the difference is one named
// QuantityRule, not a second copy of the formulas.
#pragma once

#include "calc/modes.h"

#include <array>
#include <cstddef>
#include <optional>

namespace tessaro::calc {

inline constexpr std::size_t MainLineCount = 3;
inline constexpr std::size_t ExtraLineCount = 7; // lines 4 to 10

// The numbers an invoice's texts stand for, each read by the numeric-value rule.
struct InvoiceFigures {
    std::array<double, MainLineCount> price {}; // fee (professional) or unit price (commercial)
    std::array<double, MainLineCount> quantity {}; // as typed; 0 when blank
    std::array<double, ExtraLineCount> extraPrice {};
    std::array<double, ExtraLineCount> extraQuantity {};
    double vat = 0; // percentage
    double pension = 0; // percentage to the pension fund
    double withholding = 0; // percentage
    double expenses = 0; // general expenses outside VAT
    double expenses2 = 0; // expenses for the approval of the fee note
};

// What the issuer chose that changes the figures of every one of its invoices.
struct InvoiceTerms {
    bool chargeStampDuty = false; // the stamp duty, when due, is charged to the client
    bool stampDutyApplies = true; // false for a document that is no invoice (a fee notice)

    bool operator==(const InvoiceTerms&) const = default;
};

// How a blank (or zero) quantity of a main line of a commercial invoice
// counts. The extra lines count only when all three main prices are set,
// and their quantities never default, under every rule.
enum class QuantityRule {
    // "Calcola" and the reverse calculations: as 1, but only when all three
    // main prices are set; otherwise as typed.
    Screen,
    // The yearly totals and the register: always as 1.
    YearlyTotals,
    // The printed bodies: as typed, so a line without a quantity prints 0.
    Paper,
};

struct InvoiceAmounts {
    // Professional: each fee. Commercial: price x quantity under the rule.
    std::array<double, MainLineCount> lineTotal {};
    std::array<double, ExtraLineCount> extraLineTotal {}; // price x quantity as typed
    bool extraLinesCount = false; // commercial, with all three main prices set
    double lineSum = 0; // B: the fees, or the goods with the extra lines that count
    double pensionContribution = 0; // taxable - lineSum (professional only)
    double taxable = 0; // A, whole lire in a lire invoice
    double vat = 0; // V = A x VAT / 100, whole lire in a lire invoice
    double withholding = 0; // R = B x percentage / 100 (professional only), whole lire in lire
    double expenses = 0; // S1 (professional only)
    double expenses2 = 0; // S2 (professional only)
    // Outside VAT: the taxable amount of an invoice at a VAT of 0, and the expenses.
    double withoutVat = 0;
    bool stampDutyDue = false; // a euro invoice whose amounts outside VAT exceed 77.47 euro
    double stampDuty = 0; // charged to the client: 2.00 when due and charged, else 0
    double total = 0; // A + V + S1 + S2 + duty charged: the invoice total
    double toPay = 0; // A + V - R + S1 + S2 + duty charged: the amount to pay
};

// True when the extra lines 4 to 10 count: a commercial invoice whose three
// main prices are all set. Readers may skip the extra lines otherwise.
bool extraLinesCount(const InvoiceFigures& figures, InvoiceType type);

// Lire amounts are rounded to whole lire ("l"); euro and an unknown flag are
// not. The stamp duty is due on euro invoices only: lire invoices were
// written before it applied to them.
InvoiceAmounts invoiceAmounts(const InvoiceFigures& figures, InvoiceType type, char currencyFlag, QuantityRule rule,
                              InvoiceTerms terms = {});

// An amount of an invoice in euro: lire divided by the invoice's own rate
// (value of one euro in lire), euro as they are. Nothing for an invoice whose
// flag is neither "l" nor "e" (a free slot) or a lire invoice whose rate
// cannot convert (0, negative, not a number).
std::optional<double> inEuro(double amount, char currencyFlag, double rate);

} // namespace tessaro::calc
