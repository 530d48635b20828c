#include "print/statements.h"

#include "archive/settlement.h"
#include "calc/calendar.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/regimes.h"
#include "calc/text.h"

#include <span>

namespace tessaro::print {

namespace {

constexpr double StatementX = 800;
constexpr double BelowTotalsGap = 100;
constexpr double BelowTotalsLine = 300; // a line at 10 points and a little air

void printStatementLines(Page& page, double y, std::span<const std::string_view> lines)
{
    page.setFontSize(10);
    page.setFontBold(true);
    page.setCurrentX(StatementX);
    page.setCurrentY(y);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            page.setCurrentX(StatementX);
            page.setCurrentY(page.currentY() + 80);
        }
        page.printLine(lines[i]);
    }
}

} // namespace

bool printsStatement(const archive::InvoiceForm& form, const archive::IssuerTerms& terms, archive::InvoiceType type)
{
    if (terms.statement().withoutVatOrWithholding && calc::numericValue(form.vat) == 0)
        return true;
    return type == archive::InvoiceType::Professional && form.omittedVatStatement;
}

void printStatement(Page& page, double y, const calc::RegimeStatement& statement)
{
    printStatementLines(page, y, statement.printedLines);
}

bool printStatements(Page& page, double y, const archive::InvoiceForm& form, const archive::IssuerTerms& terms,
                     archive::InvoiceType type, bool notice)
{
    const bool regime = printsStatement(form, terms, type);
    if (regime) {
        printStatement(page, y, terms.statement());
        y = page.currentY() + 80;
    }
    if (notice) {
        printStatementLines(page, y, NoticeStatementLines);
        page.setFontBold(regime);
    }
    return regime;
}

void printStampDutyPaid(Page& page, double y, char decimalSeparator)
{
    page.setFontSize(10);
    page.setFontBold(false);
    printRightAligned(page, 8400, y, std::string(calc::StampDutyPaidText));
    printRightAligned(page, 10400, y, "Euro " + calc::euroText(calc::StampDutyAmount, decimalSeparator));
}

std::string paymentTermsText(const archive::InvoiceForm& form, const archive::IssuerTerms& terms)
{
    if (form.creditNote.isCreditNote)
        return {};
    // A code this program does not know is left unsaid rather than guessed.
    const calc::PaymentMethod* method = calc::paymentMethod(form.payments.method);
    const auto due = archive::dueDateOf(form.payments, calc::dateOfFields(form.day, form.month, form.year));
    if (!method && !due)
        return {};
    std::string text = method ? "Pagamento: " + std::string(method->paperText) : std::string("Pagamento");
    if (due)
        text += " entro il " + calc::dateText(*due);
    if (const std::string_view iban = calc::trimBlanks(terms.iban); method && method->bankTransfer && !iban.empty())
        text += " - IBAN: " + std::string(iban);
    return text;
}

void printBelowTotals(Page& page, double bottom, const archive::InvoiceForm& form, const archive::IssuerTerms& terms,
                      bool stampDutyDue, char decimalSeparator)
{
    double y = bottom + BelowTotalsGap;
    if (stampDutyDue) {
        printStampDutyPaid(page, y, decimalSeparator);
        y += BelowTotalsLine;
    }
    if (const std::string text = paymentTermsText(form, terms); !text.empty()) {
        page.setFontSize(10);
        page.setFontBold(false);
        printAt(page, StatementX, y, text);
    }
    page.setFontSize(12);
}

} // namespace tessaro::print
