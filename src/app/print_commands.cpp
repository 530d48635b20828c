#include "app/print_commands.h"

#include "app/print_book.h"
#include "archive/book.h"
#include "archive/box_titles.h"
#include "calc/text.h"
#include "print/invoice_page.h"
#include "print/money_text.h"
#include "print/qt_document.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <optional>

namespace tessaro::app {

namespace {

// A piece of a file name from a field: trimmed, and nothing but letters,
// digits and '-' so that no field can lead the file out of the data directory.
std::string fileNamePart(const std::string& text)
{
    std::string part;
    for (const char c : print::trimBlanks(text)) {
        const bool safe = calc::isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
        part += safe ? c : '_';
    }
    return part;
}

} // namespace

std::string absolutePath(const std::string& path)
{
    return QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath()).toStdString();
}

std::string invoicePdfPath(const archive::InvoiceForm& form, const archive::AppState& state)
{
    return archive::dataFile(state.dataDir,
                             (state.onNotices() ? "avviso-" : "fattura-") + std::to_string(state.currentIssuer) + "-"
                                 + fileNamePart(form.year) + "-" + fileNamePart(form.number) + ".pdf");
}

std::string yearPdfPath(const archive::InvoiceForm& form, const archive::AppState& state)
{
    return archive::dataFile(state.dataDir,
                             (state.onNotices() ? "avvisi-" : "fatture-") + std::to_string(state.currentIssuer) + "-"
                                 + fileNamePart(form.year) + ".pdf");
}

void reportDocument(const print::DocumentOutcome& outcome, ui::Dialogs& dialogs, bool severalInvoices)
{
    using Kind = print::DocumentOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Printed:
    case Kind::Empty:
    case Kind::Cancelled: // the command says what was done
        return;
    case Kind::SavedAsPdf:
        dialogs.message(std::string("Nessuna stampante predefinita: ")
                            + (severalInvoices ? "le fatture sono state salvate" : "la fattura è stata salvata")
                            + " nel file PDF\n" + absolutePath(outcome.path),
                        archive::PrintTitle);
        return;
    case Kind::Refused:
        if (!outcome.path.empty())
            dialogs.message("Impossibile scrivere il file PDF\n" + absolutePath(outcome.path), archive::AttentionTitle);
        else
            dialogs.message("La stampante " + outcome.printer + " non ha accettato il documento: stampa non eseguita.",
                            archive::AttentionTitle);
        return;
    }
}

void printInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                  const print::DocumentSink& sink)
{
    ui::BusyPointer busy(dialogs);
    // The buffer keeps the rate and currency it was printed with, as the window then shows them.
    const print::InvoiceSheet sheet = print::invoiceSheet(state);
    form = print::printedForm(form, sheet);
    const print::DocumentOutcome outcome
        = sink(invoicePdfPath(form, state), [&](print::Page& page) { print::layoutInvoice(page, form, sheet); });
    busy.release();
    reportDocument(outcome, dialogs, false);
}

void printYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
               const print::DocumentSink& sink)
{
    // An empty book draws nothing, and a back end sends no document then.
    ui::BusyPointer busy(dialogs);
    const int invoices = std::max(state.nextNumber - 1, 0);
    const std::string documents = state.onNotices() ? "avvisi di parcella" : "fatture";
    const auto progress = dialogs.startProgress("Stampa tutte le fatture dell'anno",
                                                "Stampa " + std::string(state.onNotices() ? "degli " : "delle ")
                                                    + documents + " dell'anno " + form.year + "...",
                                                invoices);
    YearOutcome laidOut;
    const print::DocumentOutcome outcome = sink(yearPdfPath(form, state), [&](print::Page& page) {
        laidOut = layoutBook(page, form, state, [&](int done) { return progress->step(done); });
    });
    progress->finish();
    busy.release();
    const std::optional<archive::IoError>& readError = laidOut.error;
    if (outcome.kind == print::DocumentOutcome::Kind::Cancelled || laidOut.cancelled) {
        dialogs.message("Stampa interrotta dopo " + std::to_string(laidOut.printed) + " " + documents + " su "
                            + std::to_string(invoices) + ": non è stato stampato né salvato nulla.",
                        archive::PrintTitle);
        return;
    }
    if (readError) {
        // The invoices before the unreadable one have gone out already.
        dialogs.message(readError->describe() + "\nLa stampa delle fatture dell'anno è incompleta.",
                        archive::AttentionTitle);
    }
    reportDocument(outcome, dialogs, true);
}

void printInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    printInvoice(form, state, dialogs, print::printOnDefaultPrinter);
}

void printYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    printYear(form, state, dialogs, print::printOnDefaultPrinter);
}

} // namespace tessaro::app
