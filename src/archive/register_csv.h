// The register as a file a spreadsheet opens without questions: semicolons
// between the fields, a decimal comma, UTF-8 with a byte-order mark, CR LF
// line ends, a heading row, one row per invoice and a row of totals. After
// the register's columns come those only the accountant needs: the client's
// partita IVA and codice fiscale and the stamp duty due; then the columns of
// what came in, so that every column keeps the place it had before them.
#pragma once

#include "archive/register.h"
#include "archive/register_texts.h"
#include "archive/sdi_history.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

inline constexpr int CsvRowsPerStep = 512;

// sdiStatuses: one per row (a row without one has its cell empty);
// today decides which invoices are overdue. step is told how many rows are
// done every CsvRowsPerStep rows; when it answers false the text is
// abandoned and nothing is returned.
std::optional<std::string> registerCsv(const BookRegister& reg, std::span<const SdiStatus> sdiStatuses,
                                       std::string_view year, calc::Date today,
                                       const std::function<bool(int done)>& step = {}, bool notices = false);

// One field as the file holds it: quoted, with doubled quotes, when it holds
// a semicolon, a quote, a line end or blanks at either end.
std::string csvField(std::string_view text);

// Every file for a spreadsheet the program writes starts with the mark that
// tells it the text is UTF-8, and holds lines of fields as the register's do.
inline constexpr std::string_view CsvByteOrderMark = "\xEF\xBB\xBF";
void appendCsvLine(std::string& out, std::span<const std::string> fields);

// The amounts of the file: two decimals after a comma, no thousands, what an
// Italian spreadsheet reads as a number; a row left out of the sums leaves
// its amounts empty, so every column adds up to the totals row.
inline constexpr AmountStyle CsvAmounts {',', false, false};

// Any other table of the year as the same kind of file: the byte-order mark,
// then one line per row, each field as csvField makes it.
std::string csvTable(const std::vector<std::vector<std::string>>& rows);

} // namespace tessaro::archive
