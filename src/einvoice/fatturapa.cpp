#include "einvoice/fatturapa.h"

#include "archive/book.h"
#include "archive/file_system.h"
#include "archive/sdi_names.h"
#include "einvoice/atomic_file.h"

#include <filesystem>

namespace tessaro::einvoice {

std::string exportFolder(const archive::DataDir& dir)
{
    return archive::exportFolderPath(dir);
}

ExportOutcome exportInvoice(const InvoiceToExport& invoice, const std::string& folder, archive::FileSystem& fs)
{
    ExportOutcome outcome;
    CheckOutcome checked = check(invoice);
    if (!checked.checked) {
        outcome.problems = std::move(checked.problems);
        return outcome;
    }
    outcome.path = archive::pathText(archive::nativePath(folder) / fileName(invoice));
    if (!fs.createDirectories(folder)) {
        outcome.ioError = archive::IoError {archive::IoError::Action::Write, outcome.path};
        return outcome;
    }
    if (archive::Status written = writeFileAtomically(outcome.path, buildXml(*checked.checked), fs); !written)
        outcome.ioError = written.error();
    return outcome;
}

ExportOutcome exportUnderNewName(InvoiceToExport invoice, const archive::SdiBook& book, int count, std::string_view now)
{
    ExportOutcome outcome;
    outcome.problems = validate(invoice);
    if (!outcome.problems.empty())
        return outcome;
    auto fingerprint = archive::exportedFingerprint(book.paths, invoice.form, invoice.number);
    if (!fingerprint) {
        outcome.ioError = fingerprint.error();
        return outcome;
    }
    auto progressive = archive::recordExport(book, count, invoice.number, fingerprint.value(), now);
    if (!progressive) {
        outcome.ioError = progressive.error();
        return outcome;
    }
    invoice.progressive = progressive.value();
    outcome = exportInvoice(invoice, exportFolder(book.paths.dir), book.paths.fs());
    if (!outcome.written())
        (void)archive::forgetExport(book.paths, invoice.number, fileName(invoice));
    return outcome;
}

std::string writtenMessage(const std::string& path)
{
    return "La fattura elettronica è stata scritta nel file " + path;
}

std::string refusalMessage(const std::vector<std::string>& problems)
{
    std::string message = "La fattura elettronica non è stata scritta:";
    for (const std::string& problem : problems)
        message += "\n- " + problem;
    return message;
}

} // namespace tessaro::einvoice
