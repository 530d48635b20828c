#include "archive/records.h"

#include "archive/codepage.h"
#include "archive/little_endian.h"

#include <bit>
#include <cmath>

namespace tessaro::archive {

namespace {

// The one place that says which member of a record each field of its table
// holds; the codecs below only walk it.
template <typename Party, typename Visit> void forEachPartyField(Party& party, Visit visit)
{
    visit(fieldOf(PartyField::Title), party.title);
    visit(fieldOf(PartyField::Surname), party.surname);
    visit(fieldOf(PartyField::FirstName), party.firstName);
    visit(fieldOf(PartyField::Address), party.address);
    visit(fieldOf(PartyField::City), party.city);
    visit(fieldOf(PartyField::Province), party.province);
    visit(fieldOf(PartyField::PostCode), party.postCode);
    visit(fieldOf(PartyField::TaxCode), party.taxCode);
    visit(fieldOf(PartyField::VatNumber), party.vatNumber);
}

// The text fields of an invoice after its client block (the rate is a number).
template <typename Invoice, typename Visit> void forEachInvoiceText(Invoice& invoice, Visit visit)
{
    visit(fieldOf(InvoiceField::Day), invoice.day);
    visit(fieldOf(InvoiceField::Month), invoice.month);
    visit(fieldOf(InvoiceField::Vat), invoice.vat);
    visit(fieldOf(InvoiceField::Kind), invoice.kind);
    for (std::size_t line = 1; line <= 3; ++line) {
        visit(descriptionField(line), invoice.description[line - 1]);
        visit(amountField(line), invoice.amount[line - 1]);
        visit(quantityField(line), invoice.quantity[line - 1]);
    }
    visit(fieldOf(InvoiceField::Pension), invoice.pension);
    visit(fieldOf(InvoiceField::Expenses), invoice.expenses);
    visit(fieldOf(InvoiceField::Withholding), invoice.withholding);
    visit(fieldOf(InvoiceField::Currency), invoice.currency);
    visit(fieldOf(InvoiceField::Expenses2), invoice.expenses2);
}

template <typename Lines, typename Visit> void forEachExtraLineField(Lines& lines, Visit visit)
{
    for (std::size_t line = 4; line <= 10; ++line) {
        visit(extraDescriptionField(line), lines.description[line - 4]);
        visit(extraAmountField(line), lines.amount[line - 4]);
        visit(extraQuantityField(line), lines.quantity[line - 4]);
    }
}

auto writer(std::span<std::uint8_t> out)
{
    return [out](FieldSpec field, const std::string& text) { writeFixedText(fieldBytes(out, field), text); };
}

auto reader(std::span<const std::uint8_t> in)
{
    return [in](FieldSpec field, std::string& text) { text = readFixedText(fieldBytes(in, field)); };
}

std::span<const std::uint8_t> clientBytes(std::span<const std::uint8_t> invoice)
{
    return fieldBytes(invoice, fieldOf(InvoiceField::Client));
}

} // namespace

std::int16_t readInt16LE(std::span<const std::uint8_t, 2> bytes)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(readLittleEndian(bytes)));
}

void writeInt16LE(std::span<std::uint8_t, 2> bytes, std::int16_t value)
{
    writeLittleEndian(bytes, static_cast<std::uint16_t>(value));
}

float readFloat32LE(std::span<const std::uint8_t, 4> bytes)
{
    return std::bit_cast<float>(static_cast<std::uint32_t>(readLittleEndian(bytes)));
}

void writeFloat32LE(std::span<std::uint8_t, 4> bytes, float value)
{
    writeLittleEndian(bytes, std::bit_cast<std::uint32_t>(value));
}

float rateAt(std::span<const std::uint8_t> invoice)
{
    const float rate = readFloat32LE(fieldBytes(invoice, fieldOf(InvoiceField::Rate)).first<4>());
    // A damaged rate (NaN, infinity) would poison every sum it enters; it reads
    // as 0, the rate of a blank record, which the callers already treat as unusable.
    return std::isfinite(rate) ? rate : 0.0f;
}

void encodeParty(const PartyRecord& party, std::span<std::uint8_t, PartyRecordSize> out)
{
    forEachPartyField(party, writer(out));
}

PartyRecord decodeParty(std::span<const std::uint8_t, PartyRecordSize> in)
{
    PartyRecord party;
    forEachPartyField(party, reader(in));
    return party;
}

void encodeInvoice(const InvoiceRecord& invoice, std::span<std::uint8_t, InvoiceRecordSize> out)
{
    encodeParty(invoice.client, fieldBytes(out, fieldOf(InvoiceField::Client)).first<PartyRecordSize>());
    forEachInvoiceText(invoice, writer(out));
    writeFloat32LE(fieldBytes(out, fieldOf(InvoiceField::Rate)).first<4>(), invoice.rate);
}

InvoiceRecord decodeInvoice(std::span<const std::uint8_t, InvoiceRecordSize> in)
{
    InvoiceRecord invoice;
    invoice.client = decodeParty(clientBytes(in).first<PartyRecordSize>());
    forEachInvoiceText(invoice, reader(in));
    invoice.rate = rateAt(in);
    return invoice;
}

void encodeExtraLines(const ExtraLinesRecord& lines, std::span<std::uint8_t, ExtraLinesRecordSize> out)
{
    forEachExtraLineField(lines, writer(out));
}

ExtraLinesRecord decodeExtraLines(std::span<const std::uint8_t, ExtraLinesRecordSize> in)
{
    ExtraLinesRecord lines;
    forEachExtraLineField(lines, reader(in));
    return lines;
}

} // namespace tessaro::archive
