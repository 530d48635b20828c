#include "archive/totals.h"

#include "archive/record_file.h"
#include "calc/numbers.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace tessaro::archive {

namespace {

using calc::numericValue;

bool isLire(const InvoiceRecord& invoice)
{
    return invoice.currency == "l";
}

double professionalTaxable(const InvoiceRecord& invoice)
{
    const double fees
        = numericValue(invoice.amount[0]) + numericValue(invoice.amount[1]) + numericValue(invoice.amount[2]);
    return fees + fees * numericValue(invoice.pension) / 100;
}

double commercialTaxable(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines)
{
    double taxable = 0;
    bool everyAmountFilled = true;
    for (int line = 0; line < 3; ++line) {
        const double amount = numericValue(invoice.amount[line]);
        double quantity = numericValue(invoice.quantity[line]);
        if (quantity == 0)
            quantity = 1;
        taxable += amount * quantity;
        everyAmountFilled = everyAmountFilled && amount != 0;
    }
    if (everyAmountFilled) {
        for (int line = 0; line < ExtraLineCount; ++line)
            taxable += numericValue(extraLines.quantity[line]) * numericValue(extraLines.amount[line]);
    }
    return taxable;
}

double roundedForCurrency(const InvoiceRecord& invoice, double amount)
{
    return isLire(invoice) ? calc::wholeLira(amount) : amount;
}

} // namespace

double invoiceTaxable(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type)
{
    const double taxable
        = type == InvoiceType::Commercial ? commercialTaxable(invoice, extraLines) : professionalTaxable(invoice);
    return roundedForCurrency(invoice, taxable);
}

double invoiceVat(const InvoiceRecord& invoice, const ExtraLinesRecord& extraLines, InvoiceType type)
{
    const double taxable = invoiceTaxable(invoice, extraLines, type);
    return roundedForCurrency(invoice, taxable * numericValue(invoice.vat) / 100);
}

double inEuro(const InvoiceRecord& invoice, double amount)
{
    if (invoice.currency == "e")
        return amount;
    // A rate of 0 (or a damaged one) cannot convert lire: such an invoice is left out.
    if (isLire(invoice) && std::isfinite(invoice.rate) && invoice.rate > 0)
        return amount / invoice.rate;
    return 0;
}

Result<double> sumInvoices(const BookPaths& book, InvoiceType type, TotalKind kind, int first, int last)
{
    if (first > last)
        return 0.0;
    auto invoices = RecordFile::open(book.invoices, InvoiceRecordSize);
    if (!invoices)
        return invoices.error();
    std::optional<RecordFile> extraLinesFile;
    if (type == InvoiceType::Commercial) {
        auto opened = RecordFile::open(book.extraLines, ExtraLinesRecordSize);
        if (!opened)
            return opened.error();
        extraLinesFile = std::move(opened.value());
    }

    std::array<std::uint8_t, InvoiceRecordSize> invoiceBytes {};
    std::array<std::uint8_t, ExtraLinesRecordSize> lineBytes {};
    double sum = 0;
    for (int number = first; number <= last; ++number) {
        if (Status status = invoices.value().read(number, invoiceBytes); !status)
            return status.error();
        const InvoiceRecord invoice = decodeInvoice(invoiceBytes);
        ExtraLinesRecord lines;
        if (extraLinesFile) {
            if (Status status = extraLinesFile->read(number, lineBytes); !status)
                return status.error();
            lines = decodeExtraLines(lineBytes);
        }
        const double amount
            = kind == TotalKind::Vat ? invoiceVat(invoice, lines, type) : invoiceTaxable(invoice, lines, type);
        sum += inEuro(invoice, amount);
    }
    return sum;
}

} // namespace tessaro::archive
