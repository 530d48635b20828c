#include "app/register_commands.h"

#include "app/command_context.h"
#include "app/invoice_commands.h"
#include "app/pdf_commands.h"
#include "app/print_commands.h"
#include "archive/book.h"
#include "archive/box_titles.h"
#include "archive/lifecycle.h"
#include "archive/notices.h"
#include "archive/register_csv.h"
#include "archive/sdi_history.h"
#include "archive/whole_file.h"
#include "print/invoice_page.h"
#include "print/money_text.h"
#include "print/qt_document.h"
#include "print/register_page.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/register_window.h"

#include <QEvent>
#include <QFileInfo>
#include <QScreen>

#include <algorithm>

namespace tessaro::app {

namespace {

print::RegisterSheet sheetOf(const ui::RegisterContents& contents, const archive::AppState& state)
{
    return {state.currentIssuerRecord, contents.year, state.decimalSeparator, contents.today, contents.notices};
}

SheetDocument registerDocument(const ui::RegisterContents& contents, const archive::AppState& state)
{
    SheetDocument document;
    document.subject = "il registro";
    document.ofSubject = "del registro";
    document.year = contents.year;
    document.printTitle = "Stampa registro";
    document.pdfTitle = RegisterPdfTitle;
    document.proposedPdf = registerFilePath(state, contents.year, "pdf");
    document.rows = contents.reg->size();
    document.layout = [&contents, &state](print::Page& page, const std::function<bool(int)>& step) {
        return print::layoutRegister(page, *contents.reg, contents.sdiStatuses, sheetOf(contents, state), step);
    };
    return document;
}

// The document laid out on a page, told to the progress page by page.
struct SheetDrawing {
    const SheetDocument& document;
    ui::Progress& progress;
    bool cancelled = false;

    void operator()(print::Page& page)
    {
        cancelled = !document.layout(page, [this](int rows) { return progress.step(rows); });
    }
};

// The register of a book of fee notices: in the electronic invoice's column,
// the invoice each notice became.
archive::Result<ui::RegisterContents> noticeRegister(archive::BookRegister reg, const archive::BookPaths& book,
                                                     const std::string& year, const archive::AppState& state,
                                                     calc::Date today)
{
    auto marks = archive::readNoticesInvoiced(book, reg.size());
    if (!marks)
        return marks.error();
    ui::RegisterContents contents;
    contents.notices = true;
    for (const archive::NoticeInvoiced& mark : marks.value()) {
        contents.sdiStatuses.push_back({archive::SdiState::NotExported, archive::invoicedText(mark)});
        contents.invoiced.push_back(static_cast<char>(mark.invoiced()));
    }
    contents.reg = std::make_shared<const archive::BookRegister>(std::move(reg));
    contents.year = year;
    contents.decimalSeparator = state.decimalSeparator;
    contents.today = today;
    return contents;
}

} // namespace

archive::Result<ui::RegisterContents> readRegister(const archive::InvoiceForm& form, const archive::AppState& state,
                                                   calc::Date today)
{
    auto reg = archive::BookRegister::read(archive::currentBook(form, state), state.invoiceType, state.nextNumber,
                                           state.figureTerms(), form.year);
    if (!reg)
        return reg.error();
    if (state.onNotices())
        return noticeRegister(std::move(reg.value()), archive::currentBook(form, state), form.year, state, today);
    // A history that cannot be read refuses the register as the book would:
    // a column of guesses could hide a rejection.
    auto statuses = archive::readSdiStatuses(archive::currentSdiBook(form, state), reg.value().size());
    if (!statuses)
        return statuses.error();
    ui::RegisterContents contents;
    contents.sdiStatuses = std::move(statuses.value());
    contents.reg = std::make_shared<const archive::BookRegister>(std::move(reg.value()));
    contents.year = form.year;
    contents.decimalSeparator = state.decimalSeparator;
    contents.today = today;
    return contents;
}

std::string reportFilePath(const archive::AppState& state, const std::string& stem, const std::string& year,
                           const std::string& extension)
{
    std::string safeYear = year;
    std::replace_if(
        safeYear.begin(), safeYear.end(), [](char c) { return c < '0' || c > '9'; }, '_');
    return archive::dataFile(state.dataDir,
                             stem + "-" + std::to_string(state.currentIssuer) + "-" + safeYear + "." + extension);
}

std::string registerFilePath(const archive::AppState& state, const std::string& year, const std::string& extension)
{
    return reportFilePath(state, state.onNotices() ? "registro-avvisi" : "registro", year, extension);
}

std::string withCsvSuffix(const std::string& path)
{
    if (QFileInfo(QString::fromStdString(path)).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
        return path;
    return path + ".csv";
}

std::string askCsvPath(ui::Dialogs& dialogs, const std::string& proposedPath)
{
    const std::string chosen = dialogs.saveFileName(RegisterCsvTitle, proposedPath, CsvFilter);
    if (chosen.empty())
        return {};
    const std::string path = withCsvSuffix(chosen);
    return mayReplace(path, dialogs) ? path : std::string();
}

bool writeCsvFile(const archive::AppState& state, ui::Dialogs& dialogs, const std::string& path,
                  const std::string& text)
{
    // Written beside the name and put in its place only once on the disk.
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (archive::writeWholeFile(state.dataDir.fs(), path, bytes).ok())
        return true;
    dialogs.message("Impossibile scrivere il file\n" + absolutePath(path), archive::AttentionTitle);
    return false;
}

void exportRegisterCsv(const ui::RegisterContents& contents, const archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string path = askCsvPath(dialogs, registerFilePath(state, contents.year, "csv"));
    if (path.empty())
        return;

    ui::BusyPointer busy(dialogs);
    const auto progress = dialogs.startProgress(
        RegisterCsvTitle, "Esportazione del registro dell'anno " + contents.year + "...", contents.reg->size());
    const auto text = archive::registerCsv(
        *contents.reg, contents.sdiStatuses, contents.year, contents.today,
        [&](int done) { return progress->step(done); }, contents.notices);
    const bool cancelled = !text || progress->cancelled();
    progress->finish();
    busy.release();
    if (!text) {
        dialogs.message("Esportazione del registro interrotta: nessun file è stato scritto.", RegisterCsvTitle);
        return;
    }
    if (cancelled) {
        dialogs.message("Impossibile scrivere il file\n" + absolutePath(path), archive::AttentionTitle);
        return;
    }
    if (!writeCsvFile(state, dialogs, path, *text))
        return;
    const int count = contents.reg->size();
    const std::string invoices = count == 1 ? "1 fattura" : std::to_string(count) + " fatture";
    dialogs.message("Il registro dell'anno " + contents.year + " (" + invoices + ") è stato esportato nel file\n"
                        + absolutePath(path),
                    archive::DoneTitle);
}

void printSheet(const SheetDocument& document, ui::Dialogs& dialogs, const print::DocumentSink& sink)
{
    ui::BusyPointer busy(dialogs);
    const auto progress = dialogs.startProgress(
        document.printTitle, "Stampa " + document.ofSubject + " dell'anno " + document.year + "...", document.rows);
    SheetDrawing drawing {document, *progress};
    const print::DocumentOutcome outcome = sink(document.proposedPdf, [&](print::Page& page) { drawing(page); });
    progress->finish();
    busy.release();
    if (drawing.cancelled || outcome.kind == print::DocumentOutcome::Kind::Cancelled) {
        dialogs.message("Stampa " + document.ofSubject + " interrotta: non è stato stampato né salvato nulla.",
                        archive::PrintTitle);
        return;
    }
    if (outcome.kind == print::DocumentOutcome::Kind::SavedAsPdf) {
        dialogs.message("Nessuna stampante predefinita: " + document.subject + " è stato salvato nel file PDF\n"
                            + absolutePath(outcome.path),
                        archive::PrintTitle);
        return;
    }
    reportDocument(outcome, dialogs, true);
}

void saveSheetPdf(const SheetDocument& document, ui::Dialogs& dialogs)
{
    const std::string chosen = dialogs.saveFileName(document.pdfTitle, document.proposedPdf, PdfFilter);
    if (chosen.empty())
        return;
    const std::string path = withPdfSuffix(chosen);
    if (!mayReplace(path, dialogs))
        return;
    ui::BusyPointer busy(dialogs);
    const auto progress = dialogs.startProgress(
        document.pdfTitle, "Salvataggio " + document.ofSubject + " dell'anno " + document.year + "...", document.rows);
    SheetDrawing drawing {document, *progress};
    const print::DocumentOutcome outcome = print::writePdf(path, [&](print::Page& page) { drawing(page); });
    progress->finish();
    busy.release();
    if (drawing.cancelled || outcome.kind == print::DocumentOutcome::Kind::Cancelled) {
        dialogs.message("Salvataggio " + document.ofSubject + " interrotto: nessun file è stato scritto.",
                        document.pdfTitle);
        return;
    }
    if (outcome.kind == print::DocumentOutcome::Kind::SavedAsPdf) {
        std::string subject = document.subject;
        subject[0] = static_cast<char>(subject[0] - 'a' + 'A');
        dialogs.message(subject + " è stato salvato nel file PDF\n" + absolutePath(outcome.path), archive::DoneTitle);
        return;
    }
    reportDocument(outcome, dialogs, true);
}

void printRegister(const ui::RegisterContents& contents, const archive::AppState& state, ui::Dialogs& dialogs,
                   const print::DocumentSink& sink)
{
    printSheet(registerDocument(contents, state), dialogs, sink);
}

void saveRegisterPdf(const ui::RegisterContents& contents, const archive::AppState& state, ui::Dialogs& dialogs)
{
    saveSheetPdf(registerDocument(contents, state), dialogs);
}

bool changesRegister(ui::Command command)
{
    // A command left off this list would leave the register showing a book
    // that is gone: every command not known to leave the book alone counts.
    using C = ui::Command;
    switch (command) {
    case C::PrintInvoice:
    case C::PrintYear:
    case C::SavePdf:
    case C::TotalAll:
    case C::TotalSome:
    case C::TotalVat:
    case C::Information:
    case C::Manual:
    case C::Products:
    case C::Calculate:
    case C::LoadClients:
    case C::ExtraLines:
    case C::Register:
    case C::Backup:
    case C::ReverseProfessional:
    case C::ReverseCommercial:
    case C::FlatRate: // writes only the issuer's income settings
        return false;
    default:
        return true;
    }
}

RegisterController::RegisterController(CommandContext& main, ui::Dialogs* dialogs)
    : m_main(main), m_givenDialogs(dialogs), m_printSink(print::printOnDefaultPrinter)
{
}

RegisterController::~RegisterController()
{
    delete m_window;
}

ui::Dialogs& RegisterController::dialogs()
{
    if (m_givenDialogs)
        return *m_givenDialogs;
    if (!m_ownDialogs)
        m_ownDialogs = std::make_unique<ui::QtDialogs>(m_window);
    return *m_ownDialogs;
}

void RegisterController::open()
{
    if (!m_window) {
        // A window of its own rather than one over the main window, so that
        // an invoice opened from it can come to the front; it closes with the
        // main window, which ends the program.
        m_window = new ui::RegisterWindow;
        const QRect screen = m_main.window.screen()->availableGeometry();
        const QPoint beside = m_main.window.frameGeometry().topLeft() + QPoint(40, 60);
        if (screen.contains(QRect(beside, m_window->frameSize())))
            m_window->move(beside);
        connect(m_window, &ui::RegisterWindow::openRequested, this, &RegisterController::openInvoice);
        connect(m_window, &ui::RegisterWindow::exportCsvClicked, this,
                [this] { exportRegisterCsv(m_contents, m_main.state, dialogs()); });
        connect(m_window, &ui::RegisterWindow::printClicked, this,
                [this] { printRegister(m_contents, m_main.state, dialogs(), m_printSink); });
        connect(m_window, &ui::RegisterWindow::pdfClicked, this,
                [this] { saveRegisterPdf(m_contents, m_main.state, dialogs()); });
    }
    m_window->show();
    refresh();
    m_window->raise();
    m_window->activateWindow();
}

void RegisterController::close()
{
    if (m_window)
        m_window->close();
}

void RegisterController::refresh()
{
    if (!m_window || !m_window->isVisible())
        return;
    // The form is the window's as the last command left it; the year field
    // runs the year switch at every change, so its year is the window's.
    const archive::InvoiceForm& form = m_main.form;
    const archive::AppState& state = m_main.state;
    // While the year field names no book the main window still shows the last one, and so does the register.
    if (!archive::isBookYear(form.year))
        return;
    auto contents = readRegister(form, state, m_main.clock.today());
    if (!contents) {
        m_contents = {};
        m_window->showProblem("Non è stato possibile leggere le fatture: " + contents.error().describe());
        return;
    }
    m_contents = std::move(contents.value());
    m_issuer = state.currentIssuer;
    m_window->setContents(m_contents, print::trimBlanks(print::issuerLines(state.currentIssuerRecord).name));
}

void RegisterController::openInvoice(int number)
{
    // Only an invoice of the book the main window shows can be loaded into it.
    if (m_main.form.year != m_contents.year || m_main.state.currentIssuer != m_issuer
        || number >= m_main.state.nextNumber) {
        refresh();
        dialogs().message("Il registro è stato aggiornato all'anno della finestra principale: scegliere di nuovo la "
                          "fattura.",
                          archive::AttentionTitle);
        return;
    }
    m_main.perform([&] {
        m_main.form.focusField.clear();
        if (mayLeaveInvoice(m_main.form, m_main.state, m_main.dialogs, m_main.clock))
            showInvoice(m_main.form, m_main.state, m_main.dialogs, number);
    });
    // A save of the invoice on screen may have added a row.
    refresh();
    m_main.window.raise();
    m_main.window.activateWindow();
}

} // namespace tessaro::app
