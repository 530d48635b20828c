#include "archive/stored_figures.h"

#include "archive/fields.h"

#include <algorithm>

namespace tessaro::archive {

namespace {

// Most invoices use none of lines 4 to 10: their prices and quantities are
// blanks (or zero bytes, never written), which one comparison tells.
bool unusedExtraLines(std::span<const std::uint8_t> extraLines)
{
    const std::size_t first = extraAmountField(4).offset;
    const std::size_t last = extraQuantityField(10).end();
    return std::all_of(extraLines.begin() + static_cast<std::ptrdiff_t>(first),
                       extraLines.begin() + static_cast<std::ptrdiff_t>(last),
                       [](std::uint8_t byte) { return byte == ' ' || byte == 0; });
}

} // namespace

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
    if (calc::extraLinesCount(figures, type) && !extraLines.empty() && !unusedExtraLines(extraLines)) {
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
