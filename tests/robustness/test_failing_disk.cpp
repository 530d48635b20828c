// Commands run while the disk fails under them, through a fault-injecting
// file layer: each failure is told in an "ATTENZIONE" box naming the file,
// the run's state stays as it was, and every file is as before or (where
// the table says so) holds only records written whole, with the stored
// invoices and the counter untouched.
#include "archive/book.h"
#include "archive/recovery.h"
#include "archive/withholdings.h"
#include "faulty_file_system.h"
#include "program.h"
#include "test_dir.h"

#include <QtTest>

#include <functional>

using namespace tessaro;
using namespace tessaro::robustness;
using Op = test::FaultyFileSystem::Op;

namespace {

using Command = std::function<void(Program&)>;

constexpr std::size_t Stored = 3; // invoices of the healthy book
constexpr std::size_t StoredArc = Stored * archive::InvoiceRecordSize;
constexpr std::size_t StoredAgg = Stored * archive::ExtraLinesRecordSize;

// A client already in the archive, so that saving does not register one.
void pickKnownClient(Program& program)
{
    program.click("Command3");
    program.pickClient(1);
}

void saveNew(Program& program)
{
    program.type("txtimp1", "50");
    program.click("Command5");
}

void saveNewClient(Program& program)
{
    program.type("txtc1", "Nuovo");
    program.click("Command5");
}

void saveExisting(Program& program)
{
    program.type("txtnum", "2");
    program.type("txtimp1", "777");
    program.click("Command5");
}

void insertSecond(Program& program)
{
    program.type("txtnum", "2");
    program.menu("mnueins");
}

void showSecond(Program& program)
{
    program.type("txtnum", "1");
    program.click("Command7");
}

void recordPayment(Program& program)
{
    ui::PaymentsRequest payment;
    payment.action = ui::PaymentsRequest::Action::Record;
    payment.date = "15/03/2024";
    payment.amount = "100";
    program.dialogs().queuePaymentsRequest(payment);
    program.menu("mnuincfattura");
}

// A certificate typed before, so that the window lists its client.
void typedCertificate(Program& program)
{
    QVERIFY(archive::storeCertificate(program.state().dataDir, 1, Year, "CLIENTE1", archive::Certificate {100, 20},
                                      "Registra CU")
                .ok());
}

void recordCertificate(Program& program)
{
    program.dialogs().queueWithholdingsRequest(
        {ui::WithholdingsRequest::Action::RecordCertificate, std::to_string(Year), 0, "150", "30"});
    program.menu("mnuincrit");
}

void saveFlatRateSettings(Program& program)
{
    program.state().issuerTerms.fiscalRegime = "RF19";
    program.dialogs().queueFlatRateRequest(
        {ui::FlatRateRequest::Action::SaveSettings, "2024", {"67", "5", true, false, false, "", "100", false}});
    program.menu("mnuincforf");
}

void deleteSecond(Program& program)
{
    program.type("txtnum", "2");
    program.menu("mnuecanc");
}

struct Row {
    Command prepare;
    Command command;
    Op op;
    std::string file;
    int after = 0;
    bool shortWrite = false;
    bool everyFileAsBefore = true;
    bool invoiceAsBefore = true; // the invoice buffer of the window
    int times = -1; // failures before the disk works again; -1: it never does
};

} // namespace

Q_DECLARE_METATYPE(Row)

class TestFailingDisk : public QObject {
    Q_OBJECT

private slots:
    void failureIsToldAndUndone_data()
    {
        QTest::addColumn<Row>("row");
        const Command none = [](Program&) {};
        const Command loadClients = [](Program& p) { p.click("Command3"); };
        const auto add = [](const char* name, Row row) { QTest::newRow(name) << row; };
        add("save: invoice write", {pickKnownClient, saveNew, Op::Write, "12024.arc"});
        add("save: invoice half written", {pickKnownClient, saveNew, Op::Write, "12024.arc", 0, true});
        add("save existing: invoice read", {none, saveExisting, Op::Read, "12024.arc"});
        add("save: lines write", {pickKnownClient, saveNew, Op::Write, "12024.agg"});
        add("save: lines half written", {pickKnownClient, saveNew, Op::Write, "12024.agg", 0, true});
        add("save: counter write", {pickKnownClient, saveNew, Op::Write, "12024.imp"});
        add("save: counter half written", {pickKnownClient, saveNew, Op::Write, "12024.imp", 0, true});
        add("save: client archive read", {none, saveNewClient, Op::Read, "clienti"});
        add("save: client archive write", {none, saveNewClient, Op::Write, "clienti"});
        add("save: client count write", {none, saveNewClient, Op::Write, "impost"});
        add("save existing: lines write", {none, saveExisting, Op::Write, "12024.agg"});
        add("save existing: lines read", {none, saveExisting, Op::Read, "12024.agg"});
        add("insert: first move", {none, insertSecond, Op::Write, "12024.arc"});
        add("insert: empty invoice", {none, insertSecond, Op::Write, "12024.arc", 1, false, true, true, 1});
        add("insert: empty lines", {none, insertSecond, Op::Write, "12024.agg", 1, false, true, true, 1});
        add("insert: counter", {none, insertSecond, Op::Write, "12024.imp"});
        add("delete: first move", {none, deleteSecond, Op::Write, "12024.arc"});
        add("delete: lines move", {none, deleteSecond, Op::Write, "12024.agg"});
        add("delete: counter", {none, deleteSecond, Op::Write, "12024.imp"});
        add("delete: read back", {none, deleteSecond, Op::Read, "12024.arc", 2});
        add("client list: count", {none, loadClients, Op::Read, "impost"});
        add("client list: archive", {none, loadClients, Op::Read, "clienti"});
        add("pick client", {loadClients, [](Program& p) { p.pickClient(2); }, Op::Read, "clienti"});
        add("previous invoice", {none, [](Program& p) { p.click("command"); }, Op::Read, "12024.agg"});
        add("year switch", {none, [](Program& p) { p.type("txtanno", "2023"); }, Op::Open, "12023.arc"});
        add("year switch: counter",
            {none, [](Program& p) { p.type("txtanno", "2023"); }, Op::Read, "12023.imp", 0, false, false});
        add("totals", {none, [](Program& p) { p.menu("mnufcalctutt"); }, Op::Read, "12024.arc"});
        // Printing a year shows each invoice as it lays it out.
        add("print year", {none, [](Program& p) { p.printYear(); }, Op::Read, "12024.arc", 1, false, true, false});
        add("euro value",
            {none,
             [](Program& p) {
                 p.dialogs().queueInput("2000");
                 p.menu("mnutval");
             },
             Op::Write, "impost"});
        add("lire", {none, [](Program& p) { p.menu("mnumlire"); }, Op::Write, "tipo.mon"});
        add("commercial", {none, [](Program& p) { p.menu("mnutc"); }, Op::Write, "tipo.fat"});
        add("delete year",
            {none,
             [](Program& p) {
                 p.dialogs().queueInput("2024");
                 p.menu("mnuecancanno");
             },
             Op::Rename, "12024.arc"});
        add("reset all: settings", {none, [](Program& p) { p.menu("mnueazz"); }, Op::Write, "impost"});
        add("delete client archive", {none, [](Program& p) { p.menu("mnueazzcli"); }, Op::Rename, "clienti"});
        add("record a payment", {showSecond, recordPayment, Op::Write, "12024.inc"});
        add("record a payment: half written", {showSecond, recordPayment, Op::Write, "12024.inc", 0, true});
        add("record a certificate", {typedCertificate, recordCertificate, Op::Write, "certificazioni.fe"});
        add("record a certificate: half written",
            {typedCertificate, recordCertificate, Op::Write, "certificazioni.fe", 0, true});
        add("flat-rate settings", {none, saveFlatRateSettings, Op::Write, "reddito.fe"});
    }

    void failureIsToldAndUndone()
    {
        QFETCH(Row, row);
        test::TestDir dir;
        writeHealthyDirectory(dir.path(), int(Stored));
        Program program(dir.path());
        QVERIFY(program.start());
        row.prepare(program);
        program.dialogs().clear();
        const Snapshot before = snapshot(dir.path());
        const int next = program.state().nextNumber;
        const archive::InvoiceRecord invoice = program.form().buffer;
        const auto clients = program.state().clientCount;
        {
            test::FaultyFileSystem& fs = program.fs();
            if (row.shortWrite)
                fs.failShortWrite(row.file, row.after);
            else
                fs.fail(row.op, row.file, row.after, row.times);
            row.command(program);
            fs.heal();
        }
        const std::vector<std::string> warnings = program.warnings();
        QCOMPARE(warnings.size(), std::size_t(1));
        QVERIFY2(warnings.front().find(dir.file(row.file)) != std::string::npos, warnings.front().c_str());
        QCOMPARE(int(program.state().nextNumber), next);
        if (row.invoiceAsBefore)
            QVERIFY(program.form().buffer == invoice);
        QCOMPARE(program.state().clientCount, clients);
        const Snapshot after = snapshot(dir.path());
        if (row.everyFileAsBefore) {
            for (const auto& [name, bytes] : before)
                QVERIFY2(after.at(name) == bytes, name.c_str());
        }
        QCOMPARE(prefix(after.at("12024.arc"), StoredArc), prefix(before.at("12024.arc"), StoredArc));
        QCOMPARE(prefix(after.at("12024.agg"), StoredAgg), prefix(before.at("12024.agg"), StoredAgg));
        QCOMPARE(after.at("12024.imp"), before.at("12024.imp"));
        QCOMPARE(prefix(after.at("clienti"), before.at("clienti").size()), before.at("clienti"));
    }

    // Settings that cannot be read are not taken for a new installation: the
    // counts come from the archives and nothing is written over them.
    void unreadableSettingsKeepTheArchives()
    {
        test::TestDir dir;
        writeHealthyDirectory(dir.path(), int(Stored));
        const Snapshot before = snapshot(dir.path());
        Program program(dir.path());
        test::FaultyFileSystem& fs = program.fs();
        fs.fail(Op::Read, "impost");
        QVERIFY(program.start());
        QCOMPARE(int(program.state().issuerCount), 1);
        QCOMPARE(int(program.state().clientCount), 2);
        QCOMPARE(int(program.state().currentIssuer), 1);
        QCOMPARE(program.state().currentIssuerRecord.surname.substr(0, 5), std::string("Rossi"));
        QCOMPARE(int(program.state().nextNumber), int(Stored) + 1);
        QCOMPARE(fs.count(Op::Write, "impost"), 0);
        QVERIFY(snapshot(dir.path()) == before);
    }

    // A year whose book could not be loaded leaves the window on the book
    // before it: saving, inserting or deleting under the new year must not
    // touch the new year's invoices with numbers that belong to the old one.
    void commandsAfterAFailedYearSwitch_data()
    {
        QTest::addColumn<Command>("command");
        QTest::newRow("save") << Command(saveNew);
        QTest::newRow("save as invoice 2") << Command(saveExisting);
        QTest::newRow("insert") << Command(insertSecond);
        QTest::newRow("delete") << Command(deleteSecond);
    }

    void commandsAfterAFailedYearSwitch()
    {
        QFETCH(Command, command);
        test::TestDir dir;
        writeHealthyDirectory(dir.path(), int(Stored));
        Bytes arc;
        Bytes agg;
        for (int n = 1; n <= 10; ++n) {
            const Bytes invoice = invoiceBytes(n + 100);
            const Bytes lines = extraLinesBytes(n + 100);
            arc.insert(arc.end(), invoice.begin(), invoice.end());
            agg.insert(agg.end(), lines.begin(), lines.end());
        }
        writeFile(dir.path(), "12023.arc", arc);
        writeFile(dir.path(), "12023.agg", agg);
        writeFile(dir.path(), "12023.imp", int16Bytes(11));
        Program program(dir.path());
        QVERIFY(program.start());
        const Snapshot before = snapshot(dir.path());
        {
            test::FaultyFileSystem& fs = program.fs();
            fs.fail(Op::Read, "12023.imp", 0, 1);
            program.type("txtanno", "2023");
            fs.heal();
        }
        QCOMPARE(program.warnings().size(), std::size_t(1));
        program.dialogs().clear();
        command(program);
        QCOMPARE(program.warnings().size(), std::size_t(1));
        QVERIFY(snapshot(dir.path()) == before);
    }

    // The disk gives up after any number of operations while an invoice is
    // saved: the book reads either as before or with the new invoice, and a
    // save that did not finish said so.
    void diskGivingUpDuringASave()
    {
        for (int operations = 0;; ++operations) {
            test::TestDir dir;
            writeHealthyDirectory(dir.path(), int(Stored));
            Program program(dir.path());
            QVERIFY(program.start());
            pickKnownClient(program);
            program.dialogs().clear();
            const Snapshot before = snapshot(dir.path());
            {
                test::FaultyFileSystem& fs = program.fs();
                fs.failAfter(operations);
                saveNew(program);
                fs.heal();
            }
            const bool told = !program.warnings().empty();
            // The book as the next start finds it: a save the disk gave up on
            // in the middle is put back from its journal first.
            archive::recoverJournal(archive::DataDir(dir.path()));
            const archive::BookPaths book = archive::bookPaths(archive::DataDir(dir.path()), 1, "2024");
            const int next = archive::readCounter(book).value();
            QCOMPARE(int(program.state().nextNumber), next);
            QCOMPARE(prefix(readFile(dir.path(), "12024.arc"), StoredArc), before.at("12024.arc"));
            QCOMPARE(prefix(readFile(dir.path(), "12024.agg"), StoredAgg), before.at("12024.agg"));
            if (next == int(Stored) + 1) {
                QVERIFY2(told, qPrintable(QString::number(operations)));
            } else {
                QCOMPARE(next, int(Stored) + 2);
                QCOMPARE(archive::readInvoice(book, int(Stored) + 1).value().amount[0].substr(0, 2), std::string("50"));
            }
            if (!told)
                break;
            QVERIFY(operations < 200);
        }
    }

    // One write of the book fails, at any point of an insertion or a
    // deletion: the book reads either as before or as the command leaves it,
    // never with an invoice copied twice or pushed past the counter.
    void oneFailedWriteDuringARenumbering_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QString>("file");
        QTest::newRow("insert, invoices") << true << "12024.arc";
        QTest::newRow("insert, lines") << true << "12024.agg";
        QTest::newRow("insert, counter") << true << "12024.imp";
        QTest::newRow("delete, invoices") << false << "12024.arc";
        QTest::newRow("delete, lines") << false << "12024.agg";
        QTest::newRow("delete, counter") << false << "12024.imp";
    }

    void oneFailedWriteDuringARenumbering()
    {
        QFETCH(bool, insert);
        QFETCH(QString, file);
        for (int writes = 0;; ++writes) {
            test::TestDir dir;
            writeHealthyDirectory(dir.path(), int(Stored));
            Program program(dir.path());
            QVERIFY(program.start());
            program.dialogs().clear();
            const Snapshot before = snapshot(dir.path());
            {
                test::FaultyFileSystem& fs = program.fs();
                fs.fail(Op::Write, file.toStdString(), writes, 1);
                (insert ? insertSecond : deleteSecond)(program);
                fs.heal();
            }
            const bool told = !program.warnings().empty();
            const archive::BookPaths book = archive::bookPaths(archive::DataDir(dir.path()), 1, "2024");
            const int next = archive::readCounter(book).value();
            QCOMPARE(int(program.state().nextNumber), next);
            if (told) {
                QCOMPARE(next, int(Stored) + 1);
                QVERIFY(snapshot(dir.path()) == before);
                QVERIFY(writes < 100);
                continue;
            }
            const Bytes arc = readFile(dir.path(), "12024.arc");
            const std::size_t record = archive::InvoiceRecordSize;
            const auto invoiceAt = [&](const Bytes& bytes, std::size_t n) {
                return Bytes(bytes.begin() + std::ptrdiff_t((n - 1) * record),
                             bytes.begin() + std::ptrdiff_t(n * record));
            };
            const Bytes& old = before.at("12024.arc");
            if (insert) {
                QCOMPARE(next, int(Stored) + 2);
                QCOMPARE(invoiceAt(arc, 1), invoiceAt(old, 1));
                QCOMPARE(invoiceAt(arc, 3), invoiceAt(old, 2));
                QCOMPARE(invoiceAt(arc, 4), invoiceAt(old, 3));
            } else {
                QCOMPARE(next, int(Stored));
                QCOMPARE(invoiceAt(arc, 1), invoiceAt(old, 1));
                QCOMPARE(invoiceAt(arc, 2), invoiceAt(old, 3));
            }
            break;
        }
    }
};

QTEST_MAIN(TestFailingDisk)
#include "test_failing_disk.moc"
