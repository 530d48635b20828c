// The forward calculation of "Calcola": from the texts of an invoice to the
// taxable amount, VAT, withholding and amount to pay, as the texts the
// window shows. The figures themselves come from the amounts engine.
#pragma once

#include "calc/amounts.h"
#include "calc/modes.h"

#include <array>
#include <optional>
#include <string>

namespace tessaro::calc {

// The texts the calculations read, as the window and the extra-lines store
// hold them (stored fields may keep their trailing blanks).
struct InvoiceTexts {
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
    InvoiceTerms terms; // the issuer's, not a field of the invoice
};

// Every text read by the numeric-value rule.
InvoiceFigures figuresOf(const InvoiceTexts& texts);

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

ForwardResult calculateForward(const InvoiceTexts& input);

// The amount text shown for a result; none when the currency flag is
// neither "l" nor "e".
std::optional<std::string> shownAmount(double x, char currencyFlag, char decimalSeparator);

} // namespace tessaro::calc
