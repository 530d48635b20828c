// Times the commands of the main window on the largest book the counter
// allows, through the controller the window uses, and sets each figure
// beside the goal it must meet. Run from scripts/bench.sh.
#include "app/book_commands.h"
#include "app/flat_rate_commands.h"
#include "app/main_controller.h"
#include "app/print_commands.h"
#include "app/register_commands.h"
#include "app/year_receipts_commands.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/register.h"
#include "archive/sdi_history.h"
#include "bench/baselines.h"
#include "bench/fixture.h"
#include "bench/flush_switch.h"
#include "bench/measure.h"
#include "bench/report.h"
#include "bench/startup.h"
#include "calc/forward.h"
#include "print/qt_document.h"
#include "ui/main_window.h"
#include "ui/register_window.h"
#include "ui/scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

using namespace tessaro;
using namespace tessaro::bench;

namespace {

constexpr double FrameMs = 16.0;

// The main window of one run, driven as a user would: fields typed, buttons
// clicked, menu items triggered; every question answered by the script.
class Session {
public:
    Session(const std::string& dir) : m_clock(FullBookYear), m_controller(dir, m_clock, &m_dialogs, m_fs) { }

    // Off: the commands no longer wait for the disk, to show what that costs.
    void setFlushes(bool on) { m_fs.flushes = on; }

    bool start()
    {
        if (!m_controller.start())
            return false;
        m_controller.window().show();
        QCoreApplication::processEvents();
        return true;
    }

    void type(const char* field, const std::string& text)
    {
        m_controller.window().findChild<QLineEdit*>(QLatin1String(field))->setText(QString::fromStdString(text));
    }
    void click(const char* button) { m_controller.window().findChild<QPushButton*>(QLatin1String(button))->click(); }
    void trigger(const char* item) { m_controller.action(QLatin1String(item))->trigger(); }

    // What a user types into a new invoice, put on the window as a command would.
    void fillInvoice()
    {
        m_controller.perform([this] {
            archive::InvoiceForm& form = m_controller.form();
            form.client.surname = "Verdi";
            form.client.firstName = "Giuseppe";
            form.client.vatNumber = "01234567890";
            form.description[0] = "Consulenza tecnica";
            form.amount = {"1200", "300", "45.50"};
        });
    }

    app::MainController& controller() { return m_controller; }
    ui::ScriptedDialogs& dialogs() { return m_dialogs; }
    int nextNumber() { return m_controller.state().nextNumber; }
    std::string lastMessage() const
    {
        return m_dialogs.shown().empty() ? std::string() : m_dialogs.last().title + ": " + m_dialogs.last().text;
    }

private:
    app::FixedClock m_clock;
    ui::ScriptedDialogs m_dialogs;
    FlushSwitch m_fs;
    app::MainController m_controller;
};

// A figure is only worth printing when the command did its work.
void expect(bool holds, const char* what)
{
    if (!holds)
        std::fprintf(stderr, "warning: %s\n", what);
}

print::DocumentSink pdfInto(const std::string& path)
{
    return [path](const std::string&, const print::DrawDocument& draw) { return print::writePdf(path, draw); };
}

calc::InvoiceTexts forwardInput()
{
    calc::InvoiceTexts in;
    in.quantity = {"2", "", "3"};
    in.price = {"1200,50", "300", "45,5"};
    in.extraPrice = {"10", "20", "", "5,25", "", "", "7"};
    in.extraQuantity = {"1", "2", "", "4", "", "", "1"};
    in.vat = "22";
    in.pension = "4";
    in.withholding = "20";
    in.expenses = "12,3";
    in.type = calc::InvoiceType::Commercial;
    return in;
}

// The register window of the session, open on the book of the main window.
ui::RegisterWindow& openRegister(Session& session)
{
    session.trigger("mnufregistro");
    QCoreApplication::processEvents();
    return *session.controller().registerWindow().window();
}

// What came in: one payment recorded, the register with every row's
// settlement, and the list narrowed to the overdue invoices.
void paymentFigures(Report& report, Session& session, ui::RegisterWindow& window, const std::string& dir, int runs)
{
    const archive::BookPaths book = fullBook(dir);
    archive::InvoicePayments payment;
    payment.method = "MP05";
    payment.term = "30";
    payment.payments.push_back({{FullBookYear, 3, 1}, "250.00", "MP05", "Bonifico", ""});
    bool stored = true;
    report.addAgainst(
        "Registering one payment (invoice 16001), flushed",
        measure(runs, {},
                [&] { stored = archive::storePayments(book, 16001, payment, "Registra incasso").ok() && stored; }),
        FrameMs, "<= 16 ms");
    expect(stored, "the payment was not stored");

    app::MainController& controller = session.controller();
    const calc::Date today = controller.clock().today();
    int overdue = 0;
    report.addAgainst("Register with the payments read, every row settled",
                      measure(runs, {},
                              [&] {
                                  const auto reg = archive::BookRegister::read(
                                      book, controller.state().invoiceType, controller.state().nextNumber,
                                      controller.state().issuerTerms.amounts, std::to_string(FullBookYear));
                                  overdue = 0;
                                  for (int i = 0; reg && i < reg.value().size(); ++i)
                                      overdue += reg.value().paymentState(i, today) == calc::PaymentState::Overdue;
                              }),
                      200, "<= 200 ms");
    expect(overdue > 5000, "too few invoices overdue");

    auto* shown = window.findChild<QComboBox*>(QStringLiteral("cmbincassi"));
    const int overdueChoice = shown->findText(QStringLiteral("Scadute"));
    report.addAgainst("\"Mostra: Scadute\" on the full register",
                      measure(
                          runs, [&] { shown->setCurrentIndex(0); },
                          [&] {
                              shown->setCurrentIndex(overdueChoice);
                              window.table()->viewport()->repaint();
                          }),
                      50, "<= 50 ms");
    expect(window.table()->model()->rowCount() == overdue, "the overdue invoices are not those shown");
    shown->setCurrentIndex(0);
}

// "Incassi dell'anno" over ten full books, every other invoice paid in the
// year: the books read and divided, and every row's texts made for the window.
void receiptsFigures(Report& report, const std::string& dir, int runs)
{
    expect(writeReceiptsBooks(dir), "the books of the year's payments were not written");
    std::size_t rows = 0;
    report.addAgainst(
        "\"Incassi dell'anno\" over ten full books, read and shown",
        measure(runs, {},
                [&] {
                    const auto receipts = archive::readYearReceipts(archive::DataDir(dir), ReceiptsIssuer, FullBookYear,
                                                                    archive::InvoiceType::Commercial);
                    if (receipts)
                        rows = app::yearReceiptsView(
                                   std::make_shared<const archive::YearReceipts>(std::move(receipts.value())), ',')
                                   .shown.size();
                }),
        300, "<= 300 ms");
    expect(rows > 10 * archive::MaxInvoiceNumber / 2, "the payments of the ten books were not all read");

    // What the flat-rate window reckons when it opens or changes year: the
    // settings, every payment of the year from every book, the estimate:
    // issuer 2, whose ten books hold the year's payments, in the regime.
    archive::AppState flatRate;
    flatRate.dataDir = archive::DataDir(dir);
    flatRate.currentIssuer = ReceiptsIssuer;
    flatRate.issuerTerms.fiscalRegime = "RF19";
    double fees = 0;
    report.addAgainst("Flat-rate summary of the year (every book read, estimate)",
                      measure(runs, {},
                              [&] {
                                  const auto summary = app::flatRateSummary(flatRate, FullBookYear);
                                  fees = summary ? summary.value().fees : 0;
                              }),
                      100, "<= 100 ms");
    expect(fees > 0, "the flat-rate summary found no fees");
}

// Every invoice of the full book exported, each file waiting for its
// receipt: the register reads each invoice's history and tells a changed
// invoice from its file. The book goes back to having no history afterwards.
void sdiFigures(Report& report, Session& session, const std::string& dataDir, int runs)
{
    const archive::BookPaths book = fullBook(dataDir);
    archive::SdiHistory history;
    // Waiting for its receipt, the dearest state: it asks whether the invoice changed since.
    history.exports.push_back(
        {"IT01234567890_00001.xml", "2026-12-01 10:00:00", "0123456789ABCDEF", archive::SdiOutcome::None, "", ""});
    std::vector<std::uint8_t> records(static_cast<std::size_t>(archive::MaxInvoiceNumber) * archive::SdiRecordSize);
    for (int number = 0; number < archive::MaxInvoiceNumber; ++number)
        archive::encodeSdiHistory(
            history,
            std::span<std::uint8_t, archive::SdiRecordSize>(
                records.data() + static_cast<std::size_t>(number) * archive::SdiRecordSize, archive::SdiRecordSize));
    expect(archive::writeRecords(book.fs(), book.einvoices, archive::SdiRecordSize, 1, records).ok(),
           "the .sdi was not written");

    app::RegisterController& reg = session.controller().registerWindow();
    report.addAgainst(
        "\"Registro fatture dell'anno\", every invoice exported",
        measure(
            runs, [&] { reg.window() ? reg.window()->hide() : void(); }, [&] { openRegister(session).repaint(); }),
        200, "<= 200 ms");
    report.add("  the SdI states alone",
               measure(runs, {},
                       [&] {
                           const auto states = archive::readSdiStatuses(
                               archive::currentSdiBook(session.controller().form(), session.controller().state()),
                               archive::MaxInvoiceNumber);
                           expect(states.ok(), "the SdI states were not read");
                       }),
               "what the history costs");
    reg.window()->hide();
    std::error_code removed;
    std::filesystem::remove(book.einvoices, removed);
}

void registerFigures(Report& report, Session& session, const std::string& dataDir, const std::string& scratch, int runs)
{
    app::RegisterController& reg = session.controller().registerWindow();
    // Opened afresh each time: the window is shown, the book read, the rows
    // sorted and the first screenful painted.
    report.addAgainst(
        "\"Registro fatture dell'anno\" opened on the full book",
        measure(
            runs, [&] { reg.window() ? reg.window()->hide() : void(); }, [&] { openRegister(session).repaint(); }),
        200, "<= 200 ms");
    ui::RegisterWindow& window = openRegister(session);
    expect(window.model().rowCount() == archive::MaxInvoiceNumber, "the register does not hold the full book");

    // Scrolling as a wheel does (three rows a frame) and a page at a time:
    // the slowest frame counts.
    QTableView* table = window.table();
    QScrollBar* bar = table->verticalScrollBar();
    std::vector<double> frames;
    for (int frame = 0; frame < 400; ++frame) {
        const double start = nowMs();
        bar->setValue(frame % 4 == 3 ? bar->value() + bar->pageStep() : bar->value() + 3);
        table->viewport()->repaint();
        frames.push_back(nowMs() - start);
    }
    report.addAgainst("Scrolling the register, slowest of 400 frames",
                      Figure {*std::max_element(frames.begin(), frames.end()), -1}, FrameMs, "<= 16 ms");

    // A keystroke in the search field: the filter, the totals shown and the list repainted.
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("txtcerca"));
    const auto keystroke = [&](const char* before, const char* after) {
        return measure(
            runs, [&] { search->setText(QString::fromLatin1(before)); },
            [&] {
                search->setText(QString::fromLatin1(after));
                table->viewport()->repaint();
            });
    };
    report.addAgainst("Search keystroke: first letter (\"r\", every row matches)", keystroke("", "r"), 50, "<= 50 ms");
    report.addAgainst("Search keystroke: \"rossi 12\" to \"rossi 123\"", keystroke("rossi 12", "rossi 123"), 50,
                      "<= 50 ms");
    report.addAgainst("Search keystroke: a word no invoice holds", keystroke("progetto", "progettoz"), 50, "<= 50 ms");
    report.addAgainst("Search keystroke: emptied, every row back", keystroke("rossi 1", ""), 50, "<= 50 ms");
    // Sorted by client, every keystroke sorts the rows it keeps by name.
    const auto byClient = static_cast<int>(archive::RegisterColumn::Client);
    report.add("Sorting the full register by client",
               measure(
                   runs, [&] { table->sortByColumn(0, Qt::AscendingOrder); },
                   [&] {
                       table->sortByColumn(byClient, Qt::AscendingOrder);
                       table->viewport()->repaint();
                   }),
               "reference");
    report.addAgainst("Search keystroke, sorted by client: first letter", keystroke("", "r"), 50, "<= 50 ms");
    table->sortByColumn(0, Qt::AscendingOrder);
    search->clear();
    paymentFigures(report, session, window, dataDir, runs);
    receiptsFigures(report, dataDir, runs);

    const std::string csv = scratch + "/registro.csv";
    report.addAgainst(
        "Esporta CSV... of the full book",
        measure(
            runs, [&] { session.dialogs().queueSaveFileName(csv); },
            [&] { app::exportRegisterCsv(reg.contents(), session.controller().state(), session.dialogs()); }),
        1000, "<= 1 s");
    std::error_code noSize;
    expect(std::filesystem::file_size(csv, noSize) > 1000000, "the CSV was not written");
    window.hide();
    sdiFigures(report, session, dataDir, runs);
}

void startupFigures(Report& report, const std::string& self, const std::string& dir, int runs)
{
    std::vector<double> program, bare;
    std::vector<double> programPeak, barePeak;
    for (int run = 0; run < runs; ++run) {
        const ChildRun p = runChild(self, {"--startup-child", dir});
        const ChildRun b = runChild(self, {"--bare-child"});
        if (!p.ok || !b.ok) {
            std::fprintf(stderr, "a start-up child failed\n");
            continue;
        }
        program.push_back(p.shownMs);
        bare.push_back(b.shownMs);
        programPeak.push_back(static_cast<double>(p.peakKiB));
        barePeak.push_back(static_cast<double>(b.peakKiB));
    }
    const Figure bareFigure {median(bare), static_cast<long>(median(barePeak))};
    const Figure programFigure {median(program), static_cast<long>(median(programPeak))};
    report.add("Bare QMainWindow with a menu bar, shown", bareFigure, "reference");
    report.addAgainst("Start-up to the shown main window (full book)", programFigure, 1.5 * bareFigure.medianMs,
                      "<= 1.5 x bare");
    report.memoryGoal("Start-up peak memory (VmHWM)", programFigure.peakKiB, 2 * bareFigure.peakKiB);
}

int runBenchmark(int argc, char* argv[])
{
    const std::string self = argv[0];
    const int runs = argc > 1 && std::strcmp(argv[1], "--quick") == 0 ? 3 : 0;
    const int few = runs ? runs : 5;
    const int many = runs ? runs : 21;

    TempDir data;
    TempDir scratch;
    const double fixtureStart = nowMs();
    if (!writeDataFolder(data.path())) {
        std::fprintf(stderr, "cannot write the data folder in %s\n", data.path().c_str());
        return 1;
    }
    std::printf("Data folder: %d invoices in %d (both files %.1f MiB), %d in %d; written in %.0f ms\n",
                archive::MaxInvoiceNumber, FullBookYear, bookMiB(fullBook(data.path())), PrintBookInvoices,
                PrintBookYear, nowMs() - fixtureStart);

    Report report;
    startupFigures(report, self, data.path(), runs ? runs : 7);

    QApplication app(argc, argv);
    Session session(data.path());
    if (!session.start()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }

    const std::string full = std::to_string(FullBookYear);
    const std::string other = std::to_string(PrintBookYear);
    report.addAgainst("Year switch onto the full book",
                      measure(
                          many, [&] { session.type("txtanno", other); }, [&] { session.type("txtanno", full); }),
                      FrameMs, "<= 16 ms");

    expect(session.nextNumber() == archive::MaxNextNumber, "the year switch did not load the full book");
    session.type("txtnum", "16000");
    report.addAgainst("\"--->\" (16000 to 16001)",
                      measure(
                          many, [&] { session.type("txtnum", "16000"); }, [&] { session.click("Command7"); }),
                      FrameMs, "<= 16 ms");
    report.addAgainst("\"<---\" (16001 to 16000)",
                      measure(
                          many, [&] { session.type("txtnum", "16001"); }, [&] { session.click("command"); }),
                      FrameMs, "<= 16 ms");
    expect(archive::invoiceNumber(session.controller().form().number) == 16000,
           ("\"<---\" did not load 16000: " + session.lastMessage()).c_str());
    report.addAgainst("\"Salva\" of an existing invoice", measure(many, {}, [&] { session.click("Command5"); }),
                      FrameMs, "<= 16 ms");

    // A new invoice can be saved only below the highest number: the last
    // invoice is deleted (untimed) before each save gives it back.
    const auto saveNew = [&] {
        return measure(
            many,
            [&] {
                session.type("txtnum", std::to_string(archive::MaxInvoiceNumber));
                session.trigger("mnuecanc");
                session.fillInvoice();
            },
            [&] { session.click("Command5"); });
    };
    report.addAgainst("\"Salva\" of a new invoice (number 32766)", saveNew(), FrameMs, "<= 16 ms");
    session.setFlushes(false);
    report.add("  the same without waiting for the disk", saveNew(), "what the flushes cost");
    session.setFlushes(true);
    expect(session.nextNumber() == archive::MaxNextNumber, "\"Salva\" did not store the new invoice");
    report.addAgainst("\"Calcola\"", measure(many, {}, [&] { session.click("Command1"); }), FrameMs, "<= 16 ms");
    const calc::InvoiceTexts input = forwardInput();
    Figure forward = measure(many, {}, [&] {
        for (int k = 0; k < 1000; ++k)
            calc::calculateForward(input);
    });
    forward.medianMs /= 1000;
    forward.peakKiB = -1;
    report.addAgainst("Forward calculation alone", forward, FrameMs, "<= 16 ms");

    const std::string onePdf = scratch.path() + "/one.pdf";
    report.addAgainst("\"Stampa\" of one invoice to PDF",
                      measure(few, {},
                              [&] {
                                  session.controller().perform([&] {
                                      app::printInvoice(session.controller().form(), session.controller().state(),
                                                        session.dialogs(), pdfInto(onePdf));
                                  });
                              }),
                      FrameMs, "<= 16 ms");

    // The totals beside a plain read of the same files, one of each per round.
    session.type("txtnum", "1");
    const auto queueWholeRange = [&] {
        session.dialogs().queueInput("1");
        session.dialogs().queueInput(" " + std::to_string(session.nextNumber()));
    };
    Interleaved totals;
    const auto readBoth = totals.add({}, [&] { readSequentially(fullBook(data.path())); });
    // The book is commercial: its totals read both files and the extra lines.
    const auto totalAll = totals.add([&] { session.trigger("mnutc"); }, [&] { session.trigger("mnufcalctutt"); });
    const auto totalSome = totals.add(queueWholeRange, [&] { session.trigger("mnufcalcalcun"); });
    const auto totalVat = totals.add(queueWholeRange, [&] { session.trigger("mnufcalciva"); });
    // "Per prestazione" reads the .arc alone.
    const auto totalServices = totals.add([&] { session.trigger("mnutp"); }, [&] { session.trigger("mnufcalctutt"); });
    totals.run(many);
    session.trigger("mnutc");
    const double totalsGoal = 2 * totals.figure(readBoth).medianMs;
    report.add("Reading both files of the full book sequentially", totals.figure(readBoth), "reference");
    report.addAgainst("Calcolo impon. di tutte le fatture", totals.figure(totalAll), totalsGoal, "<= 2 x read");
    report.addAgainst("Calcolo impon. di alcune fatture (1 .. N)", totals.figure(totalSome), totalsGoal, "<= 2 x read");
    report.addAgainst("Calcolo IVA fatture specificate (1 .. N)", totals.figure(totalVat), totalsGoal, "<= 2 x read");
    report.addAgainst("Calcolo impon. di tutte le fatture, Per prestazione", totals.figure(totalServices), totalsGoal,
                      "<= 2 x read");

    // Delete at 1 leaves room for the insert at 1 that follows it, so the book
    // stays full; the copy of both files runs beside them.
    // The commands wait for the disk, so they are set against a copy that waits for it too.
    Interleaved shifts;
    const auto copyBoth = shifts.add({}, [&] { copyBook(fullBook(data.path()), scratch.path()); });
    const auto copyFlushed = shifts.add({}, [&] { copyBook(fullBook(data.path()), scratch.path(), true); });
    const auto deletion = shifts.add([&] { session.type("txtnum", "1"); }, [&] { session.trigger("mnuecanc"); });
    const auto insertion = shifts.add([&] { session.type("txtnum", "1"); }, [&] { session.trigger("mnueins"); });
    const auto unflushed = [&](const char* item) {
        return [&session, item] {
            session.setFlushes(false);
            session.trigger(item);
            session.setFlushes(true);
        };
    };
    const auto deletionUnflushed = shifts.add([&] { session.type("txtnum", "1"); }, unflushed("mnuecanc"));
    const auto insertionUnflushed = shifts.add([&] { session.type("txtnum", "1"); }, unflushed("mnueins"));
    shifts.run(few + 2);
    const double shiftGoal = 2 * shifts.figure(copyFlushed).medianMs;
    report.add("Copying the files a renumbering moves", shifts.figure(copyBoth), "reference");
    report.add("Copying the files a renumbering moves, flushed", shifts.figure(copyFlushed), "reference");
    report.addAgainst("\"Cancella fattura\" at number 1", shifts.figure(deletion), shiftGoal, "<= 2 x flushed copy");
    report.addAgainst("\"Inserisci fattura\" at number 1", shifts.figure(insertion), shiftGoal, "<= 2 x flushed copy");
    report.add("  \"Cancella fattura\" without waiting for the disk", shifts.figure(deletionUnflushed),
               "what the flushes cost");
    report.add("  \"Inserisci fattura\" without waiting for the disk", shifts.figure(insertionUnflushed),
               "what the flushes cost");
    if (session.nextNumber() != archive::MaxNextNumber)
        std::fprintf(stderr, "the book did not stay full: N = %d\n", session.nextNumber());

    session.type("txtnum", "1");
    registerFigures(report, session, data.path(), scratch.path(), few);

    session.type("txtanno", other);
    const std::string yearPdf = scratch.path() + "/year.pdf";
    report.addAgainst("Stampa tutte le fatture dell'anno (1000) to PDF",
                      measure(runs ? 1 : 3, {},
                              [&] {
                                  session.controller().perform([&] {
                                      app::printYear(session.controller().form(), session.controller().state(),
                                                     session.dialogs(), pdfInto(yearPdf));
                                  });
                              }),
                      5000, "< 5 s");

    std::error_code noSize;
    expect(std::filesystem::file_size(yearPdf, noSize) > 100000, "the year was not printed to PDF");

    ui::RegisterWindow& yearRegister = openRegister(session);
    const std::string registerPdf = scratch.path() + "/registro.pdf";
    report.addAgainst("Registro of 1000 invoices to PDF",
                      measure(runs ? 1 : 3, {},
                              [&] {
                                  app::printRegister(session.controller().registerWindow().contents(),
                                                     session.controller().state(), session.dialogs(),
                                                     pdfInto(registerPdf));
                              }),
                      2000, "<= 2 s");
    expect(std::filesystem::file_size(registerPdf, noSize) > 50000, "the register was not printed to PDF");
    yearRegister.hide();
    report.print();
    return report.allMet() ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && std::strcmp(argv[1], "--startup-child") == 0)
        return runProgramStartup(argc, argv, argv[2]);
    if (argc > 1 && std::strcmp(argv[1], "--bare-child") == 0)
        return runBareStartup(argc, argv);
    return runBenchmark(argc, argv);
}
