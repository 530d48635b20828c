// Every command that writes more than once, stopped dead at each of its
// changes to the disk (the process killed there, as a crash or a power cut
// ends it: nothing it held in memory survives), then the program started
// again: the data directory is byte for byte as before the command or as
// after it, never a mix, and no journal or file set aside is left over.
#include "app/issuer_commands.h"
#include "program.h"
#include "test_dir.h"

#include <QDir>
#include <QtTest>

#include <functional>

using namespace tessaro;
using namespace tessaro::robustness;

namespace {

using Command = std::function<void(Program&)>;

struct Operation {
    Command prepare; // not timed by the crash: run before the snapshot
    Command run;
};

void typeAndClick(Program& p, const char* number, const char* field, const char* text)
{
    p.type("txtnum", number);
    p.type(field, text);
    p.click("Command5");
}

Command menuAt(const char* number, const char* item)
{
    return [number, item](Program& p) {
        p.type("txtnum", number);
        p.menu(item);
    };
}

archive::PartyRecord issuerNamed(const std::string& surname)
{
    archive::PartyRecord issuer;
    issuer.surname = surname;
    issuer.firstName = "Luca";
    return issuer;
}

// The directory of the table: the book of 2024 with four invoices, and a
// book of 2023 for the deletion of a year.
void writeDirectory(const std::string& dir)
{
    writeHealthyDirectory(dir, 4);
    for (const char* extension : {".arc", ".agg", ".imp"})
        writeFile(dir, std::string("12023") + extension, readFile(dir, std::string("12024") + extension));
}

// Runs the command on a fresh directory, crashing after `changes` changes
// (never when negative), then starts the program again on it. True when the
// command ran to its end.
bool runOnce(const std::string& dir, const Operation& operation, int changes, bool torn, Snapshot& before)
{
    writeDirectory(dir);
    bool finished = false;
    {
        Program program(dir);
        if (!program.start())
            return false;
        operation.prepare(program);
        before = snapshot(dir);
        if (changes >= 0)
            program.fs().crashAfter(changes, torn);
        operation.run(program);
        finished = !program.fs().crashed();
    }
    Program restarted(dir);
    restarted.start();
    return finished;
}

void saveFlatRateSettings(Program& p)
{
    p.state().issuerTerms.fiscalRegime = "RF19";
    p.dialogs().queueFlatRateRequest(
        {ui::FlatRateRequest::Action::SaveSettings, "2024", {"67", "5", true, false, false, "", "100", false}});
    p.menu("mnuincforf");
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestCrashPoints : public QObject {
    Q_OBJECT

private slots:
    void crashAtEveryChange_data()
    {
        QTest::addColumn<Operation>("operation");
        const Command none = [](Program&) {};
        const Command knownClient = [](Program& p) {
            p.click("Command3");
            p.pickClient(1);
        };
        const auto add = [](const char* name, Operation operation) { QTest::newRow(name) << operation; };
        add("save beyond a gap", {knownClient, [](Program& p) { typeAndClick(p, "7", "txtimp1", "50"); }});
        add("save an existing invoice", {none, [](Program& p) { typeAndClick(p, "2", "txtimp1", "777"); }});
        add("save with a new client", {none, [](Program& p) { typeAndClick(p, "5", "txtc1", "Nuovo"); }});
        add("insert at 1", {none, menuAt("1", "mnueins")});
        add("insert at 4", {none, menuAt("4", "mnueins")});
        add("delete at 1", {none, menuAt("1", "mnuecanc")});
        add("delete the last", {none, menuAt("4", "mnuecanc")});
        add("save a new issuer",
            {none, [](Program& p) { app::saveIssuer(p.state(), issuerNamed("Bianchi"), p.dialogs()); }});
        add("replace the issuer",
            {none, [](Program& p) { app::replaceIssuer(p.state(), issuerNamed("Verdi"), p.dialogs()); }});
        add("delete a year", {none, [](Program& p) {
                                  p.dialogs().queueInput("2023");
                                  p.menu("mnuecancanno");
                              }});
        add("reset all", {none, [](Program& p) { p.menu("mnueazz"); }});
        add("delete the client archive", {none, [](Program& p) { p.menu("mnueazzcli"); }});
        // The first credit note brings the book its file of marks; the renumberings move them.
        const Command creditNoteOf2 = [](Program& p) {
            p.type("txtnum", "2");
            p.menu("mnufnotacredito");
        };
        const Command withCreditNote = [creditNoteOf2](Program& p) {
            creditNoteOf2(p);
            p.click("Command5");
        };
        add("save a credit note", {creditNoteOf2, [](Program& p) { p.click("Command5"); }});
        add("insert before a credit note", {withCreditNote, menuAt("1", "mnueins")});
        add("delete before a credit note", {withCreditNote, menuAt("1", "mnuecanc")});
        add("reset all with a credit note", {withCreditNote, [](Program& p) { p.menu("mnueazz"); }});
        // The first payment brings the book its .inc; the renumberings move it.
        const Command paymentOn4 = [](Program& p) {
            p.type("txtnum", "3");
            p.click("Command7");
            ui::PaymentsRequest payment;
            payment.action = ui::PaymentsRequest::Action::Record;
            payment.date = "15/03/2024";
            payment.amount = "100";
            p.dialogs().queuePaymentsRequest(payment);
            p.menu("mnuincfattura");
        };
        add("record a payment", {none, paymentOn4});
        add("save the flat-rate settings", {none, saveFlatRateSettings});
        add("insert before a payment", {paymentOn4, menuAt("1", "mnueins")});
        add("delete before a payment", {paymentOn4, menuAt("1", "mnuecanc")});
    }

    void crashAtEveryChange()
    {
        QFETCH(Operation, operation);
        test::TestDir dir;
        Snapshot before;
        QVERIFY(runOnce(dir.path(), operation, -1, false, before));
        const Snapshot after = snapshot(dir.path());
        QVERIFY(after != before);
        int crashes = 0;
        for (int changes = 0;; ++changes) {
            bool finished = false;
            for (const bool torn : {false, true}) {
                test::TestDir crashed;
                finished = runOnce(crashed.path(), operation, changes, torn, before);
                const Snapshot found = snapshot(crashed.path());
                const QString where = QStringLiteral("after %1 changes%2").arg(changes).arg(torn ? ", torn" : "");
                QVERIFY2(found == before || found == after, qPrintable(where));
                for (const auto& [name, bytes] : found)
                    QVERIFY2(name != "giornale" && !name.ends_with(".cancellato"),
                             qPrintable(where + ": " + name.c_str()));
            }
            if (finished)
                break;
            ++crashes;
            QVERIFY(changes < 400);
        }
        QVERIFY(crashes >= 3);
    }
};

QTEST_MAIN(TestCrashPoints)
#include "test_crash_points.moc"
