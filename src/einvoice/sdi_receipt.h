// A receipt the exchange system (Sistema di Interscambio) sends back for an
// invoice: delivered, not delivered or rejected. The file comes from outside
// the program, so it is read defensively: anything odd is refused with a
// reason rather than guessed at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::einvoice {

enum class ReceiptKind : std::uint8_t { Delivered, NotDelivered, Rejected, Other };

// One error of a rejection, as the exchange system words it (UTF-8).
struct ReceiptError {
    std::string code;
    std::string description;
    std::string suggestion;
};

struct SdiReceipt {
    ReceiptKind kind = ReceiptKind::Other;
    std::string element; // local name of the root: "RicevutaConsegna", "NotificaScarto", ...
    std::string fileName; // the invoice file it answers, without a trailing ".p7m"
    std::string sdiId; // IdentificativoSdI
    std::string when; // DataOraRicezione, else DataOraConsegna, as written
    std::vector<ReceiptError> errors; // every error of a rejection, in order
};

// Either a receipt or the Italian reason it was not read, never both.
struct ReceiptReading {
    std::optional<SdiReceipt> receipt;
    std::string refusal;
};

// Real receipts are a few kilobytes; anything past this is not one.
inline constexpr std::size_t MaxReceiptBytes = 1 << 20;
// A receipt nests four levels; past these the file is not one either.
inline constexpr int MaxReceiptDepth = 32;
inline constexpr std::size_t MaxReceiptTextBytes = 4096;

ReceiptReading readReceipt(std::span<const std::uint8_t> bytes);

// What a receipt says of its invoice, for a list: "consegnata", "scartata", ...
std::string_view receiptKindText(ReceiptKind kind);

} // namespace tessaro::einvoice
