#include "einvoice/einvoice_files.h"

#include "archive/book.h"
#include "archive/clients.h"
#include "archive/codepage.h"
#include "archive/journal.h"
#include "archive/lifecycle.h"
#include "archive/record_file.h"
#include "calc/payments.h"
#include "einvoice/text_rules.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tessaro::einvoice {

namespace {

using archive::IoError;
using archive::Result;
using archive::Status;

using archive::fieldOf;
using archive::FieldSpec;
using archive::IssuerEinvoiceField;
using archive::RecipientField;

using IssuerBytes = std::array<std::uint8_t, IssuerDataRecordSize>;
using NewInvoiceBytes = std::array<std::uint8_t, archive::NewInvoiceRecordSize>;
using PaymentDefaultsBytes = std::array<std::uint8_t, archive::PaymentDefaultsRecordSize>;
using RecipientBytes = std::array<std::uint8_t, RecipientRecordSize>;

std::string trimmedField(std::span<const std::uint8_t> record, FieldSpec field)
{
    return std::string(archive::trimBlanks(archive::readFixedText(archive::fieldBytes(record, field))));
}

void putField(std::span<std::uint8_t> record, FieldSpec field, std::string_view text)
{
    archive::writeFixedText(archive::fieldBytes(record, field), text);
}

bool neverWritten(std::span<const std::uint8_t> record)
{
    return std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0; });
}

struct RememberedClient {
    archive::PartyRecord match; // the four fields of the client rule
    std::string recipient;
};

RememberedClient decodeRecipient(const RecipientBytes& bytes)
{
    RememberedClient client;
    client.match.surname = trimmedField(bytes, fieldOf(RecipientField::Surname));
    client.match.firstName = trimmedField(bytes, fieldOf(RecipientField::FirstName));
    client.match.address = trimmedField(bytes, fieldOf(RecipientField::Address));
    client.match.vatNumber = trimmedField(bytes, fieldOf(RecipientField::VatNumber));
    client.recipient = trimmedField(bytes, fieldOf(RecipientField::Recipient));
    return client;
}

RecipientBytes encodeRecipient(const archive::PartyRecord& client, const std::string& recipient)
{
    RecipientBytes bytes {};
    // Stored trimmed: only the trimmed texts take part in the match.
    putField(bytes, fieldOf(RecipientField::Surname), archive::trimBlanks(client.surname));
    putField(bytes, fieldOf(RecipientField::FirstName), archive::trimBlanks(client.firstName));
    putField(bytes, fieldOf(RecipientField::Address), archive::trimBlanks(client.address));
    putField(bytes, fieldOf(RecipientField::VatNumber), archive::trimBlanks(client.vatNumber));
    putField(bytes, fieldOf(RecipientField::Recipient), recipient);
    return bytes;
}

// Record number of the client in "clienti.fe" (0 when absent) and the count of records.
struct Lookup {
    int number = 0;
    int count = 0;
    std::string recipient;
};

Result<Lookup> lookUp(const archive::DataDir& dir, const archive::PartyRecord& client)
{
    const std::string path = recipientFile(dir);
    Lookup found;
    if (!dir.fs().exists(path))
        return found;
    auto recordFile = archive::RecordFile::open(dir.fs(), path, RecipientRecordSize);
    if (!recordFile)
        return recordFile.error();
    // Only whole records count: a record cut short was never written whole.
    const auto size = recordFile.value().byteSize();
    if (!size)
        return size.error();
    const auto records = size.value() / RecipientRecordSize;
    found.count = static_cast<int>(std::min<std::uint64_t>(records, std::numeric_limits<std::int16_t>::max()));

    RecipientBytes bytes {};
    for (int number = 1; number <= found.count; ++number) {
        if (Status read = recordFile.value().read(number, bytes); !read)
            return read.error();
        const RememberedClient stored = decodeRecipient(bytes);
        if (archive::sameClient(stored.match, client)) {
            found.number = number;
            found.recipient = stored.recipient;
            return found;
        }
    }
    return found;
}

} // namespace

archive::IssuerTerms termsOf(const IssuerEinvoiceData& data)
{
    archive::IssuerTerms terms;
    terms.fiscalRegime = data.fiscalRegime;
    terms.amounts.chargeStampDuty = data.chargeStampDuty;
    terms.pensionFund = data.pensionFund;
    terms.newVat = data.newVat;
    terms.newPension = data.newPension;
    terms.newWithholding = data.newWithholding;
    terms.paymentMethod = data.newPaymentMethod;
    terms.paymentTerm = data.newPaymentTerm;
    terms.iban = data.iban;
    return terms;
}

std::string issuerDataFile(const archive::DataDir& dir)
{
    return archive::dataFile(dir, "emit.fe");
}

std::string recipientFile(const archive::DataDir& dir)
{
    return archive::dataFile(dir, "clienti.fe");
}

std::string stampDutyFile(const archive::DataDir& dir)
{
    return archive::dataFile(dir, "bollo.fe");
}

std::string newInvoiceFile(const archive::DataDir& dir)
{
    return archive::dataFile(dir, "nuove.fe");
}

std::string paymentDefaultsFile(const archive::DataDir& dir)
{
    return archive::dataFile(dir, "pagamenti.fe");
}

void encodeIssuerData(const IssuerEinvoiceData& data, std::span<std::uint8_t, IssuerDataRecordSize> out)
{
    putField(out, fieldOf(IssuerEinvoiceField::FiscalRegime), data.fiscalRegime);
    putField(out, fieldOf(IssuerEinvoiceField::PensionFund), data.pensionFund);
    putField(out, fieldOf(IssuerEinvoiceField::VatNature), data.vatNature);
    putField(out, fieldOf(IssuerEinvoiceField::LegalReference), data.legalReference);
    putField(out, fieldOf(IssuerEinvoiceField::Iban), data.iban);
}

IssuerEinvoiceData decodeIssuerData(std::span<const std::uint8_t, IssuerDataRecordSize> in)
{
    if (neverWritten(in))
        return {};
    IssuerEinvoiceData data;
    data.fiscalRegime = trimmedField(in, fieldOf(IssuerEinvoiceField::FiscalRegime));
    data.pensionFund = trimmedField(in, fieldOf(IssuerEinvoiceField::PensionFund));
    data.vatNature = trimmedField(in, fieldOf(IssuerEinvoiceField::VatNature));
    data.legalReference = trimmedField(in, fieldOf(IssuerEinvoiceField::LegalReference));
    data.iban = trimmedField(in, fieldOf(IssuerEinvoiceField::Iban));
    return data;
}

Result<IssuerEinvoiceData> readIssuerData(const archive::DataDir& dir, int issuer)
{
    // Reading must not create a file: an issuer who never opened the window
    // simply has the defaults.
    const auto existing = [&](const std::string& path) { return issuer < 1 || dir.fs().exists(path); };
    IssuerEinvoiceData data;
    if (const std::string path = issuerDataFile(dir); existing(path)) {
        IssuerBytes bytes {};
        if (Status read = archive::readRecord(dir.fs(), path, issuer, bytes); !read)
            return read.error();
        data = decodeIssuerData(bytes);
    }
    if (const std::string path = stampDutyFile(dir); existing(path)) {
        std::array<std::uint8_t, archive::StampDutyChoiceRecordSize> choice {};
        if (Status read = archive::readRecord(dir.fs(), path, issuer, choice); !read)
            return read.error();
        data.chargeStampDuty = archive::flagAt(choice, archive::StampDutyChoiceField) == archive::StampDutyChargedFlag;
    }
    if (const std::string path = newInvoiceFile(dir); existing(path)) {
        NewInvoiceBytes bytes {};
        if (Status read = archive::readRecord(dir.fs(), path, issuer, bytes); !read)
            return read.error();
        // A record never written is all zero bytes, and its fields read as chosen by no one.
        if (!neverWritten(bytes)) {
            data.newVat = trimmedField(bytes, fieldOf(archive::NewInvoiceField::Vat));
            data.newPension = trimmedField(bytes, fieldOf(archive::NewInvoiceField::Pension));
            data.newWithholding = trimmedField(bytes, fieldOf(archive::NewInvoiceField::Withholding));
        }
    }
    if (const std::string path = paymentDefaultsFile(dir); existing(path)) {
        PaymentDefaultsBytes bytes {};
        if (Status read = archive::readRecord(dir.fs(), path, issuer, bytes); !read)
            return read.error();
        if (!neverWritten(bytes)) {
            data.newPaymentMethod = trimmedField(bytes, fieldOf(archive::PaymentDefaultsField::Method));
            data.newPaymentTerm = trimmedField(bytes, fieldOf(archive::PaymentDefaultsField::Term));
        }
    }
    return data;
}

Status writeIssuerData(const archive::DataDir& dir, int issuer, const IssuerEinvoiceData& data)
{
    IssuerBytes bytes {};
    encodeIssuerData(data, bytes);
    const std::array<std::uint8_t, archive::StampDutyChoiceRecordSize> choice = {static_cast<std::uint8_t>(
        data.chargeStampDuty ? archive::StampDutyChargedFlag : archive::StampDutyNotChargedFlag)};
    NewInvoiceBytes starts {};
    putField(starts, fieldOf(archive::NewInvoiceField::Vat), data.newVat);
    putField(starts, fieldOf(archive::NewInvoiceField::Pension), data.newPension);
    putField(starts, fieldOf(archive::NewInvoiceField::Withholding), data.newWithholding);
    PaymentDefaultsBytes paid {};
    putField(paid, fieldOf(archive::PaymentDefaultsField::Method), data.newPaymentMethod);
    putField(paid, fieldOf(archive::PaymentDefaultsField::Term), data.newPaymentTerm);
    archive::Journal journal(dir, "Dati per la fattura elettronica");
    if (Status kept = journal.keepRecords(issuerDataFile(dir), IssuerDataRecordSize, issuer, 1); !kept)
        return kept;
    if (Status kept = journal.keepRecords(stampDutyFile(dir), choice.size(), issuer, 1); !kept)
        return kept;
    if (Status kept = journal.keepRecords(newInvoiceFile(dir), starts.size(), issuer, 1); !kept)
        return kept;
    if (Status kept = journal.keepRecords(paymentDefaultsFile(dir), paid.size(), issuer, 1); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status written
        = archive::writeRecord(dir.fs(), issuerDataFile(dir), issuer, bytes, archive::WriteStep::InOperation);
        !written)
        return written;
    if (Status written
        = archive::writeRecord(dir.fs(), stampDutyFile(dir), issuer, choice, archive::WriteStep::InOperation);
        !written)
        return written;
    if (Status written
        = archive::writeRecord(dir.fs(), newInvoiceFile(dir), issuer, starts, archive::WriteStep::InOperation);
        !written)
        return written;
    if (Status written
        = archive::writeRecord(dir.fs(), paymentDefaultsFile(dir), issuer, paid, archive::WriteStep::InOperation);
        !written)
        return written;
    if (Status done = journal.commit(); !done)
        return done;
    return {};
}

std::vector<std::string> issuerDataProblems(const IssuerEinvoiceData& data)
{
    std::vector<std::string> problems;
    if (!isFiscalRegime(data.fiscalRegime))
        problems.push_back("Il regime fiscale \"" + data.fiscalRegime + "\" non è un codice valido.");
    if (!data.pensionFund.empty() && !isPensionFund(data.pensionFund))
        problems.push_back("Il tipo di cassa \"" + data.pensionFund + "\" non è un codice valido.");
    if (!isVatNature(data.vatNature))
        problems.push_back("La natura IVA \"" + data.vatNature + "\" non è un codice valido.");
    // Checked as the XML will carry it, "€" already "EUR".
    const std::string legalReference = sendableText(data.legalReference);
    if (characterCount(legalReference) > LegalReferenceWidth)
        problems.push_back("Il riferimento normativo supera i 100 caratteri.");
    if (const auto unfit = unfitCharacters(legalReference); !unfit.empty())
        problems.push_back(unfitCharactersProblem("Il riferimento normativo", unfit));
    if (!data.iban.empty() && !isIban(data.iban))
        problems.push_back("L'IBAN non è valido: due lettere, due cifre e da 11 a 30 lettere o cifre.");
    // The percentages of a new invoice must be ones the main window could hold and an invoice could store.
    const auto wholePercent = [](const std::string& text, archive::NewInvoiceField field) {
        return text.empty() || (isDigits(text) && text.size() <= fieldOf(field).width);
    };
    if (!wholePercent(data.newVat, archive::NewInvoiceField::Vat))
        problems.push_back("L'IVA delle nuove fatture deve essere un numero intero da 0 a 99.");
    if (!archive::pensionFitsRecord(data.newPension))
        problems.push_back("La Cassa Nazionale delle nuove fatture si memorizza con una sola cifra (da 0 a 9).");
    if (!wholePercent(data.newWithholding, archive::NewInvoiceField::Withholding))
        problems.push_back("La ritenuta d'acconto delle nuove fatture deve essere un numero intero da 0 a 99.");
    if (!data.newPaymentMethod.empty() && !calc::paymentMethod(data.newPaymentMethod))
        problems.push_back("La modalità di pagamento \"" + data.newPaymentMethod + "\" non è un codice valido.");
    // A typed due date belongs to one invoice: it cannot be where every new one starts.
    if (const calc::PaymentTerm* term = calc::paymentTerm(data.newPaymentTerm);
        !data.newPaymentTerm.empty() && (!term || term->explicitDate))
        problems.push_back("La scadenza \"" + data.newPaymentTerm + "\" non è un termine valido per le nuove fatture.");
    return problems;
}

Result<std::optional<std::string>> findRecipient(const archive::DataDir& dir, const archive::PartyRecord& client)
{
    auto found = lookUp(dir, client);
    if (!found)
        return found.error();
    if (found.value().number == 0)
        return std::optional<std::string>();
    return std::optional<std::string>(found.value().recipient);
}

Result<std::string> proposedRecipient(const archive::DataDir& dir, const archive::PartyRecord& client)
{
    auto found = findRecipient(dir, client);
    if (!found)
        return found.error();
    const auto& remembered = found.value();
    return remembered && !remembered->empty() ? *remembered : std::string(DefaultRecipientCode);
}

Status rememberRecipient(const archive::DataDir& dir, const archive::PartyRecord& client, const std::string& recipient)
{
    auto found = lookUp(dir, client);
    if (!found)
        return found.error();
    const Lookup& at = found.value();
    if (at.number == 0 && at.count >= std::numeric_limits<std::int16_t>::max())
        return IoError {IoError::Action::Write, recipientFile(dir)};
    const int number = at.number != 0 ? at.number : at.count + 1;
    const RecipientBytes bytes = encodeRecipient(client, recipient);
    return archive::writeRecord(dir.fs(), recipientFile(dir), number, bytes);
}

} // namespace tessaro::einvoice
