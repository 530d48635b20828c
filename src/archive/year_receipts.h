// The payments an issuer received in a year, from the books of every year:
// a payment counts in the year it came in, whatever the year of its invoice.
// Each is divided over the parts of its invoice by the cash-basis rule of
// the amounts engine. The reckonings of the year (the payments of the year,
// the flat-rate limits, the withholding per client) all read this.
#pragma once

#include "archive/data_dir.h"
#include "archive/io_result.h"
#include "calc/amounts.h"
#include "calc/calendar.h"
#include "calc/cash_basis.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

struct YearReceipt {
    calc::Date date;
    int invoiceNumber = 0;
    int invoiceYear = 0;
    bool creditNote = false;
    // The client as the invoice stores it (UTF-8, trimmed).
    std::string client; // surname or company and first name
    std::string taxCode;
    std::string vatNumber;
    std::string method; // ModalitaPagamento code; empty when not said
    std::string note;
    // The payment and its parts. For an invoice that cannot be had in euro
    // (lire without a rate) the whole payment stands as fees and `divided` is false.
    calc::PaymentParts parts;
    bool divided = true;
};

// A book whose payments could not be read: named in every reckoning, never
// silently left out of its sums.
struct UnreadBook {
    int year = 0;
    std::string reason;
};

struct YearReceipts {
    int year = 0;
    std::vector<YearReceipt> rows; // by date, then by invoice year and number, then as recorded
    std::vector<UnreadBook> unread;

    calc::PaymentParts totals() const;
    // The sums of the rows at the given indices: the totals of a search.
    calc::PaymentParts totalsOf(std::span<const int> indices) const;
    // The payments by month received (index 0 is January).
    std::array<double, 12> monthlyAmounts() const;
    // The income of the year: gross fees, and the contribution where it is income.
    double income(bool pensionIsIncome) const;
};

// Every payment dated in `year` on the invoices of issuer's books (any year),
// under the program's invoice type and the issuer's terms. Reading creates no
// file. Fails only when the data directory cannot be listed; a book that
// cannot be read is in `unread`.
Result<YearReceipts> readYearReceipts(const DataDir& dir, int issuer, int year, calc::InvoiceType type,
                                      calc::InvoiceTerms terms = {});

// The years of the issuer's books that hold payments (a .inc), in order.
Result<std::vector<int>> yearsWithPayments(const DataDir& dir, int issuer);

} // namespace tessaro::archive
