#include "archive/invoice_form.h"

#include "archive/codepage.h"
#include "calc/numbers.h"

#include <cstddef>
#include <string_view>

namespace tessaro::archive {

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string fitToWidth(std::string_view utf8, std::size_t width)
{
    std::string fitted;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t end = i + 1;
        while (end < utf8.size() && isContinuationByte(utf8[end]))
            ++end;
        if (characters == width)
            break;
        fitted.append(utf8.substr(i, end - i));
        ++characters;
        i = end;
    }
    fitted.append(width - characters, ' ');
    return fitted;
}

char currencyFlagOf(const InvoiceRecord& invoice)
{
    const std::string_view flag = trimBlanks(invoice.currency);
    return flag == "l" || flag == "e" ? flag.front() : '\0';
}

calc::InvoiceTexts invoiceTexts(const InvoiceForm& form, calc::InvoiceType type, char decimalSeparator,
                                calc::InvoiceTerms terms)
{
    calc::InvoiceTexts texts;
    for (std::size_t i = 0; i < calc::MainLineCount; ++i) {
        texts.quantity[i] = form.quantity[i];
        texts.price[i] = form.amount[i];
    }
    for (std::size_t i = 0; i < calc::ExtraLineCount; ++i) {
        texts.extraPrice[i] = form.extraLines.amount[i];
        texts.extraQuantity[i] = form.extraLines.quantity[i];
    }
    texts.vat = form.vat;
    texts.pension = form.pension;
    texts.withholding = form.withholding;
    texts.expenses = form.expenses;
    texts.expenses2 = form.expenses2;
    texts.type = type;
    texts.currencyFlag = currencyFlagOf(form.buffer);
    texts.decimalSeparator = decimalSeparator;
    texts.terms = terms;
    return texts;
}

calc::InvoiceAmounts invoiceAmounts(const InvoiceForm& form, calc::InvoiceType type, calc::QuantityRule rule,
                                    calc::InvoiceTerms terms)
{
    const calc::InvoiceTexts texts = invoiceTexts(form, type, ',', terms);
    return calc::invoiceAmounts(calc::figuresOf(texts), type, texts.currencyFlag, rule, terms);
}

void copyFormToBuffer(InvoiceForm& form)
{
    InvoiceRecord& record = form.buffer;
    const PartyRecord& client = form.client;
    const auto fit = [](const std::string& text, FieldSpec field) { return fitToWidth(text, field.width); };
    // The buffer mirrors the stored record, so each text takes its field's width here already.
    record.client.title = fit(client.title, fieldOf(PartyField::Title));
    record.client.surname = fit(client.surname, fieldOf(PartyField::Surname));
    record.client.firstName = fit(client.firstName, fieldOf(PartyField::FirstName));
    record.client.address = fit(client.address, fieldOf(PartyField::Address));
    record.client.city = fit(client.city, fieldOf(PartyField::City));
    record.client.province = fit(client.province, fieldOf(PartyField::Province));
    record.client.postCode = fit(client.postCode, fieldOf(PartyField::PostCode));
    record.client.taxCode = fit(client.taxCode, fieldOf(PartyField::TaxCode));
    record.client.vatNumber = fit(client.vatNumber, fieldOf(PartyField::VatNumber));
    record.day = fit(form.day, fieldOf(InvoiceField::Day));
    record.month = fit(form.month, fieldOf(InvoiceField::Month));
    record.vat = fit(form.vat, fieldOf(InvoiceField::Vat));
    if (form.onAccount)
        record.kind = "a";
    if (form.balance)
        record.kind = "s";
    for (std::size_t line = 1; line <= 3; ++line) {
        record.description[line - 1] = fit(form.description[line - 1], descriptionField(line));
        record.amount[line - 1] = fit(form.amount[line - 1], amountField(line));
        record.quantity[line - 1] = fit(form.quantity[line - 1], quantityField(line));
    }
    record.pension = fit(form.pension, fieldOf(InvoiceField::Pension));
    record.expenses = fit(form.expenses, fieldOf(InvoiceField::Expenses));
    record.withholding = fit(form.withholding, fieldOf(InvoiceField::Withholding));
    record.expenses2 = fit(form.expenses2, fieldOf(InvoiceField::Expenses2));
}

void copyBufferToForm(InvoiceForm& form, char decimalSeparator)
{
    const InvoiceRecord& record = form.buffer;
    form.client = record.client;
    form.day = record.day;
    form.month = record.month;
    form.vat = record.vat.empty() ? std::string(calc::DefaultVatRate) : record.vat;
    if (record.kind == "a") {
        form.onAccount = true;
        form.balance = false;
    } else if (record.kind == "s") {
        form.onAccount = false;
        form.balance = true;
    }
    form.description = record.description;
    form.amount = record.amount;
    form.quantity = record.quantity;
    form.pension = record.pension;
    form.expenses = record.expenses;
    form.withholding = record.withholding;
    form.expenses2 = record.expenses2;
    form.rateText = calc::rateText(record.rate, decimalSeparator);
}

InvoiceImage invoiceImage(const InvoiceForm& form)
{
    InvoiceForm stored = form;
    copyFormToBuffer(stored);
    return {std::move(stored.buffer), form.extraLines, form.creditNote};
}

void markUnchanged(InvoiceForm& form)
{
    form.unchanged = invoiceImage(form);
    form.unchangedNumber = form.number;
}

bool hasUnsavedChanges(const InvoiceForm& form)
{
    return form.unchanged && invoiceImage(form) != *form.unchanged;
}

void applyResults(InvoiceForm& form, const calc::ResultTexts& results)
{
    if (results.taxable)
        form.taxable = *results.taxable;
    if (results.vatAmount)
        form.vatAmount = *results.vatAmount;
    if (results.withholdingAmount)
        form.withholdingAmount = *results.withholdingAmount;
    if (results.total)
        form.total = *results.total;
}

} // namespace tessaro::archive
