// The invoice on screen as plain data: every text of the main window, the
// option and check states, the result texts, and beside them the invoice
// buffer (whose currency flag and rate are not window fields) and the
// extra-lines store. Commands read and change a form; the window copies it
// in and out.
#pragma once

#include "archive/credit_notes.h"
#include "archive/payments.h"
#include "archive/records.h"
#include "calc/amounts.h"
#include "calc/defaults.h"
#include "calc/forward.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::archive {

// What "Salva" stores of an invoice: its record, its lines 4 to 10 and its
// credit-note mark. The number and the year only say where.
struct InvoiceImage {
    InvoiceRecord record;
    ExtraLinesRecord extraLines;
    CreditNoteMark creditNote;

    bool operator==(const InvoiceImage&) const = default;
};

struct InvoiceForm {
    std::string number; // txtnum
    std::string day; // txtgio
    std::string month; // txtmese
    std::string year; // txtanno
    std::string vat {calc::DefaultVatRate}; // txtiva
    std::string pension; // txtcn
    std::string withholding; // txtra
    std::string expenses; // txtspe
    std::string expenses2; // txtspe2
    PartyRecord client; // cmbtit, txtc1 .. txtc8
    std::array<std::string, 3> description; // txtv1 .. txtv3
    std::array<std::string, 3> amount; // txtimp1 .. txtimp3
    std::array<std::string, 3> quantity; // txtq1 .. txtq3
    bool onAccount = false; // opt1 "in acconto"
    bool balance = true; // opt2 "a saldo"
    bool omittedVatStatement = false; // Check1

    std::string taxable; // etcimp
    std::string vatAmount; // etciva
    std::string withholdingAmount; // etcra
    std::string total; // txttot
    std::string rateText; // etccambio (hidden)

    InvoiceRecord buffer; // the invoice buffer
    ExtraLinesRecord extraLines; // lines 4 to 10
    CreditNoteMark creditNote; // the book's .ndc record of this number
    // Its terms and payments, the book's .inc record. Not part of the image:
    // payments are written by their own window, and "Salva" stores the terms only.
    InvoicePayments payments;
    // The invoice as it was last loaded or saved; nothing before the first load.
    // What became of the stored invoice's electronic invoice, as the title
    // names it ("consegnata", "scartata (00305)"); empty for an invoice not stored.
    std::string sdiStatus;
    // The window works on the book of fee notices; noticeStatus says whether
    // the stored notice shown was invoiced, and by which invoice ("da fatturare").
    bool notice = false;
    std::string noticeStatus;
    std::optional<InvoiceImage> unchanged;
    // The number it was loaded or saved under: a number typed since names another invoice.
    std::string unchangedNumber;

    // objectName of the field that should take the focus after a command;
    // empty when the focus stays where it is.
    std::string focusField;
};

// Window fields into the buffer (issue kind kept when no option is selected).
void copyFormToBuffer(InvoiceForm& form);
// Buffer into the window fields: the default VAT when empty, options from the kind,
// etccambio from the rate.
void copyBufferToForm(InvoiceForm& form, char decimalSeparator);

// The form as "Salva" would store it.
InvoiceImage invoiceImage(const InvoiceForm& form);
// The form is the invoice as stored: what is typed from now on is a change.
void markUnchanged(InvoiceForm& form);
// Something was typed or prepared since the invoice was loaded or saved.
bool hasUnsavedChanges(const InvoiceForm& form);
// The results of a calculation into etcimp, etciva, etcra and txttot; a
// result without a value keeps what the form showed.
void applyResults(InvoiceForm& form, const calc::ResultTexts& results);

// The invoice's currency flag: 'l' or 'e' as the buffer holds it, 0 for anything else.
char currencyFlagOf(const InvoiceRecord& invoice);

// The texts of the form as the calculations read them, with the buffer's
// currency flag and the issuer's terms.
calc::InvoiceTexts invoiceTexts(const InvoiceForm& form, calc::InvoiceType type, char decimalSeparator,
                                calc::InvoiceTerms terms);
// Every figure of the invoice on the form, from the amounts engine.
calc::InvoiceAmounts invoiceAmounts(const InvoiceForm& form, calc::InvoiceType type, calc::QuantityRule rule,
                                    calc::InvoiceTerms terms);

// The text cut to width characters (not bytes) and padded with blanks, the way
// a fixed-width record field holds it.
std::string fitToWidth(std::string_view utf8, std::size_t width);

} // namespace tessaro::archive
