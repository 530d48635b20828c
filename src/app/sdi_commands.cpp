#include "app/sdi_commands.h"

#include "app/invoice_commands.h"
#include "archive/box_titles.h"
#include "archive/issuers.h"
#include "archive/notices.h"
#include "archive/sdi_history.h"
#include "einvoice/receipt_sources.h"
#include "einvoice/sdi_receipt.h"

#include <QStandardPaths>

namespace tessaro::app {

namespace {

archive::SdiOutcome outcomeOf(einvoice::ReceiptKind kind)
{
    switch (kind) {
    case einvoice::ReceiptKind::Delivered:
        return archive::SdiOutcome::Delivered;
    case einvoice::ReceiptKind::NotDelivered:
        return archive::SdiOutcome::NotDelivered;
    case einvoice::ReceiptKind::Rejected:
        return archive::SdiOutcome::Rejected;
    case einvoice::ReceiptKind::Other:
        break;
    }
    return archive::SdiOutcome::None;
}

archive::SdiAnswer answerOf(const einvoice::SdiReceipt& receipt)
{
    archive::SdiAnswer answer;
    answer.fileName = receipt.fileName;
    answer.outcome = outcomeOf(receipt.kind);
    answer.when = receipt.when;
    answer.sdiId = receipt.sdiId;
    for (const einvoice::ReceiptError& error : receipt.errors)
        answer.errors.push_back({error.code, error.description, error.suggestion});
    return answer;
}

// What the reading of the chosen files gave, before anything is recorded.
struct ReadReceipts {
    std::vector<std::string> names; // of the sources the answers come from
    std::vector<archive::SdiAnswer> answers;
    std::vector<std::string> others; // "name: NotificaEsito"
    std::vector<std::string> refused; // "name: reason"
};

ReadReceipts readAll(const std::vector<std::string>& paths)
{
    ReadReceipts read;
    for (const einvoice::ReceiptSource& source : einvoice::receiptSources(paths)) {
        if (!source.refusal.empty()) {
            read.refused.push_back(source.name + ": " + source.refusal);
            continue;
        }
        const einvoice::ReceiptReading reading = einvoice::readReceipt(source.bytes);
        if (!reading.receipt) {
            read.refused.push_back(source.name + ": " + reading.refusal);
            continue;
        }
        if (reading.receipt->kind == einvoice::ReceiptKind::Other) {
            read.others.push_back(source.name + ": " + reading.receipt->element);
            continue;
        }
        read.names.push_back(source.name);
        read.answers.push_back(answerOf(*reading.receipt));
    }
    return read;
}

void appendList(std::string& message, const std::string& heading, const std::vector<std::string>& items)
{
    if (items.empty())
        return;
    message += "\n\n" + heading;
    for (const std::string& item : items)
        message += "\n- " + item;
}

std::string summary(const ReadReceipts& read, const std::vector<archive::AnswerFit>& fits)
{
    int recorded = 0;
    int known = 0;
    std::vector<std::string> unmatched;
    std::vector<std::string> rejected;
    std::vector<std::string> notDelivered;
    for (std::size_t i = 0; i < fits.size(); ++i) {
        const archive::SdiAnswer& answer = read.answers[i];
        if (fits[i] == archive::AnswerFit::NoInvoice) {
            unmatched.push_back(answer.fileName + " (" + read.names[i] + ")");
            continue;
        }
        if (fits[i] == archive::AnswerFit::AlreadyKnown) {
            ++known;
            continue;
        }
        ++recorded;
        if (answer.outcome == archive::SdiOutcome::Rejected) {
            std::string codes;
            for (const archive::SdiError& error : answer.errors)
                codes += (codes.empty() ? "" : ", ") + error.code;
            rejected.push_back(answer.fileName + (codes.empty() ? "" : " (" + codes + ")"));
        } else if (answer.outcome == archive::SdiOutcome::NotDelivered) {
            notDelivered.push_back(answer.fileName);
        }
    }
    const std::size_t read_ = read.answers.size() + read.others.size();
    std::string message = "Ricevute lette: " + std::to_string(read_) + ".";
    message += "\nRegistrate ora: " + std::to_string(recorded) + ".";
    message += "\nGià registrate prima: " + std::to_string(known) + ".";
    message += "\nSenza una fattura di questo archivio: " + std::to_string(unmatched.size()) + ".";
    appendList(message, "Scartate dal Sistema di Interscambio (da correggere ed esportare di nuovo):", rejected);
    appendList(message,
               "Non consegnate (avvisare il cliente che la fattura è nella sua area riservata):", notDelivered);
    appendList(message, "Ricevute di file che nessuna fattura ha (non è stato registrato nulla):", unmatched);
    appendList(message, "Messaggi che non servono a questo programma:", read.others);
    appendList(message, "File non letti:", read.refused);
    return message;
}

std::vector<archive::PartyRecord> allIssuers(const archive::AppState& state)
{
    std::vector<archive::PartyRecord> issuers;
    for (int number = 1; number <= state.issuerCount; ++number) {
        auto issuer = archive::readIssuer(state.dataDir, number);
        issuers.push_back(issuer ? issuer.value() : archive::PartyRecord {});
    }
    return issuers;
}

} // namespace

std::vector<std::string> chooseReceipts(ui::Dialogs& dialogs)
{
    const std::string start = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation).toStdString();
    const ui::Answer kind = dialogs.message("Importare le ricevute da file scelti uno per uno (XML o ZIP)?\n\n"
                                            "Sì: scegliere i file.\nNo: scegliere una cartella.",
                                            ReceiptsTitle, ui::Buttons::YesNoCancel);
    if (kind == ui::Answer::Yes)
        return dialogs.openFileNames("Importa ricevute SdI", start, "Ricevute SdI (*.xml *.XML *.zip *.ZIP)");
    if (kind == ui::Answer::No) {
        const std::string folder = dialogs.chooseFolder("Importa ricevute SdI", start);
        return folder.empty() ? std::vector<std::string> {} : std::vector<std::string> {folder};
    }
    return {};
}

void importReceipts(const std::vector<std::string>& paths, archive::InvoiceForm& form, archive::AppState& state,
                    ui::Dialogs& dialogs)
{
    ReadReceipts read;
    std::vector<archive::PartyRecord> issuers;
    {
        ui::BusyPointer busy(dialogs);
        read = readAll(paths);
        issuers = allIssuers(state);
    }
    auto fits = archive::recordAnswers(state.dataDir, issuers, read.answers, state.decimalSeparator);
    if (!fits) {
        reportFailure(dialogs, "Le ricevute non sono state registrate.", fits.error());
        return;
    }
    archive::refreshDocumentStatus(form, state);
    dialogs.message(summary(read, fits.value()), ReceiptsTitle, ui::Buttons::Ok);
}

void importReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::vector<std::string> paths = chooseReceipts(dialogs);
    if (!paths.empty())
        importReceipts(paths, form, state, dialogs);
}

} // namespace tessaro::app
