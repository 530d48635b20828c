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
    const int total = std::max(counter.value() - 1, 0);
    // The terms of every invoice in one read: the files carry the same
    // DatiPagamento as each invoice exported on its own.
    auto terms = archive::readPaymentRecords(book, total);
    if (!terms) {
        result.ioError = terms.error();
        return result;
    }
    const archive::SdiBook sdiBook {book, request.issuer.vatNumber, request.year, request.decimalSeparator};
    auto statuses = archive::readSdiStatuses(sdiBook, total);
    if (!statuses) {
        result.ioError = statuses.error();
        return result;
    }
    for (int number = 1; number < counter.value(); ++number) {
        if (step && !step(number - 1, total)) {
            result.cancelled = true;
            return result;
        }
        // A file already there for the invoice as it stands, or one the
        // exchange system took, is not sent again by a whole year's export.
        const archive::SdiState state = statuses.value()[static_cast<std::size_t>(number - 1)].state;
        if (state == archive::SdiState::Exported || state == archive::SdiState::Delivered
            || state == archive::SdiState::NotDelivered) {
            result.kept.push_back({number, state});
            continue;
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

        ExportOutcome outcome = exportUnderNewName(invoice, sdiBook, total, request.now);
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
    if (!result.kept.empty()) {
        std::string issued;
        int unchanged = 0;
        for (const KeptInvoice& kept : result.kept) {
            if (kept.state == archive::SdiState::Exported)
                ++unchanged;
            else
                issued += (issued.empty() ? "" : ", ") + std::to_string(kept.number);
        }
        if (unchanged > 0)
            message += "\nGià esportate e non modificate, non riscritte: " + std::to_string(unchanged) + ".";
        if (!issued.empty())
            message += "\nGià emesse tramite il Sistema di Interscambio, non riscritte: n. " + issued
                + " (per esportarne una di nuovo usare \"Esporta fattura elettronica (XML)\").";
    }
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
