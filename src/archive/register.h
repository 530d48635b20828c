// The register of a book: every stored invoice as one row of figures, each
// from one call of the amounts engine under the yearly totals' rule, so the
// register's sums are the totals commands' sums (a credit note subtracts). The book is read once, one
// transfer per file; texts are read from the kept bytes only when asked for.
// Each counted row also keeps what its invoice asks and what came in for it,
// from the payments of the book; its state is reckoned for the day asked.
#pragma once

#include "archive/book.h"
#include "archive/io_result.h"
#include "archive/settlement.h"
#include "calc/amounts.h"
#include "calc/payments.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::archive {

// How a row's figures stand, and whether they enter the sums.
enum class RegisterCurrency : std::uint8_t {
    Euro, // counted as stored
    FromLire, // lire converted at the invoice's own rate, counted
    LireWithoutRate, // lire whose rate cannot convert: figures in lire, left out of the sums
    Unknown, // neither "l" nor "e" (a record never written, or damaged): left out
};

struct RegisterFigures {
    double taxable = 0;
    double vat = 0;
    double withholding = 0;
    double expenses = 0; // general expenses and those for approving the fee note
    double toPay = 0;
    // The stamp duty due on the invoice, charged to the client or borne by the
    // issuer: owed on a credit note as on any document, so never turned.
    double stampDuty = 0;
    // Euro that came in (given back, for a credit note) and still owed: the
    // row's settlement, in the figures so that they sum with the others.
    double received = 0;
    double owed = 0;
};

struct RegisterRow {
    int number = 0;
    RegisterCurrency currency = RegisterCurrency::Unknown;
    // Euro for the counted rows; lire for LireWithoutRate; as the engine
    // gives them for Unknown.
    RegisterFigures figures;
    float rate = 0; // value of one euro in lire, as stored
    std::uint8_t day = 0; // 1..31, 0 when the stored day is no such number
    std::uint8_t month = 0; // 1..12, 0 likewise
    // A credit note's figures stand with their sign turned, so they subtract in every sum.
    bool creditNote = false;
    int cancelledInvoice = 0; // the number of the invoice a credit note cancels, 0 when none or no number
    // For a counted row: what it asks, what came in and when it falls due,
    // and what that was reckoned from besides its own payments.
    std::optional<calc::Settlement> settlement;
    SettlementInput settlementInput;

    bool counted() const { return currency == RegisterCurrency::Euro || currency == RegisterCurrency::FromLire; }
};

// The row of one stored invoice, its records as the book holds them: the
// figures the register and the payments reckon with.
RegisterRow registerRow(int number, std::span<const std::uint8_t> record, std::span<const std::uint8_t> lines,
                        calc::InvoiceType type, calc::InvoiceTerms terms);

// Which rows the register shows by what is still to come in.
enum class PaymentFilter : std::uint8_t {
    All,
    Owed, // something is still owed: "da incassare", "incassata in parte", "scaduta"
    Overdue, // "scaduta"
};

class BookRegister {
public:
    BookRegister() = default;

    // Invoices 1 .. nextNumber - 1 of the book under the program's invoice
    // type and the issuer's terms (the stamp duty charged to the client is
    // part of the amount to pay). Records missing from the files read as zero
    // bytes. year is the book's year text: the due dates the terms give count
    // from the day of issue in it; without it only the typed due dates are known.
    static Result<BookRegister> read(const BookPaths& book, calc::InvoiceType type, int nextNumber,
                                     calc::InvoiceTerms terms = {}, std::string_view year = {});

    int size() const { return static_cast<int>(m_rows.size()); }
    // Row index 0 is invoice 1.
    const RegisterRow& row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    std::span<const std::uint8_t> invoiceBytes(int index) const;
    calc::InvoiceType type() const { return m_type; }

    // The row's payment state on the day given; nothing for a row left out of the sums.
    std::optional<calc::PaymentState> paymentState(int index, calc::Date today) const;
    // One flag per row: whether the filter shows it on the day given.
    std::vector<char> showing(PaymentFilter filter, calc::Date today) const;

    // Surname or company and first name, trimmed and joined by a blank (UTF-8).
    std::string clientText(int index) const;
    // The stored day and month as read, trimmed (UTF-8), for a date that is no date.
    std::string dayText(int index) const;
    std::string monthText(int index) const;
    // The client's codes as stored, trimmed (UTF-8).
    std::string clientTaxCode(int index) const;
    std::string clientVatNumber(int index) const;
    // 'a' on account, 's' balance, anything else as stored.
    char kind(int index) const;

    // The sums of the counted rows, in number order, as the totals sum them.
    RegisterFigures totals() const;
    // Likewise over the rows whose flag in `selected` (one per row) is set.
    RegisterFigures totalsOf(std::span<const char> selected) const;
    // Taxable amount of the counted rows by month of issue (index 0 is
    // January); what has no month of its own is only in the year's total.
    std::array<double, 12> monthlyTaxable() const;
    int uncountedRows() const;
    // Whether any row is an invoice in lire, converted or not.
    bool hasLireRows() const;

    // One flag per row: whether every word of the query (blanks between
    // words) is found in the row's client, its descriptions or, for a word of
    // digits, is its number. Case and accents do not matter.
    std::vector<char> matching(std::string_view queryUtf8) const;
    // The clients' names compared as the search sees them (case and accents aside).
    int compareClients(int a, int b) const;

private:
    // The settlement of every counted row from the .inc records of the rows, end to end.
    void settle(std::span<const std::uint8_t> paymentRecords, std::string_view year);
    // Adds the row's client and descriptions (lines 4 to 10 when given) to the search.
    void indexRow(std::span<const std::uint8_t> record, std::span<const std::uint8_t> extraLines);
    std::string_view searchText(int index) const;

    calc::InvoiceType m_type = calc::InvoiceType::Professional;
    std::vector<std::uint8_t> m_invoices; // the .arc records of the rows, end to end
    std::vector<RegisterRow> m_rows;
    // Per row, folded: client, then descriptions, fields apart by a byte no query holds.
    std::string m_search;
    std::vector<std::uint32_t> m_searchStart; // size() + 1 offsets into m_search
    std::vector<std::uint16_t> m_clientLength; // folded client's length at the start of its text
};

// Windows-1252 bytes as the search compares them: lower case, accents
// removed, controls as blanks.
std::string foldForSearch(std::string_view windows1252);

} // namespace tessaro::archive
