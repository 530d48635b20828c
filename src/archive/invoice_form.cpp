#include "archive/invoice_form.h"

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

void copyFormToBuffer(InvoiceForm& form)
{
    InvoiceRecord& record = form.buffer;
    const PartyRecord& client = form.client;
    // The buffer mirrors the stored record, so each text takes its field's width here already.
    record.client.title = fitToWidth(client.title, 5);
    record.client.surname = fitToWidth(client.surname, 29);
    record.client.firstName = fitToWidth(client.firstName, 29);
    record.client.address = fitToWidth(client.address, 40);
    record.client.city = fitToWidth(client.city, 35);
    record.client.province = fitToWidth(client.province, 2);
    record.client.postCode = fitToWidth(client.postCode, 5);
    record.client.taxCode = fitToWidth(client.taxCode, 16);
    record.client.vatNumber = fitToWidth(client.vatNumber, 12);
    record.day = fitToWidth(form.day, 2);
    record.month = fitToWidth(form.month, 2);
    record.vat = fitToWidth(form.vat, 2);
    if (form.onAccount)
        record.kind = "a";
    if (form.balance)
        record.kind = "s";
    constexpr std::size_t descriptionWidth[3] = {210, 150, 90};
    for (std::size_t line = 0; line < 3; ++line) {
        record.description[line] = fitToWidth(form.description[line], descriptionWidth[line]);
        record.amount[line] = fitToWidth(form.amount[line], 10);
        record.quantity[line] = fitToWidth(form.quantity[line], 4);
    }
    record.pension = fitToWidth(form.pension, 1);
    record.expenses = fitToWidth(form.expenses, 8);
    record.withholding = fitToWidth(form.withholding, 2);
    record.expenses2 = fitToWidth(form.expenses2, 8);
}

void copyBufferToForm(InvoiceForm& form, char decimalSeparator)
{
    const InvoiceRecord& record = form.buffer;
    form.client = record.client;
    form.day = record.day;
    form.month = record.month;
    form.vat = record.vat.empty() ? std::string("22") : record.vat;
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

} // namespace tessaro::archive
