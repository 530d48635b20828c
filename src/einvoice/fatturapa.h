// The electronic invoice (FatturaPA, format FPR12) of one invoice: the checks
// that refuse it with reasons, its file name, its XML, and writing the file
// so that nothing half-written is ever left.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "einvoice/export_input.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::einvoice {

// The input box that asks for the recipient (its default answer is
// proposedRecipient()), and the titles of the boxes that report an export.
inline constexpr std::string_view RecipientPrompt
    = "Codice destinatario del cliente (7 caratteri) oppure indirizzo PEC:";
inline constexpr std::string_view RecipientTitle = "FATTURA ELETTRONICA";
inline constexpr std::string_view ExportDoneTitle = "FATTURA ELETTRONICA";
inline constexpr std::string_view RefusalTitle = "ATTENZIONE";

// A recipient as the exchange system takes it: a codice destinatario of 7
// letters or digits, or the code "0000000" with a PEC address.
struct Recipient {
    std::string code {DefaultRecipientCode};
    std::string pec;
};
// The answer of the input box, trimmed (a code is upper-cased); nothing when
// it is neither 7 letters or digits nor a PEC address of at most 100 characters.
std::optional<Recipient> parseRecipient(std::string_view answer);
// What is remembered for the client: the PEC address, else the code.
std::string recipientText(const Recipient& recipient);

// Every reason, as an Italian sentence, why the invoice cannot become an
// electronic invoice; empty when it can.
std::vector<std::string> validate(const InvoiceToExport& invoice);

// ProgressivoInvio: five base-36 digits (0-9, A-Z) of
// (year - 1900) x 32768 + number, distinct for every year from 1900 to 3744
// and every number from 1 to 32767. Nothing outside those ranges.
std::optional<std::string> progressive(std::string_view yearText, int number);
// "IT<issuer VAT number>_<progressive>.xml"; empty when the progressive has none.
std::string fileName(const InvoiceToExport& invoice);

// The XML document (UTF-8). Only for an invoice validate() accepts.
std::string buildXml(const InvoiceToExport& invoice);

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

// The text of the box that confirms a written file.
std::string writtenMessage(const std::string& path);
// The text of the "ATTENZIONE" box that lists the reasons of a refusal.
std::string refusalMessage(const std::vector<std::string>& problems);

} // namespace tessaro::einvoice
