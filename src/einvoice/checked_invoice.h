// The checks that stand between an invoice and its electronic invoice. What
// they accept comes out as a CheckedInvoice, with every figure and text the
// XML needs already made, so the XML is written only from an invoice that
// passed and its amounts are computed once.
#pragma once

#include "einvoice/document.h"
#include "einvoice/export_input.h"
#include "einvoice/recipient.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::einvoice {

struct CheckOutcome;

class CheckedInvoice {
public:
    const InvoiceToExport& invoice() const { return m_invoice; }
    const Recipient& recipient() const { return m_recipient; }
    const std::string& progressive() const { return m_progressive; }
    const std::string& date() const { return m_date; } // "2024-03-07"
    // The date of the invoice a credit note cancels; empty for an invoice.
    const std::string& cancelledInvoiceDate() const { return m_cancelledInvoiceDate; }
    const Document& document() const { return m_document; }

private:
    friend CheckOutcome check(const InvoiceToExport& invoice);
    CheckedInvoice() = default;

    InvoiceToExport m_invoice;
    Recipient m_recipient;
    std::string m_progressive;
    std::string m_date;
    std::string m_cancelledInvoiceDate;
    Document m_document;
};

struct CheckOutcome {
    std::optional<CheckedInvoice> checked; // only when there is no problem
    std::vector<std::string> problems;
};

// Every reason, as an Italian sentence, why the invoice cannot become an
// electronic invoice; the checked invoice when there is none.
CheckOutcome check(const InvoiceToExport& invoice);

// The reasons of check() alone; empty when the invoice can be exported.
std::vector<std::string> validate(const InvoiceToExport& invoice);

} // namespace tessaro::einvoice
