#include "app/withholding_commands.h"

#include "app/invoice_commands.h"
#include "app/print_commands.h"
#include "app/register_commands.h"
#include "archive/book.h"
#include "archive/box_titles.h"
#include "archive/register_csv.h"
#include "archive/register_texts.h"
#include "archive/withholdings.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/text.h"
#include "print/qt_document.h"
#include "print/report_page.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::app {

namespace {

using archive::AttentionTitle;
using Action = ui::WithholdingsRequest::Action;
using Column = ui::WithholdingColumn;

constexpr const char* Title = "Ritenute subite per cliente";
// Amounts beyond this do not fit the fields of a certificate.
constexpr double LargestFigure = 999'999'999.99;

struct Shown {
    archive::WithholdingReckoning reckoning;
    std::string problem; // why nothing could be reckoned
};

Shown reckon(const archive::AppState& state, int year)
{
    Shown shown;
    shown.reckoning.year = year;
    auto receipts = archive::readYearReceipts(state.dataDir, state.currentIssuer, year, state.invoiceType,
                                              state.issuerTerms.amounts);
    if (!receipts) {
        shown.problem = receipts.error().describe();
        return shown;
    }
    auto typed = archive::readCertificates(state.dataDir, state.currentIssuer, year);
    if (!typed) {
        // The reckoning stands without the certificates; the user is told why they are missing.
        shown.problem = "Certificazioni non lette: " + typed.error().describe();
        shown.reckoning = archive::withholdingsByClient(receipts.value(), {});
        return shown;
    }
    shown.reckoning = archive::withholdingsByClient(receipts.value(), typed.value());
    return shown;
}

std::string identifierOf(const archive::ClientWithholding& client)
{
    if (!client.taxCode.empty() && !client.vatNumber.empty() && client.taxCode != client.vatNumber)
        return client.taxCode + " / " + client.vatNumber;
    return !client.taxCode.empty() ? client.taxCode : client.vatNumber;
}

// One row of cells, the same on screen, on paper and in the file; the
// certificate's cells and the differences are empty where none is typed.
std::vector<std::string> cellsOf(const archive::ClientWithholding& client, const archive::AmountStyle& style)
{
    std::vector<std::string> cells(ui::WithholdingColumnCount);
    const auto put
        = [&](Column column, std::string text) { cells[static_cast<std::size_t>(column)] = std::move(text); };
    put(Column::Client, client.client);
    put(Column::Identifier, identifierOf(client));
    put(Column::Gross, archive::amountText(client.gross, style));
    put(Column::Withholding, archive::amountText(client.withholding, style));
    put(Column::Net, archive::amountText(client.net(), style));
    put(Column::Invoices, std::to_string(client.invoices));
    if (client.certificate) {
        put(Column::CertifiedGross, archive::amountText(client.certificate->gross, style));
        put(Column::CertifiedWithholding, archive::amountText(client.certificate->withholding, style));
        put(Column::GrossDifference, archive::amountText(client.gross - client.certificate->gross, style));
        put(Column::WithholdingDifference,
            archive::amountText(client.withholding - client.certificate->withholding, style));
    }
    return cells;
}

// The sums: the differences of the clients whose certificate is typed.
std::vector<std::string> totalsOf(const archive::WithholdingReckoning& reckoning, const archive::AmountStyle& style)
{
    archive::ClientWithholding sum;
    sum.client = "Totale";
    sum.gross = reckoning.gross();
    sum.withholding = reckoning.withholding();
    sum.invoices = reckoning.invoices();
    std::vector<std::string> cells = cellsOf(sum, style);
    bool anyCertificate = false;
    double grossDifference = 0;
    double withholdingDifference = 0;
    for (const archive::ClientWithholding& client : reckoning.clients) {
        if (client.certificate) {
            anyCertificate = true;
            grossDifference += client.gross - client.certificate->gross;
            withholdingDifference += client.withholding - client.certificate->withholding;
        }
    }
    if (anyCertificate) {
        const archive::Certificate certified = reckoning.certified();
        cells[static_cast<std::size_t>(Column::CertifiedGross)] = archive::amountText(certified.gross, style);
        cells[static_cast<std::size_t>(Column::CertifiedWithholding)]
            = archive::amountText(certified.withholding, style);
        cells[static_cast<std::size_t>(Column::GrossDifference)] = archive::amountText(grossDifference, style);
        cells[static_cast<std::size_t>(Column::WithholdingDifference)]
            = archive::amountText(withholdingDifference, style);
    }
    return cells;
}

// The books not read, and what else the figures need said.
std::vector<std::string> notesOf(const Shown& shown)
{
    std::vector<std::string> notes;
    if (!shown.problem.empty())
        notes.push_back(shown.problem);
    for (const archive::UnreadBook& book : shown.reckoning.unread)
        notes.push_back("Anno " + std::to_string(book.year) + ": non letto (" + book.reason + ")");
    if (shown.reckoning.clients.empty() && shown.problem.empty())
        notes.push_back("Nessun cliente ha operato ritenute sui compensi incassati nel "
                        + std::to_string(shown.reckoning.year) + ".");
    return notes;
}

archive::AmountStyle screenStyle(const archive::AppState& state)
{
    return {state.decimalSeparator, true, true};
}

ui::WithholdingsView viewOf(const Shown& shown, const archive::AppState& state, int selected)
{
    const archive::AmountStyle style = screenStyle(state);
    ui::WithholdingsView view;
    view.year = std::to_string(shown.reckoning.year);
    for (const archive::ClientWithholding& client : shown.reckoning.clients) {
        ui::WithholdingRowView row;
        const std::vector<std::string> cells = cellsOf(client, style);
        std::copy(cells.begin(), cells.end(), row.cells.begin());
        if (client.certificate) {
            row.certifiedGross = archive::amountText(client.certificate->gross, style);
            row.certifiedWithholding = archive::amountText(client.certificate->withholding, style);
        }
        view.rows.push_back(std::move(row));
    }
    if (!view.rows.empty()) {
        const std::vector<std::string> totals = totalsOf(shown.reckoning, style);
        std::copy(totals.begin(), totals.end(), view.totals.begin());
    }
    for (const std::string& note : notesOf(shown))
        view.notes += (view.notes.empty() ? "" : "\n") + note;
    if (selected >= 0 && selected < static_cast<int>(view.rows.size())) {
        view.selected = selected;
        view.gross = view.rows[static_cast<std::size_t>(selected)].certifiedGross;
        view.withholding = view.rows[static_cast<std::size_t>(selected)].certifiedWithholding;
    }
    return view;
}

bool refuse(ui::Dialogs& dialogs, const std::string& text)
{
    dialogs.message(text, AttentionTitle, ui::Buttons::Ok);
    return false;
}

std::optional<int> typedYear(std::string_view text)
{
    text = calc::trimBlanks(text);
    if (!calc::isFourDigitYear(text))
        return std::nullopt;
    return std::stoi(std::string(text));
}

// A figure of the certificate as typed: an amount of euro, not below 0.
std::optional<double> typedFigure(ui::Dialogs& dialogs, const std::string& text, const char* field)
{
    const std::string named = std::string("Il campo \"") + field + "\"";
    const auto value = calc::typedAmount(text);
    if (!value) {
        refuse(dialogs, named + " deve contenere un importo in euro, ad esempio 1.000,00.");
        return std::nullopt;
    }
    if (*value < 0) {
        refuse(dialogs, named + " non può contenere un importo negativo.");
        return std::nullopt;
    }
    if (*value > LargestFigure) {
        refuse(dialogs, named + " contiene un importo troppo grande.");
        return std::nullopt;
    }
    return *value;
}

bool recordCertificate(ui::Dialogs& dialogs, const archive::AppState& state, const Shown& shown,
                       const ui::WithholdingsRequest& request)
{
    const auto& clients = shown.reckoning.clients;
    if (request.row < 0 || request.row >= static_cast<int>(clients.size()))
        return refuse(dialogs, "Scegliere nell'elenco il cliente della Certificazione Unica.");
    const archive::ClientWithholding& client = clients[static_cast<std::size_t>(request.row)];
    const bool noGross = calc::trimBlanks(request.gross).empty();
    const bool noWithholding = calc::trimBlanks(request.withholding).empty();
    std::optional<archive::Certificate> figures;
    // Both fields left empty take the certificate away; one alone is a figure forgotten.
    if (!noGross || !noWithholding) {
        const auto gross = typedFigure(dialogs, request.gross, "CU: compensi");
        if (!gross)
            return false;
        const auto withholding = typedFigure(dialogs, request.withholding, "CU: ritenute");
        if (!withholding)
            return false;
        // Kept to the cent, as the file holds it.
        figures = archive::Certificate {static_cast<double>(calc::cents(*gross)) / 100,
                                        static_cast<double>(calc::cents(*withholding)) / 100};
    }
    if (figures == client.certificate)
        return false;
    const std::string year = std::to_string(shown.reckoning.year);
    if (archive::Status stored
        = archive::storeCertificate(state.dataDir, state.currentIssuer, shown.reckoning.year, client.key, figures,
                                    "Registra CU di " + client.client + " del " + year);
        !stored) {
        reportFailure(dialogs, "Non è stato possibile registrare la Certificazione Unica di " + client.client + ".",
                      stored.error());
        return false;
    }
    return true;
}

std::string reportFilePath(const archive::AppState& state, int year, const std::string& extension)
{
    return app::reportFilePath(state, "ritenute", std::to_string(year), extension);
}

void exportCsv(ui::Dialogs& dialogs, const archive::AppState& state, const Shown& shown)
{
    const int year = shown.reckoning.year;
    const std::string path = askCsvPath(dialogs, reportFilePath(state, year, "csv"));
    if (path.empty())
        return;
    std::vector<std::vector<std::string>> lines;
    lines.emplace_back(ui::WithholdingHeadings.begin(), ui::WithholdingHeadings.end());
    for (const archive::ClientWithholding& client : shown.reckoning.clients)
        lines.push_back(cellsOf(client, archive::CsvAmounts));
    lines.push_back(totalsOf(shown.reckoning, archive::CsvAmounts));
    for (const std::string& note : notesOf(shown))
        lines.push_back({note});
    if (!writeCsvFile(state, dialogs, path, archive::csvTable(lines)))
        return;
    const std::size_t count = shown.reckoning.clients.size();
    dialogs.message("Le ritenute del " + std::to_string(year) + " ("
                        + (count == 1 ? std::string("1 cliente") : std::to_string(count) + " clienti")
                        + ") sono state esportate nel file\n" + absolutePath(path),
                    archive::DoneTitle);
}

// The report on the register's sheet. Its columns are narrower than the
// window's, and so are their headings.
print::Report reportOf(const archive::AppState& state, const Shown& shown)
{
    print::Report report;
    report.title = Title;
    report.year = std::to_string(shown.reckoning.year);
    report.issuer = state.currentIssuerRecord;
    report.columns = {
        {"Cliente", 800, false, 1750},  {"C.F. / P. IVA", 2600, false, 1500},
        {"Lordi", 4950, true, 0},       {"Ritenute", 5800, true, 0},
        {"Netto", 6650, true, 0},       {"Fatt.", 7100, true, 0},
        {"CU lordi", 7950, true, 0},    {"CU ritenute", 8800, true, 0},
        {"Diff. lordi", 9650, true, 0}, {"Diff. rit.", 10500, true, 0},
    };
    const archive::AmountStyle style = screenStyle(state);
    for (const archive::ClientWithholding& client : shown.reckoning.clients)
        report.rows.push_back(cellsOf(client, style));
    report.totals = totalsOf(shown.reckoning, style);
    report.closingLines = notesOf(shown);
    report.closingLines.push_back("Differenze: importi delle fatture meno quelli della Certificazione Unica.");
    return report;
}

SheetDocument documentOf(const print::Report& report)
{
    SheetDocument document;
    document.subject = "il prospetto delle ritenute";
    document.ofSubject = "del prospetto delle ritenute";
    document.year = report.year;
    document.printTitle = "Stampa ritenute";
    document.pdfTitle = "Salva ritenute in PDF";
    document.rows = static_cast<int>(report.rows.size());
    document.layout = [&report](print::Page& page, const std::function<bool(int)>& step) {
        return print::layoutReport(page, report, step);
    };
    return document;
}

} // namespace

void showWithholdings(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                      const print::DocumentSink& sink)
{
    form.focusField.clear();
    if (state.currentIssuer < 1) {
        dialogs.message("Inserire prima il nominativo che emette le fatture.", AttentionTitle, ui::Buttons::Ok);
        return;
    }
    Shown shown = reckon(state, clock.currentYear());
    int selected = -1;
    // The figures of a certificate refused stay as typed, to be put right.
    std::optional<ui::WithholdingsRequest> refused;
    for (;;) {
        ui::WithholdingsView view = viewOf(shown, state, selected);
        if (refused) {
            view.gross = refused->gross;
            view.withholding = refused->withholding;
            refused.reset();
        }
        const ui::WithholdingsRequest request = dialogs.showWithholdings(view);
        if (request.action == Action::Close)
            break;
        switch (request.action) {
        case Action::ShowYear:
            if (const auto year = typedYear(request.year)) {
                shown = reckon(state, *year);
                selected = -1;
            } else {
                refuse(dialogs,
                       "Il campo \"Anno\" deve contenere un anno di quattro cifre, ad esempio "
                           + std::to_string(clock.currentYear()) + ".");
            }
            break;
        case Action::RecordCertificate:
            selected = request.row;
            if (recordCertificate(dialogs, state, shown, request))
                shown = reckon(state, shown.reckoning.year);
            else
                refused = request;
            break;
        case Action::ExportCsv:
            exportCsv(dialogs, state, shown);
            break;
        case Action::Print:
        case Action::SavePdf: {
            const print::Report report = reportOf(state, shown);
            SheetDocument document = documentOf(report);
            document.proposedPdf = reportFilePath(state, shown.reckoning.year, "pdf");
            if (request.action == Action::Print)
                printSheet(document, dialogs, sink);
            else
                saveSheetPdf(document, dialogs);
            break;
        }
        case Action::Close:
            break;
        }
    }
}

void showWithholdings(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock)
{
    showWithholdings(form, state, dialogs, clock, print::printOnDefaultPrinter);
}

} // namespace tessaro::app
