#include "einvoice/recipient.h"

#include "archive/codepage.h"
#include "einvoice/einvoice_files.h"
#include "einvoice/text_rules.h"

namespace tessaro::einvoice {

std::optional<Recipient> parseRecipient(std::string_view answer)
{
    const std::string_view text = archive::trimBlanks(answer);
    Recipient recipient;
    if (text.find('@') != std::string_view::npos) {
        if (!isPecAddress(text) || text.size() > RecipientWidth)
            return std::nullopt;
        recipient.pec = std::string(text);
        return recipient;
    }
    const std::string code = upperAscii(text);
    if (code.size() != 7)
        return std::nullopt;
    for (char c : code) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return std::nullopt;
    }
    recipient.code = code;
    return recipient;
}

std::string recipientText(const Recipient& recipient)
{
    return recipient.pec.empty() ? recipient.code : recipient.pec;
}

} // namespace tessaro::einvoice
