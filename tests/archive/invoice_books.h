// Books and states for the invoice tests: issuer 1, a euro program at the
// default rate, and a book of four invoices named A..D with a slot record.
#pragma once

#include "archive/app_state.h"
#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/invoice_form.h"

#include "test_dir.h"

#include <string>

namespace tessaro::test {

inline archive::AppState stateIn(const TestDir& dir, archive::FileSystem& fs = archive::realFileSystem())
{
    archive::AppState state;
    state.dataDir = dir.data(fs);
    state.currentIssuer = 1;
    state.issuerCount = 1;
    return state;
}

inline archive::InvoiceForm formOfYear(const std::string& year, const std::string& number = "")
{
    archive::InvoiceForm form;
    form.year = year;
    form.number = number;
    return form;
}

inline archive::InvoiceRecord invoiceOf(const std::string& surname, const std::string& currency = "e",
                                        float rate = 1936.27f)
{
    archive::InvoiceRecord invoice;
    invoice.client.surname = surname;
    invoice.vat = "22";
    invoice.kind = "s";
    invoice.currency = currency;
    invoice.rate = rate;
    return invoice;
}

inline archive::ExtraLinesRecord linesOf(const std::string& description)
{
    archive::ExtraLinesRecord lines;
    lines.description[0] = description;
    return lines;
}

inline std::string surnameAt(const archive::BookPaths& book, int number)
{
    auto invoice = archive::readInvoice(book, number);
    return invoice.ok() ? std::string(archive::trimBlanks(invoice.value().client.surname)) : "<error>";
}

inline std::string lineAt(const archive::BookPaths& book, int number)
{
    auto lines = archive::readExtraLines(book, number);
    return lines.ok() ? std::string(archive::trimBlanks(lines.value().description[0])) : "<error>";
}

inline std::string trimmed(const std::string& text)
{
    return std::string(archive::trimBlanks(text));
}

// Invoices 1..4 named A..D and the slot record 5 named "slot", in both files; N = 5.
inline archive::BookPaths bookOfFour(const archive::AppState& state, const std::string& year = "2024")
{
    const archive::BookPaths book = archive::bookPaths(state.dataDir, state.currentIssuer, year);
    const char* names[] = {"A", "B", "C", "D", "slot"};
    for (int n = 1; n <= 5; ++n) {
        archive::writeInvoice(book, n, invoiceOf(names[n - 1], "e", 1000.0f + static_cast<float>(n)));
        archive::writeExtraLines(book, n, linesOf(names[n - 1]));
    }
    archive::writeCounter(book, 5);
    return book;
}

} // namespace tessaro::test
