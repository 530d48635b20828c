#include "archive/book.h"
#include "archive/issuers.h"
#include "archive/lifecycle.h"
#include "archive/maintenance.h"
#include "archive/settings.h"

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

std::vector<std::string> surnames(const BookPaths& book, int last)
{
    std::vector<std::string> names;
    for (int n = 1; n <= last; ++n)
        names.push_back(surnameAt(book, n));
    return names;
}

std::vector<std::string> lines(const BookPaths& book, int last)
{
    std::vector<std::string> names;
    for (int n = 1; n <= last; ++n)
        names.push_back(lineAt(book, n));
    return names;
}

using Names = std::vector<std::string>;

PartyRecord issuerNamed(const std::string& surname)
{
    PartyRecord issuer;
    issuer.surname = surname;
    return issuer;
}

} // namespace

class TestMaintenance : public QObject {
    Q_OBJECT

private slots:
    void insertMovesTheFollowingInvoicesUp();
    void deleteMovesTheFollowingInvoicesDown();
    void deletingTheLastInvoiceShowsANewSlot();
    void failedShiftKeepsTheCounter();
    void deleteYearRemovesOnlyThatBook();
    void deleteYearWithoutFilesFails();
    void resetAllDeletesBooksAndIssuers();
    void resetAllWithNothingToDelete();
    void resetAllPutsEverythingBackWhenAFileStays();
};

void TestMaintenance::insertMovesTheFollowingInvoicesUp()
{
    TestDir dir;
    AppState state = stateIn(dir);
    const BookPaths book = bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    QVERIFY(loadInvoice(form, state, 2).ok());
    form.number = " 2";

    QVERIFY(insertInvoice(form, state, 2).ok());
    QCOMPARE(surnames(book, 6), (Names {"A", "", "B", "C", "D", "slot"}));
    QCOMPARE(lines(book, 6), (Names {"A", "", "B", "C", "D", "slot"}));
    const InvoiceRecord inserted = readInvoice(book, 2).value();
    QCOMPARE(inserted.vat, std::string("22"));
    QCOMPARE(inserted.kind, std::string("s"));
    QCOMPARE(inserted.currency, std::string("e"));
    QCOMPARE(inserted.rate, 1936.27f);
    QCOMPARE(dir.bytes("12024.imp"), (Bytes {6, 0}));
    QCOMPARE(state.nextNumber, std::int16_t(6));
    QCOMPARE(form.number, std::string(" 2"));
    QCOMPARE(form.buffer.currency, std::string("e"));
    QCOMPARE(form.buffer.rate, 1936.27f);
    QCOMPARE(form.vat, std::string("22"));
    QCOMPARE(form.client.surname, std::string());
    QCOMPARE(form.extraLines, ExtraLinesRecord {});
}

void TestMaintenance::deleteMovesTheFollowingInvoicesDown()
{
    TestDir dir;
    AppState state = stateIn(dir);
    const BookPaths book = bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    QVERIFY(loadInvoice(form, state, 2).ok());

    QVERIFY(deleteInvoice(form, state, 2).ok());
    QCOMPARE(surnames(book, 4), (Names {"A", "C", "D", "slot"}));
    QCOMPARE(lines(book, 4), (Names {"A", "C", "D", "slot"}));
    QCOMPARE(dir.bytes("12024.imp"), (Bytes {4, 0}));
    QCOMPARE(state.nextNumber, std::int16_t(4));
    QCOMPARE(trimmed(form.client.surname), std::string("C"));
    QCOMPARE(trimmed(form.extraLines.description[0]), std::string("C"));
    // The former invoice 3 keeps its own rate.
    QCOMPARE(form.buffer.rate, 1003.0f);
    QCOMPARE(form.rateText, std::string("1003,00"));
}

void TestMaintenance::deletingTheLastInvoiceShowsANewSlot()
{
    TestDir dir;
    AppState state = stateIn(dir);
    const BookPaths book = bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    writeInvoice(book, 5, InvoiceRecord {}); // a slot without currency, as zero bytes read

    QVERIFY(deleteInvoice(form, state, 4).ok());
    QCOMPARE(state.nextNumber, std::int16_t(4));
    QCOMPARE(surnames(book, 3), (Names {"A", "B", "C"}));
    QCOMPARE(trimmed(form.client.surname), std::string());
    QCOMPARE(form.buffer.currency, std::string("e"));
    QCOMPARE(form.buffer.rate, 1936.27f);
}

void TestMaintenance::failedShiftKeepsTheCounter()
{
    TestDir dir;
    AppState state = stateIn(dir);
    const BookPaths book = bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    QVERIFY(switchYear(form, state).ok());
    QVERIFY(loadInvoice(form, state, 2).ok());
    const InvoiceForm before = form;
    {
        FaultyFileSystem fs(state.dataDir);
        fs.fail(FaultyFileSystem::Op::Write, "12024.agg", 1);
        const Status inserted = insertInvoice(form, state, 2);
        QVERIFY(!inserted.ok());
        QVERIFY(QString::fromStdString(inserted.error().path).endsWith("12024.agg"));
        const Status deleted = deleteInvoice(form, state, 2);
        QVERIFY(!deleted.ok());
    }
    QCOMPARE(dir.bytes("12024.imp"), (Bytes {5, 0}));
    QCOMPARE(state.nextNumber, std::int16_t(5));
    QCOMPARE(form.buffer, before.buffer);
    QCOMPARE(form.client, before.client);
}

void TestMaintenance::deleteYearRemovesOnlyThatBook()
{
    TestDir dir;
    AppState state = stateIn(dir);
    bookOfFour(state, "2007");
    bookOfFour(state, "2008");
    QVERIFY(deleteYear(state, "2007").ok());
    for (const char* name : {"12007.arc", "12007.agg", "12007.imp"})
        QVERIFY2(!dir.exists(name), name);
    for (const char* name : {"12008.arc", "12008.agg", "12008.imp"})
        QVERIFY2(dir.exists(name), name);
}

void TestMaintenance::deleteYearWithoutFilesFails()
{
    TestDir dir;
    AppState state = stateIn(dir);
    const Status status = deleteYear(state, "2007");
    QVERIFY(!status.ok());
    QVERIFY(QString::fromStdString(status.error().path).endsWith("12007.arc"));
}

void TestMaintenance::resetAllDeletesBooksAndIssuers()
{
    TestDir dir;
    AppState state = stateIn(dir);
    state.issuerCount = 2;
    state.currentIssuer = 2;
    state.currentIssuerRecord.surname = "Bianchi";
    bookOfFour(state, "2024");
    state.currentIssuer = 1;
    bookOfFour(state, "2023");
    QVERIFY(writeIssuer(dir.data(), 1, issuerNamed("Bianchi")).ok());
    dir.writeBytes("clienti", Bytes(173, ' '));
    dir.writeBytes("notes.txt", Bytes {'x'});

    QVERIFY(resetAll(state).ok());
    QCOMPARE(state.issuerCount, std::int16_t(0));
    QCOMPARE(state.currentIssuer, std::int16_t(0));
    QCOMPARE(state.currentIssuerRecord, PartyRecord {});
    QCOMPARE(state.nextNumber, std::int16_t(0));
    const Bytes settings = dir.bytes("impost");
    QVERIFY(settings.size() >= 12);
    QCOMPARE(settings[0] | settings[1], 0);
    QCOMPARE(settings[8] | settings[9], 0);
    for (const char* name : {"22024.arc", "22024.agg", "22024.imp", "12023.arc", "12023.agg", "12023.imp", "emit"})
        QVERIFY2(!dir.exists(name), name);
    QVERIFY(dir.exists("clienti"));
    QVERIFY(dir.exists("notes.txt"));
}

void TestMaintenance::resetAllWithNothingToDelete()
{
    TestDir dir;
    AppState state = stateIn(dir);
    QVERIFY(resetAll(state).ok());
    QCOMPARE(state.issuerCount, std::int16_t(0));
}

void TestMaintenance::resetAllPutsEverythingBackWhenAFileStays()
{
    TestDir dir;
    AppState state = stateIn(dir);
    bookOfFour(state, "2024");
    QVERIFY(writeIssuer(dir.data(), 1, issuerNamed("Bianchi")).ok());
    dir.writeBytes("emit.fe", Bytes(146, ' '));
    QVERIFY(writeIssuerCount(dir.data(), 1).ok());
    const Bytes settings = dir.bytes("impost");
    FaultyFileSystem fs(state.dataDir);
    fs.fail(FaultyFileSystem::Op::Rename, "emit.fe");
    const Status status = resetAll(state, {dir.file("emit.fe")});
    QVERIFY(!status.ok());
    QVERIFY(QString::fromStdString(status.error().path).endsWith("emit.fe"));
    for (const char* name : {"12024.arc", "12024.agg", "12024.imp", "emit", "emit.fe"})
        QVERIFY2(dir.exists(name), name);
    QCOMPARE(dir.bytes("impost"), settings);
    QCOMPARE(state.issuerCount, std::int16_t(1));
    QCOMPARE(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files).size(), qsizetype(6));
}

QTEST_GUILESS_MAIN(TestMaintenance)
#include "test_maintenance.moc"
