// The codes of the electronic invoice the user chooses for an issuer: the tax
// regime (RegimeFiscale), the pension fund (TipoCassa) and the nature of an
// operation without VAT (Natura), each with the Italian name shown beside it.
#pragma once

#include "calc/regimes.h"

#include <span>
#include <string>
#include <string_view>

namespace tessaro::einvoice {

struct Code {
    std::string_view code;
    std::string_view name;
};

// RF01 … RF19 as the schema lists them (there is no RF03).
std::span<const Code> fiscalRegimes();
// TC01 … TC22.
std::span<const Code> pensionFunds();
// The natures the exchange system still accepts: N1, N2.1, N2.2, N3.1 … N3.6,
// N4, N5, N6.1 … N6.9, N7 (the bare N2, N3 and N6 are no longer accepted).
std::span<const Code> vatNatures();

bool isFiscalRegime(std::string_view code);
bool isPensionFund(std::string_view code);
bool isVatNature(std::string_view code);

// "TC04 INARCASSA": the code, a blank and its name; the code alone when unknown.
std::string displayText(std::span<const Code> codes, std::string_view code);

inline constexpr std::string_view DefaultFiscalRegime = calc::DefaultFiscalRegime;
inline constexpr std::string_view DefaultVatNature = "N2.2";
// The statement the printed invoice carries for an operation without VAT.
inline constexpr std::string_view DefaultLegalReference = calc::OrdinaryStatement.legalReference;
// Recipient code of a client who has not given one: the invoice waits in the
// client's reserved area of the exchange system.
inline constexpr std::string_view DefaultRecipientCode = "0000000";

} // namespace tessaro::einvoice
