#include "einvoice/invoice_xml.h"

#include "archive/codepage.h"
#include "archive/settlement.h"
#include "calc/calendar.h"
#include "calc/payments.h"
#include "einvoice/party_rules.h"
#include "einvoice/text_rules.h"
#include "einvoice/xml_writer.h"

namespace tessaro::einvoice {

namespace {

using archive::trimBlanks;

std::string trimmed(std::string_view text)
{
    return std::string(trimBlanks(text));
}

void writeAddress(XmlWriter& xml, const archive::PartyRecord& party)
{
    xml.open("Sede");
    xml.element("Indirizzo", sendableLine(party.address));
    xml.element("CAP", trimmed(party.postCode));
    xml.element("Comune", sendableLine(party.city));
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
        xml.element("Nome", sendableLine(party.firstName));
        xml.element("Cognome", sendableLine(party.surname));
    } else {
        xml.element("Denominazione", sendableLine(party.surname));
    }
    // The title is optional and takes plain ASCII only: left out otherwise.
    if (const std::string title = sendableLine(party.title); isTitle(title))
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

void writeHeader(XmlWriter& xml, const CheckedInvoice& checked)
{
    const InvoiceToExport& invoice = checked.invoice();
    const Recipient& recipient = checked.recipient();
    const archive::PartyRecord& issuer = invoice.issuer;
    xml.open("FatturaElettronicaHeader");
    xml.open("DatiTrasmissione");
    // The issuer sends its own invoices.
    writeVatId(xml, "IdTrasmittente", issuer.vatNumber);
    xml.element("ProgressivoInvio", checked.progressive());
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

void writeGeneralData(XmlWriter& xml, const CheckedInvoice& checked)
{
    const InvoiceToExport& invoice = checked.invoice();
    const Document& document = checked.document();
    xml.open("DatiGenerali");
    xml.open("DatiGeneraliDocumento");
    // An invoice "in acconto" bills an advance on the whole work.
    const archive::CreditNoteMark& creditNote = invoice.form.creditNote;
    xml.element("TipoDocumento", creditNote.isCreditNote ? "TD04" : invoice.form.onAccount ? "TD02" : "TD01");
    xml.element("Divisa", "EUR");
    xml.element("Data", checked.date());
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
        xml.element("Data", checked.cancelledInvoiceDate());
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
            xml.element("RiferimentoNormativo", sendableLine(summary.legalReference));
        xml.close();
    }
    xml.close();
}

void writePayment(XmlWriter& xml, const InvoiceToExport& invoice, const Document& document)
{
    const archive::InvoicePayments& terms = invoice.form.payments;
    // An invoice stored before it had terms, or with a code this program does
    // not know, is asked for by bank transfer as it always was.
    const calc::PaymentMethod* method = calc::paymentMethod(terms.method);
    if (!method)
        method = calc::paymentMethod(calc::DefaultPaymentMethod);
    const auto due = archive::dueDateOf(terms, calc::dateOfFields(invoice.form.day, invoice.form.month, invoice.year));
    xml.open("DatiPagamento");
    xml.element("CondizioniPagamento", "TP02"); // payment in full
    xml.open("DettaglioPagamento");
    xml.element("ModalitaPagamento", method->code);
    if (due)
        xml.element("DataScadenzaPagamento", calc::isoDateText(*due));
    xml.element("ImportoPagamento", moneyText(document.toPay));
    // The account is named only where the money is to reach it.
    if (method->bankTransfer && !trimBlanks(invoice.issuerData.iban).empty())
        xml.element("IBAN", compactIban(invoice.issuerData.iban));
    xml.close();
    xml.close();
}

} // namespace

std::string buildXml(const CheckedInvoice& checked)
{
    XmlWriter xml;
    xml.openRoot("p:FatturaElettronica",
                 "versione=\"FPR12\" xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" "
                 "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\" "
                 "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    writeHeader(xml, checked);
    xml.open("FatturaElettronicaBody");
    writeGeneralData(xml, checked);
    writeGoodsAndServices(xml, checked.document());
    // A credit note gives money back to the client: nothing is to be paid to the issuer's bank.
    if (!checked.invoice().form.creditNote.isCreditNote)
        writePayment(xml, checked.invoice(), checked.document());
    return xml.finish();
}

std::string buildXml(const InvoiceToExport& invoice)
{
    const CheckOutcome outcome = check(invoice);
    return outcome.checked ? buildXml(*outcome.checked) : std::string();
}

} // namespace tessaro::einvoice
