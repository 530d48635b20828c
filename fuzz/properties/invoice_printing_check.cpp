#include "invoice_printing_check.h"

#include "archive/codepage.h"
#include "field_stream.h"
#include "findings.h"
#include "print/invoice_page.h"
#include "print/recording_page.h"
#include "print/wrap.h"

#include <bit>
#include <cmath>
#include <vector>

namespace tessaro::print {

namespace {

using calc::FieldStream;
using calc::Findings;
using calc::quoted;
using calc::utf8Length;

// Texts come from the window (any UTF-8, or whatever a caller put there) or
// from a record file (Windows-1252 read back); a flag of the input picks.
class FormReader {
public:
    FormReader(FieldStream& stream, bool fromFile) : m_stream(stream), m_fromFile(fromFile) { }

    std::string text()
    {
        std::string bytes = m_stream.text();
        if (m_fromFile) {
            std::erase(bytes, '\0');
            bytes = archive::fromWindows1252(bytes);
        }
        m_allWellFormed = m_allWellFormed && utf8Length(bytes).has_value();
        return bytes;
    }
    void party(archive::PartyRecord& p)
    {
        for (std::string* field : {&p.title, &p.surname, &p.firstName, &p.address, &p.city, &p.province, &p.postCode,
                                   &p.taxCode, &p.vatNumber})
            *field = text();
    }
    bool allWellFormed() const { return m_allWellFormed; }

private:
    FieldStream& m_stream;
    bool m_fromFile;
    bool m_allWellFormed = true;
};

void readForm(FormReader& in, archive::InvoiceForm& form, archive::AppState& state)
{
    for (std::string* field : {&form.number, &form.day, &form.month, &form.year, &form.vat, &form.pension,
                               &form.withholding, &form.expenses, &form.expenses2})
        *field = in.text();
    in.party(form.client);
    for (std::size_t k = 0; k < 3; ++k) {
        form.description[k] = in.text();
        form.amount[k] = in.text();
        form.quantity[k] = in.text();
    }
    for (std::size_t i = 0; i < archive::ExtraLineCount; ++i) {
        form.extraLines.description[i] = in.text();
        form.extraLines.amount[i] = in.text();
        form.extraLines.quantity[i] = in.text();
    }
    for (std::string* field : {&form.taxable, &form.vatAmount, &form.withholdingAmount, &form.total, &form.rateText})
        *field = in.text();
    form.buffer.currency = in.text();
    in.party(state.currentIssuerRecord);
}

bool finite(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b);
}

void checkPage(const RecordingPage& page, bool wellFormedInput, Findings& findings)
{
    for (const auto& t : page.texts()) {
        if (!finite(t.x, t.y))
            return findings.fail("text ", quoted(t.text), " printed at ", t.x, ", ", t.y);
        if (wellFormedInput && !utf8Length(t.text))
            return findings.fail("text ", quoted(t.text), " is cut inside a character");
    }
    for (const auto& s : page.segments()) {
        if (!finite(s.x1, s.y1) || !finite(s.x2, s.y2))
            return findings.fail("segment from ", s.x1, ", ", s.y1, " to ", s.x2, ", ", s.y2);
    }
    if (!finite(page.currentX(), page.currentY()))
        findings.fail("print position ends at ", page.currentX(), ", ", page.currentY());
}

// What the wrapped lines must add up to: the description without its trailing
// blanks, carriage returns and line feeds read as blanks.
std::string wrappedContent(std::string description)
{
    while (description.ends_with(' '))
        description.pop_back();
    for (char& c : description) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return description;
}

void checkWrap(const std::string& description, double limitTwips, Findings& findings)
{
    if (!utf8Length(description))
        return;
    RecordingPage page;
    page.setFontSize(12);
    const std::vector<std::string> lines = wrapDescription(page, description, limitTwips);
    std::string content;
    for (const std::string& line : lines) {
        if (line.empty())
            return findings.fail("wrapping ", quoted(description), " at ", limitTwips, " makes an empty line");
        if (utf8Length(line).value_or(0) > 1 && page.textWidth(line) > limitTwips)
            return findings.fail("wrapping ", quoted(description), " at ", limitTwips, ": line ", quoted(line),
                                 " is wider than the column");
        content += line;
    }
    if (content != wrappedContent(description))
        findings.fail("wrapping ", quoted(description), " at ", limitTwips, " gives ", quoted(content));
}

} // namespace

std::string checkInvoicePrinting(std::span<const std::uint8_t> input)
{
    Findings findings;
    FieldStream stream(input);
    const std::uint8_t flags = stream.byte();
    archive::AppState state;
    state.invoiceType = (flags & 1) ? archive::InvoiceType::Commercial : archive::InvoiceType::Professional;
    state.currency = (flags & 2) ? archive::Currency::Lire : archive::Currency::Euro;
    state.decimalSeparator = (flags & 4) ? '.' : ',';
    archive::InvoiceForm form;
    form.onAccount = flags & 8;
    form.balance = flags & 16;
    form.omittedVatStatement = flags & 32;
    // The value of one euro is refused outside (0, 9900] when set, and start-up
    // puts 1936.27 in place of 0; the rate of an invoice is whatever finite
    // float its record holds (the decoder turns the others into 0).
    const float euroRate = std::bit_cast<float>(stream.bits());
    if (euroRate > 0 && euroRate <= 9900)
        state.euroRate = euroRate;
    const float rate = std::bit_cast<float>(stream.bits());
    form.buffer.rate = std::isfinite(rate) ? rate : 0.0f;
    const double wrapLimit = 100.0 * stream.byte();

    FormReader reader(stream, flags & 64);
    readForm(reader, form, state);

    RecordingPage page;
    layoutInvoice(page, form, invoiceSheet(state));
    page.endDoc();
    checkPage(page, reader.allWellFormed(), findings);

    for (const std::string& description : form.description)
        checkWrap(description, wrapLimit, findings);
    for (const std::string& description : form.extraLines.description)
        checkWrap(description, wrapLimit, findings);
    return findings.first();
}

} // namespace tessaro::print
