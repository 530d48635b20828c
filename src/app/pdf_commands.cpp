#include "app/pdf_commands.h"

#include "app/print_commands.h"
#include "print/invoice_page.h"
#include "print/qt_document.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryFile>

#include <cstdio>

namespace tessaro::app {

namespace {

std::string absolutePath(const std::string& path)
{
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toStdString();
}

// A free name beside the target, so that the finished file can take the
// target's place in one step and a failed write leaves an older file whole.
// The placeholder goes again at once: the PDF is then created like any new
// file, with the usual permissions rather than a temporary file's.
std::string temporaryBeside(const std::string& path)
{
    const QFileInfo target(QString::fromStdString(path));
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.tessaro-XXXXXX.pdf"));
    if (!file.open())
        return {};
    return file.fileName().toStdString();
}

print::DocumentOutcome writeReplacing(const std::string& path, const print::DrawDocument& draw)
{
    const std::string temporary = temporaryBeside(path);
    if (temporary.empty())
        return {print::DocumentOutcome::Kind::Refused, path, {}};
    print::DocumentOutcome outcome = print::writePdf(temporary, draw);
    outcome.path = path;
    if (outcome.kind == print::DocumentOutcome::Kind::SavedAsPdf && std::rename(temporary.c_str(), path.c_str()) == 0)
        return outcome;
    std::remove(temporary.c_str());
    if (outcome.kind == print::DocumentOutcome::Kind::SavedAsPdf)
        outcome.kind = print::DocumentOutcome::Kind::Refused;
    return outcome;
}

} // namespace

std::string withPdfSuffix(const std::string& path)
{
    if (QFileInfo(QString::fromStdString(path)).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0)
        return path;
    return path + ".pdf";
}

void saveInvoicePdf(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string chosen = dialogs.saveFileName(PdfSaveTitle, invoicePdfPath(form, state), PdfFilter);
    if (chosen.empty())
        return;
    const std::string path = withPdfSuffix(chosen);

    dialogs.setBusy(true);
    print::completeRateAndCurrency(form, state);
    const print::DocumentOutcome outcome
        = writeReplacing(path, [&](print::Page& page) { print::layoutInvoice(page, form, state); });
    dialogs.setBusy(false);

    if (outcome.kind == print::DocumentOutcome::Kind::SavedAsPdf)
        dialogs.message("La fattura è stata salvata nel file PDF\n" + absolutePath(outcome.path), PdfSavedTitle,
                        ui::Buttons::Ok);
    else
        reportDocument(outcome, dialogs, false);
}

} // namespace tessaro::app
