// What the window "Incassi dell'anno" shows and what the user asks of it, as
// plain data: the command reads the books, searches and hands the year over
// as a file or on paper; the window only shows and reports, so the whole
// exchange runs headless too.
#pragma once

#include "archive/year_receipts.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tessaro::ui {

inline constexpr int YearReceiptsColumnCount = 11;
using YearReceiptsCells = std::array<std::string, YearReceiptsColumnCount>;

struct YearReceiptsView {
    std::string year; // cmbanno: the year shown
    std::vector<std::string> years; // the years offered in its list
    std::array<std::string, YearReceiptsColumnCount> headings;
    // Every payment of the year, read once and shared between showings; the
    // texts of a row are made only when it is drawn (archive/year_receipts_texts.h).
    std::shared_ptr<const archive::YearReceipts> receipts;
    char decimalSeparator = ',';
    std::vector<int> shown; // grdincassi: the rows of receipts the search keeps, in order
    YearReceiptsCells totals; // grdtotali: of the rows shown
    std::string count; // etcconta: "12 incassi", "3 di 12 incassi"
    std::vector<std::string> problems; // etcnota: the books not read, then the rule of the parts
    std::array<double, 12> months {}; // picmesi: the payments by month, the whole year
    std::array<std::string, 12> monthLabels;
    std::string monthsCaption;
};

struct YearReceiptsRequest {
    enum class Action { Close, ChangeYear, Search, ExportCsv, Print, SavePdf };
    Action action = Action::Close;
    std::string year; // as typed in cmbanno
    std::string search; // as typed in txtcerca
};

} // namespace tessaro::ui
