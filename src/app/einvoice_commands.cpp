#include "app/einvoice_commands.h"

#include "app/invoice_commands.h"
#include "app/issuer_commands.h"
#include "app/notice_commands.h"
#include "archive/codepage.h"
#include "archive/lifecycle.h"
#include "archive/notices.h"
#include "archive/sdi_history.h"
#include "archive/sdi_names.h"
#include "calc/text.h"
#include "einvoice/fatturapa.h"
#include "einvoice/year_export.h"

#include <QDateTime>

#include <algorithm>
#include <optional>
#include <string>

namespace tessaro::app {

namespace {

const std::string NotWritten = "La fattura elettronica non è stata scritta.";

void refuse(ui::Dialogs& dialogs, const std::vector<std::string>& problems)
{
    dialogs.message(einvoice::refusalMessage(problems), std::string(einvoice::RefusalTitle), ui::Buttons::Ok);
}

// The e-invoice data of the current issuer; nothing, after telling why, when
// there is no issuer or its record cannot be read.
std::optional<einvoice::IssuerEinvoiceData> issuerData(const archive::AppState& state, ui::Dialogs& dialogs,
                                                       const std::string& whatFailed)
{
    if (!hasCurrentIssuer(state)) {
        refuse(dialogs, {NoIssuerToExportText});
        return std::nullopt;
    }
    archive::Result<einvoice::IssuerEinvoiceData> data = einvoice::readIssuerData(state.dataDir, state.currentIssuer);
    if (!data) {
        reportFailure(dialogs, whatFailed, data.error());
        return std::nullopt;
    }
    return data.value();
}

// The time the history records for a file written.
std::string now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

// The file of the invoice that stands: the one the exchange system took,
// else the latest; the earlier name for a book that kept no history.
std::string standingFile(const archive::SdiHistory& history, const archive::SdiBook& book, int number)
{
    for (auto file = history.exports.rbegin(); file != history.exports.rend(); ++file) {
        if (file->outcome == archive::SdiOutcome::Delivered || file->outcome == archive::SdiOutcome::NotDelivered)
            return file->fileName;
    }
    return history.empty() ? archive::earlierExportName(book.vatNumber, book.year, number)
                           : history.exports.back().fileName;
}

// Every export is a new file: one the exchange system took makes this one a
// second invoice for the client, and one still waiting for its receipt may
// have been sent already. Either goes only when the user says so.
bool mayExportAgain(const archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const int number = archive::invoiceNumber(form.number);
    if (!archive::isBookYear(form.year) || number < 1 || number >= state.nextNumber)
        return true;
    const archive::SdiBook book = archive::currentSdiBook(form, state);
    auto history = archive::readSdiHistory(book.paths, number);
    auto status = archive::sdiStatusOf(book, number);
    if (!history || !status) {
        reportFailure(dialogs, NotWritten, history ? status.error() : history.error());
        return false;
    }
    const archive::SdiState sdiState = status.value().state;
    if (sdiState == archive::SdiState::NotExported || sdiState == archive::SdiState::Rejected)
        return true;
    const std::string invoice = "La fattura n. " + std::to_string(number) + " del " + form.year;
    const std::string file = standingFile(history.value(), book, number);
    std::string question;
    if (sdiState == archive::SdiState::Delivered || sdiState == archive::SdiState::NotDelivered) {
        const std::string how = sdiState == archive::SdiState::Delivered
            ? "è stata consegnata al cliente"
            : "è stata emessa (non consegnata: è nell'area riservata del cliente)";
        question = invoice + " " + how + " dal Sistema di Interscambio con il file " + file
            + ".\nUn nuovo file sarebbe una seconda fattura. Esportarla di nuovo lo stesso?";
    } else {
        question = invoice + " è già stata esportata nel file " + file
            + ", che non ha ancora una ricevuta.\nSe quel file è già stato inviato, un nuovo file sarebbe una "
              "seconda fattura; se non lo è, non va inviato. Esportarla di nuovo con un nuovo nome?";
    }
    return dialogs.message(question, std::string(einvoice::RefusalTitle), ui::Buttons::YesNo) == ui::Answer::Yes;
}

} // namespace

bool loadIssuerTerms(archive::AppState& state, ui::Dialogs& dialogs)
{
    state.issuerTerms = {};
    if (!hasCurrentIssuer(state))
        return true;
    archive::Result<einvoice::IssuerEinvoiceData> data = einvoice::readIssuerData(state.dataDir, state.currentIssuer);
    if (!data) {
        reportFailure(dialogs, "I dati per la fattura elettronica dell'emittente non sono stati letti.", data.error());
        return false;
    }
    state.issuerTerms = einvoice::termsOf(data.value());
    return true;
}

void exportEinvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    if (refusedOnNotices(state, dialogs, NoticeIsNoInvoiceText))
        return;
    const std::optional<einvoice::IssuerEinvoiceData> data = issuerData(state, dialogs, NotWritten);
    if (!data)
        return;
    // The file's history lives beside the invoice in its book: an invoice
    // not stored has no place for it, and its file would not match the book.
    if (archive::invoiceNumber(form.number) >= state.nextNumber) {
        refuse(dialogs, {NotStoredText});
        return;
    }
    if (!mayExportAgain(form, state, dialogs))
        return;
    archive::Result<std::string> proposed = einvoice::proposedRecipient(state.dataDir, form.client);
    if (!proposed) {
        reportFailure(dialogs, NotWritten, proposed.error());
        return;
    }
    const std::string answer = std::string(archive::trimBlanks(dialogs.input(
        std::string(einvoice::RecipientPrompt), std::string(einvoice::RecipientTitle), proposed.value())));
    if (answer.empty())
        return;

    einvoice::InvoiceToExport invoice;
    invoice.form = form;
    invoice.type = state.invoiceType;
    invoice.year = std::string(archive::trimBlanks(form.year));
    invoice.number = archive::invoiceNumber(form.number);
    invoice.issuer = state.currentIssuerRecord;
    invoice.issuerData = *data;
    invoice.recipient = answer;

    const einvoice::ExportOutcome outcome = einvoice::exportUnderNewName(invoice, archive::currentSdiBook(form, state),
                                                                         std::max(state.nextNumber - 1, 0), now());
    if (!outcome.problems.empty()) {
        refuse(dialogs, outcome.problems);
        return;
    }
    if (outcome.ioError) {
        reportFailure(dialogs, NotWritten, *outcome.ioError);
        return;
    }
    // Remembered only with a file written: a refused export changes nothing.
    const archive::Status remembered = einvoice::rememberRecipient(
        state.dataDir, form.client, einvoice::recipientText(*einvoice::parseRecipient(answer)));
    archive::refreshDocumentStatus(form, state);
    dialogs.message(einvoice::writtenMessage(outcome.path), std::string(einvoice::ExportDoneTitle), ui::Buttons::Ok);
    if (!remembered)
        reportFailure(dialogs, "Il codice destinatario del cliente non è stato memorizzato.", remembered.error());
}

void exportEinvoiceYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    if (refusedOnNotices(state, dialogs, NoticeIsNoInvoiceText))
        return;
    const std::string notWritten = "Le fatture elettroniche dell'anno non sono state scritte.";
    const std::optional<einvoice::IssuerEinvoiceData> data = issuerData(state, dialogs, notWritten);
    if (!data)
        return;
    // The year names the book's files: only a year the program could have
    // made is looked for.
    const std::string year(archive::trimBlanks(form.year));
    if (!calc::isFourDigitYear(year)) {
        dialogs.message(notWritten + "\n" + InvalidYearText, std::string(einvoice::RefusalTitle), ui::Buttons::Ok);
        return;
    }

    einvoice::YearExportRequest request;
    request.dataDir = state.dataDir;
    request.issuerNumber = state.currentIssuer;
    request.year = year;
    request.type = state.invoiceType;
    request.issuer = state.currentIssuerRecord;
    request.issuerData = *data;
    request.decimalSeparator = state.decimalSeparator;
    request.now = now();

    std::optional<einvoice::YearExport> result;
    {
        ui::BusyPointer busy(dialogs);
        const auto progress = dialogs.startProgress("Esporta fatture elettroniche dell'anno",
                                                    "Esportazione delle fatture elettroniche dell'anno " + year + "...",
                                                    std::max(state.nextNumber - 1, 0));
        result = einvoice::exportYear(request, [&](int done, int) { return progress->step(done); });
    }
    archive::refreshDocumentStatus(form, state);
    const std::string title(result->ioError ? einvoice::RefusalTitle : einvoice::ExportDoneTitle);
    dialogs.message(einvoice::yearExportMessage(*result), title, ui::Buttons::Ok);
}

} // namespace tessaro::app
