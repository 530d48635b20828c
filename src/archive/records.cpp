#include "archive/records.h"

#include "archive/codepage.h"

#include <bit>
#include <cmath>

namespace tessaro::archive {

namespace {

// Field widths in record order; their sums are the record sizes of the files.
constexpr std::array<std::size_t, 9> PartyWidths = {5, 29, 29, 40, 35, 2, 5, 16, 12};
constexpr std::array<std::size_t, 3> DescriptionWidths = {210, 150, 90};
constexpr std::size_t AmountWidth = 10;
constexpr std::size_t QuantityWidth = 4;
constexpr std::size_t ExtraDescriptionWidth = 35;
constexpr std::size_t RateOffset = 684;

constexpr std::size_t sum(std::span<const std::size_t> widths)
{
    std::size_t total = 0;
    for (const std::size_t width : widths)
        total += width;
    return total;
}

static_assert(sum(PartyWidths) == PartyRecordSize);
static_assert(PartyRecordSize + 2 + 2 + 2 + 1 + sum(DescriptionWidths) + 3 * AmountWidth + 3 * QuantityWidth + 1 + 8 + 2
                  + 1
              == RateOffset);
static_assert(RateOffset + 4 + 8 == InvoiceRecordSize);
static_assert(ExtraLineCount * (ExtraDescriptionWidth + AmountWidth + QuantityWidth) == ExtraLinesRecordSize);

// Walks the fields of a record in order.
class FieldWriter {
public:
    explicit FieldWriter(std::span<std::uint8_t> out) : m_out(out) { }
    void text(const std::string& value, std::size_t width)
    {
        writeFixedText(m_out.subspan(m_pos, width), value);
        m_pos += width;
    }
    std::span<std::uint8_t> raw(std::size_t width)
    {
        auto field = m_out.subspan(m_pos, width);
        m_pos += width;
        return field;
    }

private:
    std::span<std::uint8_t> m_out;
    std::size_t m_pos = 0;
};

class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> in) : m_in(in) { }
    std::string text(std::size_t width) { return readFixedText(raw(width)); }
    std::span<const std::uint8_t> raw(std::size_t width)
    {
        auto field = m_in.subspan(m_pos, width);
        m_pos += width;
        return field;
    }

private:
    std::span<const std::uint8_t> m_in;
    std::size_t m_pos = 0;
};

// Calls visit(field, width) for the nine fields of a party, in record order.
template <typename Party, typename Visit> void forEachPartyField(Party& party, Visit visit)
{
    visit(party.title, PartyWidths[0]);
    visit(party.surname, PartyWidths[1]);
    visit(party.firstName, PartyWidths[2]);
    visit(party.address, PartyWidths[3]);
    visit(party.city, PartyWidths[4]);
    visit(party.province, PartyWidths[5]);
    visit(party.postCode, PartyWidths[6]);
    visit(party.taxCode, PartyWidths[7]);
    visit(party.vatNumber, PartyWidths[8]);
}

void writeParty(FieldWriter& out, const PartyRecord& party)
{
    forEachPartyField(party, [&](const std::string& field, std::size_t width) { out.text(field, width); });
}

PartyRecord readParty(FieldReader& in)
{
    PartyRecord party;
    forEachPartyField(party, [&](std::string& field, std::size_t width) { field = in.text(width); });
    return party;
}

} // namespace

std::int16_t readInt16LE(std::span<const std::uint8_t, 2> bytes)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

void writeInt16LE(std::span<std::uint8_t, 2> bytes, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    bytes[0] = static_cast<std::uint8_t>(bits & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(bits >> 8);
}

float readFloat32LE(std::span<const std::uint8_t, 4> bytes)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
        | (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return std::bit_cast<float>(bits);
}

void writeFloat32LE(std::span<std::uint8_t, 4> bytes, float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
}

void encodeParty(const PartyRecord& party, std::span<std::uint8_t, PartyRecordSize> out)
{
    FieldWriter writer(out);
    writeParty(writer, party);
}

PartyRecord decodeParty(std::span<const std::uint8_t, PartyRecordSize> in)
{
    FieldReader reader(in);
    return readParty(reader);
}

void encodeInvoice(const InvoiceRecord& invoice, std::span<std::uint8_t, InvoiceRecordSize> out)
{
    FieldWriter writer(out);
    writeParty(writer, invoice.client);
    writer.text(invoice.day, 2);
    writer.text(invoice.month, 2);
    writer.text(invoice.vat, 2);
    writer.text(invoice.kind, 1);
    for (std::size_t i = 0; i < 3; ++i)
        writer.text(invoice.description[i], DescriptionWidths[i]);
    for (const std::string& amount : invoice.amount)
        writer.text(amount, AmountWidth);
    for (const std::string& quantity : invoice.quantity)
        writer.text(quantity, QuantityWidth);
    writer.text(invoice.pension, 1);
    writer.text(invoice.expenses, 8);
    writer.text(invoice.withholding, 2);
    writer.text(invoice.currency, 1);
    writeFloat32LE(writer.raw(4).first<4>(), invoice.rate);
    writer.text(invoice.expenses2, 8);
}

InvoiceRecord decodeInvoice(std::span<const std::uint8_t, InvoiceRecordSize> in)
{
    FieldReader reader(in);
    InvoiceRecord invoice;
    invoice.client = readParty(reader);
    invoice.day = reader.text(2);
    invoice.month = reader.text(2);
    invoice.vat = reader.text(2);
    invoice.kind = reader.text(1);
    for (std::size_t i = 0; i < 3; ++i)
        invoice.description[i] = reader.text(DescriptionWidths[i]);
    for (std::string& amount : invoice.amount)
        amount = reader.text(AmountWidth);
    for (std::string& quantity : invoice.quantity)
        quantity = reader.text(QuantityWidth);
    invoice.pension = reader.text(1);
    invoice.expenses = reader.text(8);
    invoice.withholding = reader.text(2);
    invoice.currency = reader.text(1);
    const float rate = readFloat32LE(reader.raw(4).first<4>());
    // A damaged rate (NaN, infinity) would poison every sum it enters; it reads
    // as 0, the rate of a blank record, which the callers already treat as unusable.
    invoice.rate = std::isfinite(rate) ? rate : 0.0f;
    invoice.expenses2 = reader.text(8);
    return invoice;
}

void encodeExtraLines(const ExtraLinesRecord& lines, std::span<std::uint8_t, ExtraLinesRecordSize> out)
{
    FieldWriter writer(out);
    for (const std::string& description : lines.description)
        writer.text(description, ExtraDescriptionWidth);
    for (const std::string& amount : lines.amount)
        writer.text(amount, AmountWidth);
    for (const std::string& quantity : lines.quantity)
        writer.text(quantity, QuantityWidth);
}

ExtraLinesRecord decodeExtraLines(std::span<const std::uint8_t, ExtraLinesRecordSize> in)
{
    FieldReader reader(in);
    ExtraLinesRecord lines;
    for (std::string& description : lines.description)
        description = reader.text(ExtraDescriptionWidth);
    for (std::string& amount : lines.amount)
        amount = reader.text(AmountWidth);
    for (std::string& quantity : lines.quantity)
        quantity = reader.text(QuantityWidth);
    return lines;
}

} // namespace tessaro::archive
