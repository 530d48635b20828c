// The description wrapping of the printed invoice: characters are taken one
// by one into a line; when the line grows wider than the column it falls back
// to its last blank, and the blank starts the next line.
#pragma once

#include "print/page.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::print {

inline constexpr double DescriptionX = 1400;

// The lines a description breaks into at limitTwips, measured with the
// page's current font. Carriage returns and line feeds read as blanks. A word
// wider than the column is broken at the column limit.
std::vector<std::string> wrapDescription(const Page& page, std::string_view description, double limitTwips);

// Prints the wrapped lines at x = 1400, each 250 below the print position and
// ending its line; returns how many lines were printed.
int printDescription(Page& page, std::string_view description, double limitTwips);

} // namespace tessaro::print
