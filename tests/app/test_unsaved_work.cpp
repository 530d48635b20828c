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

const std::string Question = "Salvare le modifiche alla fattura n. 3?";

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
    std::vector<std::string> questions() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown())
            if (shown.buttons == ui::Buttons::YesNoCancel)
                texts.push_back(shown.text);
        return texts;
    }
};

} // namespace

class TestUnsavedWork : public QObject {
    Q_OBJECT

private slots:
    void leavingAChangedInvoice_data();
    void leavingAChangedInvoice();
    void typedWorkFollowsItsOwnYear();
    void closingAsksToo();
};

void TestUnsavedWork::leavingAChangedInvoice_data()
{
    QTest::addColumn<QString>("typed"); // surname typed over invoice 3; empty: nothing typed
    QTest::addColumn<QString>("how"); // the command that moves away
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("numberAfter");
    QTest::addColumn<QString>("stored3");

    const int none = -1;
    QTest::newRow("nothing typed: no question") << ""
                                                << "arrow" << none << "2"
                                                << "Rossi";
    QTest::newRow("Annulla keeps the typing") << "Verdi"
                                              << "arrow" << int(Answer::Cancel) << "3"
                                              << "Rossi";
    QTest::newRow("No lets it go") << "Verdi"
                                   << "arrow" << int(Answer::No) << "2"
                                   << "Rossi";
    QTest::newRow("Sì saves it first") << "Verdi"
                                       << "arrow" << int(Answer::Yes) << "2"
                                       << "Verdi";
    QTest::newRow("Nuova, Annulla") << "Verdi"
                                    << "new" << int(Answer::Cancel) << "3"
                                    << "Rossi";
    QTest::newRow("register row, Sì") << "Verdi"
                                      << "register" << int(Answer::Yes) << "1"
                                      << "Verdi";
    QTest::newRow("register row, Annulla") << "Verdi"
                                           << "register" << int(Answer::Cancel) << "3"
                                           << "Rossi";
}

void TestUnsavedWork::leavingAChangedInvoice()
{
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(QString, numberAfter);
    QFETCH(QString, stored3);

    Session s;
    if (!typed.isEmpty())
        test::edit(s.window(), "txtc1")->setText(typed);
    if (answer >= 0)
        s.dialogs.queueAnswer(Answer(answer));
    if (how == "arrow") {
        test::click(s.window(), "command");
    } else if (how == "new") {
        s.controller->action("mnufnuova")->trigger();
    } else {
        s.controller->action("mnufregistro")->trigger();
        QTableView* table = s.controller->registerWindow().window()->table();
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 0));
        QTest::keyClick(table, Qt::Key_Return);
    }

    QCOMPARE(s.questions().size(), std::size_t(typed.isEmpty() ? 0 : 1));
    if (!typed.isEmpty())
        QCOMPARE(s.questions().front(), Question);
    QCOMPARE(s.field("txtnum"), numberAfter);
    QCOMPARE(s.storedSurname(3), stored3.toStdString());
    if (answer == int(Answer::Cancel))
        QCOMPARE(s.field("txtc1"), typed);
}

void TestUnsavedWork::typedWorkFollowsItsOwnYear()
{
    Session s;
    test::edit(s.window(), "txtc1")->setText("Verdi");
    s.dialogs.queueAnswer(Answer::Cancel);
    test::edit(s.window(), "txtanno")->setText("2025");
    // Annulla: the book of 2024 stays, and so does its year.
    QCOMPARE(s.field("txtanno"), QStringLiteral("2024"));
    QCOMPARE(s.field("txtc1"), QStringLiteral("Verdi"));

    s.dialogs.queueAnswer(Answer::Yes);
    test::edit(s.window(), "txtanno")->setText("2025");
    // Sì: saved in the book it was typed in, not in the year now shown.
    QCOMPARE(s.storedSurname(3), std::string("Verdi"));
    QCOMPARE(s.field("txtanno"), QStringLiteral("2025"));
    QCOMPARE(s.field("txtnum"), QStringLiteral("1"));
    QCOMPARE(s.questions().size(), std::size_t(2));
}

void TestUnsavedWork::closingAsksToo()
{
    Session s;
    test::edit(s.window(), "txtimp1")->setText("250");
    s.dialogs.queueAnswer(Answer::Cancel);
    QVERIFY(!s.window().close());
    QVERIFY(s.window().isVisible());
    s.dialogs.queueAnswer(Answer::No);
    QVERIFY(s.window().close());
    QCOMPARE(s.questions().size(), std::size_t(2));
}

QTEST_MAIN(TestUnsavedWork)
#include "test_unsaved_work.moc"
