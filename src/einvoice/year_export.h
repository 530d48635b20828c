// "Esporta fatture elettroniche dell'anno": one electronic invoice per stored
// invoice of the book on screen, each checked and written on its own.
#pragma once

#include "archive/app_state.h"
#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "archive/records.h"
#include "archive/sdi_history.h"
#include "einvoice/einvoice_files.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::einvoice {

struct YearExportRequest {
    archive::DataDir dataDir;
    int issuerNumber = 0; // CurrentIssuer
    std::string year; // the year text of the book
    archive::InvoiceType type = archive::InvoiceType::Professional;
    archive::PartyRecord issuer;
    IssuerEinvoiceData issuerData;
    char decimalSeparator = ',';
    std::string now; // the time the history records for each file written
};

struct RefusedInvoice {
    int number = 0;
    std::vector<std::string> problems;
};

// An invoice the year's export leaves as it is: its file is there already
// and still holds it, or the exchange system took it (see SdiState).
struct KeptInvoice {
    int number = 0;
    archive::SdiState state = archive::SdiState::Exported;
};

struct YearExport {
    std::vector<std::string> written; // paths
    std::vector<KeptInvoice> kept;
    std::vector<RefusedInvoice> refused;
    // The book could not be read, or a file not written: the export stopped there.
    std::optional<archive::IoError> ioError;
    bool cancelled = false; // stopped by the user between two invoices
};

// Told before each invoice how many of how many are done; when it answers
// false the export stops there. Every file is written whole or not at all,
// so a stop leaves none half-written.
using ExportStep = std::function<bool(int done, int total)>;

// Invoices 1 .. N-1 of the book not exported yet, changed since, or rejected,
// into exportFolder(dataDir), each under a name of the export counter. The recipient of
// each is the one remembered for its client, else "0000000". An invoice read
// back from the book has no "omessa IVA" box: a VAT of 0 alone makes it an
// invoice without VAT.
YearExport exportYear(const YearExportRequest& request, const ExportStep& step = {});

// The text of the box that reports the export: how many were written, and
// each refused invoice with its reasons.
std::string yearExportMessage(const YearExport& result);

} // namespace tessaro::einvoice
