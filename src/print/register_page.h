// The printed register of a book, "Registro delle fatture emesse": the
// issuer and the year at the top of every page, the column headings repeated
// on each, one line per invoice, "Pagina n di m" at the foot, and the totals
// with the notes after the last invoice. Fifteen columns fit a portrait
// sheet in a small type, the narrow ones under short headings the legend explains. Drawn on the page surface, so the
// printer and the PDF get the same pages.
#pragma once

#include "archive/records.h"
#include "archive/register.h"
#include "archive/sdi_history.h"
#include "print/page.h"

#include <functional>
#include <span>
#include <string>

namespace tessaro::print {

inline constexpr const char* RegisterTitle = "Registro delle fatture emesse";
inline constexpr const char* NoticeRegisterTitle = "Registro degli avvisi di parcella";

struct RegisterSheet {
    archive::PartyRecord issuer;
    std::string year;
    char decimalSeparator = ',';
    calc::Date today; // which invoices are overdue
    // A book of fee notices: the column of the electronic invoice holds the
    // invoice each notice became, as the statuses' texts say it.
    bool notices = false;
};

// Vertical layout in twips: rows begin below the headings and end above the foot.
inline constexpr double RegisterRowsTop = 2130;
inline constexpr double RegisterRowHeight = 230;
inline constexpr double RegisterFootMargin = 600; // "Pagina n di m" this far above the bottom
inline constexpr int RegisterClosingRows = 6; // totals, count, rule note and three lines of legend after the last row

// Invoice lines one page holds, and the pages the whole register takes.
int registerRowsPerPage(const Page& page);
int registerPageCount(const Page& page, int rows);

// Lays out the register; sdiStatuses holds what became of each row's
// electronic invoice (a row without one has its cell empty). step is told
// after every page how many rows are laid out; when it answers false the
// document is abandoned and false returned.
bool layoutRegister(Page& page, const archive::BookRegister& reg, std::span<const archive::SdiStatus> sdiStatuses,
                    const RegisterSheet& sheet, const std::function<bool(int rowsDone)>& step = {});

} // namespace tessaro::print
