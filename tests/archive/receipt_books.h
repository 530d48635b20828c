// Books of issuer 1 with payments for the reckonings of the year 2026: an
// invoice of 2025 paid in 2026, one of 2025 paid in 2025, one of 2027 paid in
// advance in 2026; in 2026 one paid in part, one paid too much, a credit
// note's refund and a lire invoice without a rate; and a book of 2024 whose
// payments cannot be read through the file system receiptsFileSystem()
// gives. Every invoice at VAT 22, nothing else on it.
#pragma once

#include "archive/book.h"
#include "archive/credit_notes.h"
#include "archive/payments.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QTest>

#include <map>
#include <vector>

namespace tessaro::test {

struct ReceiptInvoice {
    const char* year;
    const char* client;
    const char* fee; // in the invoice's currency
    std::vector<std::pair<calc::Date, const char*>> payments;
    bool creditNote = false;
    bool lireWithoutRate = false;
};

inline void writeReceiptBooks(const archive::DataDir& dir)
{
    const std::vector<ReceiptInvoice> invoices = {
        {"2024", "Marrone", "100", {{{2026, 3, 3}, "122.00"}}},
        {"2025", "Verdi", "1000", {{{2026, 1, 10}, "1220.00"}}},
        {"2025", "Neri", "100", {{{2025, 12, 30}, "122.00"}}},
        {"2026", "Rossi Mario", "1000", {{{2026, 5, 20}, "610.00"}}},
        {"2026", "Bianchi Anna", "500", {{{2026, 2, 20}, "610.00"}, {{2026, 2, 25}, "61.00"}}},
        {"2026", "Bianchi Anna", "-100", {{{2026, 3, 1}, "-122.00"}}, true},
        {"2026", "Gialli", "1000000", {{{2026, 4, 5}, "500.00"}}, false, true},
        {"2027", "Viola", "200", {{{2026, 12, 28}, "244.00"}}},
    };
    std::map<std::string, int> numbers;
    for (const ReceiptInvoice& invoice : invoices) {
        const archive::BookPaths book = archive::bookPaths(dir, 1, invoice.year);
        const int number = ++numbers[invoice.year];
        archive::InvoiceRecord record;
        record.client.surname = invoice.client;
        record.day = "01";
        record.month = "01";
        record.vat = "22";
        record.kind = "s";
        record.amount[0] = invoice.fee;
        record.currency = invoice.lireWithoutRate ? "l" : "e";
        record.rate = invoice.lireWithoutRate ? 0.0f : 1936.27f;
        QVERIFY(archive::writeInvoice(book, number, record).ok());
        QVERIFY(archive::writeCounter(book, static_cast<std::int16_t>(number + 1)).ok());
        archive::CreditNoteMark mark;
        mark.isCreditNote = invoice.creditNote;
        QVERIFY(archive::writeCreditNotes(book, number, {&mark, 1}).ok());
        archive::InvoicePayments payments;
        for (const auto& [date, amount] : invoice.payments)
            payments.payments.push_back({date, amount, "MP05", "", ""});
        QVERIFY(archive::storePayments(book, number, payments, "test").ok());
    }
}

// The real file system, but the payments of 2024 are past reading.
inline void breakBookOf2024(FaultyFileSystem& fs)
{
    fs.fail(FaultyFileSystem::Op::Read, "12024.inc");
}

} // namespace tessaro::test
