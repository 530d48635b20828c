#include "app/einvoice_commands.h"

#include "app/invoice_commands.h"
#include "app/issuer_commands.h"
#include "archive/codepage.h"
#include "archive/lifecycle.h"
#include "calc/text.h"
#include "einvoice/fatturapa.h"
#include "einvoice/year_export.h"

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
    const std::optional<einvoice::IssuerEinvoiceData> data = issuerData(state, dialogs, NotWritten);
    if (!data)
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

    const einvoice::ExportOutcome outcome
        = einvoice::exportInvoice(invoice, einvoice::exportFolder(state.dataDir), state.dataDir.fs());
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
    dialogs.message(einvoice::writtenMessage(outcome.path), std::string(einvoice::ExportDoneTitle), ui::Buttons::Ok);
    if (!remembered)
        reportFailure(dialogs, "Il codice destinatario del cliente non è stato memorizzato.", remembered.error());
}

void exportEinvoiceYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
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

    std::optional<einvoice::YearExport> result;
    {
        ui::BusyPointer busy(dialogs);
        const auto progress = dialogs.startProgress("Esporta fatture elettroniche dell'anno",
                                                    "Esportazione delle fatture elettroniche dell'anno " + year + "...",
                                                    std::max(state.nextNumber - 1, 0));
        result = einvoice::exportYear(request, [&](int done, int) { return progress->step(done); });
    }
    const std::string title(result->ioError ? einvoice::RefusalTitle : einvoice::ExportDoneTitle);
    dialogs.message(einvoice::yearExportMessage(*result), title, ui::Buttons::Ok);
}

} // namespace tessaro::app
