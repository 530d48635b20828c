#include "app/client_commands.h"
#include "app/invoice_commands.h"
#include "archive/book.h"
#include "archive/clients.h"
#include "archive/lifecycle.h"
#include "archive/settings.h"
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

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string Saved = "          FATTURA SALVATA    ";

// The window after start-up: the book of 2024 loaded, its first free number shown.
struct Session {
    TestDir dir;
    AppState state = stateIn(dir);
    InvoiceForm form = formOfYear("2024");
    ScriptedDialogs dialogs;

    Session() { app::yearChanged(form, state, dialogs, test::lateClock()); }
    archive::BookPaths book() const { return archive::bookPaths(dir.data(), 1, "2024"); }
    void fillClient(const std::string& surname)
    {
        form.client.surname = surname;
        form.client.firstName = "Mario";
        form.client.address = "Via Roma 1";
        form.client.vatNumber = "01234567890";
        form.day = "10";
        form.month = "05";
    }
};

std::vector<std::string> titles(const ScriptedDialogs& dialogs)
{
    std::vector<std::string> result;
    for (const auto& shown : dialogs.shown())
        result.push_back(shown.title);
    return result;
}

} // namespace

class TestInvoiceCommands : public QObject {
    Q_OBJECT

private slots:
    void saveRefusesWhatCannotBeStored_data();
    void saveRefusesWhatCannotBeStored();
    void saveOfANumberBelowOneDoesNothing();
    void saveAsksAboutWhatLooksWrong_data();
    void saveAsksAboutWhatLooksWrong();
    void saveOverAnotherStoredInvoiceAsks();
    void saveTellsAndMovesOn();
    void failedSaveIsNeverReportedAsSaved();
    void clientIsRegisteredOnce_data();
    void clientIsRegisteredOnce();
    void previousAndNextStayInsideTheBook_data();
    void previousAndNextStayInsideTheBook();
    void newAsksFirst();
    void yearOfThreeCharactersLoadsNothing();
    void failedYearSwitchIsTold();
    void clientListOfAnEmptyArchive();
    void clientListAsStored();
    void failedClientListKeepsTheList();
    void pickingAClient();
    void deletingTheClientArchive();
    void deletingAMissingClientArchiveIsSilent();
    void failedClientArchiveDeletionIsTold_data();
    void failedClientArchiveDeletionIsTold();
};

void TestInvoiceCommands::saveRefusesWhatCannotBeStored_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("pension");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no year") << ""
                             << "1"
                             << ""
                             << "Inserire l'anno di emissione della fattura"
                             << "txtanno";
    QTest::newRow("short year") << "202"
                                << "1"
                                << ""
                                << "Inserire l'anno di emissione della fattura"
                                << "txtanno";
    QTest::newRow("no number") << "2024"
                               << ""
                               << ""
                               << "Indicare il numero della fattura"
                               << "txtnum";
    QTest::newRow("beyond the counter") << "2024"
                                        << "32767"
                                        << ""
                                        << "32766"
                                        << "txtnum";
    QTest::newRow("pension 2.5") << "2024"
                                 << "1"
                                 << "2.5"
                                 << "Cassa Nazionale"
                                 << "txtcn";
    QTest::newRow("pension 10") << "2024"
                                << "1"
                                << "10"
                                << "una sola cifra"
                                << "txtcn";
}

void TestInvoiceCommands::saveRefusesWhatCannotBeStored()
{
    QFETCH(QString, year);
    QFETCH(QString, number);
    QFETCH(QString, pension);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Session s;
    s.fillClient("Rossi");
    s.form.year = year.toStdString();
    s.form.number = number.toStdString();
    s.form.pension = pension.toStdString();
    const InvoiceForm before = s.form;
    s.dialogs.clear();

    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.dialogs.shown().size(), std::size_t(1));
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY2(QString::fromStdString(s.dialogs.last().text).contains(message), s.dialogs.last().text.c_str());
    QCOMPARE(QString::fromStdString(s.form.focusField), focus);
    QVERIFY(s.dir.bytes("12024.arc").empty());
    QVERIFY(s.dir.bytes("12024.imp").empty());
    QVERIFY(!s.dir.exists("clienti"));
    QCOMPARE(s.form.buffer, before.buffer);
    QCOMPARE(s.state.nextNumber, std::int16_t(1));
}

void TestInvoiceCommands::saveOfANumberBelowOneDoesNothing()
{
    Session s;
    s.fillClient("Rossi");
    s.form.number = "0";
    s.dialogs.clear();
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(titles(s.dialogs), (std::vector<std::string> {"ATTENZIONE"}));
    QVERIFY(s.dir.bytes("12024.arc").empty());
    QCOMPARE(s.state.clientCount, std::int16_t(0));
}

void TestInvoiceCommands::saveAsksAboutWhatLooksWrong_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("regime");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QString>("question"); // part of it; empty: nothing asked
    QTest::addColumn<int>("stored"); // invoices in the book after the save

    // Today is 10 May 2024 and the book's first free number is 1.
    QTest::newRow("a right invoice") << "10"
                                     << "Rossi"
                                     << "RF01"
                                     << "1" << true << "" << 1;
    QTest::newRow("31 May, No") << "31"
                                << "Rossi"
                                << "RF01"
                                << "1" << false << "la data 31/05/2024 è successiva a oggi" << 0;
    QTest::newRow("31 May, Sì") << "31"
                                << "Rossi"
                                << "RF01"
                                << "1" << true << "successiva a oggi" << 1;
    QTest::newRow("32 May") << "32"
                            << "Rossi"
                            << "RF01"
                            << "1" << false << "la data 32/05/2024 non esiste" << 0;
    QTest::newRow("no date") << ""
                             << "Rossi"
                             << "RF01"
                             << "1" << false << "la data della fattura non è indicata" << 0;
    QTest::newRow("no client") << "10"
                               << ""
                               << "RF01"
                               << "1" << false << "il cliente non è indicato" << 0;
    QTest::newRow("VAT in the flat-rate regime")
        << "10"
        << "Rossi"
        << "RF19"
        << "1" << false << "nel regime forfettario la fattura non ha IVA, ma l'IVA è al 22%" << 0;
    QTest::newRow("gap of one") << "10"
                                << "Rossi"
                                << "RF01"
                                << "2" << true
                                << "Sarà creata la fattura vuota n. 1: la numerazione non deve avere buchi. Continuare?"
                                << 2;
    QTest::newRow("gap of two, No") << "10"
                                    << "Rossi"
                                    << "RF01"
                                    << "3" << false
                                    << "Saranno create le fatture vuote n. 1 e n. 2: la numerazione non deve avere "
                                       "buchi. Continuare?"
                                    << 0;
    QTest::newRow("longer gap") << "10"
                                << "Rossi"
                                << "RF01"
                                << "5" << true << "Saranno create le fatture vuote dalla n. 1 alla n. 4" << 5;
}

void TestInvoiceCommands::saveAsksAboutWhatLooksWrong()
{
    QFETCH(QString, day);
    QFETCH(QString, surname);
    QFETCH(QString, regime);
    QFETCH(QString, number);
    QFETCH(bool, answerYes);
    QFETCH(QString, question);
    QFETCH(int, stored);

    Session s;
    s.fillClient(surname.toStdString());
    if (surname.isEmpty())
        s.form.client = archive::PartyRecord {};
    s.form.day = day.toStdString();
    s.form.number = number.toStdString();
    s.state.issuerTerms.fiscalRegime = regime.toStdString();
    s.dialogs.clear();
    s.dialogs.queueAnswer(answerYes ? ui::Answer::Yes : ui::Answer::No);
    app::saveInvoice(s.form, s.state, s.dialogs, app::FixedClock(2024, 5, 10));

    std::vector<std::string> asked;
    for (const auto& shown : s.dialogs.shown())
        if (shown.buttons == ui::Buttons::YesNo)
            asked.push_back(shown.text);
    QCOMPARE(asked.size(), std::size_t(question.isEmpty() ? 0 : 1));
    if (!question.isEmpty())
        QVERIFY2(QString::fromStdString(asked.front()).contains(question), asked.front().c_str());
    QCOMPARE(s.state.nextNumber, std::int16_t(stored + 1));
    QCOMPARE(s.dir.bytes("12024.arc").size(), std::size_t(stored) * archive::InvoiceRecordSize);
}

void TestInvoiceCommands::saveOverAnotherStoredInvoiceAsks()
{
    Session s;
    s.fillClient("Rossi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    // On the new invoice 2, number 1 typed by mistake.
    s.fillClient("Verdi");
    s.form.number = "1";
    for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
        s.dialogs.clear();
        s.dialogs.queueAnswer(answer);
        app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
        QCOMPARE(s.dialogs.shown().front().text,
                 std::string("La fattura n. 1 è già salvata: sarà sostituita da quella sullo schermo. Continuare?"));
        QCOMPARE(surnameAt(s.book(), 1), std::string(answer == ui::Answer::Yes ? "Verdi" : "Rossi"));
    }
    // Saved again under its own number, it asks nothing.
    s.dialogs.clear();
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(titles(s.dialogs), (std::vector<std::string> {"Operazione effettuata"}));
}

void TestInvoiceCommands::saveTellsAndMovesOn()
{
    Session s;
    s.fillClient("Rossi");
    s.dialogs.clear();
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.dialogs.shown().size(), std::size_t(1));
    QCOMPARE(s.dialogs.last().text, Saved);
    QCOMPARE(s.dialogs.last().title, std::string("Operazione effettuata"));
    QCOMPARE(s.dir.bytes("12024.imp"), (Bytes {2, 0}));
    QCOMPARE(s.form.number, std::string("2"));
    QCOMPARE(surnameAt(s.book(), 1), std::string("Rossi"));
}

void TestInvoiceCommands::failedSaveIsNeverReportedAsSaved()
{
    Session s;
    s.fillClient("Rossi");
    s.form.number = "1";
    const InvoiceForm before = s.form;
    s.dialogs.clear();
    {
        FaultyFileSystem fs(s.state.dataDir);
        fs.fail(FaultyFileSystem::Op::Write, "12024.imp");
        app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    }
    QCOMPARE(titles(s.dialogs), (std::vector<std::string> {"ATTENZIONE"}));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains("non è stata salvata"));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains("12024.imp"));
    QCOMPARE(s.state.nextNumber, std::int16_t(1));
    QCOMPARE(s.form.number, std::string("1"));
    QCOMPARE(s.form.client, before.client);
    QVERIFY(s.dir.bytes("12024.imp").empty());
}

void TestInvoiceCommands::clientIsRegisteredOnce_data()
{
    QTest::addColumn<QString>("secondSurname");
    QTest::addColumn<QString>("secondPostCode");
    QTest::addColumn<int>("clients");
    QTest::newRow("same client, other post code") << "Rossi"
                                                  << "40100" << 1;
    QTest::newRow("blanks around do not count") << "  Rossi "
                                                << "" << 1;
    QTest::newRow("case differs") << "ROssi"
                                  << "" << 2;
}

void TestInvoiceCommands::clientIsRegisteredOnce()
{
    QFETCH(QString, secondSurname);
    QFETCH(QString, secondPostCode);
    QFETCH(int, clients);
    Session s;
    s.fillClient("Rossi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    s.fillClient(secondSurname.toStdString());
    s.form.client.postCode = secondPostCode.toStdString();
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());

    QCOMPARE(s.state.nextNumber, std::int16_t(3));
    QCOMPARE(s.state.clientCount, std::int16_t(clients));
    QCOMPARE(s.dir.bytes("clienti").size(), std::size_t(clients * 173));
    QCOMPARE(archive::readClientCount(s.dir.data()).value(), std::int16_t(clients));
}

void TestInvoiceCommands::previousAndNextStayInsideTheBook_data()
{
    QTest::addColumn<bool>("next");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("shownNumber");
    QTest::addColumn<QString>("surname");
    QTest::newRow("previous on 1") << false << " 1"
                                   << " 1"
                                   << "A";
    QTest::newRow("previous on empty") << false << ""
                                       << ""
                                       << "A";
    QTest::newRow("previous on 3") << false << " 3"
                                   << " 2"
                                   << "B";
    QTest::newRow("next on N") << true << "5"
                               << "5"
                               << "A";
    QTest::newRow("next on 0") << true << "0"
                               << "0"
                               << "A";
    QTest::newRow("next from N-1") << true << " 4"
                                   << " 5"
                                   << "slot";
    QTest::newRow("next from 1") << true << " 1"
                                 << " 2"
                                 << "B";
}

void TestInvoiceCommands::previousAndNextStayInsideTheBook()
{
    QFETCH(bool, next);
    QFETCH(QString, number);
    QFETCH(QString, shownNumber);
    QFETCH(QString, surname);
    TestDir dir;
    AppState state = stateIn(dir);
    bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    ScriptedDialogs dialogs;
    app::yearChanged(form, state, dialogs, test::lateClock());
    // The window shows invoice A whatever number is typed: only a move loads another one.
    QVERIFY(archive::loadInvoice(form, state, 1).ok());
    form.number = number.toStdString();

    if (next)
        app::nextInvoice(form, state, dialogs, test::lateClock());
    else
        app::previousInvoice(form, state, dialogs, test::lateClock());
    QCOMPARE(QString::fromStdString(form.number), shownNumber);
    QCOMPARE(QString::fromStdString(trimmed(form.client.surname)), surname);
    QVERIFY(dialogs.shown().empty());
    QCOMPARE(state.nextNumber, std::int16_t(5));
}

void TestInvoiceCommands::newAsksFirst()
{
    Session s;
    s.fillClient("Rossi");
    s.form.number = "7";
    s.form.amount[0] = "100";
    s.form.taxable = "100,00";
    s.form.vat = "10";
    s.form.onAccount = true;
    s.form.balance = false;
    s.form.extraLines.description[0] = "line 4";
    s.form.buffer.currency = "l";
    const InvoiceForm before = s.form;
    // Nothing typed since: the question is the one about clearing the fields.
    archive::markUnchanged(s.form);

    s.dialogs.queueAnswer(ui::Answer::Cancel);
    app::newInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.dialogs.last().buttons, ui::Buttons::OkCancel);
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QCOMPARE(s.form.client, before.client);
    QCOMPARE(s.form.extraLines, before.extraLines);

    app::newInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.form.client, archive::PartyRecord {});
    QCOMPARE(s.form.amount[0], std::string());
    QCOMPARE(s.form.taxable, std::string());
    QCOMPARE(s.form.vat, std::string("22"));
    QVERIFY(s.form.balance && !s.form.onAccount);
    QCOMPARE(s.form.extraLines, archive::ExtraLinesRecord {});
    QCOMPARE(s.form.buffer.currency, std::string("e"));
    QCOMPARE(s.form.number, std::string("7"));
    QCOMPARE(s.form.year, std::string("2024"));
    QVERIFY(s.dir.bytes("12024.arc").empty());
}

void TestInvoiceCommands::yearOfThreeCharactersLoadsNothing()
{
    Session s;
    s.fillClient("Rossi");
    s.form.year = "202";
    app::yearChanged(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(trimmed(s.form.client.surname), std::string("Rossi"));
    QVERIFY(!s.dir.exists("1202.arc"));

    archive::markUnchanged(s.form);
    s.form.year = "2008";
    app::yearChanged(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.form.client.surname, std::string());
    QVERIFY(s.dir.exists("12008.arc"));
    QVERIFY(s.dialogs.shown().empty());
}

void TestInvoiceCommands::failedYearSwitchIsTold()
{
    Session s;
    FaultyFileSystem fs(s.state.dataDir);
    fs.fail(FaultyFileSystem::Op::Open, "12025.agg");
    s.form.year = "2025";
    app::yearChanged(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(titles(s.dialogs), (std::vector<std::string> {"ATTENZIONE"}));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains("12025.agg"));
}

void TestInvoiceCommands::clientListOfAnEmptyArchive()
{
    Session s;
    s.state.clientCount = 3; // the file's value wins
    const auto entries = app::loadClientList(s.state, s.dialogs);
    QVERIFY(entries);
    QCOMPARE(*entries, (std::vector<std::string> {" "}));
    QCOMPARE(s.dialogs.last().text, std::string("L'ARCHIVIO DEI CLIENTI E' VUOTO"));
    QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
    QCOMPARE(s.state.clientCount, std::int16_t(0));
    QCOMPARE(s.dialogs.busyCount(), 1);
    QVERIFY(!s.dialogs.busy());
}

void TestInvoiceCommands::clientListAsStored()
{
    Session s;
    s.fillClient("Rossi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    s.fillClient("Rossi");
    s.form.client.firstName = "Anna";
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    s.dialogs.clear();

    const auto entries = app::loadClientList(s.state, s.dialogs);
    QVERIFY(entries);
    const std::string rossi = "Rossi" + std::string(24, ' ');
    QCOMPARE(*entries, (std::vector<std::string> {" ", rossi, rossi}));
    QVERIFY(s.dialogs.shown().empty());
    QVERIFY(!s.dialogs.busy());
}

void TestInvoiceCommands::failedClientListKeepsTheList()
{
    Session s;
    s.fillClient("Rossi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    s.dialogs.clear();
    FaultyFileSystem fs(s.state.dataDir);
    fs.fail(FaultyFileSystem::Op::Open, "clienti");
    QVERIFY(!app::loadClientList(s.state, s.dialogs));
    QCOMPARE(titles(s.dialogs), (std::vector<std::string> {"ATTENZIONE"}));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains("clienti"));
    QVERIFY(!s.dialogs.busy());
}

void TestInvoiceCommands::pickingAClient()
{
    Session s;
    s.fillClient("Rossi");
    s.form.client.title = "ing.";
    s.form.client.city = "Roma";
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());

    s.form.client.title = "avv.";
    app::pickClient(s.form, s.state, s.dialogs, 1);
    QCOMPARE(s.form.client.title, std::string("ing. "));
    QCOMPARE(s.form.client.city, "Roma" + std::string(31, ' '));

    app::pickClient(s.form, s.state, s.dialogs, 0);
    archive::PartyRecord titleOnly;
    titleOnly.title = "ing. ";
    QCOMPARE(s.form.client, titleOnly);

    s.form.client.surname = "typed";
    app::pickClient(s.form, s.state, s.dialogs, -1);
    QCOMPARE(s.form.client.surname, std::string("typed"));
}

void TestInvoiceCommands::deletingTheClientArchive()
{
    Session s;
    s.fillClient("Rossi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    s.dialogs.clear();

    s.dialogs.queueAnswer(ui::Answer::Cancel);
    app::deleteClientArchive(s.state, s.dialogs);
    QVERIFY(s.dir.exists("clienti"));
    QCOMPARE(s.state.clientCount, std::int16_t(1));

    app::deleteClientArchive(s.state, s.dialogs);
    QVERIFY(!s.dir.exists("clienti"));
    QCOMPARE(s.state.clientCount, std::int16_t(0));
    QCOMPARE(archive::readClientCount(s.dir.data()).value(), std::int16_t(0));
    QCOMPARE(s.dialogs.last().text, std::string("            FATTO    "));
    QCOMPARE(s.dialogs.last().title, std::string("CANCELLAZIONE ARCHIVIO CLIENTI"));

    // The next saved client is client 1 again.
    s.fillClient("Bianchi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    QCOMPARE(s.state.clientCount, std::int16_t(1));
    QCOMPARE(s.dir.bytes("clienti").size(), std::size_t(173));
}

void TestInvoiceCommands::deletingAMissingClientArchiveIsSilent()
{
    Session s;
    s.state.clientCount = 4;
    app::deleteClientArchive(s.state, s.dialogs);
    QCOMPARE(s.dialogs.shown().size(), std::size_t(1)); // the question only
    QCOMPARE(s.state.clientCount, std::int16_t(4));
}

void TestInvoiceCommands::failedClientArchiveDeletionIsTold_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("archiveLeft");
    QTest::newRow("archive stays") << int(FaultyFileSystem::Op::Rename) << "clienti" << true;
    // The archive goes with its count or not at all.
    QTest::newRow("count not written") << int(FaultyFileSystem::Op::Write) << "impost" << true;
}

void TestInvoiceCommands::failedClientArchiveDeletionIsTold()
{
    QFETCH(int, op);
    QFETCH(QString, file);
    QFETCH(bool, archiveLeft);
    Session s;
    s.fillClient("Rossi");
    app::saveInvoice(s.form, s.state, s.dialogs, test::lateClock());
    s.dialogs.clear();
    {
        FaultyFileSystem fs(s.state.dataDir);
        fs.fail(static_cast<FaultyFileSystem::Op>(op), file.toStdString());
        app::deleteClientArchive(s.state, s.dialogs);
    }
    QCOMPARE(titles(s.dialogs), (std::vector<std::string> {"ATTENZIONE", "ATTENZIONE"}));
    QVERIFY(QString::fromStdString(s.dialogs.last().text).contains(file));
    QCOMPARE(s.dir.exists("clienti"), archiveLeft);
    QCOMPARE(s.state.clientCount, std::int16_t(1));
    QCOMPARE(archive::readClientCount(s.dir.data()).value(), std::int16_t(1));
}

QTEST_GUILESS_MAIN(TestInvoiceCommands)
#include "test_invoice_commands.moc"
