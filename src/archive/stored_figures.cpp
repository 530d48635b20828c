#include "archive/stored_figures.h"

#include "archive/fields.h"

namespace tessaro::archive {

calc::InvoiceFigures storedFigures(std::span<const std::uint8_t> invoice, std::span<const std::uint8_t> extraLines,
                                   calc::InvoiceType type)
{
    calc::InvoiceFigures figures;
    for (std::size_t line = 1; line <= 3; ++line)
        figures.price[line - 1] = figureAt(invoice, amountField(line));
    figures.vat = figureAt(invoice, fieldOf(InvoiceField::Vat));
    if (type == calc::InvoiceType::Professional) {
        figures.pension = figureAt(invoice, fieldOf(InvoiceField::Pension));
        figures.withholding = figureAt(invoice, fieldOf(InvoiceField::Withholding));
        figures.expenses = figureAt(invoice, fieldOf(InvoiceField::Expenses));
        figures.expenses2 = figureAt(invoice, fieldOf(InvoiceField::Expenses2));
        return figures;
    }
    for (std::size_t line = 1; line <= 3; ++line)
        figures.quantity[line - 1] = figureAt(invoice, quantityField(line));
    if (calc::extraLinesCount(figures, type) && !extraLines.empty()) {
        for (std::size_t line = 4; line <= 10; ++line) {
            figures.extraPrice[line - 4] = figureAt(extraLines, extraAmountField(line));
            figures.extraQuantity[line - 4] = figureAt(extraLines, extraQuantityField(line));
        }
    }
    return figures;
}

char storedCurrencyFlag(std::span<const std::uint8_t> invoice)
{
    return flagAt(invoice, fieldOf(InvoiceField::Currency));
}

} // namespace tessaro::archive
