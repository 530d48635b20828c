#include "record_codecs_check.h"

#include "archive/codepage.h"
#include "archive/records.h"
#include "field_stream.h"
#include "findings.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace tessaro::archive {

namespace {

using calc::FieldStream;
using calc::Findings;
using calc::quoted;
using calc::utf8Length;

// The byte layouts, written out from the file format rather than taken from
// the codecs, so a shifted field is caught here.
struct Field {
    std::size_t offset;
    std::size_t width;
};

constexpr Field PartyLayout[]
    = {{0, 5}, {5, 29}, {34, 29}, {63, 40}, {103, 35}, {138, 2}, {140, 5}, {145, 16}, {161, 12}};
// Every text field of the invoice record after the party, in record order;
// the rate (4 bytes at 684) lies between the currency flag and the second expenses.
constexpr Field InvoiceLayout[]
    = {{173, 2},  {175, 2}, {177, 2}, {179, 1}, {180, 210}, {390, 150}, {540, 90}, {630, 10}, {640, 10},
       {650, 10}, {660, 4}, {664, 4}, {668, 4}, {672, 1},   {673, 8},   {681, 2},  {683, 1},  {688, 8}};
constexpr std::size_t RateOffset = 684;

std::vector<Field> extraLinesLayout()
{
    std::vector<Field> layout;
    for (std::size_t i = 0; i < ExtraLineCount; ++i)
        layout.push_back({35 * i, 35});
    for (std::size_t i = 0; i < ExtraLineCount; ++i)
        layout.push_back({245 + 10 * i, 10});
    for (std::size_t i = 0; i < ExtraLineCount; ++i)
        layout.push_back({315 + 4 * i, 4});
    return layout;
}

std::vector<Field> invoiceLayout()
{
    std::vector<Field> layout(std::begin(PartyLayout), std::end(PartyLayout));
    layout.insert(layout.end(), std::begin(InvoiceLayout), std::end(InvoiceLayout));
    return layout;
}

// The text fields of each record in the order of its layout.
template <typename Party> auto partyFields(Party& p)
{
    return std::vector {&p.title,    &p.surname,  &p.firstName, &p.address,  &p.city,
                        &p.province, &p.postCode, &p.taxCode,   &p.vatNumber};
}

template <typename Invoice> auto invoiceFields(Invoice& r)
{
    auto fields = partyFields(r.client);
    for (auto* f : {&r.day, &r.month, &r.vat, &r.kind})
        fields.push_back(f);
    for (auto& f : r.description)
        fields.push_back(&f);
    for (auto& f : r.amount)
        fields.push_back(&f);
    for (auto& f : r.quantity)
        fields.push_back(&f);
    for (auto* f : {&r.pension, &r.expenses, &r.withholding, &r.currency, &r.expenses2})
        fields.push_back(f);
    return fields;
}

template <typename Lines> auto extraLinesFields(Lines& r)
{
    std::vector<decltype(&r.description[0])> fields;
    for (auto* group : {&r.description, &r.amount, &r.quantity}) {
        for (auto& f : *group)
            fields.push_back(&f);
    }
    return fields;
}

// What a stored field must read as: its bytes without the zero bytes (the
// part of a record past the end of a file), each byte one character.
std::string storedText(std::span<const std::uint8_t> record, Field field)
{
    std::string bytes;
    for (std::size_t i = field.offset; i < field.offset + field.width; ++i) {
        if (record[i] != 0)
            bytes += static_cast<char>(record[i]);
    }
    return bytes;
}

// The record as the encoder must write back what the decoder read: zero bytes
// dropped and the field padded with blanks again, a rate that is not finite
// stored as 0.
std::vector<std::uint8_t> normalised(std::span<const std::uint8_t> record, const std::vector<Field>& layout,
                                     bool hasRate)
{
    std::vector<std::uint8_t> out(record.begin(), record.end());
    for (const Field field : layout) {
        const std::string text = storedText(record, field);
        for (std::size_t i = 0; i < field.width; ++i)
            out[field.offset + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : std::uint8_t {' '};
    }
    if (hasRate && !std::isfinite(readFloat32LE(record.subspan(RateOffset).first<4>())))
        std::fill_n(out.begin() + RateOffset, 4, std::uint8_t {0});
    return out;
}

void checkDecodedFields(const std::vector<const std::string*>& fields, std::span<const std::uint8_t> image,
                        const std::vector<Field>& layout, const char* name, Findings& findings)
{
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const std::string& text = *fields[i];
        const auto length = utf8Length(text);
        if (!length)
            return findings.fail(name, " field at ", layout[i].offset, " decodes to malformed UTF-8 ", quoted(text));
        const std::string stored = storedText(image, layout[i]);
        if (*length != stored.size() || text != fromWindows1252(stored))
            return findings.fail(name, " field at ", layout[i].offset, " reads ", quoted(text), " from ",
                                 quoted(stored));
    }
}

template <std::size_t Size, typename Decode, typename Encode, typename Fields>
void checkDecode(std::span<const std::uint8_t> input, Decode decode, Encode encode, Fields fields,
                 const std::vector<Field>& layout, bool hasRate, const char* name, Findings& findings)
{
    // Whatever lies past the end of the input is zero, as past the end of a file.
    std::array<std::uint8_t, Size> image {};
    std::copy_n(input.begin(), std::min(input.size(), Size), image.begin());
    const auto record = decode(std::span<const std::uint8_t, Size>(image));
    checkDecodedFields(fields(record), image, layout, name, findings);

    std::array<std::uint8_t, Size> written {};
    encode(record, std::span<std::uint8_t, Size>(written));
    const auto expected = normalised(image, layout, hasRate);
    const auto differs = std::mismatch(written.begin(), written.end(), expected.begin());
    if (differs.first != written.end())
        findings.fail(name, ": decode then encode changes byte ", differs.first - written.begin(), " to ",
                      int(*differs.first), ", expected ", int(*differs.second));
}

std::string withoutZeros(std::string bytes)
{
    std::erase(bytes, '\0');
    return bytes;
}

// Text the code page holds, no longer than its field, comes back exactly,
// padded with blanks; any other text (malformed, too long) still makes a
// field of the right width that reads back as well-formed UTF-8.
template <std::size_t Size, typename Record, typename Decode, typename Encode, typename Fields>
void checkEncode(FieldStream& stream, Decode decode, Encode encode, Fields fields, const std::vector<Field>& layout,
                 const char* name, Findings& findings)
{
    Record holdable;
    Record arbitrary;
    const auto holdableFields = fields(holdable);
    const auto arbitraryFields = fields(arbitrary);
    std::vector<std::string> holdableBytes;
    for (std::size_t i = 0; i < layout.size(); ++i) {
        std::string bytes = stream.text();
        *arbitraryFields[i] = bytes;
        holdableBytes.push_back(withoutZeros(bytes).substr(0, layout[i].width));
        *holdableFields[i] = fromWindows1252(holdableBytes.back());
    }
    float rate = 0;
    if constexpr (requires { holdable.rate; }) {
        rate = std::bit_cast<float>(stream.bits());
        holdable.rate = rate;
        arbitrary.rate = rate;
    }

    std::array<std::uint8_t, Size> bytes {};
    encode(holdable, std::span<std::uint8_t, Size>(bytes));
    Record back = decode(std::span<const std::uint8_t, Size>(bytes));
    const auto backFields = fields(back);
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const std::string expected = *holdableFields[i] + std::string(layout[i].width - holdableBytes[i].size(), ' ');
        if (*backFields[i] != expected)
            return findings.fail(name, " field at ", layout[i].offset, ": ", quoted(*holdableFields[i]),
                                 " reads back as ", quoted(*backFields[i]));
    }
    if constexpr (requires { back.rate; }) {
        const float expectedRate = std::isfinite(rate) ? rate : 0.0f;
        if (std::bit_cast<std::uint32_t>(back.rate) != std::bit_cast<std::uint32_t>(expectedRate))
            return findings.fail(name, ": rate ", rate, " reads back as ", back.rate);
    }

    encode(arbitrary, std::span<std::uint8_t, Size>(bytes));
    Record arbitraryBack = decode(std::span<const std::uint8_t, Size>(bytes));
    const auto arbitraryBackFields = fields(arbitraryBack);
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const auto length = utf8Length(*arbitraryBackFields[i]);
        if (!length || *length > layout[i].width)
            return findings.fail(name, " field at ", layout[i].offset, ": ", quoted(*arbitraryFields[i]),
                                 " is stored as ", quoted(*arbitraryBackFields[i]));
    }
}

void checkNumbers(std::span<const std::uint8_t> input, Findings& findings)
{
    std::array<std::uint8_t, 4> bytes {};
    std::copy_n(input.begin(), std::min<std::size_t>(input.size(), 4), bytes.begin());
    std::array<std::uint8_t, 4> written {};
    writeInt16LE(std::span<std::uint8_t, 2>(written.data(), 2),
                 readInt16LE(std::span<const std::uint8_t, 2>(bytes.data(), 2)));
    if (!std::equal(written.begin(), written.begin() + 2, bytes.begin()))
        return findings.fail("a 16-bit counter does not write back its own bytes");
    writeFloat32LE(written, readFloat32LE(bytes));
    if (written != bytes)
        findings.fail("a 32-bit float does not write back its own bytes");
}

} // namespace

std::string checkRecordCodecs(std::span<const std::uint8_t> input)
{
    Findings findings;
    const std::vector<Field> party(std::begin(PartyLayout), std::end(PartyLayout));
    const std::vector<Field> invoice = invoiceLayout();
    const std::vector<Field> extra = extraLinesLayout();
    const auto constParty = [](const PartyRecord& r) { return partyFields(r); };
    const auto constInvoice = [](const InvoiceRecord& r) { return invoiceFields(r); };
    const auto constExtra = [](const ExtraLinesRecord& r) { return extraLinesFields(r); };

    checkDecode<PartyRecordSize>(input, decodeParty, encodeParty, constParty, party, false, "party", findings);
    checkDecode<InvoiceRecordSize>(input, decodeInvoice, encodeInvoice, constInvoice, invoice, true, "invoice",
                                   findings);
    checkDecode<ExtraLinesRecordSize>(input, decodeExtraLines, encodeExtraLines, constExtra, extra, false,
                                      "extra lines", findings);
    checkNumbers(input, findings);

    const auto mutableParty = [](PartyRecord& r) { return partyFields(r); };
    const auto mutableInvoice = [](InvoiceRecord& r) { return invoiceFields(r); };
    const auto mutableExtra = [](ExtraLinesRecord& r) { return extraLinesFields(r); };
    FieldStream stream(input);
    checkEncode<PartyRecordSize, PartyRecord>(stream, decodeParty, encodeParty, mutableParty, party, "party", findings);
    checkEncode<InvoiceRecordSize, InvoiceRecord>(stream, decodeInvoice, encodeInvoice, mutableInvoice, invoice,
                                                  "invoice", findings);
    checkEncode<ExtraLinesRecordSize, ExtraLinesRecord>(stream, decodeExtraLines, encodeExtraLines, mutableExtra, extra,
                                                        "extra lines", findings);
    return findings.first();
}

} // namespace tessaro::archive
