#include "archive/register_csv.h"

#include "archive/register_texts.h"

namespace tessaro::archive {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineEnd = "\r\n";

// Plain two decimals after a comma, no thousands: what an Italian
// spreadsheet reads as a number. A row left out of the sums leaves its
// amounts empty, so every column adds up to the totals row.
constexpr AmountStyle CsvAmounts {',', false, false};

template <typename Cell> void appendLine(std::string& out, Cell cell)
{
    for (int column = 0; column < RegisterColumnCount; ++column) {
        if (column > 0)
            out += ';';
        out += csvField(cell(static_cast<RegisterColumn>(column)));
    }
    out += LineEnd;
}

} // namespace

std::string csvField(std::string_view text)
{
    const bool quoted = text.find_first_of(";\"\r\n") != std::string_view::npos
        || (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

std::optional<std::string> registerCsv(const BookRegister& reg, std::span<const char> einvoiceWritten,
                                       std::string_view year, const std::function<bool(int done)>& step)
{
    std::string out(ByteOrderMark);
    out.reserve(static_cast<std::size_t>(reg.size()) * 160 + 256);
    appendLine(out, [](RegisterColumn column) { return std::string(registerHeading(column)); });
    for (int i = 0; i < reg.size(); ++i) {
        if (step && i > 0 && i % CsvRowsPerStep == 0 && !step(i))
            return std::nullopt;
        const bool written = static_cast<std::size_t>(i) < einvoiceWritten.size() && einvoiceWritten[i];
        appendLine(out, [&](RegisterColumn column) { return registerCell(reg, i, column, written, year, CsvAmounts); });
    }
    const RegisterFigures totals = reg.totals();
    appendLine(out, [&](RegisterColumn column) { return totalsCell(totals, column, CsvAmounts); });
    if (step && !step(reg.size()))
        return std::nullopt;
    return out;
}

} // namespace tessaro::archive
