#include "einvoice/fatturapa.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "einvoice/atomic_file.h"
#include "einvoice/codes.h"
#include "einvoice/document.h"
#include "einvoice/party_rules.h"
#include "einvoice/text_rules.h"
#include "einvoice/xml_writer.h"

#include <filesystem>
#include <system_error>

namespace tessaro::einvoice {

namespace {

using archive::trimBlanks;

constexpr int FirstProgressiveYear = 1900;
constexpr int LastProgressiveYear = 3744;
constexpr int FirstInvoiceYear = 1970; // the schema takes no earlier date
constexpr int NumbersPerYear = 32768;
constexpr int ProgressiveDigits = 5;

int digitsValue(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year)
{
    constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

bool isOneOrTwoDigits(std::string_view text)
{
    return isDigits(text, 1) || isDigits(text, 2);
}

// "2024-03-07"; nothing when the day, month and year make no date.
std::optional<std::string> isoDate(std::string_view year, std::string_view dayText, std::string_view monthText)
{
    const std::string_view day = trimBlanks(dayText);
    const std::string_view month = trimBlanks(monthText);
    if (!isDigits(year, 4) || !isOneOrTwoDigits(day) || !isOneOrTwoDigits(month))
        return std::nullopt;
    const int y = digitsValue(year);
    const int m = digitsValue(month);
    const int d = digitsValue(day);
    if (y < FirstInvoiceYear || m < 1 || m > 12 || d < 1 || d > daysInMonth(m, y))
        return std::nullopt;
    return std::string(year) + "-" + calc::twoDigits(m) + "-" + calc::twoDigits(d);
}

std::optional<std::string> isoDate(const InvoiceToExport& invoice)
{
    return isoDate(invoice.year, invoice.form.day, invoice.form.month);
}

std::optional<std::string> cancelledInvoiceDate(const archive::CreditNoteMark& mark)
{
    return isoDate(mark.refYear, mark.refDay, mark.refMonth);
}

std::string trimmed(std::string_view text)
{
    return std::string(trimBlanks(text));
}

void writeAddress(XmlWriter& xml, const archive::PartyRecord& party)
{
    xml.open("Sede");
    xml.element("Indirizzo", oneLine(party.address));
    xml.element("CAP", trimmed(party.postCode));
    xml.element("Comune", oneLine(party.city));
    xml.element("Provincia", upperAscii(trimBlanks(party.province)));
    xml.element("Nazione", "IT");
    xml.close();
}

bool isTitle(std::string_view title)
{
    if (title.size() < 2 || title.size() > 10)
        return false;
    for (char c : title) {
        if (static_cast<unsigned char>(c) >= 0x80 || c < 0x20)
            return false;
    }
    return true;
}

void writeRegistry(XmlWriter& xml, const archive::PartyRecord& party)
{
    xml.open("Anagrafica");
    if (isPerson(party)) {
        xml.element("Nome", oneLine(party.firstName));
        xml.element("Cognome", oneLine(party.surname));
    } else {
        xml.element("Denominazione", oneLine(party.surname));
    }
    // The title is optional and takes plain ASCII only: left out otherwise.
    if (const std::string title = oneLine(party.title); isTitle(title))
        xml.element("Titolo", title);
    xml.close();
}

void writeVatId(XmlWriter& xml, std::string_view element, std::string_view vatNumber)
{
    xml.open(element);
    xml.element("IdPaese", "IT");
    xml.element("IdCodice", trimBlanks(vatNumber));
    xml.close();
}

void writeHeader(XmlWriter& xml, const InvoiceToExport& invoice, const Recipient& recipient)
{
    const archive::PartyRecord& issuer = invoice.issuer;
    xml.open("FatturaElettronicaHeader");
    xml.open("DatiTrasmissione");
    // The issuer sends its own invoices.
    writeVatId(xml, "IdTrasmittente", issuer.vatNumber);
    xml.element("ProgressivoInvio", progressive(invoice.year, invoice.number).value_or(""));
    xml.element("FormatoTrasmissione", "FPR12");
    xml.element("CodiceDestinatario", recipient.code);
    if (!recipient.pec.empty())
        xml.element("PECDestinatario", recipient.pec);
    xml.close();

    xml.open("CedentePrestatore");
    xml.open("DatiAnagrafici");
    writeVatId(xml, "IdFiscaleIVA", issuer.vatNumber);
    if (!trimBlanks(issuer.taxCode).empty())
        xml.element("CodiceFiscale", upperAscii(trimBlanks(issuer.taxCode)));
    writeRegistry(xml, issuer);
    xml.element("RegimeFiscale", invoice.issuerData.fiscalRegime);
    xml.close();
    writeAddress(xml, issuer);
    xml.close();

    const archive::PartyRecord& client = invoice.form.client;
    xml.open("CessionarioCommittente");
    xml.open("DatiAnagrafici");
    if (!trimBlanks(client.vatNumber).empty())
        writeVatId(xml, "IdFiscaleIVA", client.vatNumber);
    if (!trimBlanks(client.taxCode).empty())
        xml.element("CodiceFiscale", upperAscii(trimBlanks(client.taxCode)));
    writeRegistry(xml, client);
    xml.close();
    writeAddress(xml, client);
    xml.close();
    xml.close();
}

void writeGeneralData(XmlWriter& xml, const InvoiceToExport& invoice, const Document& document)
{
    xml.open("DatiGenerali");
    xml.open("DatiGeneraliDocumento");
    // An invoice "in acconto" bills an advance on the whole work.
    const archive::CreditNoteMark& creditNote = invoice.form.creditNote;
    xml.element("TipoDocumento", creditNote.isCreditNote ? "TD04" : invoice.form.onAccount ? "TD02" : "TD01");
    xml.element("Divisa", "EUR");
    xml.element("Data", isoDate(invoice).value_or(""));
    xml.element("Numero", std::to_string(invoice.number));
    if (document.withholding) {
        xml.open("DatiRitenuta");
        xml.element("TipoRitenuta", document.withholding->type);
        xml.element("ImportoRitenuta", moneyText(document.withholding->amount));
        xml.element("AliquotaRitenuta", rateText(document.withholding->rate));
        xml.element("CausalePagamento", "A");
        xml.close();
    }
    if (document.stampDuty) {
        xml.open("DatiBollo");
        xml.element("BolloVirtuale", "SI");
        xml.element("ImportoBollo", moneyText(StampDuty));
        xml.close();
    }
    if (document.pension) {
        const PensionContribution& pension = *document.pension;
        xml.open("DatiCassaPrevidenziale");
        xml.element("TipoCassa", pension.fund);
        xml.element("AlCassa", rateText(pension.rate));
        xml.element("ImportoContributoCassa", moneyText(pension.amount));
        xml.element("ImponibileCassa", moneyText(pension.base));
        xml.element("AliquotaIVA", rateText(pension.vatRate));
        if (pension.vatRate == 0)
            xml.element("Natura", pension.nature);
        xml.close();
    }
    xml.element("ImportoTotaleDocumento", moneyText(document.total));
    xml.close();
    if (creditNote.isCreditNote) {
        xml.open("DatiFattureCollegate");
        xml.element("IdDocumento", trimmed(creditNote.refNumber));
        xml.element("Data", cancelledInvoiceDate(creditNote).value_or(""));
        xml.close();
    }
    xml.close();
}

void writeGoodsAndServices(XmlWriter& xml, const Document& document)
{
    xml.open("DatiBeniServizi");
    int number = 0;
    for (const DocumentLine& line : document.lines) {
        xml.open("DettaglioLinee");
        xml.element("NumeroLinea", std::to_string(++number));
        xml.element("Descrizione", line.description);
        if (line.quantity)
            xml.element("Quantita", *line.quantity);
        xml.element("PrezzoUnitario", line.unitPrice);
        xml.element("PrezzoTotale", moneyText(line.total));
        xml.element("AliquotaIVA", rateText(line.vatRate));
        if (line.withholding)
            xml.element("Ritenuta", "SI");
        if (line.vatRate == 0)
            xml.element("Natura", line.nature);
        xml.close();
    }
    for (const VatSummary& summary : document.summaries) {
        xml.open("DatiRiepilogo");
        xml.element("AliquotaIVA", rateText(summary.vatRate));
        if (summary.vatRate == 0)
            xml.element("Natura", summary.nature);
        xml.element("ImponibileImporto", moneyText(summary.taxable));
        xml.element("Imposta", moneyText(summary.tax));
        if (summary.vatRate == 0 && !summary.legalReference.empty())
            xml.element("RiferimentoNormativo", oneLine(summary.legalReference));
        xml.close();
    }
    xml.close();
}

void writePayment(XmlWriter& xml, const InvoiceToExport& invoice, const Document& document)
{
    xml.open("DatiPagamento");
    xml.element("CondizioniPagamento", "TP02"); // payment in full
    xml.open("DettaglioPagamento");
    xml.element("ModalitaPagamento", "MP05"); // bank transfer
    xml.element("ImportoPagamento", moneyText(document.toPay));
    if (!trimBlanks(invoice.issuerData.iban).empty())
        xml.element("IBAN", compactIban(invoice.issuerData.iban));
    xml.close();
    xml.close();
}

// The exchange system refuses a credit note dated before the invoice it cancels.
void checkCreditNote(const InvoiceToExport& invoice, std::vector<std::string>& problems)
{
    const archive::CreditNoteMark& mark = invoice.form.creditNote;
    if (trimBlanks(mark.refNumber).empty())
        problems.push_back("Manca il numero della fattura a cui si riferisce la nota di credito.");
    const auto cancelled = cancelledInvoiceDate(mark);
    if (!cancelled)
        problems.push_back("La data della fattura a cui si riferisce la nota di credito non è valida.");
    const auto own = isoDate(invoice);
    if (cancelled && own && *own < *cancelled)
        problems.push_back("La nota di credito non può avere una data precedente a quella della fattura "
                           "a cui si riferisce ("
                           + archive::referredDate(mark) + ").");
}

} // namespace

std::optional<Recipient> parseRecipient(std::string_view answer)
{
    const std::string_view text = trimBlanks(answer);
    Recipient recipient;
    if (text.find('@') != std::string_view::npos) {
        if (!isPecAddress(text) || text.size() > RecipientWidth)
            return std::nullopt;
        recipient.pec = std::string(text);
        return recipient;
    }
    const std::string code = upperAscii(text);
    if (code.size() != 7)
        return std::nullopt;
    for (char c : code) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return std::nullopt;
    }
    recipient.code = code;
    return recipient;
}

std::string recipientText(const Recipient& recipient)
{
    return recipient.pec.empty() ? recipient.code : recipient.pec;
}

std::vector<std::string> validate(const InvoiceToExport& invoice)
{
    std::vector<std::string> problems;
    const std::string_view currency = trimBlanks(invoice.form.buffer.currency);
    if (currency == "l")
        problems.push_back("La fattura è in lire: va convertita in euro prima di farne la fattura elettronica.");
    else if (currency != "e")
        problems.push_back("La valuta della fattura non è valida.");
    if (!isoDate(invoice))
        problems.push_back("La data della fattura non è valida.");
    if (!progressive(invoice.year, invoice.number))
        problems.push_back("L'anno o il numero della fattura non sono validi.");
    if (invoice.form.creditNote.isCreditNote)
        checkCreditNote(invoice, problems);
    if (!parseRecipient(invoice.recipient))
        problems.push_back("Il codice destinatario deve essere di 7 lettere o cifre, oppure un indirizzo PEC.");

    checkParty(invoice.issuer, PartyRole::Issuer, problems);
    for (std::string& problem : issuerDataProblems(invoice.issuerData))
        problems.push_back(std::move(problem));
    checkParty(invoice.form.client, PartyRole::Client, problems);

    computeDocument(invoice, problems);
    return problems;
}

std::optional<std::string> progressive(std::string_view yearText, int number)
{
    if (!isDigits(yearText, 4) || number < 1 || number >= NumbersPerYear)
        return std::nullopt;
    const int year = digitsValue(yearText);
    if (year < FirstProgressiveYear || year > LastProgressiveYear)
        return std::nullopt;
    long value = static_cast<long>(year - FirstProgressiveYear) * NumbersPerYear + number;
    std::string digits(ProgressiveDigits, '0');
    for (int i = ProgressiveDigits - 1; i >= 0; --i) {
        const int digit = static_cast<int>(value % 36);
        digits[static_cast<std::size_t>(i)] = static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
        value /= 36;
    }
    return digits;
}

std::string fileName(const InvoiceToExport& invoice)
{
    const auto number = progressive(invoice.year, invoice.number);
    if (!number)
        return {};
    return "IT" + trimmed(invoice.issuer.vatNumber) + "_" + *number + ".xml";
}

std::string buildXml(const InvoiceToExport& invoice)
{
    std::vector<std::string> ignored;
    const Document document = computeDocument(invoice, ignored);
    const Recipient recipient = parseRecipient(invoice.recipient).value_or(Recipient {});

    XmlWriter xml;
    xml.openRoot("p:FatturaElettronica",
                 "versione=\"FPR12\" xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" "
                 "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\" "
                 "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    writeHeader(xml, invoice, recipient);
    xml.open("FatturaElettronicaBody");
    writeGeneralData(xml, invoice, document);
    writeGoodsAndServices(xml, document);
    writePayment(xml, invoice, document);
    return xml.finish();
}

std::string exportFolder(const archive::DataDir& dir)
{
    return archive::dataFile(dir, "fatture elettroniche");
}

ExportOutcome exportInvoice(const InvoiceToExport& invoice, const std::string& folder, archive::FileSystem& fs)
{
    ExportOutcome outcome;
    outcome.problems = validate(invoice);
    if (!outcome.problems.empty())
        return outcome;
    outcome.path = (std::filesystem::path(folder) / fileName(invoice)).string();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        outcome.ioError = archive::IoError {archive::IoError::Action::Write, outcome.path};
        return outcome;
    }
    if (archive::Status written = writeFileAtomically(outcome.path, buildXml(invoice), fs); !written)
        outcome.ioError = written.error();
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
