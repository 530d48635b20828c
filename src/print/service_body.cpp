#include "print/service_body.h"

#include "calc/numbers.h"
#include "calc/pension_funds.h"
#include "print/invoice_page.h"
#include "print/money_text.h"
#include "print/statements.h"
#include "print/wrap.h"

namespace tessaro::print {

namespace {

constexpr double DescriptionLimit = 5800;
constexpr double ValueRight = 10400;
constexpr double LabelRight = 8400;

// An amount of the invoice in euro, as this body prints it: lire are divided
// by the invoice's rate; with no rate to divide by, they stay lire.
double shownInEuro(const archive::InvoiceForm& form, double amount)
{
    return calc::inEuro(amount, archive::currencyFlagOf(form.buffer), invoiceRate(form)).value_or(amount);
}

bool lireWithoutRate(const archive::InvoiceForm& form)
{
    return archive::currencyFlagOf(form.buffer) == 'l' && !calc::inEuro(0, 'l', invoiceRate(form));
}

// What the amount to pay is made of, as its label says: the withholding only
// when there is one, the stamp duty only when the client pays it.
std::string toPayLabel(const archive::InvoiceForm& form, const calc::InvoiceAmounts& amounts)
{
    std::string label = form.creditNote.isCreditNote ? "TOTALE NOTA DI CREDITO" : "TOTALE DA PAGARE";
    label += " (Imponibile+IVA";
    if (amounts.withholding != 0)
        label += "-ritenuta";
    label += "+spese";
    if (amounts.stampDuty != 0)
        label += "+bollo";
    return label + ")";
}

} // namespace

std::string pensionLineText(std::string_view fund, std::string_view percent)
{
    const std::string rate(trimBlanks(percent));
    if (fund == calc::InpsFundCode)
        return "Rivalsa INPS " + rate + "%";
    for (const calc::PensionFund& known : calc::PensionFunds) {
        if (known.code == fund)
            return "Contributo integrativo " + std::string(known.printedName) + " " + rate + "%";
    }
    return "Cassa Nazionale (" + rate + "%)";
}

std::string euroAmountText(const archive::InvoiceForm& form, double amount, char decimalSeparator)
{
    if (lireWithoutRate(form))
        return lireMoneyText(amount);
    return calc::euroText(shownInEuro(form, amount), decimalSeparator);
}

void layoutServiceBody(Page& page, const archive::InvoiceForm& form, char decimalSeparator,
                       const archive::IssuerTerms& terms, bool notice)
{
    const auto euro = [&](double amount) { return euroAmountText(form, amount, decimalSeparator); };
    const auto euroOrDashes
        = [&](double amount) { return shownInEuro(form, amount) == 0 ? std::string("----") : euro(amount); };
    const calc::InvoiceAmounts amounts
        = archive::invoiceAmounts(form, calc::InvoiceType::Professional, calc::QuantityRule::Paper, terms.amounts);

    page.setFontBold(false);
    page.setFontSize(10);
    printCentred(page, 4900, 5050, "Descrizione della prestazione");
    printCentred(page, 9500, 5050, "Corrispettivi in Euro");
    page.setDrawWidth(3);
    rectangle(page, 800, 5000, 10500, 5350);
    page.line(1300, 5000, 1300, 5350);
    page.line(8500, 5000, 8500, 5350);
    page.setDrawWidth(1);

    int row = 1;
    page.setFontSize(12);
    printAt(page, 1000, 5500, rowNumberText(row));
    double y = 5500;
    page.setCurrentY(5250);

    for (int k = 0; k < 3; ++k) {
        if (trimBlanks(form.amount[k]).empty())
            continue;
        if (k > 0) {
            page.setFontSize(12);
            printAt(page, 1000, y + 250, rowNumberText(row));
            y += 250;
            page.setCurrentY(y - 250);
        }
        if (printDescription(page, form.description[k], DescriptionLimit) > 0)
            y = page.currentY();
        const double yFee = trimBlanks(form.description[k]).empty() ? y : y - 250;
        page.setFontSize(12);
        printRightAligned(page, ValueRight, yFee, euro(amounts.lineTotal[k]));
        ++row;
    }

    if (calc::numericValue(form.pension) > 0) {
        page.setFontSize(12);
        printAt(page, 1000, y + 250, rowNumberText(row));
        y += 250;
        printAt(page, DescriptionX, y, pensionLineText(terms.pensionFund, form.pension));
        printRightAligned(page, ValueRight, y, euro(amounts.pensionContribution));
    }

    page.setDrawWidth(3);
    y += 400;
    page.line(800, 5350, 800, y);
    page.lineTo(10500, y);
    page.lineTo(10500, 5350);
    page.line(1300, 5350, 1300, y);
    page.line(8500, 5350, 8500, y);
    page.setFontSize(10);
    printCentred(page, 9500, y + 5, "Euro");

    printStatements(page, y + 5, form, terms, calc::InvoiceType::Professional, notice);

    const auto box = [&page](double top) {
        page.setDrawWidth(3);
        page.line(8500, top, 8500, top + 400);
        page.lineTo(10500, top + 400);
        page.lineTo(10500, top);
        page.setDrawWidth(1);
    };
    const auto texts = [&page](double textY, const std::string& label, const std::string& value) {
        page.setFontSize(12);
        printRightAligned(page, LabelRight, textY, label);
        printRightAligned(page, ValueRight, textY, value);
    };

    texts(y + 250, "TOTALE IMPONIBILE", euro(amounts.taxable));
    page.setDrawWidth(3);
    page.line(8500, y + 200, 10500, y + 200);
    box(y + 200);
    y += 600;

    texts(y + 50, "IVA (" + form.vat + "%)", euroOrDashes(amounts.vat));
    box(y);
    y += 400;

    texts(y + 50, "SPESE GENERALI SOSTENUTE", amounts.expenses == 0 ? std::string("----") : euro(amounts.expenses));
    box(y);

    if (amounts.expenses2 != 0) {
        y += 400;
        texts(y + 50, "SPESE PER APPROVAZIONE PARCELLA", euro(amounts.expenses2));
        box(y);
    }

    // Charged to the client, the duty counts in the invoice total.
    if (amounts.stampDuty != 0) {
        y += 400;
        texts(y + 50, std::string(calc::StampDutyRowLabel), euro(amounts.stampDuty));
        box(y);
    }

    y += 400;
    page.setFontBold(true);
    texts(y + 50, "TOTALE FATTURA", euro(amounts.total));
    box(y);
    page.setFontBold(false);
    y += 400;

    if (amounts.withholding != 0) {
        texts(y + 50, "RITENUTA D'ACCONTO (" + form.withholding + "%)", euro(amounts.withholding));
        box(y);
        y += 400;
    }

    page.setFontBold(true);
    texts(y + 50, toPayLabel(form, amounts), euro(amounts.toPay));
    box(y);
    page.setFontBold(false);

    printBelowTotals(page, y + 400, form, terms, amounts.stampDutyDue, decimalSeparator);
}

} // namespace tessaro::print
