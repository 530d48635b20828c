// The electronic invoice (FatturaPA, format FPR12) of one invoice, exported:
// checked, then its file written so that nothing half-written is ever left,
// and the messages that report it. Its parts, each in its own header, come
// with it: the recipient, the progressive and file name, the checks, the XML.
#pragma once

#include "archive/box_titles.h"
#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "archive/sdi_history.h"
#include "einvoice/checked_invoice.h"
#include "einvoice/export_input.h"
#include "einvoice/invoice_xml.h"
#include "einvoice/progressive.h"
#include "einvoice/recipient.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::einvoice {

// The titles of the boxes that report an export.
inline constexpr std::string_view ExportDoneTitle = "FATTURA ELETTRONICA";
inline constexpr std::string_view RefusalTitle = archive::AttentionTitle;

// Folder of the data directory that receives the electronic invoices.
std::string exportFolder(const archive::DataDir& dir);

struct ExportOutcome {
    std::vector<std::string> problems; // refused: nothing was written
    std::optional<archive::IoError> ioError; // the file could not be written: nothing is left
    std::string path; // the file written

    bool written() const { return problems.empty() && !ioError; }
};

// Checks, then writes <folder>/<fileName> (creating the folder), replacing a
// previous export of the same invoice.
ExportOutcome exportInvoice(const InvoiceToExport& invoice, const std::string& folder,
                            archive::FileSystem& fs = archive::realFileSystem());

// Checks, then takes the invoice's next name from the export counter of the
// issuer's VAT number, records it in the invoice's history with the time
// given, and writes the file under it. A refused invoice takes no name; a
// file that could not be written is taken out of the history again, its
// name never given twice all the same.
ExportOutcome exportUnderNewName(InvoiceToExport invoice, const archive::SdiBook& book, int count,
                                 std::string_view now);

// The text of the box that confirms a written file.
std::string writtenMessage(const std::string& path);
// The text of the "ATTENZIONE" box that lists the reasons of a refusal.
std::string refusalMessage(const std::vector<std::string>& problems);

} // namespace tessaro::einvoice
