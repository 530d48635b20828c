// Where a print document goes: the system's default printer, or a PDF file
// when the machine has no printer.
#pragma once

#include "print/document.h"

#include <string>

namespace tessaro::print {

// A4 PDF without margins: twip (0, 0) is the top-left corner of the sheet and
// the whole sheet (595 x 842 points, 11900 x 16840 twips) is the printable
// area, so the layout's 800 to 10500 leaves 14 mm on the left and 24 mm on
DocumentOutcome writePdf(const std::string& path, const DrawDocument& draw);

// The system's default printer, which receives the document only once it is
// drawn whole; without a printer, the document is written as a PDF to
// pdfFallbackPath instead (the outcome says which).
DocumentOutcome printOnDefaultPrinter(const std::string& pdfFallbackPath, const DrawDocument& draw);

} // namespace tessaro::print
