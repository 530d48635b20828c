// The issuer window's buttons as commands: browsing, saving with the
// duplicate check, replacing, confirming, and what a failed file leaves.
#include "app/issuer_commands.h"
#include "archive/issuers.h"
#include "archive/settings.h"
#include "einvoice/einvoice_files.h"
#include "faulty_file_system.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QTest>

using namespace tessaro;
using ui::ScriptedDialogs;

namespace {

archive::PartyRecord party(const std::string& surname, const std::string& firstName = "Mario")
{
    archive::PartyRecord p;
    p.title = "ing.";
    p.surname = surname;
    p.firstName = firstName;
    p.address = "Via Roma 1";
    p.city = "Città di Castello";
    p.province = "PG";
    p.postCode = "06012";
    p.taxCode = "RSSMRA80A01C745X";
    p.vatNumber = "01234567890";
    return p;
}

// The record as it reads back from the file: every field padded to its width.
archive::PartyRecord stored(const archive::PartyRecord& p)
{
    const auto pad = [](std::string s, std::size_t width) {
        // Only ASCII and "à" (two bytes, one character) occur in these tests.
        std::size_t chars = 0;
        for (unsigned char c : s)
            chars += (c & 0xC0) != 0x80;
        s.append(width > chars ? width - chars : 0, ' ');
        return s;
    };
    return {pad(p.title, 5),    pad(p.surname, 29), pad(p.firstName, 29), pad(p.address, 40),  pad(p.city, 35),
            pad(p.province, 2), pad(p.postCode, 5), pad(p.taxCode, 16),   pad(p.vatNumber, 12)};
}

int settingsRecord(const test::TestDir& dir, int record)
{
    const std::vector<std::uint8_t> bytes = dir.bytes("impost");
    const std::size_t at = static_cast<std::size_t>(record - 1) * 4;
    if (bytes.size() < at + 2)
        return -1;
    return static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// A data directory holding the given issuers, the first one current.
archive::AppState seeded(const test::TestDir& dir, const std::vector<archive::PartyRecord>& issuers, int current = 1)
{
    archive::AppState state;
    state.dataDir = dir.data();
    for (std::size_t i = 0; i < issuers.size(); ++i)
        archive::writeIssuer(state.dataDir, static_cast<int>(i + 1), issuers[i]);
    state.issuerCount = static_cast<std::int16_t>(issuers.size());
    state.currentIssuer = static_cast<std::int16_t>(issuers.empty() ? 0 : current);
    archive::writeIssuerCount(state.dataDir, state.issuerCount);
    archive::writeCurrentIssuer(state.dataDir, state.currentIssuer);
    if (!issuers.empty())
        state.currentIssuerRecord = stored(issuers[static_cast<std::size_t>(current - 1)]);
    return state;
}

} // namespace

class TestIssuerCommands : public QObject {
    Q_OBJECT

private slots:
    void browsing_data();
    void browsing();
    void browsingFromNoCurrentIssuerLoadsTheFirst();
    void browsingWithoutIssuersDoesNothing();
    void browsingFailureKeepsState_data();
    void browsingFailureKeepsState();

    void firstSaveWritesOneRecordAndTheSettings();
    void saveWithDuplicate_data();
    void saveWithDuplicate();
    void saveComparesTrimmedNamesExactly_data();
    void saveComparesTrimmedNamesExactly();
    void saveFailureKeepsStateAndSaysNothingSaved_data();
    void saveFailureKeepsStateAndSaysNothingSaved();

    void replaceQuestionHasTwoBlanksBeforeTheNumber();
    void replaceRewritesTheCurrentIssuer();
    void replaceAnsweredNoWritesNothing();
    void replaceWithoutCurrentIssuerWritesNothing();
    void replaceFailureKeepsTheRecord();

    void okRefusedWithoutCurrentIssuer();
    void okCopiesTheFieldsInMemoryOnly();
};

void TestIssuerCommands::browsing_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("expected");

    QTest::newRow("next from 1") << 1 << true << 2;
    QTest::newRow("next from 2") << 2 << true << 3;
    QTest::newRow("next on the last stays") << 3 << true << 3;
    QTest::newRow("previous from 3") << 3 << false << 2;
    QTest::newRow("previous on the first stays") << 1 << false << 1;
}

void TestIssuerCommands::browsing()
{
    QFETCH(int, current);
    QFETCH(bool, forward);
    QFETCH(int, expected);

    test::TestDir dir;
    const std::vector<archive::PartyRecord> issuers = {party("Rossi"), party("Bianchi"), party("Verdi")};
    archive::AppState state = seeded(dir, issuers, current);
    const archive::PartyRecord typed = party("typed but not saved");
    archive::PartyRecord fields = typed;
    ScriptedDialogs dialogs;
    einvoice::IssuerEinvoiceData flatRate;
    flatRate.fiscalRegime = "RF19";
    flatRate.chargeStampDuty = true;
    QVERIFY(einvoice::writeIssuerData(state.dataDir, 2, flatRate).ok());

    const bool moved
        = forward ? app::showNextIssuer(state, fields, dialogs) : app::showPreviousIssuer(state, fields, dialogs);
    // The terms of the issuer shown, for the calculations that follow.
    QCOMPARE(state.issuerTerms, expected == 2 ? einvoice::termsOf(flatRate) : archive::IssuerTerms {});

    QCOMPARE(moved, expected != current);
    QCOMPARE(state.currentIssuer, expected);
    QCOMPARE(settingsRecord(dir, 3), expected);
    QCOMPARE(state.currentIssuerRecord, stored(issuers[static_cast<std::size_t>(expected - 1)]));
    QCOMPARE(fields, moved ? stored(issuers[static_cast<std::size_t>(expected - 1)]) : typed);
    QVERIFY(dialogs.shown().empty());
}

void TestIssuerCommands::browsingFromNoCurrentIssuerLoadsTheFirst()
{
    // Two issuers, none current: "<---" must not make issuer 1 current without
    // showing it and storing it.
    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi"), party("Bianchi")});
    state.currentIssuer = 0;
    state.currentIssuerRecord = {};
    archive::writeCurrentIssuer(state.dataDir, 0);
    archive::PartyRecord fields;
    ScriptedDialogs dialogs;

    QVERIFY(app::showPreviousIssuer(state, fields, dialogs));
    QCOMPARE(state.currentIssuer, 1);
    QCOMPARE(fields, stored(party("Rossi")));
    QCOMPARE(state.currentIssuerRecord, fields);
    QCOMPARE(settingsRecord(dir, 3), 1);
}

void TestIssuerCommands::browsingWithoutIssuersDoesNothing()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {});
    archive::PartyRecord fields = party("Rossi");
    ScriptedDialogs dialogs;

    QVERIFY(!app::showNextIssuer(state, fields, dialogs));
    QVERIFY(!app::showPreviousIssuer(state, fields, dialogs));
    QCOMPARE(state.currentIssuer, 0);
    QCOMPARE(fields, party("Rossi"));
    QVERIFY(!dir.exists("emit"));
}

void TestIssuerCommands::browsingFailureKeepsState_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("file");

    QTest::newRow("issuer unreadable") << int(test::FaultyFileSystem::Op::Read) << "emit";
    QTest::newRow("settings unwritable") << int(test::FaultyFileSystem::Op::Write) << "impost";
}

void TestIssuerCommands::browsingFailureKeepsState()
{
    QFETCH(int, op);
    QFETCH(QString, file);

    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi"), party("Bianchi")});
    const archive::AppState before = state;
    archive::PartyRecord fields = state.currentIssuerRecord;
    ScriptedDialogs dialogs;
    test::FaultyFileSystem faulty(state.dataDir);
    faulty.fail(test::FaultyFileSystem::Op(op), file.toStdString());

    QVERIFY(!app::showNextIssuer(state, fields, dialogs));

    QCOMPARE(state.currentIssuer, before.currentIssuer);
    QCOMPARE(state.currentIssuerRecord, before.currentIssuerRecord);
    QCOMPARE(fields, before.currentIssuerRecord);
    faulty.heal();
    QCOMPARE(settingsRecord(dir, 3), 1);
    QCOMPARE(dialogs.shown().size(), 1u);
    QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY2(dialogs.last().text.find(file.toStdString()) != std::string::npos, dialogs.last().text.c_str());
}

void TestIssuerCommands::firstSaveWritesOneRecordAndTheSettings()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {});
    ScriptedDialogs dialogs;

    app::saveIssuer(state, party("Rossi"), dialogs);

    QCOMPARE(dir.bytes("emit").size(), archive::PartyRecordSize);
    QCOMPARE(archive::readIssuer(dir.data(), 1).value(), stored(party("Rossi")));
    QCOMPARE(settingsRecord(dir, 1), 1);
    QCOMPARE(settingsRecord(dir, 3), 1);
    QCOMPARE(state.issuerCount, 1);
    QCOMPARE(state.currentIssuer, 1);
    QCOMPARE(state.currentIssuerRecord, party("Rossi"));
    QCOMPARE(dialogs.shown().size(), 1u); // no duplicate check against an empty archive
    QCOMPARE(dialogs.last().text, std::string("I dati sono stati salvati"));
    QCOMPARE(dialogs.last().title, std::string("SALVATAGGIO DATI"));
}

void TestIssuerCommands::saveWithDuplicate_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<int>("expectedCurrent");
    QTest::addColumn<int>("expectedSettingsCurrent");
    QTest::addColumn<bool>("savedMessage");

    // Issuer 2 matches; issuer 1 is current before the save.
    QTest::newRow("Sostituisci") << int(ui::DuplicateChoice::Replace) << 3 << 2 << 1 << false;
    QTest::newRow("Salva come nuovo record") << int(ui::DuplicateChoice::SaveAsNew) << 4 << 4 << 4 << true;
    QTest::newRow("Annulla") << int(ui::DuplicateChoice::Cancel) << 3 << 1 << 1 << false;
}

void TestIssuerCommands::saveWithDuplicate()
{
    QFETCH(int, choice);
    QFETCH(int, expectedCount);
    QFETCH(int, expectedCurrent);
    QFETCH(int, expectedSettingsCurrent);
    QFETCH(bool, savedMessage);

    test::TestDir dir;
    const std::vector<archive::PartyRecord> issuers = {party("Rossi"), party("Bianchi"), party("Verdi")};
    archive::AppState state = seeded(dir, issuers);
    archive::PartyRecord fields = party("Bianchi");
    fields.address = "Corso Italia 5";
    ScriptedDialogs dialogs;
    dialogs.queueDuplicateChoice(ui::DuplicateChoice(choice));

    app::saveIssuer(state, fields, dialogs);

    QCOMPARE(dialogs.shown().front().kind, ScriptedDialogs::Shown::Kind::Duplicate);
    QCOMPARE(state.issuerCount, expectedCount);
    QCOMPARE(settingsRecord(dir, 1), expectedCount);
    QCOMPARE(state.currentIssuer, expectedCurrent);
    QCOMPARE(settingsRecord(dir, 3), expectedSettingsCurrent);
    QCOMPARE(dir.bytes("emit").size(), archive::PartyRecordSize * static_cast<std::size_t>(expectedCount));
    // The check reads into a buffer of its own: after "Annulla" the current
    // issuer is still issuer 1, in memory too.
    QCOMPARE(state.currentIssuerRecord,
             ui::DuplicateChoice(choice) == ui::DuplicateChoice::Cancel ? stored(issuers[0]) : fields);
    QCOMPARE(archive::readIssuer(dir.data(), 2).value(),
             stored(ui::DuplicateChoice(choice) == ui::DuplicateChoice::Replace ? fields : issuers[1]));
    QCOMPARE(dialogs.last().text == "I dati sono stati salvati", savedMessage);
}

void TestIssuerCommands::saveComparesTrimmedNamesExactly_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<bool>("duplicate");

    QTest::newRow("same") << "Bianchi"
                          << "Mario" << true;
    QTest::newRow("outer blanks ignored") << "  Bianchi "
                                          << " Mario  " << true;
    QTest::newRow("case matters") << "bianchi"
                                  << "Mario" << false;
    QTest::newRow("inner blanks matter") << "Bian chi"
                                         << "Mario" << false;
    QTest::newRow("other first name") << "Bianchi"
                                      << "Maria" << false;
}

void TestIssuerCommands::saveComparesTrimmedNamesExactly()
{
    QFETCH(QString, surname);
    QFETCH(QString, firstName);
    QFETCH(bool, duplicate);

    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi"), party("Bianchi", "Mario")});
    ScriptedDialogs dialogs;
    dialogs.queueDuplicateChoice(ui::DuplicateChoice::Cancel);

    app::saveIssuer(state, party(surname.toStdString(), firstName.toStdString()), dialogs);

    QCOMPARE(dialogs.shown().front().kind == ScriptedDialogs::Shown::Kind::Duplicate, duplicate);
    QCOMPARE(state.issuerCount, duplicate ? 2 : 3);
}

void TestIssuerCommands::saveFailureKeepsStateAndSaysNothingSaved_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("settingsCount");

    QTest::newRow("check cannot read") << int(test::FaultyFileSystem::Op::Read) << "emit" << 0 << 1;
    QTest::newRow("record cannot be written") << int(test::FaultyFileSystem::Op::Write) << "emit" << 0 << 1;
    QTest::newRow("count cannot be written") << int(test::FaultyFileSystem::Op::Write) << "impost" << 0 << 1;
    // The count was written, then the current issuer failed; putting the count
    // back fails too on a file that refuses every later write, and the count
    // then covers the record written before it.
    QTest::newRow("current cannot be written") << int(test::FaultyFileSystem::Op::Write) << "impost" << 1 << 2;
}

void TestIssuerCommands::saveFailureKeepsStateAndSaysNothingSaved()
{
    QFETCH(int, op);
    QFETCH(QString, file);
    QFETCH(int, after);
    QFETCH(int, settingsCount);

    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi")});
    const archive::AppState before = state;
    ScriptedDialogs dialogs;
    {
        test::FaultyFileSystem faulty(state.dataDir);
        faulty.fail(test::FaultyFileSystem::Op(op), file.toStdString(), after);
        app::saveIssuer(state, party("Bianchi"), dialogs);
    }

    QCOMPARE(state.issuerCount, before.issuerCount);
    QCOMPARE(state.currentIssuer, before.currentIssuer);
    QCOMPARE(state.currentIssuerRecord, before.currentIssuerRecord);
    QCOMPARE(settingsRecord(dir, 1), settingsCount);
    QCOMPARE(settingsRecord(dir, 3), 1);
    if (settingsCount == 2)
        QCOMPARE(archive::readIssuer(dir.data(), 2).value(), stored(party("Bianchi")));
    QCOMPARE(dialogs.shown().size(), 1u);
    QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY2(dialogs.last().text.find(file.toStdString()) != std::string::npos, dialogs.last().text.c_str());
}

void TestIssuerCommands::replaceQuestionHasTwoBlanksBeforeTheNumber()
{
    QCOMPARE(
        app::replaceQuestion(3),
        std::string("Questa operazione sostituirà i dati dell'emittente n.  3. Siete sicuri di voler continuare?"));
}

void TestIssuerCommands::replaceRewritesTheCurrentIssuer()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi"), party("Bianchi"), party("Verdi")}, 3);
    const archive::PartyRecord fields = party("Verdi", "Giuseppe");
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(ui::Answer::Yes);

    app::replaceIssuer(state, fields, dialogs);

    QCOMPARE(dialogs.shown().size(), 2u);
    QCOMPARE(dialogs.shown()[0].text, app::replaceQuestion(3));
    QCOMPARE(dialogs.shown()[0].title, std::string("ATTENZIONE"));
    QCOMPARE(dialogs.shown()[0].buttons, ui::Buttons::YesNo);
    QCOMPARE(dialogs.last().text, std::string("I dati sono stati sostituiti"));
    QCOMPARE(dialogs.last().title, std::string("SALVATAGGIO DATI"));
    QCOMPARE(archive::readIssuer(dir.data(), 3).value(), stored(fields));
    QCOMPARE(state.currentIssuerRecord, fields);
    QCOMPARE(state.issuerCount, 3);
    QCOMPARE(dir.bytes("emit").size(), 3 * archive::PartyRecordSize);
}

void TestIssuerCommands::replaceAnsweredNoWritesNothing()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi")});
    const std::vector<std::uint8_t> file = dir.bytes("emit");
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(ui::Answer::No);

    app::replaceIssuer(state, party("Bianchi"), dialogs);

    QCOMPARE(dialogs.shown().size(), 1u);
    QCOMPARE(dir.bytes("emit"), file);
    QCOMPARE(state.currentIssuerRecord, stored(party("Rossi")));
}

void TestIssuerCommands::replaceWithoutCurrentIssuerWritesNothing()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {});
    ScriptedDialogs dialogs;

    app::replaceIssuer(state, party("Rossi"), dialogs);

    QVERIFY(!dir.exists("emit"));
    QCOMPARE(state.currentIssuerRecord, archive::PartyRecord {});
    QCOMPARE(dialogs.shown().size(), 1u);
    QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    QCOMPARE(dialogs.last().text, std::string(app::NoIssuerToReplaceText));
}

void TestIssuerCommands::replaceFailureKeepsTheRecord()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi")});
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(ui::Answer::Yes);
    test::FaultyFileSystem faulty(state.dataDir);
    faulty.fail(test::FaultyFileSystem::Op::Write, "emit");

    app::replaceIssuer(state, party("Bianchi"), dialogs);

    QCOMPARE(state.currentIssuerRecord, stored(party("Rossi")));
    QCOMPARE(dialogs.shown().size(), 2u);
    QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    QVERIFY(dialogs.last().text.find("emit") != std::string::npos);
}

void TestIssuerCommands::okRefusedWithoutCurrentIssuer()
{
    archive::AppState state;
    ScriptedDialogs dialogs;

    QVERIFY(!app::confirmIssuer(state, party("Rossi"), dialogs));

    QCOMPARE(state.currentIssuerRecord, archive::PartyRecord {});
    QCOMPARE(dialogs.shown().size(), 1u);
    QCOMPARE(dialogs.last().text, std::string("Deve essere salvato almeno un nominativo che emette la fattura"));
    QCOMPARE(dialogs.last().buttons, ui::Buttons::Ok);
}

void TestIssuerCommands::okCopiesTheFieldsInMemoryOnly()
{
    test::TestDir dir;
    archive::AppState state = seeded(dir, {party("Rossi")});
    const std::vector<std::uint8_t> file = dir.bytes("emit");
    ScriptedDialogs dialogs;

    QVERIFY(app::confirmIssuer(state, party("Rossi", "Luigi"), dialogs));

    QCOMPARE(state.currentIssuerRecord, party("Rossi", "Luigi"));
    QCOMPARE(dir.bytes("emit"), file);
    QVERIFY(dialogs.shown().empty());
}

QTEST_GUILESS_MAIN(TestIssuerCommands)
#include "test_issuer_commands.moc"
