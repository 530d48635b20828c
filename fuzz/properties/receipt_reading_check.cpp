#include "receipt_reading_check.h"

#include "einvoice/sdi_receipt.h"
#include "findings.h"

#include <string_view>

namespace tessaro::einvoice {

namespace {

using calc::Findings;
using calc::quoted;

// Well-formed UTF-8 of any length of character, without surrogates or
// overlong forms; the program's own helper stops at three bytes, and a
// receipt may hold any character of XML.
bool wellFormedUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1
            : lead >= 0xC2 && lead <= 0xDF     ? 2
            : (lead >> 4) == 0xE               ? 3
            : lead >= 0xF0 && lead <= 0xF4     ? 4
                                               : 0;
        if (length == 0 || i + length > text.size())
            return false;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < Least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool trimmed(std::string_view text)
{
    constexpr std::string_view Blanks = " \t\r\n";
    return text.empty()
        || (Blanks.find(text.front()) == std::string_view::npos && Blanks.find(text.back()) == std::string_view::npos);
}

void checkText(std::string_view what, std::string_view text, Findings& findings)
{
    if (!wellFormedUtf8(text))
        return findings.fail(what, " is malformed UTF-8: ", quoted(text));
    if (text.size() > MaxReceiptTextBytes)
        return findings.fail(what, " is ", text.size(), " bytes long");
    if (!trimmed(text))
        findings.fail(what, " keeps surrounding blanks: ", quoted(text));
}

// The kind follows from the root's name alone.
ReceiptKind expectedKind(std::string_view element)
{
    if (element == "RicevutaConsegna")
        return ReceiptKind::Delivered;
    if (element == "NotificaMancataConsegna" || element == "RicevutaImpossibilitaRecapito")
        return ReceiptKind::NotDelivered;
    if (element == "NotificaScarto" || element == "RicevutaScarto")
        return ReceiptKind::Rejected;
    return ReceiptKind::Other;
}

void checkReceipt(const SdiReceipt& receipt, std::size_t inputSize, Findings& findings)
{
    if (receipt.element.empty() || !wellFormedUtf8(receipt.element))
        return findings.fail("the root's name reads as ", quoted(receipt.element));
    if (receipt.kind != expectedKind(receipt.element))
        return findings.fail(quoted(receipt.element), " is read as kind ", int(receipt.kind));
    if (receipt.kind != ReceiptKind::Other && receipt.fileName.empty())
        return findings.fail("a receipt of kind ", int(receipt.kind), " is read without its file name");
    checkText("NomeFile", receipt.fileName, findings);
    checkText("IdentificativoSdI", receipt.sdiId, findings);
    checkText("the date", receipt.when, findings);
    // Every error takes at least "<Errore/>" from the input.
    if (receipt.errors.size() > inputSize / 9)
        return findings.fail(receipt.errors.size(), " errors read from ", inputSize, " bytes");
    for (const ReceiptError& error : receipt.errors) {
        checkText("Codice", error.code, findings);
        checkText("Descrizione", error.description, findings);
        checkText("Suggerimento", error.suggestion, findings);
    }
}

} // namespace

std::string checkReceiptReading(std::span<const std::uint8_t> input)
{
    Findings findings;
    const ReceiptReading reading = readReceipt(input);
    if (reading.receipt && !reading.refusal.empty())
        findings.fail("a receipt is read and refused at once: ", quoted(reading.refusal));
    else if (!reading.receipt && reading.refusal.empty())
        findings.fail("the input is neither read nor refused");
    else if (!wellFormedUtf8(reading.refusal))
        findings.fail("the refusal is malformed UTF-8: ", quoted(reading.refusal));
    else if (reading.receipt && input.size() > MaxReceiptBytes)
        findings.fail("an input of ", input.size(), " bytes is read");
    else if (reading.receipt)
        checkReceipt(*reading.receipt, input.size(), findings);
    return findings.first();
}

} // namespace tessaro::einvoice
