#include "archive/register_csv.h"

#include "archive/register_texts.h"

#include <array>

namespace tessaro::archive {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Columns the file has beyond the register's own, at the end of the row so
// that a spreadsheet reading the first columns by position still finds them.
enum class CsvColumn { ClientVatNumber, ClientTaxCode, StampDuty };
constexpr std::array<std::string_view, 3> CsvHeadings = {
    "Partita IVA del cliente",
    "Codice fiscale del cliente",
    "Imposta di bollo",
};

template <typename Cell, typename CsvCell> void appendLine(std::string& out, Cell cell, CsvCell csvCell)
{
    std::array<std::string, RegisterColumnCount + CsvHeadings.size()> fields;
    std::size_t field = 0;
    const int firstPayment = static_cast<int>(FirstPaymentColumn);
    for (int column = 0; column < firstPayment; ++column)
        fields[field++] = cell(static_cast<RegisterColumn>(column));
    for (std::size_t column = 0; column < CsvHeadings.size(); ++column)
        fields[field++] = csvCell(static_cast<CsvColumn>(column));
    for (int column = firstPayment; column < RegisterColumnCount; ++column)
        fields[field++] = cell(static_cast<RegisterColumn>(column));
    appendCsvLine(out, fields);
}

std::string csvCell(const BookRegister& reg, int index, CsvColumn column)
{
    switch (column) {
    case CsvColumn::ClientVatNumber:
        return reg.clientVatNumber(index);
    case CsvColumn::ClientTaxCode:
        return reg.clientTaxCode(index);
    case CsvColumn::StampDuty:
        // Left empty with the other amounts of a row outside the sums.
        return reg.row(index).counted() ? amountText(reg.row(index).figures.stampDuty, CsvAmounts) : std::string();
    }
    return {};
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

void appendCsvLine(std::string& out, std::span<const std::string> fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ';';
        out += csvField(fields[i]);
    }
    out += LineEnd;
}

std::string csvTable(const std::vector<std::vector<std::string>>& rows)
{
    std::string out(CsvByteOrderMark);
    for (const std::vector<std::string>& row : rows)
        appendCsvLine(out, row);
    return out;
}

std::optional<std::string> registerCsv(const BookRegister& reg, std::span<const SdiStatus> sdiStatuses,
                                       std::string_view year, calc::Date today,
                                       const std::function<bool(int done)>& step, bool notices)
{
    std::string out(CsvByteOrderMark);
    out.reserve(static_cast<std::size_t>(reg.size()) * 200 + 256);
    appendLine(
        out, [notices](RegisterColumn column) { return std::string(registerHeading(column, notices)); },
        [](CsvColumn column) { return std::string(CsvHeadings[static_cast<std::size_t>(column)]); });
    for (int i = 0; i < reg.size(); ++i) {
        if (step && i > 0 && i % CsvRowsPerStep == 0 && !step(i))
            return std::nullopt;
        const std::string_view sdi = static_cast<std::size_t>(i) < sdiStatuses.size()
            ? std::string_view(sdiStatuses[static_cast<std::size_t>(i)].text)
            : std::string_view();
        appendLine(
            out, [&](RegisterColumn column) { return registerCell(reg, i, column, sdi, year, today, CsvAmounts); },
            [&](CsvColumn column) { return csvCell(reg, i, column); });
    }
    const RegisterFigures totals = reg.totals();
    appendLine(
        out, [&](RegisterColumn column) { return totalsCell(totals, column, CsvAmounts); },
        [&](CsvColumn column) {
            return column == CsvColumn::StampDuty ? amountText(totals.stampDuty, CsvAmounts) : std::string();
        });
    if (step && !step(reg.size()))
        return std::nullopt;
    return out;
}

} // namespace tessaro::archive
