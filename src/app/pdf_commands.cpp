#include "app/pdf_commands.h"

#include "app/print_commands.h"
#include "print/invoice_page.h"
#include "print/qt_document.h"

#include <QFileInfo>
#include <QString>

namespace tessaro::app {

std::string withPdfSuffix(const std::string& path)
{
    if (QFileInfo(QString::fromStdString(path)).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0)
        return path;
    return path + ".pdf";
}

bool mayReplace(const std::string& path, ui::Dialogs& dialogs)
{
    const QFileInfo file(QString::fromStdString(path));
    if (!file.exists())
        return true;
    return dialogs.message("Il file «" + file.fileName().toStdString() + "» esiste già. Sostituirlo?",
                           archive::AttentionTitle, ui::Buttons::YesNo)
        == ui::Answer::Yes;
}

void saveInvoicePdf(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string chosen = dialogs.saveFileName(PdfSaveTitle, invoicePdfPath(form, state), PdfFilter);
    if (chosen.empty())
        return;
    const std::string path = withPdfSuffix(chosen);
    if (!mayReplace(path, dialogs))
        return;

    dialogs.setBusy(true);
    // The buffer keeps the rate and currency it was printed with, as the window then shows them.
    const print::InvoiceSheet sheet = print::invoiceSheet(state);
    form = print::printedForm(form, sheet);
    const print::DocumentOutcome outcome
        = print::writePdf(path, [&](print::Page& page) { print::layoutInvoice(page, form, sheet); });
    dialogs.setBusy(false);

    if (outcome.kind == print::DocumentOutcome::Kind::SavedAsPdf)
        dialogs.message(
            std::string(state.onNotices() ? "L'avviso di parcella è stato salvato" : "La fattura è stata salvata")
                + " nel file PDF\n" + absolutePath(outcome.path),
            PdfSavedTitle, ui::Buttons::Ok);
    else
        reportDocument(outcome, dialogs, false);
}

} // namespace tessaro::app
