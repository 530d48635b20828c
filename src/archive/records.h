// The three records of the data files as the program holds them: the party
// (issuers, clients, the client block of an invoice), the invoice and its
// extra lines. In memory every text is UTF-8 and keeps the trailing blanks
// of its fixed width after a read; the layouts are the tables of fields.h.
#pragma once

#include "archive/fields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tessaro::archive {

struct PartyRecord {
    std::string title; // 5
    std::string surname; // 29
    std::string firstName; // 29
    std::string address; // 40
    std::string city; // 35
    std::string province; // 2
    std::string postCode; // 5
    std::string taxCode; // 16
    std::string vatNumber; // 12

    bool operator==(const PartyRecord&) const = default;
};

struct InvoiceRecord {
    PartyRecord client;
    std::string day; // 2
    std::string month; // 2
    std::string vat; // 2, VAT percentage
    std::string kind; // 1, "a" on account, "s" balance
    std::array<std::string, 3> description; // 210, 150, 90
    std::array<std::string, 3> amount; // 10 each
    std::array<std::string, 3> quantity; // 4 each
    std::string pension; // 1, pension-fund percentage
    std::string expenses; // 8
    std::string withholding; // 2
    std::string currency; // 1, "l" lire or "e" euro
    float rate = 0.0f; // value of one euro in lire
    std::string expenses2; // 8

    bool operator==(const InvoiceRecord&) const = default;
};

struct ExtraLinesRecord {
    std::array<std::string, ExtraLineCount> description; // 35 each
    std::array<std::string, ExtraLineCount> amount; // 10 each
    std::array<std::string, ExtraLineCount> quantity; // 4 each

    bool operator==(const ExtraLinesRecord&) const = default;
};

// Encoders write exactly the record size; decoders read exactly that many
// bytes (callers pass zero-filled bytes for what lies past the end of a file).
void encodeParty(const PartyRecord& party, std::span<std::uint8_t, PartyRecordSize> out);
PartyRecord decodeParty(std::span<const std::uint8_t, PartyRecordSize> in);
void encodeInvoice(const InvoiceRecord& invoice, std::span<std::uint8_t, InvoiceRecordSize> out);
InvoiceRecord decodeInvoice(std::span<const std::uint8_t, InvoiceRecordSize> in);
void encodeExtraLines(const ExtraLinesRecord& lines, std::span<std::uint8_t, ExtraLinesRecordSize> out);
ExtraLinesRecord decodeExtraLines(std::span<const std::uint8_t, ExtraLinesRecordSize> in);

// Little-endian numbers of the data files, the same on any host.
std::int16_t readInt16LE(std::span<const std::uint8_t, 2> bytes);
void writeInt16LE(std::span<std::uint8_t, 2> bytes, std::int16_t value);
float readFloat32LE(std::span<const std::uint8_t, 4> bytes);
// The exchange rate of an invoice record's bytes; a rate that is not finite reads as 0.
float rateAt(std::span<const std::uint8_t> invoice);
void writeFloat32LE(std::span<std::uint8_t, 4> bytes, float value);

} // namespace tessaro::archive
