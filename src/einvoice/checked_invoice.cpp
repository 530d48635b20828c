#include "einvoice/checked_invoice.h"

#include "archive/codepage.h"
#include "archive/credit_notes.h"
#include "calc/calendar.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "einvoice/party_rules.h"
#include "einvoice/progressive.h"
#include "einvoice/text_rules.h"

namespace tessaro::einvoice {

namespace {

using archive::trimBlanks;

constexpr int FirstInvoiceYear = 1970; // the schema takes no earlier date

// "2024-03-07"; nothing when the day, month and year make no date.
std::optional<std::string> isoDate(std::string_view year, std::string_view day, std::string_view month)
{
    const std::optional<calc::Date> date = calc::dateOfFields(day, month, year);
    if (!date || date->year < FirstInvoiceYear)
        return std::nullopt;
    return calc::isoDateText(*date);
}

// The exchange system refuses a credit note dated before the invoice it
// cancels. Returns the date of that invoice.
std::optional<std::string> checkCreditNote(const archive::CreditNoteMark& mark, const std::optional<std::string>& own,
                                           std::vector<std::string>& problems)
{
    if (trimBlanks(mark.refNumber).empty())
        problems.push_back("Manca il numero della fattura a cui si riferisce la nota di credito.");
    const auto cancelled = isoDate(mark.refYear, mark.refDay, mark.refMonth);
    if (!cancelled)
        problems.push_back("La data della fattura a cui si riferisce la nota di credito non è valida.");
    if (cancelled && own && *own < *cancelled)
        problems.push_back("La nota di credito non può avere una data precedente a quella della fattura "
                           "a cui si riferisce ("
                           + archive::referredDate(mark) + ").");
    return cancelled;
}

} // namespace

CheckOutcome check(const InvoiceToExport& invoice)
{
    CheckOutcome outcome;
    std::vector<std::string>& problems = outcome.problems;
    const std::string_view currency = trimBlanks(invoice.form.buffer.currency);
    if (currency == "l")
        problems.push_back("La fattura è in lire: va convertita in euro prima di farne la fattura elettronica.");
    else if (currency != "e")
        problems.push_back("La valuta della fattura non è valida.");
    const auto date = isoDate(invoice.year, invoice.form.day, invoice.form.month);
    if (!date)
        problems.push_back("La data della fattura non è valida.");
    const auto number = progressive(invoice.year, invoice.number);
    if (!number)
        problems.push_back("L'anno o il numero della fattura non sono validi.");
    std::optional<std::string> cancelled;
    if (invoice.form.creditNote.isCreditNote)
        cancelled = checkCreditNote(invoice.form.creditNote, date, problems);
    const auto recipient = parseRecipient(invoice.recipient);
    if (!recipient)
        problems.push_back("Il codice destinatario deve essere di 7 lettere o cifre, oppure un indirizzo PEC.");

    checkParty(invoice.issuer, PartyRole::Issuer, problems);
    for (std::string& problem : issuerDataProblems(invoice.issuerData))
        problems.push_back(std::move(problem));
    checkParty(invoice.form.client, PartyRole::Client, problems);

    Document document = computeDocument(invoice, problems);
    if (!problems.empty())
        return outcome;
    CheckedInvoice checked;
    checked.m_invoice = invoice;
    checked.m_recipient = *recipient;
    checked.m_progressive = invoice.progressive.empty() ? *number : invoice.progressive;
    checked.m_date = *date;
    checked.m_cancelledInvoiceDate = cancelled.value_or("");
    checked.m_document = std::move(document);
    outcome.checked = std::move(checked);
    return outcome;
}

std::vector<std::string> validate(const InvoiceToExport& invoice)
{
    return check(invoice).problems;
}

} // namespace tessaro::einvoice
