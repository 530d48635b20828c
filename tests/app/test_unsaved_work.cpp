// Work typed and not saved is never let go without a question, and nothing
// is asked of an invoice only looked at: whatever the command that moves the
// window away (the arrows, the year, the register, closing), "Sì" saves it
// where it belongs, "No" lets it go and "Annulla" keeps it on screen.
#include "app/clock.h"
#include "app/main_controller.h"
#include "app/register_commands.h"
#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/issuers.h"
#include "archive/settings.h"
#include "test_dir.h"
#include "ui/main_window.h"
#include "ui/register_window.h"
#include "ui/scripted_dialogs.h"
#include "window_children.h"

#include <QAction>
#include <QTableView>
#include <QtTest>

using namespace tessaro;
using ui::Answer;

namespace {

// Issuer 1 and the book of 2024 with three invoices; the third's description
// has the line ends of the earlier program, which the window shows otherwise.
struct Session {
    test::TestDir dir;
    app::FixedClock clock {2024, 12, 31};
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<app::MainController> controller;

    Session()
    {
        archive::PartyRecord issuer;
        issuer.surname = "Neri";
        QVERIFY(archive::writeIssuer(dir.data(), 1, issuer).ok());
        QVERIFY(archive::writeIssuerCount(dir.data(), 1).ok());
        QVERIFY(archive::writeCurrentIssuer(dir.data(), 1).ok());
        for (int n = 1; n <= 3; ++n) {
            archive::InvoiceRecord invoice;
            invoice.client.surname = "Rossi";
            invoice.day = "10";
            invoice.month = "05";
            invoice.description[0] = "Progetto\r\nfase " + std::to_string(n);
            invoice.amount[0] = "100";
            invoice.vat = "22";
            invoice.currency = "e";
            QVERIFY(archive::writeInvoice(book(), n, invoice).ok());
        }
        QVERIFY(archive::writeCounter(book(), 4).ok());
        controller = std::make_unique<app::MainController>(dir.path(), clock, &dialogs);
        controller->start();
        controller->window().show();
        test::click(window(), "command"); // "<---" to invoice 3, nothing typed yet
    }
    archive::BookPaths book() const { return archive::bookPaths(dir.data(), 1, "2024"); }
    ui::MainWindow& window() { return controller->window(); }
    QString field(const char* name) { return test::edit(window(), name)->text().trimmed(); }
    std::string storedSurname(int n)
    {
        return std::string(archive::trimBlanks(archive::readInvoice(book(), n).value().client.surname));
    }
};

} // namespace

class TestUnsavedWork : public QObject {
    Q_OBJECT

private slots:
    void leavingAChangedInvoice_data();
    void leavingAChangedInvoice();
};

void TestUnsavedWork::leavingAChangedInvoice_data()
{
    QTest::addColumn<bool>("typed"); // "Verdi" typed over the client of invoice 3
    QTest::addColumn<QString>("how"); // the command that moves away
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("numberAfter");
    QTest::addColumn<QString>("stored3");

    const auto no = int(Answer::No), yes = int(Answer::Yes), cancel = int(Answer::Cancel);
    QTest::newRow("nothing typed: no question") << false << "arrow" << no << "2"
                                                << "Rossi";
    QTest::newRow("arrow, Annulla keeps it") << true << "arrow" << cancel << "3"
                                             << "Rossi";
    QTest::newRow("arrow, No lets it go") << true << "arrow" << no << "2"
                                          << "Rossi";
    QTest::newRow("arrow, Sì saves it first") << true << "arrow" << yes << "2"
                                              << "Verdi";
    QTest::newRow("Nuova, Annulla") << true << "new" << cancel << "3"
                                    << "Rossi";
    QTest::newRow("register row, Sì") << true << "register" << yes << "1"
                                      << "Verdi";
    QTest::newRow("register row, Annulla") << true << "register" << cancel << "3"
                                           << "Rossi";
    // Saved in the book it was typed in, not in the year the field now names.
    QTest::newRow("year, Sì") << true << "year" << yes << "1"
                              << "Verdi";
    QTest::newRow("year, Annulla") << true << "year" << cancel << "3"
                                   << "Rossi";
    QTest::newRow("closing, Annulla") << true << "close" << cancel << "3"
                                      << "Rossi";
    QTest::newRow("closing, No") << true << "close" << no << "3"
                                 << "Rossi";
}

void TestUnsavedWork::leavingAChangedInvoice()
{
    QFETCH(bool, typed);
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(QString, numberAfter);
    QFETCH(QString, stored3);

    Session s;
    if (typed)
        test::edit(s.window(), "txtc1")->setText("Verdi");
    s.dialogs.queueAnswer(Answer(answer));
    if (how == "arrow") {
        test::click(s.window(), "command");
    } else if (how == "new") {
        s.controller->action("mnufnuova")->trigger();
    } else if (how == "year") {
        test::edit(s.window(), "txtanno")->setText("2025");
        QCOMPARE(s.field("txtanno"), answer == int(Answer::Cancel) ? QStringLiteral("2024") : QStringLiteral("2025"));
    } else if (how == "close") {
        QCOMPARE(s.window().close(), answer != int(Answer::Cancel));
    } else {
        s.controller->action("mnufregistro")->trigger();
        QTableView* table = s.controller->registerWindow().window()->table();
        table->setCurrentIndex(table->model()->index(0, 0));
        QTest::keyClick(table, Qt::Key_Return);
    }

    const auto& shown = s.dialogs.shown();
    const auto asked = std::count_if(shown.begin(), shown.end(),
                                     [](const auto& box) { return box.buttons == ui::Buttons::YesNoCancel; });
    QCOMPARE(asked, typed ? 1 : 0);
    if (typed)
        QCOMPARE(shown.front().text, std::string("Salvare le modifiche alla fattura n. 3?"));
    QCOMPARE(s.field("txtnum"), numberAfter);
    QCOMPARE(s.storedSurname(3), stored3.toStdString());
    if (answer == int(Answer::Cancel))
        QCOMPARE(s.field("txtc1"), QStringLiteral("Verdi"));
}

QTEST_MAIN(TestUnsavedWork)
#include "test_unsaved_work.moc"
