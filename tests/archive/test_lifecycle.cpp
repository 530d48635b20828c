#include "archive/clients.h"
#include "archive/lifecycle.h"

#include "faulty_file_system.h"
#include "invoice_books.h"
#include "test_dir.h"

#include <QtTest>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;
using namespace tessaro::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

InvoiceForm filledForm(const std::string& surname, const std::string& number)
{
    InvoiceForm form = formOfYear("2024", number);
    form.client.surname = surname;
    form.client.vatNumber = "01234567890";
    form.amount[0] = "100";
    form.extraLines.description[6] = "line 10";
    return form;
}

} // namespace

class TestLifecycle : public QObject {
    Q_OBJECT

private slots:
    void yearNeedsFourCharacters_data();
    void yearNeedsFourCharacters();
    void numberFieldAsRecordNumber_data();
    void numberFieldAsRecordNumber();
    void pensionMustSurviveOneByte_data();
    void pensionMustSurviveOneByte();
    void newBookStartsAtOne();
    void shortYearLoadsNothing();
    void switchShowsTheFirstFreeNumber();
    void loadKeepsStoredCurrencyAndRate();
    void newInvoiceStartsAsTheIssuerChose_data();
    void newInvoiceStartsAsTheIssuerChose();
    void slotPastTheCounterGetsNewCurrency();
    void firstSaveMovesToTheNextNumber();
    void saveBeyondNFillsTheGap();
    void saveBeforeNRewritesInPlace();
    void failedWriteLeavesEverythingAsItWas_data();
    void failedWriteLeavesEverythingAsItWas();
    void failedYearSwitchKeepsTheBookOnScreen();
};

void TestLifecycle::yearNeedsFourCharacters_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("book");
    QTest::newRow("2008") << "2008" << true;
    QTest::newRow("three") << "208" << false;
    QTest::newRow("five") << "20088" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("characters, not bytes") << "20è8" << true;
}

void TestLifecycle::yearNeedsFourCharacters()
{
    QFETCH(QString, year);
    QFETCH(bool, book);
    QCOMPARE(isBookYear(year.toStdString()), book);
}

void TestLifecycle::numberFieldAsRecordNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("leading blank") << " 12" << 12;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("negative") << "-3" << 0;
    QTest::newRow("counter limit") << "32767" << 32767;
    QTest::newRow("huge saturates") << "99999999999" << 1000000;
}

void TestLifecycle::numberFieldAsRecordNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(invoiceNumber(text.toStdString()), number);
}

void TestLifecycle::pensionMustSurviveOneByte_data()
{
    QTest::addColumn<QString>("pension");
    QTest::addColumn<bool>("fits");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("one digit") << "4" << true;
    QTest::newRow("stored blank") << " " << true;
    QTest::newRow("decimal") << "2.5" << false;
    QTest::newRow("two digits") << "10" << false;
    QTest::newRow("leading blank") << " 5" << false;
    QTest::newRow("trailing point") << "5." << true;
}

void TestLifecycle::pensionMustSurviveOneByte()
{
    QFETCH(QString, pension);
    QFETCH(bool, fits);
    QCOMPARE(pensionFitsRecord(pension.toStdString()), fits);
}

void TestLifecycle::newBookStartsAtOne()
{
    TestDir dir;
    AppState state = stateIn(dir);
    InvoiceForm form = formOfYear("2024", "7");
    form.client.surname = "old";
    form.vat = "10";
    form.taxable = "99,00";
    QVERIFY(switchYear(form, state).ok());

    QCOMPARE(state.nextNumber, std::int16_t(1));
    QCOMPARE(form.number, std::string("1"));
    QCOMPARE(form.client.surname, std::string());
    QCOMPARE(form.vat, std::string("22"));
    QCOMPARE(form.taxable, std::string());
    QCOMPARE(form.buffer.currency, std::string("e"));
    QCOMPARE(form.buffer.rate, 1936.27f);
    QCOMPARE(form.rateText, std::string("1936,27"));
    for (const char* name : {"12024.arc", "12024.agg", "12024.imp"}) {
        QVERIFY2(dir.exists(name), name);
        QVERIFY(dir.bytes(name).empty());
    }
}

void TestLifecycle::shortYearLoadsNothing()
{
    TestDir dir;
    AppState state = stateIn(dir);
    state.nextNumber = 9;
    InvoiceForm form = formOfYear("208", "3");
    form.client.surname = "kept";
    QVERIFY(switchYear(form, state).ok());
    QCOMPARE(state.nextNumber, std::int16_t(9));
    QCOMPARE(form.number, std::string("3"));
    QCOMPARE(form.client.surname, std::string("kept"));
    QVERIFY(!dir.exists("1208.arc"));
    QVERIFY(!dir.exists("1208.imp"));
}

void TestLifecycle::switchShowsTheFirstFreeNumber()
{
    TestDir dir;
    AppState state = stateIn(dir);
    bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    QCOMPARE(state.nextNumber, std::int16_t(5));
    QCOMPARE(form.number, std::string("5"));
    // Record 5 is the slot: its texts show, its rate gives way to EuroRate.
    QCOMPARE(trimmed(form.client.surname), std::string("slot"));
    QCOMPARE(form.buffer.rate, 1936.27f);
    QCOMPARE(trimmed(form.extraLines.description[0]), std::string("slot"));
}

void TestLifecycle::loadKeepsStoredCurrencyAndRate()
{
    TestDir dir;
    AppState state = stateIn(dir);
    state.nextNumber = 5;
    const BookPaths book = bookOfFour(state);
    InvoiceRecord lire = invoiceOf("Lire", "l", 1000.5f);
    lire.kind = "a";
    writeInvoice(book, 2, lire);
    InvoiceForm form = formOfYear("2024");
    form.taxable = "1";
    form.vatAmount = "2";
    form.withholdingAmount = "3";
    form.total = "4";
    QVERIFY(loadInvoice(form, state, 2).ok());
    QCOMPARE(trimmed(form.client.surname), std::string("Lire"));
    QCOMPARE(form.buffer.currency, std::string("l"));
    QCOMPARE(form.buffer.rate, 1000.5f);
    QCOMPARE(form.rateText, std::string("1000,50"));
    QVERIFY(form.onAccount);
    QCOMPARE(trimmed(form.extraLines.description[0]), std::string("B"));
    // The results of another invoice are gone; a stored one shows its own.
    QCOMPARE(form.taxable + "|" + form.total, std::string(" 0| 0")); // whole lire, sign position first
}

void TestLifecycle::newInvoiceStartsAsTheIssuerChose_data()
{
    QTest::addColumn<QString>("regime");
    QTest::addColumn<QString>("chosenVat");
    QTest::addColumn<QString>("vat");
    QTest::addColumn<QString>("pension");

    QTest::newRow("nothing chosen") << "RF01"
                                    << ""
                                    << "22"
                                    << "";
    QTest::newRow("flat rate") << "RF19"
                               << ""
                               << "0"
                               << "4";
    QTest::newRow("a rate chosen") << "RF01"
                                   << "10"
                                   << "10"
                                   << "4";
}

void TestLifecycle::newInvoiceStartsAsTheIssuerChose()
{
    QFETCH(QString, regime);
    QFETCH(QString, chosenVat);
    QFETCH(QString, vat);
    QFETCH(QString, pension);

    TestDir dir;
    AppState state = stateIn(dir);
    state.issuerTerms.fiscalRegime = regime.toStdString();
    state.issuerTerms.newVat = chosenVat.toStdString();
    state.issuerTerms.newPension = pension.toStdString();
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    // The first free number, "Nuova" and the blank invoice of a gap alike.
    form.vat = form.pension = "7";
    clearInvoice(form, state);
    for (const std::string& shown : {form.vat, blankInvoice(state).vat})
        QCOMPARE(shown, vat.toStdString());
    QCOMPARE(form.pension, pension.toStdString());
    QVERIFY(!hasUnsavedChanges(form));
}

void TestLifecycle::slotPastTheCounterGetsNewCurrency()
{
    TestDir dir;
    AppState state = stateIn(dir);
    state.nextNumber = 5;
    state.currency = Currency::Lire;
    state.euroRate = 2000;
    bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(loadInvoice(form, state, 9).ok());
    QCOMPARE(form.buffer.currency, std::string("l"));
    QCOMPARE(form.buffer.rate, 2000.0f);
    QCOMPARE(form.client.surname, std::string());
}

void TestLifecycle::firstSaveMovesToTheNextNumber()
{
    TestDir dir;
    AppState state = stateIn(dir);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    form.client.surname = "Rossi";
    form.extraLines.description[0] = "line 4";
    form.taxable = "100,00";
    QVERIFY(saveInvoice(form, state, 1).ok());

    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    QCOMPARE(surnameAt(book, 1), std::string("Rossi"));
    QCOMPARE(lineAt(book, 1), std::string("line 4"));
    QCOMPARE(dir.bytes("12024.imp"), (Bytes {2, 0}));
    QCOMPARE(state.nextNumber, std::int16_t(2));
    QCOMPARE(state.clientCount, std::int16_t(1));
    QCOMPARE(form.number, std::string("2"));
    QCOMPARE(form.client.surname, std::string());
    QCOMPARE(form.vat, std::string("22"));
    // The new invoice starts without lines 4 to 10; the results stay on screen.
    QCOMPARE(form.extraLines, ExtraLinesRecord {});
    QCOMPARE(form.taxable, std::string("100,00"));
}

void TestLifecycle::saveBeyondNFillsTheGap()
{
    TestDir dir;
    AppState state = stateIn(dir);
    state.euroRate = 1000.5;
    InvoiceForm form = filledForm("First", "1");
    QVERIFY(switchYear(form, state).ok());
    form = filledForm("First", "1");
    QVERIFY(saveInvoice(form, state, 1).ok());
    QCOMPARE(state.nextNumber, std::int16_t(2));

    form = filledForm("Fifth", "5");
    QVERIFY(saveInvoice(form, state, 5).ok());
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    for (int gap = 2; gap <= 4; ++gap) {
        auto blank = readInvoice(book, gap);
        QVERIFY(blank.ok());
        QCOMPARE(trimmed(blank.value().client.surname), std::string());
        QCOMPARE(blank.value().vat, std::string("22"));
        QCOMPARE(blank.value().kind, std::string("s"));
        QCOMPARE(blank.value().currency, std::string("e"));
        QCOMPARE(blank.value().rate, 1000.5f);
    }
    QCOMPARE(surnameAt(book, 5), std::string("Fifth"));
    QCOMPARE(dir.bytes("12024.arc").size(), std::size_t(5 * 696));
    // The gap's extra lines are not written; invoice 5's are.
    QCOMPARE(dir.bytes("12024.agg").size(), std::size_t(5 * 343));
    QCOMPARE(lineAt(book, 3), std::string());
    QCOMPARE(dir.bytes("12024.imp"), (Bytes {6, 0}));
    QCOMPARE(state.nextNumber, std::int16_t(6));
    QCOMPARE(form.number, std::string("6"));
}

void TestLifecycle::saveBeforeNRewritesInPlace()
{
    TestDir dir;
    AppState state = stateIn(dir);
    const BookPaths book = bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    QVERIFY(loadInvoice(form, state, 3).ok());
    form.number = " 3";
    form.client.surname = "Changed";
    QVERIFY(saveInvoice(form, state, 3).ok());
    QCOMPARE(surnameAt(book, 3), std::string("Changed"));
    QCOMPARE(surnameAt(book, 4), std::string("D"));
    QCOMPARE(dir.bytes("12024.imp"), (Bytes {5, 0}));
    QCOMPARE(state.nextNumber, std::int16_t(5));
    QCOMPARE(form.number, std::string(" 3"));
    QCOMPARE(form.client.surname, std::string("Changed"));
    // The stored rate of invoice 3 is kept, not replaced by EuroRate.
    QCOMPARE(readInvoice(book, 3).value().rate, 1003.0f);
}

void TestLifecycle::failedWriteLeavesEverythingAsItWas_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("failedPath");
    const int write = int(FaultyFileSystem::Op::Write);
    QTest::newRow("invoice") << write << "12024.arc" << 0 << 1 << "12024.arc";
    QTest::newRow("extra lines") << write << "12024.agg" << 0 << 1 << "12024.agg";
    QTest::newRow("client") << write << "clienti" << 0 << 1 << "clienti";
    QTest::newRow("gap") << write << "12024.arc" << 2 << 6 << "12024.arc";
    QTest::newRow("counter") << write << "12024.imp" << 0 << 1 << "12024.imp";
}

void TestLifecycle::failedWriteLeavesEverythingAsItWas()
{
    QFETCH(int, op);
    QFETCH(QString, file);
    QFETCH(int, after);
    QFETCH(int, number);
    QFETCH(QString, failedPath);
    TestDir dir;
    AppState state = stateIn(dir);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    form = filledForm("Rossi", std::to_string(number));
    const InvoiceForm before = form;
    const AppState stateBefore = state;

    FaultyFileSystem fs(state.dataDir);
    fs.fail(static_cast<FaultyFileSystem::Op>(op), file.toStdString(), after);
    const Status status = saveInvoice(form, state, number);
    QVERIFY(!status.ok());
    QVERIFY(QString::fromStdString(status.error().path).endsWith(failedPath));
    QCOMPARE(form.number, before.number);
    QCOMPARE(form.client, before.client);
    QCOMPARE(form.buffer, before.buffer);
    QCOMPARE(form.extraLines, before.extraLines);
    QCOMPARE(state.nextNumber, stateBefore.nextNumber);
    // The client of an invoice not saved is not registered either.
    QCOMPARE(state.clientCount, std::int16_t(0));
    fs.heal();
    QCOMPARE(readCounter(bookPaths(dir.data(), 1, "2024")).value(), std::int16_t(0));
    QCOMPARE(dir.bytes("12024.arc").size(), std::size_t(0));
    QCOMPARE(dir.bytes("clienti").size(), std::size_t(0));
}

void TestLifecycle::failedYearSwitchKeepsTheBookOnScreen()
{
    TestDir dir;
    AppState state = stateIn(dir);
    bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    QVERIFY(loadInvoice(form, state, 2).ok());
    form.number = " 2";
    const InvoiceForm before = form;

    FaultyFileSystem fs(state.dataDir);
    fs.fail(FaultyFileSystem::Op::Open, "12025.imp");
    form.year = "2025";
    const Status status = switchYear(form, state);
    QVERIFY(!status.ok());
    QVERIFY(QString::fromStdString(status.error().path).endsWith("12025.imp"));
    QCOMPARE(state.nextNumber, std::int16_t(5));
    QCOMPARE(form.number, before.number);
    QCOMPARE(form.client, before.client);
    QCOMPARE(form.buffer, before.buffer);
}

QTEST_GUILESS_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
