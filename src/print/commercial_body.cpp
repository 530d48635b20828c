#include "print/commercial_body.h"

#include "calc/numbers.h"
#include "print/money_text.h"
#include "print/statements.h"
#include "print/wrap.h"

namespace tessaro::print {

namespace {

constexpr double DescriptionLimit = 5400;
constexpr double QuantityCentre = 7400;
constexpr double PriceRight = 9100;
constexpr double TotalRight = 10400;

void verticals(Page& page, double top, double bottom)
{
    for (const double x : {1300.0, 9200.0, 6900.0, 7900.0})
        page.line(x, top, x, bottom);
}

} // namespace

void layoutCommercialBody(Page& page, const archive::InvoiceForm& form, char decimalSeparator,
                          const archive::IssuerTerms& terms, bool notice)
{
    const char flag = archive::currencyFlagOf(form.buffer);
    const auto money = [&](double amount) { return moneyText(amount, flag, decimalSeparator); };
    const calc::InvoiceAmounts amounts
        = archive::invoiceAmounts(form, calc::InvoiceType::Commercial, calc::QuantityRule::Paper, terms.amounts);

    page.setFontBold(false);
    page.setFontSize(10);
    printCentred(page, 3400, 5050, "Descrizione");
    printCentred(page, QuantityCentre, 5050, "Quantità");
    printCentred(page, 8550, 5050, "Prezzo IVA es.");
    printCentred(page, 9850, 5050, "Totale");
    page.setDrawWidth(3);
    rectangle(page, 800, 5000, 10500, 5350);
    verticals(page, 5000, 5350);
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
        const double yq = trimBlanks(form.description[k]).empty() ? y : y - 250;
        page.setFontSize(12);
        printCentred(page, QuantityCentre, yq, form.quantity[k]);
        printRightAligned(page, PriceRight, yq, money(calc::numericValue(form.amount[k])));
        printRightAligned(page, TotalRight, yq, money(amounts.lineTotal[k]));
        ++row;
    }

    if (amounts.extraLinesCount) {
        for (std::size_t i = 0; i < archive::ExtraLineCount; ++i) {
            const double price = calc::numericValue(form.extraLines.amount[i]);
            if (!(price > 0))
                continue;
            page.setFontSize(12);
            printAt(page, 1000, y + 200, rowNumberText(static_cast<int>(i) + 4));
            y += 200;
            printAt(page, DescriptionX, y, form.extraLines.description[i]);
            printCentred(page, QuantityCentre, y, form.extraLines.quantity[i]);
            printRightAligned(page, PriceRight, y, money(price));
            printRightAligned(page, TotalRight, y, money(amounts.extraLineTotal[i]));
            y += 200;
        }
    }

    page.setDrawWidth(3);
    y += 400;
    page.line(800, 5350, 800, y);
    page.lineTo(10500, y);
    page.lineTo(10500, 5350);
    verticals(page, 5350, y);
    // Where the professional-service body has it, left of the summary rows.
    printStatements(page, y + 5, form, terms, calc::InvoiceType::Commercial, notice);
    page.setFontBold(false);

    const std::string unit = flag == 'l' ? " LIRE" : " EURO";
    const auto summaryRow = [&](const std::string& label, const std::string& value) {
        page.setFontSize(12);
        printRightAligned(page, 8400, y + 50, label);
        printRightAligned(page, TotalRight, y + 50, value);
        page.setDrawWidth(3);
        page.line(8500, y, 8500, y + 400);
        page.lineTo(10500, y + 400);
        page.lineTo(10500, y);
        page.setDrawWidth(1);
        y += 400;
    };
    summaryRow("TOTALE IMPONIBILE" + unit, money(amounts.taxable));
    summaryRow("IVA (" + form.vat + "%)", money(amounts.vat));
    if (amounts.stampDuty != 0)
        summaryRow(std::string(calc::StampDutyRowLabel), money(amounts.stampDuty));
    page.setFontBold(true);
    // A credit note gives money back; the label says when the stamp duty is in the sum.
    const std::string toPay = form.creditNote.isCreditNote ? "TOTALE NOTA DI CREDITO" : "TOTALE DA PAGARE";
    summaryRow(toPay + unit + (amounts.stampDuty != 0 ? " (bollo incluso)" : ""), money(amounts.toPay));
    page.setFontBold(false);
    printBelowTotals(page, y, form, terms, amounts.stampDutyDue, decimalSeparator);
}

} // namespace tessaro::print
