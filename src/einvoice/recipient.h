// Who receives the electronic invoice through the exchange system, as the
// user answers the box that asks for it.
#pragma once

#include "einvoice/codes.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::einvoice {

// The input box that asks for the recipient (its default answer is
// proposedRecipient()).
inline constexpr std::string_view RecipientPrompt
    = "Codice destinatario del cliente (7 caratteri) oppure indirizzo PEC:";
inline constexpr std::string_view RecipientTitle = "FATTURA ELETTRONICA";

// A recipient as the exchange system takes it: a codice destinatario of 7
// letters or digits, or the code "0000000" with a PEC address.
struct Recipient {
    std::string code {DefaultRecipientCode};
    std::string pec;
};
// The answer of the input box, trimmed (a code is upper-cased); nothing when
// it is neither 7 letters or digits nor a PEC address of at most 100 characters.
std::optional<Recipient> parseRecipient(std::string_view answer);
// What is remembered for the client: the PEC address, else the code.
std::string recipientText(const Recipient& recipient);

} // namespace tessaro::einvoice
