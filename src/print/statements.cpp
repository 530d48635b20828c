#include "print/statements.h"

#include "calc/numbers.h"
#include "calc/regimes.h"

namespace tessaro::print {

namespace {

constexpr double StatementX = 800;

} // namespace

bool printsStatement(const archive::InvoiceForm& form, const archive::IssuerTerms& terms, archive::InvoiceType type)
{
    if (terms.statement().withoutVatOrWithholding && calc::numericValue(form.vat) == 0)
        return true;
    return type == archive::InvoiceType::Professional && form.omittedVatStatement;
}

void printStatement(Page& page, double y, const calc::RegimeStatement& statement)
{
    page.setFontSize(10);
    page.setFontBold(true);
    page.setCurrentX(StatementX);
    page.setCurrentY(y);
    for (std::size_t i = 0; i < statement.printedLines.size(); ++i) {
        if (i > 0) {
            page.setCurrentX(StatementX);
            page.setCurrentY(page.currentY() + 80);
        }
        page.printLine(statement.printedLines[i]);
    }
}

void printStampDutyPaid(Page& page, double y, char decimalSeparator)
{
    page.setFontSize(10);
    page.setFontBold(false);
    printRightAligned(page, 8400, y, std::string(calc::StampDutyPaidText));
    printRightAligned(page, 10400, y, "Euro " + calc::euroText(calc::StampDutyAmount, decimalSeparator));
}

} // namespace tessaro::print
