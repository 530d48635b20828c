#include "archive/register_texts.h"

#include "archive/codepage.h"
#include "archive/register_fields.h"
#include "calc/numbers.h"

#include <cmath>

namespace tessaro::archive {

namespace {

constexpr std::array<std::string_view, RegisterColumnCount> Headings = {
    "N.",  "Data", "Cliente",  "Imponibile", "IVA",          "Ritenuta", "Spese", "Da pagare", "Acconto/saldo",
    "SdI", "Note", "Scadenza", "Incassato",  "Da incassare", "Stato",
};

// A text for the screen: damaged bytes below the blank would be invisible
// or break a line, so they show as blanks.
std::string shownText(std::string_view windows1252)
{
    std::string plain(windows1252);
    for (char& c : plain) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return fromWindows1252(plain);
}

} // namespace

std::string BookRegister::clientText(int index) const
{
    const auto record = invoiceBytes(index);
    std::string text = shownText(storedText(record, fieldOf(PartyField::Surname)));
    const std::string_view firstName = storedText(record, fieldOf(PartyField::FirstName));
    if (!firstName.empty())
        text += (text.empty() ? "" : " ") + shownText(firstName);
    return text;
}

std::string BookRegister::clientTaxCode(int index) const
{
    return shownText(storedText(invoiceBytes(index), fieldOf(PartyField::TaxCode)));
}

std::string BookRegister::clientVatNumber(int index) const
{
    return shownText(storedText(invoiceBytes(index), fieldOf(PartyField::VatNumber)));
}

std::string BookRegister::dayText(int index) const
{
    return shownText(storedText(invoiceBytes(index), fieldOf(InvoiceField::Day)));
}

std::string BookRegister::monthText(int index) const
{
    return shownText(storedText(invoiceBytes(index), fieldOf(InvoiceField::Month)));
}

std::string_view registerHeading(RegisterColumn column, bool notices)
{
    if (notices && column == RegisterColumn::Sdi)
        return NoticeInvoiceHeading;
    return Headings[static_cast<std::size_t>(column)];
}

bool isAmountColumn(RegisterColumn column)
{
    return (column >= RegisterColumn::Taxable && column <= RegisterColumn::ToPay) || column == RegisterColumn::Received
        || column == RegisterColumn::Owed;
}

double registerFigure(const RegisterFigures& figures, RegisterColumn column)
{
    switch (column) {
    case RegisterColumn::Taxable:
        return figures.taxable;
    case RegisterColumn::Vat:
        return figures.vat;
    case RegisterColumn::Withholding:
        return figures.withholding;
    case RegisterColumn::Expenses:
        return figures.expenses;
    case RegisterColumn::ToPay:
        return figures.toPay;
    case RegisterColumn::Received:
        return figures.received;
    case RegisterColumn::Owed:
        return figures.owed;
    default:
        return 0;
    }
}

std::string amountText(double euro, const AmountStyle& style)
{
    if (!std::isfinite(euro))
        return "importo non valido";
    const std::string plain = calc::euroText(euro, style.decimalSeparator);
    if (!style.grouped)
        return plain;
    return calc::groupedDigits(plain, style.decimalSeparator, style.decimalSeparator == '.' ? ',' : '.');
}

std::string lireAmountText(double lire)
{
    if (!std::isfinite(lire))
        return "importo non valido";
    std::string whole = calc::euroText(std::round(lire), ',');
    whole.resize(whole.size() - 3); // ",00"
    return "L. " + calc::groupedDigits(whole, ',', '.');
}

namespace {

std::string currencyNote(const RegisterRow& row, char decimalSeparator)
{
    switch (row.currency) {
    case RegisterCurrency::Euro:
        return {};
    case RegisterCurrency::FromLire:
        return std::string(FromLireMark) + ", cambio " + calc::rateText(row.rate, decimalSeparator);
    case RegisterCurrency::LireWithoutRate:
        return "senza cambio: esclusa dai totali";
    case RegisterCurrency::Unknown:
        return "valuta ignota: esclusa dai totali";
    }
    return {};
}

} // namespace

std::string registerNote(const RegisterRow& row, char decimalSeparator)
{
    std::string note = currencyNote(row, decimalSeparator);
    if (!row.creditNote)
        return note;
    std::string creditNote = "nota di credito";
    if (row.cancelledInvoice > 0)
        creditNote += " della fattura n. " + std::to_string(row.cancelledInvoice);
    return note.empty() ? creditNote : creditNote + "; " + note;
}

std::string registerCell(const BookRegister& reg, int index, RegisterColumn column, std::string_view sdiText,
                         std::string_view year, calc::Date today, const AmountStyle& style)
{
    const RegisterRow& row = reg.row(index);
    if (isAmountColumn(column)) {
        const double figure = registerFigure(row.figures, column);
        if (row.counted())
            return amountText(figure, style);
        // Nothing is reckoned as owed on figures that do not count.
        if (!style.uncountedAmounts || column >= FirstPaymentColumn)
            return {};
        return row.currency == RegisterCurrency::LireWithoutRate ? lireAmountText(figure) : amountText(figure, style);
    }
    switch (column) {
    case RegisterColumn::Number:
        return std::to_string(row.number);
    case RegisterColumn::Date:
        if (row.day && row.month)
            return calc::twoDigits(row.day) + "/" + calc::twoDigits(row.month) + "/" + std::string(year);
        // A date that is no date is shown as it was read.
        if (reg.dayText(index).empty() && reg.monthText(index).empty())
            return {};
        return reg.dayText(index) + "/" + reg.monthText(index);
    case RegisterColumn::Client:
        return reg.clientText(index);
    case RegisterColumn::Kind: {
        const char kind = reg.kind(index);
        if (kind == 'a' || kind == 's')
            return kind == 'a' ? "acconto" : "saldo";
        // Any other letter is shown as it was read; a blank or a zero byte is no kind at all.
        return static_cast<unsigned char>(kind) > ' ' && static_cast<unsigned char>(kind) < 0x7F ? std::string(1, kind)
                                                                                                 : std::string();
    }
    case RegisterColumn::Sdi:
        return std::string(sdiText);
    case RegisterColumn::Note:
        return registerNote(row, style.decimalSeparator);
    case RegisterColumn::Due:
        return row.settlement && row.settlement->due ? calc::dateText(*row.settlement->due) : std::string();
    case RegisterColumn::State: {
        const auto state = reg.paymentState(index, today);
        return state ? std::string(calc::paymentStateText(*state)) : std::string();
    }
    default:
        return {};
    }
}

std::string totalsCell(const RegisterFigures& totals, RegisterColumn column, const AmountStyle& style,
                       std::string_view caption)
{
    if (isAmountColumn(column))
        return amountText(registerFigure(totals, column), style);
    return column == RegisterColumn::Client ? std::string(caption) : std::string();
}

} // namespace tessaro::archive
