// The forward calculation of "Calcola": from the texts of an invoice to the
// taxable amount, VAT, withholding and amount to pay, as texts. The step
// functions are shared with the reverse calculation, which repeats some.
#pragma once

#include "calc/modes.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tessaro::calc {

inline constexpr std::size_t MainLineCount = 3;
inline constexpr std::size_t ExtraLineCount = 7; // lines 4 to 10

// The texts the calculations read, as the window and the extra-lines store
// hold them (stored fields may keep their trailing blanks).
struct ForwardInput {
    std::array<std::string, MainLineCount> quantity; // txtq1..txtq3: Q1..Q3
    std::array<std::string, MainLineCount> price; // txtimp1..txtimp3: P1..P3
    std::array<std::string, ExtraLineCount> extraPrice; // lines 4..10: P4..P10
    std::array<std::string, ExtraLineCount> extraQuantity; // lines 4..10: Q4..Q10
    std::string vat; // txtiva: IVA
    std::string pension; // txtcn: CN
    std::string withholding; // txtra: RA
    std::string expenses; // txtspe: S1
    std::string expenses2; // txtspe2: S2
    InvoiceType type = InvoiceType::Professional;
    char currencyFlag = EuroFlag; // of the current invoice, not of the menu
    char decimalSeparator = ','; // of the system
};

// The four result texts; a result without a value is left as it was shown
// (the invoice's currency flag is neither "l" nor "e").
struct ResultTexts {
    std::optional<std::string> taxable; // etcimp: A
    std::optional<std::string> vatAmount; // etciva: V
    std::optional<std::string> withholdingAmount; // etcra: R
    std::optional<std::string> total; // txttot: T
};

struct ForwardResult {
    ResultTexts results;
    bool clearExpenses = false; // commercial: txtspe and txtspe2 become empty
};

ForwardResult calculateForward(const ForwardInput& input);

// The steps, each on numbers already read from the texts.
namespace steps {

// F1: a quantity of 0 counts as 1.
std::array<double, MainLineCount> defaultQuantities(const std::array<double, MainLineCount>& typed);
// F2: sum of price x quantity of the extra lines (no default quantity).
double extraLinesSum(const ForwardInput& input);
// F1 to F4: the commercial line sum B. With all three main amounts non-zero,
// the defaulted quantities and the extra lines count; otherwise only the
// main lines with their quantities as typed.
double commercialLineSum(const ForwardInput& input);
// F5: the professional fees B = P1 + P2 + P3.
double professionalLineSum(const ForwardInput& input);
// F6: A = B + B x CN / 100 for a professional service, A = B otherwise.
double taxableAmount(double lineSum, double pensionPercent, InvoiceType type);
// F7 and the rounding of V and R: whole lire in a lire invoice, else as is.
double roundForCurrency(double x, char currencyFlag);
// F8: V = A x IVA / 100, rounded for the currency.
double vatAmount(double taxable, double vatPercent, char currencyFlag);
// F9: R = B x RA / 100 (0 for a commercial invoice), rounded for the currency.
double withholdingAmount(double lineSum, double withholdingPercent, InvoiceType type, char currencyFlag);
// F11: T = A + V - R + S1 + S2, not rounded.
double amountToPay(double taxable, double vat, double withholding, double expenses, double expenses2);
// The amount text shown for a result; none when the currency flag is
// neither "l" nor "e".
std::optional<std::string> shownAmount(double x, char currencyFlag, char decimalSeparator);

} // namespace steps

} // namespace tessaro::calc
