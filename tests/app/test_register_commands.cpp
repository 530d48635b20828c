// The register as a user meets it: opened from "File" beside the main
// window, filtered as one types and by what is still to come in, sorted, a
// row opened into the main window, following a save and a year switch; and
// its hand-over commands, which write their file whole or, stopped, none at all.
#include "app/backup.h"
#include "app/clock.h"
#include "app/main_controller.h"
#include "app/print_commands.h"
#include "app/register_commands.h"
#include "archive/book.h"
#include "archive/issuers.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "archive/sdi_history.h"
#include "archive/settings.h"
#include "faulty_file_system.h"
#include "print/qt_document.h"
#include "print/recording_page.h"
#include "test_dir.h"
#include "ui/main_window.h"
#include "ui/register_window.h"
#include "ui/scripted_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace tessaro;

namespace {

// Issuer 1 and the book of 2024: Rossi 300, Bianchi 100, Rossi 200.
void writeData(const test::TestDir& dir, int invoices = 3)
{
    archive::PartyRecord issuer;
    issuer.surname = "Neri";
    issuer.vatNumber = "01234567897";
    QVERIFY(archive::writeIssuer(dir.data(), 1, issuer).ok());
    QVERIFY(archive::writeIssuerCount(dir.data(), 1).ok());
    QVERIFY(archive::writeCurrentIssuer(dir.data(), 1).ok());
    const archive::BookPaths book = archive::bookPaths(dir.data(), 1, "2024");
    for (int n = 1; n <= invoices; ++n) {
        archive::InvoiceRecord invoice;
        invoice.client.surname = n == 2 ? "Bianchi" : "Rossi";
        invoice.amount[0] = n == 1 ? "300" : n == 2 ? "100" : n == 3 ? "200" : "100";
        invoice.vat = "22";
        invoice.currency = "e";
        QVERIFY(archive::writeInvoice(book, n, invoice).ok());
    }
    QVERIFY(archive::writeCounter(book, static_cast<std::int16_t>(invoices + 1)).ok());
}

// The exchange system's answer to the file of invoice n of 2024.
void writeSdi(const test::TestDir& dir, int n, char answer)
{
    const archive::SdiHistory history {{{"IT01234567897_00001.xml", "", "", archive::SdiOutcome(answer), "", ""}},
                                       {{"00305", "", ""}, {"00311", "", ""}}};
    std::array<std::uint8_t, archive::SdiRecordSize> record;
    archive::encodeSdiHistory(history, record);
    QVERIFY(archive::writeRecord(dir.data().fs(), archive::bookPaths(dir.data(), 1, "2024").einvoices, n, record).ok());
}

struct Session {
    test::TestDir dir;
    app::FixedClock clock {2024};
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<app::MainController> controller;

    explicit Session(int invoices = 3)
    {
        writeData(dir, invoices);
        controller = std::make_unique<app::MainController>(dir.path(), clock, &dialogs);
        controller->start();
        controller->window().show();
        controller->action("mnufregistro")->trigger();
    }
    ui::RegisterWindow& window() { return *controller->registerWindow().window(); }
    QTableView* table() { return window().table(); }
    int numberAt(int row) { return table()->model()->index(row, 0).data().toInt(); }
    QString field(const char* name) { return controller->window().findChild<QLineEdit*>(name)->text(); }
};

} // namespace

class TestRegisterCommands : public QObject {
    Q_OBJECT

private slots:
    void findSortAndOpen();
    void paymentFilter_data();
    void paymentFilter();
    void sdiColumn_data();
    void sdiColumn();
    void followsTheBook();
    void csvWholeOrNothing();
    void printedRegisterStops();
    void printedYearStops();
};

void TestRegisterCommands::findSortAndOpen()
{
    Session s;
    QVERIFY(s.window().isVisible());
    QVERIFY(!s.window().isModal());
    QCOMPARE(s.table()->model()->rowCount(), 3);

    QTest::keyClicks(s.window().findChild<QLineEdit*>("txtcerca"), "ross");
    QCOMPARE(s.table()->model()->rowCount(), 2);
    QCOMPARE(s.window().findChild<QLabel*>("etcconta")->text(), QStringLiteral("2 di 3 fatture"));

    s.table()->sortByColumn(int(archive::RegisterColumn::Taxable), Qt::AscendingOrder);
    QCOMPARE(s.numberAt(0), 3);
    QCOMPARE(s.numberAt(1), 1);

    // Enter on the selected row shows it in the main window as "<---" would.
    s.table()->setFocus();
    s.table()->setCurrentIndex(s.table()->model()->index(0, 0));
    QTest::keyClick(s.table(), Qt::Key_Return);
    QCOMPARE(s.field("txtnum"), QStringLiteral(" 3"));
    QCOMPARE(s.field("txtc1").trimmed(), QStringLiteral("Rossi"));
    QCOMPARE(s.field("txtimp1").trimmed(), QStringLiteral("200"));
    QVERIFY(s.dialogs.shown().empty());
    // One invoice found is counted in the singular; a book in euro says nothing of lire.
    s.window().findChild<QLineEdit*>("txtcerca")->setText("bianchi");
    const QModelIndex shown = s.window().findChild<QTableView*>("grdtotali")->model()->index(1, 0);
    QCOMPARE(shown.data().toString(), QStringLiteral("Totale di 1 fattura mostrata"));
    QVERIFY(!s.window().findChild<QLabel*>("etcnota")->text().contains("lire"));
}

void TestRegisterCommands::paymentFilter_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<std::vector<int>>("numbers");
    QTest::addColumn<QString>("owed"); // of the rows shown, with the program's decimal point
    // 1: 366 to pay, 100 in, due the day before the clock's; 2: 122 paid; 3: 244, nothing in.
    QTest::newRow("overdue") << ""
                             << "Scadute" << std::vector<int> {1} << "266.00";
    QTest::newRow("with the search") << "ross"
                                     << "Da incassare" << std::vector<int> {1, 3} << "510.00";
    QTest::newRow("rejected") << ""
                              << "Scartate" << std::vector<int> {3} << "244.00";
}

void TestRegisterCommands::paymentFilter()
{
    QFETCH(QString, query);
    QFETCH(QString, choice);
    QFETCH(std::vector<int>, numbers);
    QFETCH(QString, owed);
    Session s;
    const std::vector<archive::InvoicePayments> records
        = {{"", "DATA", "20231231", {{{2023, 12, 1}, "100.00", "", "", ""}}},
           {"", "", "", {{{2023, 12, 1}, "122.00", "", "", ""}}}};
    QVERIFY(archive::writePayments(archive::bookPaths(s.dir.data(), 1, "2024"), 1, records).ok());
    writeSdi(s.dir, 3, 'S');
    s.controller->registerWindow().refresh();
    s.window().findChild<QLineEdit*>("txtcerca")->setText(query);
    auto* combo = s.window().findChild<QComboBox*>("cmbincassi");
    combo->setCurrentIndex(combo->findText(choice));
    std::vector<int> shown;
    for (int row = 0; row < s.table()->model()->rowCount(); ++row)
        shown.push_back(s.numberAt(row));
    QCOMPARE(shown, numbers);
    const QAbstractItemModel* totals = s.window().findChild<QTableView*>("grdtotali")->model();
    QCOMPARE(totals->index(1, int(archive::RegisterColumn::Owed)).data().toString(), owed);
}

void TestRegisterCommands::sdiColumn_data()
{
    // Only the states that ask something of the user have a tooltip and a colour.
    QTest::addColumn<char>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("delivered") << 'C' << "consegnata" << QColor();
    QTest::newRow("not delivered") << 'M' << "non consegnata" << QColor(190, 90, 0);
    QTest::newRow("rejected") << 'S' << "scartata (00305, 00311)" << QColor(170, 0, 0);
}

void TestRegisterCommands::sdiColumn()
{
    QFETCH(char, answer);
    QFETCH(QColor, colour);
    Session s(1);
    writeSdi(s.dir, 1, answer);
    s.controller->registerWindow().refresh();
    const QModelIndex cell = s.table()->model()->index(0, int(archive::RegisterColumn::Sdi));
    QTEST(cell.data().toString(), "text");
    QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), colour);
    QCOMPARE(!cell.data(Qt::ToolTipRole).toString().isEmpty(), colour.isValid());
}

void TestRegisterCommands::followsTheBook()
{
    Session s;
    // A new invoice saved in the main window appears at once, with its totals.
    s.controller->perform([&] {
        s.controller->form().client.surname = "Verdi";
        s.controller->form().amount[0] = "50";
    });
    s.controller->window().findChild<QPushButton*>("Command5")->click();
    QCOMPARE(s.table()->model()->rowCount(), 4);
    QCOMPARE(s.controller->registerWindow().contents().reg->totals().taxable, 650.0);

    // The year deleted, then a copy made before put back: the register follows both.
    QTemporaryDir copies;
    s.dialogs.queueChosenPath(copies.path().toStdString());
    s.controller->action("mnufbackup")->trigger();
    s.dialogs.queueInput("2024");
    s.controller->action("mnuecancanno")->trigger();
    QCOMPARE(s.table()->model()->rowCount(), 0);
    s.dialogs.queueChosenPath(
        copies.filePath(QString::fromStdString(app::backupName(QDate::currentDate()))).toStdString());
    s.controller->action("mnufrestore")->trigger();
    QCOMPARE(s.table()->model()->rowCount(), 4);

    // Another year: another book, and an invoice of the old one can no longer be opened.
    s.controller->window().findChild<QLineEdit*>("txtanno")->setText("2023");
    QCOMPARE(s.table()->model()->rowCount(), 0);
    QVERIFY(s.window().windowTitle().contains("2023"));

    // Closing the main window, which ends the program, closes the register too.
    s.controller->window().close();
    QVERIFY(!s.window().isVisible());
}

void TestRegisterCommands::csvWholeOrNothing()
{
    Session s(700);
    const std::string path = s.dir.file("registro.csv");
    const auto& contents = s.controller->registerWindow().contents();

    s.dialogs.queueSaveFileName(path);
    s.dialogs.cancelProgressAtStep(1);
    app::exportRegisterCsv(contents, s.controller->state(), s.dialogs);
    QVERIFY(!s.dir.exists("registro.csv"));
    QVERIFY(s.dialogs.last().text.find("interrotta") != std::string::npos);

    s.dialogs.queueSaveFileName(s.dir.file("registro"));
    app::exportRegisterCsv(contents, s.controller->state(), s.dialogs);
    const auto bytes = s.dir.bytes("registro.csv");
    QVERIFY(bytes.size() > 700 * 20);
    QCOMPARE(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 3),
             (std::vector<std::uint8_t> {0xEF, 0xBB, 0xBF}));
    QCOMPARE(s.dialogs.last().title, std::string("Operazione effettuata"));
    QVERIFY(!s.dialogs.busy());

    // A disk that fails at any step leaves the file written before, and says so.
    using Op = test::FaultyFileSystem::Op;
    const std::vector<std::uint8_t> written = s.dir.bytes("registro.csv");
    for (const auto& [op, file] : {std::pair {Op::Open, "registro.csv.tmp"},
                                   {Op::Write, "registro.csv.tmp"},
                                   {Op::Sync, "registro.csv.tmp"},
                                   {Op::Rename, "registro.csv.tmp"}}) {
        test::FaultyFileSystem fs(s.controller->state().dataDir);
        fs.fail(op, file);
        s.dialogs.queueSaveFileName(path);
        app::exportRegisterCsv(contents, s.controller->state(), s.dialogs);
        QVERIFY2(fs.count(op, file) > 0, file);
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        QCOMPARE(s.dir.bytes("registro.csv"), written);
        QVERIFY(!s.dir.exists("registro.csv.tmp"));
    }
}

void TestRegisterCommands::printedRegisterStops()
{
    Session s(200);
    const auto& contents = s.controller->registerWindow().contents();
    print::RecordingPage page;
    const print::DocumentSink recording = [&](const std::string&, const print::DrawDocument& draw) {
        draw(page);
        page.endDoc();
        return print::DocumentOutcome {};
    };
    s.dialogs.cancelProgressAtStep(2);
    app::printRegister(contents, s.controller->state(), s.dialogs, recording);
    QVERIFY(page.abandoned());
    QCOMPARE(s.dialogs.last().title, std::string("STAMPA"));
    QVERIFY(s.dialogs.last().text.find("interrotta") != std::string::npos);

    // The PDF: stopped, no file; complete, every page.
    s.dialogs.queueSaveFileName(s.dir.file("registro.pdf"));
    s.dialogs.cancelProgressAtStep(1);
    app::saveRegisterPdf(contents, s.controller->state(), s.dialogs);
    QVERIFY(!s.dir.exists("registro.pdf"));
    QCOMPARE(QDir(QString::fromStdString(s.dir.path())).entryList(QDir::Files | QDir::Hidden).filter(".pdf").size(), 0);
    s.dialogs.queueSaveFileName(s.dir.file("registro.pdf"));
    app::saveRegisterPdf(contents, s.controller->state(), s.dialogs);
    QVERIFY(s.dir.exists("registro.pdf"));
    QCOMPARE(s.dialogs.progressRuns().back().maximum, 200);
    QCOMPARE(s.dialogs.progressRuns().back().steps.back(), 200);
}

void TestRegisterCommands::printedYearStops()
{
    Session s(5);
    s.dialogs.cancelProgressAtStep(3);
    s.controller->perform(
        [&] { app::printYear(s.controller->form(), s.controller->state(), s.dialogs, print::writePdf); });
    QVERIFY(!s.dir.exists("fatture-1-2024.pdf"));
    QCOMPARE(s.dialogs.last().text,
             std::string("Stampa interrotta dopo 3 fatture su 5: non è stato stampato né salvato nulla."));
}

QTEST_MAIN(TestRegisterCommands)
#include "test_register_commands.moc"
