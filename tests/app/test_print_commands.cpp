// "Stampa" and "Stampa tutte le fatture dell'anno" as commands: the busy
// pointer, where the document goes, what the user is told, the PDF names.
#include "app/print_commands.h"
#include "archive/book.h"
#include "print/qt_document.h"
#include "print/recording_page.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tessaro;
using Kind = print::DocumentOutcome::Kind;

namespace {

archive::AppState stateIn(const std::string& dir)
{
    archive::AppState state;
    state.dataDir = archive::DataDir(dir);
    state.currentIssuer = 1;
    state.currentIssuerRecord.surname = "Rossi";
    state.euroRate = 1936.27;
    state.nextNumber = 1;
    return state;
}

archive::InvoiceForm formNumbered(const std::string& number)
{
    archive::InvoiceForm form;
    form.number = number;
    form.year = "2024";
    form.amount = {"100", "", ""};
    return form;
}

// A sink that lays the document out on a recording page and answers with kind.
struct RecordingSink {
    print::RecordingPage page;
    std::string pdfPath;
    Kind kind = Kind::Printed;

    print::DocumentSink sink()
    {
        return [this](const std::string& path, const print::DrawDocument& draw) {
            pdfPath = path;
            draw(page);
            page.endDoc();
            print::DocumentOutcome outcome;
            outcome.kind = kind;
            outcome.printer = "Ufficio";
            return outcome;
        };
    }
};

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT

private slots:
    void printsTheInvoiceOnScreen();
    void noPrinterWritesPdfIntoDataDir();
    void refusedDocumentIsReported();
    void pdfNamesStayInDataDir_data();
    void pdfNamesStayInDataDir();
    void printsTheYear();
    void emptyYearSendsNothing();
    void unreadableBookIsReported();
};

void TestPrintCommands::printsTheInvoiceOnScreen()
{
    test::TestDir dir;
    auto state = stateIn(dir.path());
    auto form = formNumbered(" 7 ");
    RecordingSink sink;
    ui::ScriptedDialogs dialogs;
    app::printInvoice(form, state, dialogs, sink.sink());

    QVERIFY(sink.page.find("FATTURA N.  7 "));
    QVERIFY(sink.page.ended());
    QCOMPARE(dialogs.busyCount(), 1);
    QVERIFY(!dialogs.busy());
    QVERIFY(dialogs.shown().empty());
    // The rate and flag of the buffer were completed in memory for printing.
    QCOMPARE(form.buffer.rate, 1936.27f);
    QCOMPARE(form.buffer.currency, std::string("e"));
    QCOMPARE(sink.pdfPath, archive::dataFile(dir.data(), "fattura-1-2024-7.pdf"));
    QVERIFY(!dir.exists("fattura-1-2024-7.pdf"));
}

void TestPrintCommands::noPrinterWritesPdfIntoDataDir()
{
    test::TestDir dir;
    auto state = stateIn(dir.path());
    auto form = formNumbered("3");
    ui::ScriptedDialogs dialogs;
    app::printInvoice(form, state, dialogs, print::writePdf);

    QVERIFY(dir.exists("fattura-1-2024-3.pdf"));
    QCOMPARE(dialogs.shown().size(), std::size_t(1));
    QCOMPARE(dialogs.last().title, std::string("STAMPA"));
    const std::string fullPath
        = QDir::toNativeSeparators(QDir(QString::fromStdString(dir.path())).absoluteFilePath("fattura-1-2024-3.pdf"))
              .toStdString();
    QVERIFY2(dialogs.last().text.find(fullPath) != std::string::npos, dialogs.last().text.c_str());
    QVERIFY(!dialogs.busy());
}

void TestPrintCommands::refusedDocumentIsReported()
{
    test::TestDir dir;
    auto state = stateIn(dir.path());
    auto form = formNumbered("3");
    RecordingSink sink;
    sink.kind = Kind::Refused;
    ui::ScriptedDialogs dialogs;
    app::printInvoice(form, state, dialogs, sink.sink());

    QCOMPARE(dialogs.shown().size(), std::size_t(1));
    QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY(dialogs.last().text.find("Ufficio") != std::string::npos);
    QVERIFY(!dialogs.busy());
    // The archive is never touched by printing.
    QVERIFY(QDir(QString::fromStdString(dir.path())).isEmpty());
}

void TestPrintCommands::pdfNamesStayInDataDir_data()
{
    QTest::addColumn<std::string>("number");
    QTest::addColumn<std::string>("year");
    QTest::addColumn<std::string>("invoiceName");
    QTest::addColumn<std::string>("yearName");

    QTest::newRow("plain") << std::string("12") << std::string("2024") << std::string("fattura-1-2024-12.pdf")
                           << std::string("fatture-1-2024.pdf");
    QTest::newRow("blanks trimmed") << std::string("  5 ") << std::string(" 2024")
                                    << std::string("fattura-1-2024-5.pdf") << std::string("fatture-1-2024.pdf");
    QTest::newRow("no way out of the directory")
        << std::string("../x") << std::string("20/4") << std::string("fattura-1-20_4-___x.pdf")
        << std::string("fatture-1-20_4.pdf");
}

void TestPrintCommands::pdfNamesStayInDataDir()
{
    QFETCH(std::string, number);
    QFETCH(std::string, year);
    QFETCH(std::string, invoiceName);
    QFETCH(std::string, yearName);

    const auto state = stateIn("/data");
    auto form = formNumbered(number);
    form.year = year;
    QCOMPARE(app::invoicePdfPath(form, state), archive::dataFile(archive::DataDir("/data"), invoiceName));
    QCOMPARE(app::yearPdfPath(form, state), archive::dataFile(archive::DataDir("/data"), yearName));
}

void TestPrintCommands::printsTheYear()
{
    test::TestDir dir;
    auto state = stateIn(dir.path());
    state.nextNumber = 3;
    const auto book = archive::bookPaths(dir.data(), 1, "2024");
    QVERIFY(archive::createBook(book).ok());
    for (int n = 1; n <= 2; ++n) {
        archive::InvoiceRecord invoice;
        invoice.amount = {std::to_string(n * 100), "", ""};
        invoice.currency = "e";
        QVERIFY(archive::writeInvoice(book, n, invoice).ok());
    }
    auto form = formNumbered("9");
    RecordingSink sink;
    ui::ScriptedDialogs dialogs;
    app::printYear(form, state, dialogs, sink.sink());

    QCOMPARE(sink.pdfPath, archive::dataFile(dir.data(), "fatture-1-2024.pdf"));
    QVERIFY(sink.page.find("FATTURA N. 1", 0));
    QVERIFY(sink.page.find("FATTURA N. 2", 1));
    QVERIFY(sink.page.ended());
    QCOMPARE(form.number, std::string("2"));
    QVERIFY(dialogs.shown().empty());
    QCOMPARE(dialogs.busyCount(), 1);
    QVERIFY(!dialogs.busy());
}

void TestPrintCommands::emptyYearSendsNothing()
{
    test::TestDir dir;
    auto state = stateIn(dir.path());
    auto form = formNumbered("1");
    ui::ScriptedDialogs dialogs;
    app::printYear(form, state, dialogs, print::writePdf);

    QVERIFY(!dir.exists("fatture-1-2024.pdf"));
    QVERIFY(dialogs.shown().empty());
    QVERIFY(!dialogs.busy());
}

void TestPrintCommands::unreadableBookIsReported()
{
    test::TestDir dir;
    auto state = stateIn(dir.path());
    state.nextNumber = 2;
    // A directory where the invoice file should be cannot be read as one.
    QVERIFY(QDir(QString::fromStdString(dir.path())).mkdir("12024.arc"));
    auto form = formNumbered("1");
    RecordingSink sink;
    ui::ScriptedDialogs dialogs;
    app::printYear(form, state, dialogs, sink.sink());

    QCOMPARE(dialogs.shown().size(), std::size_t(1));
    QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY2(dialogs.last().text.find("12024.arc") != std::string::npos, dialogs.last().text.c_str());
    QVERIFY(sink.page.texts().empty());
    QVERIFY(!dialogs.busy());
}

QTEST_MAIN(TestPrintCommands)
#include "test_print_commands.moc"
