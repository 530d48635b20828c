// The words the law makes an invoice carry, in one table: for a tax regime
// (RegimeFiscale of the issuer's e-invoice data) the statement printed under
// the table of an invoice without VAT, and the nature and legal reference its
// electronic invoice gives those amounts; beside it, the words of the stamp
// duty. Printing and the e-invoice both read them here, so a change of law is
// one line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tessaro::calc {

inline constexpr std::string_view DefaultFiscalRegime = "RF01";

struct RegimeStatement {
    std::string_view regime; // RegimeFiscale; empty: every regime without a row of its own
    std::string_view name; // as a refusal names it: "regime forfettario"
    // Three bold lines at the left under the table of the paper copy.
    std::array<std::string_view, 3> printedLines;
    // Natura and RiferimentoNormativo of the amounts without VAT; empty: the
    // ones the issuer chose in the e-invoice data.
    std::string_view nature;
    std::string_view legalReference;
    // The regime charges neither VAT nor withholding: its invoices always
    // carry the statement, and an e-invoice with either is refused.
    bool withoutVatOrWithholding = false;
};

// Every other regime, the "minimi" included: the statement of the 2008 budget
// law the invoices have always carried, with the issuer's own nature and
// reference.
inline constexpr RegimeStatement OrdinaryStatement = {
    "",
    "",
    {"Operazione effettuata ai sensi", "dell'art.1 comma 100", "della legge finanziaria 2008"},
    "",
    "Operazione effettuata ai sensi dell'art.1 comma 100 della legge finanziaria 2008",
    false,
};

// The statement of the regime; OrdinaryStatement when it has none of its own.
const RegimeStatement& regimeStatement(std::string_view regime);

// The stamp duty on an invoice whose amounts without VAT exceed 77.47 euro,
// paid by the issuer through the exchange system and told on the paper copy.
inline constexpr double StampDutyThreshold = 77.47; // euro
inline constexpr double StampDutyAmount = 2.00; // euro
inline constexpr std::string_view StampDutyPaidText = "Imposta di bollo assolta in modo virtuale";
inline constexpr std::string_view StampDutyRowLabel = "IMPOSTA DI BOLLO"; // the row of the duty charged
inline constexpr std::string_view StampDutyLineText = "Imposta di bollo"; // its e-invoice line
// Natura and RiferimentoNormativo of the duty charged: outside VAT, and owed
// by the issuer under the stamp-duty law (not an expense advanced for the client).
inline constexpr std::string_view StampDutyNature = "N1";
inline constexpr std::string_view StampDutyReference = "Imposta di bollo, art. 13 Tariffa DPR 642/72";

} // namespace tessaro::calc
