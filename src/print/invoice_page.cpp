#include "print/invoice_page.h"

#include "print/commercial_body.h"
#include "print/money_text.h"
#include "print/service_body.h"

#include <algorithm>

namespace tessaro::print {

namespace {

constexpr double IssuerNameLimit = 5000;
constexpr double ClientNameLimit = 9500;
constexpr double Right = 10500;

// A name line: bold at 12 points, 10 points when too wide, regular when still too wide.
void fitNameFont(Page& page, const std::string& text, double limit)
{
    page.setFontBold(true);
    page.setFontSize(12);
    if (page.textWidth(text) > limit)
        page.setFontSize(10);
    if (page.textWidth(text) > limit)
        page.setFontBold(false);
}

void issuerBlock(Page& page, const IssuerLines& lines, double w)
{
    const double centre = 1000 + w / 2;
    fitNameFont(page, lines.name, IssuerNameLimit);
    printCentred(page, centre, 1000, lines.name);
    page.setFontBold(false);
    page.setFontSize(10);
    printCentred(page, centre, 1250, lines.address);
    printCentred(page, centre, 1500, lines.town);
    printCentred(page, centre, 1750, lines.taxCode);
    printCentred(page, centre, 2000, lines.vatNumber);
}

// Returns x0, the left edge of the date line.
double titleBlock(Page& page, const archive::InvoiceForm& form, double w, bool notice)
{
    double centre = (1000 + w + 300) + ((Right - 1000) - w - 300) / 2;
    if (100 + w + 300 < 6500)
        centre = 6500 + (Right - 6500) / 2;

    page.setFontBold(true);
    page.setFontSize(14);
    if (form.creditNote.isCreditNote || notice) {
        // The longer titles step down until they fit their frame.
        const std::string title = (notice ? "AVVISO DI PARCELLA N. " : "NOTA DI CREDITO N. ") + form.number;
        const double room = Right - std::max(1000 + w + 200, 6500.0) - 100;
        for (const int size : {12, 10}) {
            if (page.textWidth(title) > room)
                page.setFontSize(size);
        }
        printCentred(page, centre, 1000, title);
    } else {
        printCentred(page, centre, 1000, "FATTURA N. " + form.number);
    }

    page.setFontSize(12);
    page.setFontBold(true);
    // A reloaded invoice holds its fields at their stored widths ("8 ").
    const std::string date = "del " + trimBlanks(form.day) + "-" + trimBlanks(form.month) + "-" + trimBlanks(form.year);
    page.setCurrentX(centre - page.textWidth(date) / 2);
    page.setCurrentY(1350);
    const double x0 = page.currentX();
    page.print(date);
    return x0;
}

void cross(Page& page, double x0, double top)
{
    page.line(x0 - 50, top, x0 + 150, top + 200);
    page.line(x0 - 50, top + 200, x0 + 150, top);
}

void tickBoxes(Page& page, const archive::InvoiceForm& form, double x0)
{
    rectangle(page, x0, 1700, x0 + 100, 1800);
    rectangle(page, x0, 2000, x0 + 100, 2100);
    if (form.onAccount)
        cross(page, x0, 1650);
    if (form.balance)
        cross(page, x0, 1950);
    page.setFontSize(10);
    page.setFontBold(false);
    printAt(page, x0 + 200, 1650, "in acconto");
    printAt(page, x0 + 200, 1950, "a saldo");
}

void topFrames(Page& page, double w)
{
    double issuerRight = 1000 + w + 100;
    if (issuerRight < 6000)
        issuerRight = 1000 + w + 300;
    double titleLeft = 1000 + w + 200;
    if (titleLeft < 6500)
        titleLeft = 6500;
    page.setDrawWidth(3);
    rectangle(page, 800, 800, issuerRight, 2300);
    rectangle(page, titleLeft, 800, Right, 2300);
    page.setDrawWidth(1);
}

// Under the title's frame, ending where it ends: too long to stand inside it.
void cancelledInvoiceLine(Page& page, const archive::CreditNoteMark& mark)
{
    page.setFontBold(true);
    page.setFontSize(10);
    const std::string text = "a storno della fattura n. " + mark.refNumber + " del " + archive::referredDate(mark);
    printAt(page, Right - page.textWidth(text), 2340, text);
    page.setFontBold(false);
}

void clientBlock(Page& page, const archive::PartyRecord& client, double pageWidth)
{
    const double centre = pageWidth / 2;
    page.setFontBold(true);
    page.setFontSize(10);
    printAt(page, 1000, 2800, "CLIENTE:");

    const std::string name
        = trimBlanks(client.title) + " " + trimBlanks(client.surname) + " " + trimBlanks(client.firstName);
    fitNameFont(page, name, ClientNameLimit);
    printCentred(page, centre, 3250, name);

    page.setFontBold(false);
    page.setFontSize(10);
    printCentred(page, centre, 3500, trimBlanks(client.address));
    std::string town = trimBlanks(client.postCode) + " " + trimBlanks(client.city);
    if (!trimBlanks(client.province).empty())
        town += " (" + client.province + ")";
    printCentred(page, centre, 3750, town);
    if (!trimBlanks(client.taxCode).empty())
        printCentred(page, centre, 4000, "C.F.: " + client.taxCode);
    if (!trimBlanks(client.vatNumber).empty())
        printCentred(page, centre, 4250, "P. IVA: " + client.vatNumber);

    page.setDrawWidth(3);
    rectangle(page, 800, 2600, Right, 4700);
    page.setDrawWidth(1);
}

} // namespace

IssuerLines issuerLines(const archive::PartyRecord& issuer)
{
    IssuerLines lines;
    lines.name = trimBlanks(issuer.title) + " " + trimBlanks(issuer.firstName) + " " + trimBlanks(issuer.surname);
    lines.address = trimBlanks(issuer.address);
    const std::string postTown = issuer.postCode + " " + trimBlanks(issuer.city);
    lines.townMeasured = postTown + " (" + issuer.province + ")";
    lines.town = trimBlanks(issuer.province).empty() ? postTown : lines.townMeasured;
    lines.taxCode = "C.F.: " + issuer.taxCode;
    lines.vatNumber = "P. IVA: " + issuer.vatNumber;
    return lines;
}

double measureIssuerWidth(Page& page, const IssuerLines& lines)
{
    double w = 0;
    page.setFontSize(12);
    page.setFontBold(true);
    if (page.textWidth(lines.name) > IssuerNameLimit) {
        page.setFontSize(10);
        page.setFontBold(false);
    }
    w = std::max(w, page.textWidth(lines.name));
    page.setFontSize(10);
    page.setFontBold(false);
    for (const std::string* line : {&lines.address, &lines.townMeasured, &lines.taxCode, &lines.vatNumber})
        w = std::max(w, page.textWidth(*line));
    return w;
}

InvoiceSheet invoiceSheet(const archive::AppState& state)
{
    InvoiceSheet sheet {.issuer = state.currentIssuerRecord,
                        .type = state.invoiceType,
                        .decimalSeparator = state.decimalSeparator,
                        .terms = state.issuerTerms,
                        .euroRate = state.euroRate,
                        .currencyFlag = state.newInvoiceFlag(),
                        .notice = state.onNotices()};
    sheet.terms.amounts = state.figureTerms();
    return sheet;
}

archive::InvoiceForm printedForm(const archive::InvoiceForm& form, const InvoiceSheet& sheet)
{
    archive::InvoiceForm printed = form;
    if (printed.buffer.rate == 0.0f)
        printed.buffer.rate = static_cast<float>(sheet.euroRate);
    if (archive::currencyFlagOf(printed.buffer) == 0)
        printed.buffer.currency = std::string(1, sheet.currencyFlag);
    return printed;
}

double invoiceRate(const archive::InvoiceForm& form)
{
    return static_cast<double>(form.buffer.rate);
}

void layoutHeader(Page& page, const archive::InvoiceForm& form, const archive::PartyRecord& issuer, bool notice)
{
    page.setFontName(Typeface);
    page.setFontSize(8);
    page.printLine(""); // opens the document
    page.setFontUnderline(false);
    page.setFontItalic(false);
    const double pageWidth = page.scaleWidth();

    const IssuerLines lines = issuerLines(issuer);
    const double w = measureIssuerWidth(page, lines);
    issuerBlock(page, lines, w);
    const double x0 = titleBlock(page, form, w, notice);
    tickBoxes(page, form, x0);
    topFrames(page, w);
    if (form.creditNote.isCreditNote)
        cancelledInvoiceLine(page, form.creditNote);
    clientBlock(page, form.client, pageWidth);
}

void layoutInvoice(Page& page, const archive::InvoiceForm& form, const InvoiceSheet& sheet)
{
    const archive::InvoiceForm printed = printedForm(form, sheet);
    layoutHeader(page, printed, sheet.issuer, sheet.notice);
    if (sheet.type == archive::InvoiceType::Professional)
        layoutServiceBody(page, printed, sheet.decimalSeparator, sheet.terms, sheet.notice);
    else
        layoutCommercialBody(page, printed, sheet.decimalSeparator, sheet.terms, sheet.notice);
}

} // namespace tessaro::print
