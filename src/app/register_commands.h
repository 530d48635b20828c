// "Registro fatture dell'anno": the window beside the main one that lists
// every stored invoice of the book on screen, follows the book as the main
// window changes it, opens an invoice in the main window as the arrows do,
// and hands the register over as a CSV file, on paper or as a PDF.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/io_result.h"
#include "print/document.h"
#include "ui/command.h"
#include "ui/dialogs.h"
#include "ui/register_model.h"
#include "ui/register_window.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>

namespace tessaro::app {

struct CommandContext;

inline constexpr const char* RegisterCsvTitle = "Esporta CSV";
inline constexpr const char* RegisterPdfTitle = "Salva registro in PDF";
inline constexpr const char* CsvFilter = "CSV (*.csv)";

// The register of the book on screen: its rows and what became of each
// electronic invoice; today decides what is overdue. Reading creates no file.
archive::Result<ui::RegisterContents> readRegister(const archive::InvoiceForm& form, const archive::AppState& state,
                                                   calc::Date today);

// "registro-<issuer>-<year>.csv" / ".pdf" in the data directory.
std::string registerFilePath(const archive::AppState& state, const std::string& year, const std::string& extension);
// The same for any report of a year: "<stem>-<issuer>-<year>.<extension>".
std::string reportFilePath(const archive::AppState& state, const std::string& stem, const std::string& year,
                           const std::string& extension);
// The chosen name with ".csv" added when it has no such ending.
std::string withCsvSuffix(const std::string& path);

// "Esporta CSV...": asks where, writes the file whole or not at all.
void exportRegisterCsv(const ui::RegisterContents& contents, const archive::AppState& state, ui::Dialogs& dialogs);
// "Stampa registro": the printed register through the sink (the default
// printer, or a PDF in the data directory when there is none).
void printRegister(const ui::RegisterContents& contents, const archive::AppState& state, ui::Dialogs& dialogs,
                   const print::DocumentSink& sink);
// "Salva registro in PDF": asks where, writes the same pages as a PDF.
void saveRegisterPdf(const ui::RegisterContents& contents, const archive::AppState& state, ui::Dialogs& dialogs);

// The register's ways of handing a table over, for the other tables of the
// year too. askCsvPath: the save dialog on proposedPath, ".csv" added, an
// existing file replaced only when the user says so; empty when cancelled.
std::string askCsvPath(ui::Dialogs& dialogs, const std::string& proposedPath);
// The text written whole or not at all; a failure is told naming the file.
bool writeCsvFile(const archive::AppState& state, ui::Dialogs& dialogs, const std::string& path,
                  const std::string& text);

// A document on the register's sheet, as its printing and its PDF name it.
struct SheetDocument {
    std::string subject; // "il registro"
    std::string ofSubject; // "del registro"
    std::string year;
    std::string printTitle; // the title of the printing's progress: "Stampa registro"
    std::string pdfTitle; // the title of the save dialog and of its boxes
    std::string proposedPdf; // the file proposed, and the one printed to without a printer
    int rows = 0; // the steps of the progress
    std::function<bool(print::Page&, const std::function<bool(int rowsDone)>&)> layout;
};
void printSheet(const SheetDocument& document, ui::Dialogs& dialogs, const print::DocumentSink& sink);
void saveSheetPdf(const SheetDocument& document, ui::Dialogs& dialogs);

// Whether a command of the main window may change what the register shows:
// the book's invoices, the book itself, the data directory, the issuer, the
// invoice type, the e-invoices written.
bool changesRegister(ui::Command command);

class RegisterController : public QObject {
    Q_OBJECT

public:
    // dialogs: nullptr for the Qt boxes over the register window.
    RegisterController(CommandContext& main, ui::Dialogs* dialogs = nullptr);
    ~RegisterController() override;

    // The menu item: opens the window beside the main one (or brings it to the front) on the current book.
    void open();
    // The book on screen may have changed: the open window reads it again.
    void refresh();
    // The main window closes, and the register with it.
    void close();

    ui::RegisterWindow* window() const { return m_window; }
    const ui::RegisterContents& contents() const { return m_contents; }
    // Where "Stampa registro" sends its pages (the default printer unless told otherwise).
    void setPrintSink(print::DocumentSink sink) { m_printSink = std::move(sink); }

private:
    ui::Dialogs& dialogs();
    void openInvoice(int number);

    CommandContext& m_main;
    ui::Dialogs* m_givenDialogs;
    std::unique_ptr<ui::Dialogs> m_ownDialogs;
    QPointer<ui::RegisterWindow> m_window;
    ui::RegisterContents m_contents;
    int m_issuer = 0; // the book the window shows
    print::DocumentSink m_printSink;
};

} // namespace tessaro::app
