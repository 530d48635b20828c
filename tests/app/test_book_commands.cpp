#include "app/book_commands.h"
#include "app/clock.h"
#include "app/invoice_commands.h"
#include "app/totals_commands.h"
#include "archive/book.h"
#include "archive/fields.h"
#include "archive/issuers.h"
#include "ui/scripted_dialogs.h"

#include "../archive/invoice_books.h"
#include "faulty_file_system.h"
#include "late_clock.h"
#include "test_dir.h"

#include <QtTest>

using namespace tessaro;
using namespace tessaro::test;
using archive::AppState;
using archive::InvoiceForm;
using ui::ScriptedDialogs;

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// The book of 2024 with invoices A..D on screen at the given number.
struct Session {
    TestDir dir;
    AppState state = stateIn(dir);
    archive::BookPaths book = bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    ScriptedDialogs dialogs;

    explicit Session(const std::string& number = "")
    {
        app::yearChanged(form, state, dialogs, test::lateClock());
        if (!number.empty())
            form.number = number;
    }
};

archive::InvoiceRecord withAmounts(const std::string& currency, float rate, const std::string& amount,
                                   const std::string& quantity = "", const std::string& pension = "")
{
    archive::InvoiceRecord invoice = invoiceOf("x", currency, rate);
    invoice.amount = {amount, "50", ""};
    if (currency == "l")
        invoice.amount[1].clear();
    invoice.quantity = {quantity, "", ""};
    invoice.pension = pension;
    return invoice;
}

// 1: euro 100 x 2 + 50, pension 4; 2: 1,936,270 lire at 1936.27; 3: lire without a rate. N = 4.
void writeTotalsBook(Session& s)
{
    archive::writeInvoice(s.book, 1, withAmounts("e", 1936.27f, "100", "2", "4"));
    archive::writeInvoice(s.book, 2, withAmounts("l", 1936.27f, "1936270"));
    archive::writeInvoice(s.book, 3, withAmounts("l", 0.0f, "99999"));
    archive::writeInvoice(s.book, 4, archive::InvoiceRecord {});
    archive::writeCounter(s.book, 4);
    s.state.nextNumber = 4;
}

} // namespace

class TestBookCommands : public QObject {
    Q_OBJECT

private slots:
    void insertStaysInsideTheBook_data();
    void insertStaysInsideTheBook();
    void insertWhenTheCounterIsFull();
    void insertRenumbers();
    void deleteAsksThenRenumbers();
    void deleteOnTheFirstFreeNumberOnlyClears();
    void deleteOutsideTheBookAsksNothing();
    void failedDeleteIsTold();
    void deleteAYearWhileAnotherIsShown();
    void deleteAYearWithoutFilesIsSilent_data();
    void deleteAYearWithoutFilesIsSilent();
    void resetAllAsksAndOpensTheIssuerWindow();
    void resetAllStopsAtAFileThatStays();
    void totals_data();
    void totals();
    void totalsStopAtAnAnswerOutsideTheBook_data();
    void totalsStopAtAnAnswerOutsideTheBook();
};

void TestBookCommands::insertStaysInsideTheBook_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<Texts>("messages");
    QTest::newRow("first free number") << "5" << Texts {"Ti trovi nell'ultima fattura dell'anno"};
    QTest::newRow("beyond N") << "6" << Texts {};
    QTest::newRow("zero") << "0" << Texts {};
    QTest::newRow("empty") << "" << Texts {};
}

void TestBookCommands::insertStaysInsideTheBook()
{
    QFETCH(QString, number);
    QFETCH(Texts, messages);
    Session s;
    s.form.number = number.toStdString();
    const Bytes before = s.dir.bytes("12024.arc");
    app::insertInvoice(s.form, s.state, s.dialogs, test::lateClock());
    Texts shown;
    for (const auto& box : s.dialogs.shown())
        shown.push_back(box.text);
    QCOMPARE(shown, messages);
    QCOMPARE(s.state.nextNumber, std::int16_t(5));
    QCOMPARE(s.dir.bytes("12024.arc"), before);
    QCOMPARE(s.dir.bytes("12024.imp"), (Bytes {5, 0}));
}

void TestBookCommands::insertWhenTheCounterIsFull()
{
    Session s(" 2");
    s.state.nextNumber = 32767;
    const Bytes before = s.dir.bytes("12024.arc");
    app::insertInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.dialogs.shown().size(), std::size_t(1));
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QCOMPARE(s.state.nextNumber, std::int16_t(32767));
    QCOMPARE(s.dir.bytes("12024.arc"), before);
}

void TestBookCommands::insertRenumbers()
{
    Session s(" 2");
    app::insertInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QVERIFY(s.dialogs.shown().empty());
    QCOMPARE(s.state.nextNumber, std::int16_t(6));
    QCOMPARE(surnameAt(s.book, 2), std::string());
    QCOMPARE(surnameAt(s.book, 3), std::string("B"));
    QCOMPARE(lineAt(s.book, 5), std::string("D"));
    QCOMPARE(s.form.number, std::string(" 2"));
}

void TestBookCommands::deleteAsksThenRenumbers()
{
    Session s(" 2");
    s.dialogs.queueAnswer(ui::Answer::Cancel);
    app::deleteInvoice(s.form, s.state, s.dialogs);
    QCOMPARE(s.dialogs.last().text, std::string("Siete sicuri di voler cancellare la fattura corrente?"));
    QCOMPARE(s.dialogs.last().buttons, ui::Buttons::OkCancel);
    QCOMPARE(s.state.nextNumber, std::int16_t(5));
    QCOMPARE(surnameAt(s.book, 2), std::string("B"));

    app::deleteInvoice(s.form, s.state, s.dialogs);
    QCOMPARE(s.state.nextNumber, std::int16_t(4));
    QCOMPARE(surnameAt(s.book, 2), std::string("C"));
    QCOMPARE(trimmed(s.form.client.surname), std::string("C"));
    QCOMPARE(s.dir.bytes("12024.imp"), (Bytes {4, 0}));
}

void TestBookCommands::deleteOnTheFirstFreeNumberOnlyClears()
{
    Session s;
    s.form.client.surname = "typed";
    s.form.taxable = "12,00";
    s.form.extraLines.description[0] = "line 4";
    const Bytes arc = s.dir.bytes("12024.arc");
    const Bytes agg = s.dir.bytes("12024.agg");
    app::deleteInvoice(s.form, s.state, s.dialogs);
    QCOMPARE(s.form.client.surname, std::string());
    QCOMPARE(s.form.taxable, std::string());
    QCOMPARE(s.form.vat, std::string("22"));
    QCOMPARE(s.form.extraLines.description[0], std::string("line 4"));
    QCOMPARE(s.state.nextNumber, std::int16_t(5));
    QCOMPARE(s.dir.bytes("12024.arc"), arc);
    QCOMPARE(s.dir.bytes("12024.agg"), agg);
    QCOMPARE(s.dir.bytes("12024.imp"), (Bytes {5, 0}));
}

void TestBookCommands::deleteOutsideTheBookAsksNothing()
{
    Session s("6");
    app::deleteInvoice(s.form, s.state, s.dialogs);
    s.form.number = "0";
    app::deleteInvoice(s.form, s.state, s.dialogs);
    QVERIFY(s.dialogs.shown().empty());
    QCOMPARE(s.state.nextNumber, std::int16_t(5));
}

void TestBookCommands::failedDeleteIsTold()
{
    Session s(" 2");
    FaultyFileSystem fs(s.state.dataDir);
    fs.fail(FaultyFileSystem::Op::Write, "12024.imp");
    app::deleteInvoice(s.form, s.state, s.dialogs);
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains("12024.imp"));
    QCOMPARE(s.state.nextNumber, std::int16_t(5));
}

void TestBookCommands::deleteAYearWhileAnotherIsShown()
{
    Session s;
    bookOfFour(s.state, "2007");
    s.form.year = "2008";
    app::yearChanged(s.form, s.state, s.dialogs, test::lateClock());
    s.dialogs.clear();

    s.dialogs.queueInput(" 2007 ");
    app::deleteYear(s.form, s.state, s.dialogs, app::FixedClock(2030));
    for (const char* name : {"12007.arc", "12007.agg", "12007.imp"})
        QVERIFY2(!s.dir.exists(name), name);
    QVERIFY(s.dir.exists("12008.arc"));
    QVERIFY(s.dir.exists("12030.arc"));
    QCOMPARE(s.form.year, std::string("2030"));
    QCOMPARE(s.form.number, std::string("1"));
    QCOMPARE(s.state.nextNumber, std::int16_t(1));

    const auto& shown = s.dialogs.shown();
    QCOMPARE(shown.size(), std::size_t(3));
    QCOMPARE(shown[0].text, std::string("Indicare l'anno di cui si vogliono cancellare le fatture."));
    QCOMPARE(shown[0].title, std::string("CANCELLA FATTURE"));
    QCOMPARE(shown[0].defaultText, std::string());
    QCOMPARE(shown[1].text,
             std::string("Siete sicuri di voler cancellare? Le fatture dell'anno specificato saranno perse."));
    QCOMPARE(shown[2].text, std::string("     FATTO     "));
    QCOMPARE(shown[2].title, std::string("ELIMINAZIONE FATTURE"));
}

void TestBookCommands::deleteAYearWithoutFilesIsSilent_data()
{
    QTest::addColumn<QString>("year");
    QTest::newRow("no files") << "2007";
    QTest::newRow("cancelled") << "";
    QTest::newRow("a path, not a year") << "/../2024";
}

void TestBookCommands::deleteAYearWithoutFilesIsSilent()
{
    QFETCH(QString, year);
    Session s(" 2");
    s.dialogs.queueInput(year.toStdString());
    app::deleteYear(s.form, s.state, s.dialogs, app::FixedClock(2030));
    QCOMPARE(s.dialogs.shown().size(), std::size_t(2)); // the year and the confirmation
    QCOMPARE(s.form.year, std::string("2024"));
    QCOMPARE(s.form.number, std::string(" 2"));
    QVERIFY(s.dir.exists("12024.arc"));
    QVERIFY(!s.dir.exists("12030.arc"));
}

void TestBookCommands::resetAllAsksAndOpensTheIssuerWindow()
{
    Session s;
    archive::PartyRecord issuer;
    issuer.surname = "Bianchi";
    archive::writeIssuer(s.dir.data(), 1, issuer);
    s.state.currentIssuerRecord = issuer;
    s.dir.writeBytes("certificazioni.fe", std::vector<std::uint8_t>(archive::CertificateRecordSize, ' '));

    s.dialogs.queueAnswer(ui::Answer::Cancel);
    QVERIFY(!app::resetAll(s.form, s.state, s.dialogs));
    QVERIFY(s.dir.exists("emit"));
    QCOMPARE(s.state.issuerCount, std::int16_t(1));

    QVERIFY(app::resetAll(s.form, s.state, s.dialogs));
    QCOMPARE(s.dialogs.last().text,
             std::string("FATTO. OCCORRE INSERIRE, ORA, UN NUOVO NOMINATIVO CHE EMETTE LA FATTURA"));
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY(!s.dir.exists("emit"));
    QVERIFY(!s.dir.exists("certificazioni.fe"));
    QVERIFY(!s.dir.exists("12024.arc"));
    QCOMPARE(s.state.currentIssuerRecord, archive::PartyRecord {});
    QCOMPARE(s.state.currentIssuer, std::int16_t(0));

    // Nothing left to delete is no reason to stop.
    QVERIFY(app::resetAll(s.form, s.state, s.dialogs));
}

void TestBookCommands::resetAllStopsAtAFileThatStays()
{
    Session s;
    FaultyFileSystem fs(s.state.dataDir);
    fs.fail(FaultyFileSystem::Op::Rename, "12024.agg");
    QVERIFY(!app::resetAll(s.form, s.state, s.dialogs));
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains("12024.agg"));
}

void TestBookCommands::totals_data()
{
    QTest::addColumn<int>("command"); // 0 all, 1 range, 2 VAT
    QTest::addColumn<bool>("commercial");
    QTest::addColumn<Texts>("answers");
    QTest::addColumn<QString>("message");
    const std::string year = " emesse nell'anno 2024 è pari a ";
    QTest::newRow("all, services") << 0 << false << Texts {}
                                   << QString::fromStdString("Il totale dell'imponibile delle fatture" + year
                                                             + "1156,00 Euro");
    QTest::newRow("all, commercial") << 0 << true << Texts {}
                                     << QString::fromStdString("Il totale dell'imponibile delle fatture" + year
                                                               + "1250,00 Euro");
    QTest::newRow("range of euro") << 1 << false << Texts {"1", "1"}
                                   << QString::fromStdString("Il totale dell'imponibile delle fatture tra la n.  1 "
                                                             "e la n.  1"
                                                             + year + "156,00 Euro");
    QTest::newRow("range of lire up to N") << 1 << true << Texts {"2", " 4"}
                                           << QString::fromStdString("Il totale dell'imponibile delle fatture tra la "
                                                                     "n.  2 e la n.  4"
                                                                     + year + "1000,00 Euro");
    QTest::newRow("VAT, both currencies")
        << 2 << false << Texts {"1", "3"}
        << QString::fromStdString("Il totale dell'iva delle fatture tra la n.  1 e la n.  3" + year + "254,32 Euro");
    QTest::newRow("empty range") << 1 << false << Texts {"3", "2"}
                                 << QString::fromStdString(
                                        "Il totale dell'imponibile delle fatture tra la n.  3 e la n.  2" + year
                                        + "0,00 Euro");
}

void TestBookCommands::totals()
{
    QFETCH(int, command);
    QFETCH(bool, commercial);
    QFETCH(Texts, answers);
    QFETCH(QString, message);
    Session s;
    writeTotalsBook(s);
    s.state.invoiceType = commercial ? archive::InvoiceType::Commercial : archive::InvoiceType::Professional;
    for (const auto& answer : answers)
        s.dialogs.queueInput(answer);
    s.dialogs.clear();

    if (command == 0)
        app::totalAllInvoices(s.form, s.state, s.dialogs);
    else if (command == 1)
        app::totalSomeInvoices(s.form, s.state, s.dialogs);
    else
        app::totalVat(s.form, s.state, s.dialogs);

    const auto& shown = s.dialogs.shown();
    QCOMPARE(shown.size(), answers.size() + 1);
    if (!answers.empty()) {
        QCOMPARE(shown[0].title, std::string("CALCOLO IMPONIBILE"));
        QCOMPARE(shown[0].defaultText, std::string("1"));
        QCOMPARE(shown[1].defaultText, std::string(" 4"));
        QVERIFY(shown[1].text.starts_with("Indicare l'estremo superiore"));
    }
    QCOMPARE(QString::fromStdString(s.dialogs.last().text), message);
    QCOMPARE(s.dialogs.last().title, std::string("CALCOLO IMPONIBILE"));
    QCOMPARE(s.state.nextNumber, std::int16_t(4));
}

void TestBookCommands::totalsStopAtAnAnswerOutsideTheBook_data()
{
    QTest::addColumn<Texts>("answers");
    QTest::addColumn<int>("boxes");
    QTest::newRow("cancelled") << Texts {} << 1;
    QTest::newRow("lower bound zero") << Texts {"0"} << 1;
    QTest::newRow("lower bound beyond N") << Texts {"5"} << 1;
    QTest::newRow("upper bound beyond N") << Texts {"1", "5"} << 2;
    QTest::newRow("upper bound cancelled") << Texts {"1"} << 2;
}

void TestBookCommands::totalsStopAtAnAnswerOutsideTheBook()
{
    QFETCH(Texts, answers);
    QFETCH(int, boxes);
    Session s;
    writeTotalsBook(s);
    for (const auto& answer : answers)
        s.dialogs.queueInput(answer);
    s.dialogs.clear();
    app::totalVat(s.form, s.state, s.dialogs);
    QCOMPARE(int(s.dialogs.shown().size()), boxes);
    QCOMPARE(s.dialogs.last().kind, ScriptedDialogs::Shown::Kind::Input);
}

QTEST_GUILESS_MAIN(TestBookCommands)
#include "test_book_commands.moc"
