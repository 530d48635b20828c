// One print document and where it went. Commands hand a drawing routine to a
// DocumentSink; the Qt back end sends it to the system printer or a PDF file,
// tests hand it a recording page.
#pragma once

#include "print/page.h"

#include <functional>
#include <string>

namespace tessaro::print {

struct DocumentOutcome {
    enum class Kind {
        Printed, // sent to the printer
        SavedAsPdf, // written to path
        Refused, // the printer or the file refused the document
        Empty, // nothing was drawn, so nothing was sent
        Cancelled, // the drawing was abandoned: nothing was sent, no file is left
    };
    Kind kind = Kind::Printed;
    std::string path; // the PDF file, for SavedAsPdf and a refused PDF
    std::string printer; // the printer's name, when a printer was used
};

using DrawDocument = std::function<void(Page&)>;

// Draws one document somewhere; pdfFallbackPath is where it is written when
// there is no printer to send it to.
using DocumentSink = std::function<DocumentOutcome(const std::string& pdfFallbackPath, const DrawDocument& draw)>;

} // namespace tessaro::print
