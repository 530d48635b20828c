#include "einvoice/document.h"

#include "archive/codepage.h"
#include "archive/invoice_form.h"
#include "calc/amounts.h"
#include "calc/numbers.h"
#include "calc/regimes.h"
#include "einvoice/codes.h"
#include "einvoice/text_rules.h"

namespace tessaro::einvoice {

namespace {

using archive::trimBlanks;

std::string rowName(int row)
{
    return "della riga " + std::to_string(row);
}

// The line's description, or a problem when the e-invoice cannot carry it.
std::string lineDescription(std::string_view text, int row, std::vector<std::string>& problems)
{
    std::string description = sendableLine(text);
    if (description.empty())
        problems.push_back("Manca la descrizione " + rowName(row) + ".");
    else if (const auto unfit = unfitCharacters(description); !unfit.empty())
        problems.push_back(unfitCharactersProblem("La descrizione " + rowName(row), unfit));
    else if (characterCount(description) > 1000)
        problems.push_back("La descrizione " + rowName(row) + " supera i 1000 caratteri.");
    return description;
}

int rateOf(std::string_view text, const std::string& what, std::vector<std::string>& problems)
{
    if (auto rate = percentHundredths(text))
        return *rate;
    problems.push_back("La percentuale " + what
                       + " non è valida: deve essere tra 0 e 100 con al massimo due decimali.");
    return 0;
}

// The rate and nature every taxed amount of the invoice takes.
struct VatTreatment {
    int rate = 0;
    std::string nature;
    std::string legalReference;
};

const calc::RegimeStatement& regimeOf(const InvoiceToExport& invoice)
{
    return calc::regimeStatement(invoice.issuerData.fiscalRegime);
}

VatTreatment vatTreatment(const InvoiceToExport& invoice, std::vector<std::string>& problems)
{
    VatTreatment vat;
    vat.rate = rateOf(invoice.form.vat, "di IVA", problems);
    const calc::RegimeStatement& regime = regimeOf(invoice);
    if (regime.withoutVatOrWithholding && vat.rate != 0)
        problems.push_back("Nel " + std::string(regime.name)
                           + " la fattura non applica l'IVA: la percentuale di IVA deve essere 0.");
    else if (invoice.form.omittedVatStatement && vat.rate != 0)
        problems.push_back("La dichiarazione di omessa IVA è selezionata ma la percentuale di IVA non è 0.");
    if (vat.rate == 0) {
        // A regime whose law names the nature gives it, whatever the issuer chose for the others.
        const bool ownWords = !regime.nature.empty();
        vat.nature = ownWords ? std::string(regime.nature) : invoice.issuerData.vatNature;
        vat.legalReference
            = ownWords ? std::string(regime.legalReference) : sendableText(invoice.issuerData.legalReference);
        if (!isVatNature(vat.nature))
            problems.push_back("La natura IVA dell'emittente per le fatture senza IVA non è valida.");
    }
    return vat;
}

void addToSummary(std::vector<VatSummary>& summaries, int rate, const std::string& nature, Cents amount,
                  std::string_view legalReference)
{
    for (VatSummary& summary : summaries) {
        if (summary.vatRate == rate && summary.nature == nature) {
            summary.taxable += amount;
            // Amounts of one nature under different laws name both, where the
            // 100 characters of the reference hold them.
            const std::string both = summary.legalReference + "; " + std::string(legalReference);
            if (!legalReference.empty() && summary.legalReference.find(legalReference) == std::string::npos
                && characterCount(both) <= LegalReferenceWidth)
                summary.legalReference = summary.legalReference.empty() ? std::string(legalReference) : both;
            return;
        }
    }
    VatSummary summary;
    summary.vatRate = rate;
    summary.nature = nature;
    summary.taxable = amount;
    summary.legalReference = std::string(legalReference);
    summaries.push_back(summary);
}

Cents centsOf(double amount, const std::string& what, std::vector<std::string>& problems)
{
    if (auto cents = toCents(amount))
        return *cents;
    problems.push_back("L'importo " + what + " è troppo grande per la fattura elettronica.");
    return 0;
}

void professionalLines(const InvoiceToExport& invoice, const calc::InvoiceAmounts& amounts, const VatTreatment& vat,
                       Document& document, std::vector<std::string>& problems)
{
    const archive::InvoiceForm& form = invoice.form;
    const int withholdingRate = rateOf(form.withholding, "della ritenuta d'acconto", problems);
    if (const calc::RegimeStatement& regime = regimeOf(invoice); regime.withoutVatOrWithholding && withholdingRate > 0)
        problems.push_back("Nel " + std::string(regime.name)
                           + " la fattura non è soggetta a ritenuta d'acconto: la percentuale della ritenuta deve "
                             "essere 0.");
    const int pensionRate = rateOf(form.pension, "della Cassa Nazionale", problems);

    // Only the fees with a text become lines, as on the printed invoice;
    // the fees all count in the sum, as in the calculation.
    for (std::size_t k = 0; k < 3; ++k) {
        const int row = static_cast<int>(k) + 1;
        const Cents fee = centsOf(amounts.lineTotal[k], rowName(row), problems);
        if (trimBlanks(form.amount[k]).empty())
            continue;
        DocumentLine line;
        line.description = lineDescription(form.description[k], row, problems);
        line.unitPrice = moneyText(fee);
        line.total = fee;
        line.vatRate = vat.rate;
        line.nature = vat.nature;
        line.withholding = withholdingRate > 0;
        document.lines.push_back(line);
    }

    // Without a fee line there is nothing the contribution or the withholding
    // could refer to, and the exchange system refuses them alone.
    const bool anyFee = !document.lines.empty();
    if (pensionRate > 0 && anyFee) {
        PensionContribution pension;
        pension.fund = invoice.issuerData.pensionFund;
        pension.rate = pensionRate;
        pension.base = centsOf(amounts.lineSum, "dei compensi", problems);
        pension.amount = centsOf(amounts.pensionContribution, "del contributo alla cassa", problems);
        pension.vatRate = vat.rate;
        pension.nature = vat.nature;
        if (!isPensionFund(pension.fund))
            problems.push_back("Manca il tipo di cassa previdenziale dell'emittente.");
        document.pension = pension;
    }
    if (withholdingRate > 0 && anyFee) {
        Withholding withholding;
        // A person has a first name; a firm has only the company name.
        withholding.type = trimBlanks(invoice.issuer.firstName).empty() ? "RT02" : "RT01";
        withholding.rate = withholdingRate;
        withholding.amount = centsOf(amounts.withholding, "della ritenuta d'acconto", problems);
        document.withholding = withholding;
    }
    if (anyFee)
        addToSummary(document.summaries, vat.rate, vat.nature, centsOf(amounts.taxable, "imponibile", problems),
                     vat.legalReference);

    const std::array<std::pair<double, const char*>, 2> expenses = {{
        {amounts.expenses, "Spese generali sostenute"},
        {amounts.expenses2, "Spese per l'approvazione della parcella"},
    }};
    for (const auto& [value, description] : expenses) {
        const Cents amount = centsOf(value, std::string("delle spese (") + description + ")", problems);
        if (amount == 0)
            continue;
        DocumentLine line;
        line.description = description;
        line.unitPrice = moneyText(amount);
        line.total = amount;
        line.nature = "N1";
        document.lines.push_back(line);
        addToSummary(document.summaries, 0, "N1", amount, ExcludedExpensesReference);
    }
}

void commercialLine(std::string_view description, double price, double quantity, double total, int row,
                    const VatTreatment& vat, Document& document, std::vector<std::string>& problems)
{
    DocumentLine line;
    line.description = lineDescription(description, row, problems);
    const auto unitPrice = decimalText(price, 11);
    const auto quantityText = quantity >= 0 ? decimalText(quantity, 12) : std::nullopt;
    if (!unitPrice)
        problems.push_back("Il prezzo " + rowName(row) + " è troppo grande per la fattura elettronica.");
    if (quantity < 0)
        problems.push_back("La quantità " + rowName(row) + " non può essere negativa.");
    else if (!quantityText)
        problems.push_back("La quantità " + rowName(row) + " è troppo grande per la fattura elettronica.");
    if (unitPrice && quantityText) {
        line.unitPrice = *unitPrice;
        line.quantity = *quantityText;
        if (auto cents = toCents(total))
            line.total = *cents;
        else
            problems.push_back("Il totale " + rowName(row) + " è troppo grande per la fattura elettronica.");
    }
    line.vatRate = vat.rate;
    line.nature = vat.nature;
    document.lines.push_back(line);
}

void commercialLines(const InvoiceToExport& invoice, const calc::InvoiceAmounts& amounts, const VatTreatment& vat,
                     Document& document, std::vector<std::string>& problems)
{
    const archive::InvoiceForm& form = invoice.form;
    for (std::size_t k = 0; k < calc::MainLineCount; ++k) {
        if (trimBlanks(form.amount[k]).empty())
            continue;
        const int row = static_cast<int>(k) + 1;
        const double price = calc::numericValue(form.amount[k]);
        const double quantity = calc::numericValue(form.quantity[k]);
        // The screen counts a blank quantity as one piece when all three prices
        // are set, the paper as none, the yearly totals always as one: only a
        // typed quantity gives the document one amount everywhere.
        if (price != 0 && quantity == 0)
            problems.push_back("Manca la quantità " + rowName(row) + ".");
        commercialLine(form.description[k], price, quantity, amounts.lineTotal[k], row, vat, document, problems);
    }
    if (amounts.extraLinesCount) {
        for (std::size_t i = 0; i < calc::ExtraLineCount; ++i) {
            const double extraPrice = calc::numericValue(form.extraLines.amount[i]);
            if (extraPrice != 0)
                commercialLine(form.extraLines.description[i], extraPrice,
                               calc::numericValue(form.extraLines.quantity[i]), amounts.extraLineTotal[i],
                               static_cast<int>(i) + 4, vat, document, problems);
        }
    }
    if (!document.lines.empty())
        addToSummary(document.summaries, vat.rate, vat.nature, centsOf(amounts.taxable, "imponibile", problems),
                     vat.legalReference);
}

// The stamp duty charged to the client: a line of its own, outside VAT.
void stampDutyLine(const calc::InvoiceAmounts& amounts, Document& document, std::vector<std::string>& problems)
{
    const std::string nature(calc::StampDutyNature);
    DocumentLine line;
    line.description = std::string(calc::StampDutyLineText);
    line.total = centsOf(amounts.stampDuty, "dell'imposta di bollo", problems);
    line.unitPrice = moneyText(line.total);
    line.nature = nature;
    document.lines.push_back(line);
    addToSummary(document.summaries, 0, nature, line.total, calc::StampDutyReference);
}

} // namespace

Document computeDocument(const InvoiceToExport& invoice, std::vector<std::string>& problems)
{
    Document document;
    const VatTreatment vat = vatTreatment(invoice, problems);
    // The paper's figures: with every quantity typed (checked below) they are
    // the screen's and the yearly totals' too.
    const calc::InvoiceAmounts amounts = archive::invoiceAmounts(invoice.form, invoice.type, calc::QuantityRule::Paper,
                                                                 {invoice.issuerData.chargeStampDuty});
    if (invoice.type == archive::InvoiceType::Professional)
        professionalLines(invoice, amounts, vat, document, problems);
    else
        commercialLines(invoice, amounts, vat, document, problems);
    if (document.lines.empty())
        problems.push_back("La fattura non ha righe con un importo.");
    else if (amounts.stampDuty != 0)
        stampDutyLine(amounts, document, problems);

    for (VatSummary& summary : document.summaries) {
        // The VAT of the invoice's own figures where it has one: the same cents
        // the screen and the paper show, within the cent of taxable x rate the
        // exchange system allows.
        summary.tax = summary.vatRate == vat.rate && summary.nature == vat.nature && vat.rate != 0
            ? centsOf(amounts.vat, "dell'IVA", problems)
            : applyRate(summary.taxable, summary.vatRate);
    }
    document.stampDuty = amounts.stampDutyDue;
    document.total = centsOf(amounts.total, "totale", problems);
    document.toPay = centsOf(amounts.toPay, "da pagare", problems);
    if (document.total > MaxCents || document.total < -MaxCents)
        problems.push_back("Il totale della fattura è troppo grande per la fattura elettronica.");
    return document;
}

} // namespace tessaro::einvoice
