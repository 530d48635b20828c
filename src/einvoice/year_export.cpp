#include "einvoice/year_export.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/invoice_form.h"
#include "archive/payments.h"
#include "einvoice/fatturapa.h"

#include <algorithm>
#include <span>

namespace tessaro::einvoice {

namespace {

// A slot the book holds but nobody filled (numbers skipped when saving).
bool isBlank(const archive::InvoiceRecord& record)
{
    using archive::trimBlanks;
    for (const std::string& amount : record.amount) {
        if (!trimBlanks(amount).empty())
            return false;
    }
    return trimBlanks(record.client.surname).empty() && trimBlanks(record.expenses).empty()
        && trimBlanks(record.expenses2).empty();
}

} // namespace

YearExport exportYear(const YearExportRequest& request, const ExportStep& step)
{
    YearExport result;
    const archive::BookPaths book = archive::bookPaths(request.dataDir, request.issuerNumber, request.year);
    auto counter = archive::readCounter(book);
    if (!counter) {
        result.ioError = counter.error();
        return result;
    }
    const std::string folder = exportFolder(request.dataDir);
    const int total = std::max(counter.value() - 1, 0);
    // The terms of every invoice in one read: the files carry the same
    // DatiPagamento as each invoice exported on its own.
    auto terms = archive::readPaymentRecords(book, total);
    if (!terms) {
        result.ioError = terms.error();
        return result;
    }
    for (int number = 1; number < counter.value(); ++number) {
        if (step && !step(number - 1, total)) {
            result.cancelled = true;
            return result;
        }
        auto record = archive::readInvoice(book, number);
        if (!record) {
            result.ioError = record.error();
            return result;
        }
        if (isBlank(record.value())) {
            result.refused.push_back({number, {"La fattura è vuota."}});
            continue;
        }
        auto lines = archive::readExtraLines(book, number);
        if (!lines) {
            result.ioError = lines.error();
            return result;
        }

        auto mark = archive::readCreditNote(book, number);
        if (!mark) {
            result.ioError = mark.error();
            return result;
        }

        InvoiceToExport invoice;
        invoice.form.buffer = record.value();
        invoice.form.extraLines = lines.value();
        invoice.form.creditNote = mark.value();
        invoice.form.payments = archive::decodePayments(std::span<const std::uint8_t, archive::PaymentsRecordSize>(
            terms.value().data() + static_cast<std::size_t>(number - 1) * archive::PaymentsRecordSize,
            archive::PaymentsRecordSize));
        archive::copyBufferToForm(invoice.form, request.decimalSeparator);
        invoice.type = request.type;
        invoice.year = request.year;
        invoice.number = number;
        invoice.issuer = request.issuer;
        invoice.issuerData = request.issuerData;
        auto recipient = proposedRecipient(request.dataDir, invoice.form.client);
        if (!recipient) {
            result.ioError = recipient.error();
            return result;
        }
        invoice.recipient = recipient.value();

        ExportOutcome outcome = exportInvoice(invoice, folder, request.dataDir.fs());
        if (outcome.ioError) {
            result.ioError = outcome.ioError;
            return result;
        }
        if (!outcome.problems.empty())
            result.refused.push_back({number, std::move(outcome.problems)});
        else
            result.written.push_back(outcome.path);
    }
    return result;
}

std::string yearExportMessage(const YearExport& result)
{
    std::string message = result.cancelled
        ? "Esportazione interrotta: " + std::to_string(result.written.size())
            + (result.written.size() == 1 ? " fattura elettronica scritta." : " fatture elettroniche scritte.")
        : "Fatture elettroniche scritte: " + std::to_string(result.written.size()) + ".";
    if (!result.refused.empty())
        message += "\nFatture non esportate: " + std::to_string(result.refused.size()) + ".";
    for (const RefusedInvoice& refused : result.refused) {
        message += "\n\nFattura n. " + std::to_string(refused.number) + ":";
        for (const std::string& problem : refused.problems)
            message += "\n- " + problem;
    }
    if (result.ioError)
        message += "\n\n" + result.ioError->describe();
    return message;
}

} // namespace tessaro::einvoice
