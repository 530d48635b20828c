// The journal an insertion leaves when the program stops dead right before
// its first change to the book: read back whole it is put back and named;
// cut short or damaged it is taken for one torn while it was written, and
// only removed. One that cannot be put back stays, and refuses every write.
#include "archive/journal.h"
#include "archive/journal_file.h"
#include "archive/lifecycle.h"
#include "archive/little_endian.h"
#include "archive/maintenance.h"
#include "archive/record_file.h"
#include "archive/recovery.h"
#include "archive/settings.h"

#include "faulty_file_system.h"
#include "invoice_books.h"
#include "test_dir.h"

#include <QtTest>

#include <optional>

using namespace tessaro::archive;
using namespace tessaro::test;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Outcome = Recovery::Outcome;

// The book of four and the journal of "Inserisci fattura" at number 2, the book itself untouched.
Bytes leaveAJournal(const TestDir& dir, AppState& state)
{
    bookOfFour(state);
    InvoiceForm form = formOfYear("2024");
    switchYear(form, state);
    FaultyFileSystem fs(state.dataDir);
    for (int changes = 1; changes < 10; ++changes) {
        fs.heal();
        recoverJournal(dir.data()); // a journal torn by the last try
        fs.crashAfter(changes);
        insertInvoice(form, state, 2);
        const auto stored = readJournal(dir.data());
        if (stored.ok() && stored.value() && !stored.value()->torn)
            break;
    }
    return dir.bytes("giornale");
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestJournal : public QObject {
    Q_OBJECT

private slots:
    void damagedJournals_data()
    {
        QTest::addColumn<int>("cutAt"); // bytes kept; -1: all
        QTest::addColumn<int>("flipped"); // a byte changed, from the end; 0: none
        QTest::addColumn<Outcome>("outcome");
        // 1: relabelled as a journal of the first version; 2: also its first checksum.
        QTest::addColumn<int>("firstVersion");
        QTest::newRow("whole") << -1 << 0 << Outcome::RolledBack << 0;
        QTest::newRow("empty") << 0 << 0 << Outcome::Torn << 0;
        QTest::newRow("cut in the header") << 12 << 0 << Outcome::Torn << 0;
        QTest::newRow("cut in the kept bytes") << 700 << 0 << Outcome::Torn << 0;
        QTest::newRow("last byte missing") << -2 << 0 << Outcome::Torn << 0;
        QTest::newRow("a kept byte changed") << -1 << 400 << Outcome::Torn << 0;
        QTest::newRow("the checksum changed") << -1 << 12 << Outcome::Torn << 0;
        QTest::newRow("first version, whole") << -1 << 0 << Outcome::RolledBack << 2;
        QTest::newRow("first version, a kept byte changed") << -1 << 400 << Outcome::Torn << 2;
        QTest::newRow("first version, today's checksum") << -1 << 0 << Outcome::Torn << 1;
    }

    void damagedJournals()
    {
        QFETCH(int, cutAt);
        QFETCH(int, flipped);
        QFETCH(Outcome, outcome);
        QFETCH(int, firstVersion);
        TestDir dir;
        AppState state = stateIn(dir);
        Bytes journal = leaveAJournal(dir, state);
        QVERIFY(journal.size() > 1000);
        if (firstVersion > 0) {
            journal[8] = 1; // the version, after the 8-byte mark
            if (firstVersion == 2) {
                const auto body = std::span(journal).first(journal.size() - 16);
                writeLittleEndian(std::span(journal).subspan(body.size(), 8), firstJournalChecksum(body));
            }
        }
        if (cutAt != -1)
            journal.resize(cutAt >= 0 ? std::size_t(cutAt) : journal.size() - 1);
        if (flipped > 0)
            journal[journal.size() - std::size_t(flipped)] ^= 0x20;
        dir.writeBytes("giornale", journal);

        const Recovery recovery = recoverJournal(dir.data());
        QCOMPARE(recovery.outcome, outcome);
        QVERIFY(!dir.exists("giornale"));
        const BookPaths book = bookPaths(dir.data(), 1, "2024");
        QCOMPARE(dir.bytes("12024.imp"), (Bytes {5, 0}));
        QCOMPARE(surnameAt(book, 2), std::string("B"));
        QCOMPARE(surnameAt(book, 5), std::string("slot"));
        if (outcome == Outcome::RolledBack)
            QCOMPARE(QString::fromStdString(recoveryMessage(recovery)),
                     QString("L'ultima operazione (Inserisci fattura n. 2 del 2024) non era terminata: i dati sono "
                             "stati riportati a prima."));
        QCOMPARE(recoverJournal(dir.data()).outcome, Outcome::Nothing);
    }

    // A journal on a disk that refuses to take it back: everything stays as
    // it is, and nothing may be written until it has been put back.
    void journalThatCannotBePutBack()
    {
        TestDir dir;
        AppState state = stateIn(dir);
        const Bytes journal = leaveAJournal(dir, state);
        FaultyFileSystem fs(state.dataDir);
        fs.fail(FaultyFileSystem::Op::Write, "12024.arc");
        fs.fail(FaultyFileSystem::Op::Remove, "giornale");
        const Recovery failed = recoverJournal(state.dataDir);
        QCOMPARE(failed.outcome, Outcome::Failed);
        QCOMPARE(dir.bytes("giornale"), journal);
        const Status refused = writeEuroRate(state.dataDir, 2000);
        QVERIFY(!refused.ok());
        QCOMPARE(refused.error().action, IoError::Action::Pending);
        InvoiceForm form = formOfYear("2024");
        QCOMPARE(insertInvoice(form, state, 1).error().action, IoError::Action::Pending);

        fs.heal();
        QCOMPARE(recoverJournal(state.dataDir).outcome, Outcome::RolledBack);
        QVERIFY(writeEuroRate(state.dataDir, 2000).ok());
    }

    // An operation that ends without a commit that succeeded puts its files
    // back; a journal moved from leaves that to the one it moved to.
    void endWithoutCommit_data()
    {
        QTest::addColumn<int>("writes"); // of 4-byte records, the third past the end
        QTest::addColumn<bool>("moved");
        QTest::addColumn<bool>("commitFails");
        QTest::newRow("begun only") << 0 << false << false;
        QTest::newRow("one write") << 1 << false << false;
        QTest::newRow("three writes") << 3 << false << false;
        QTest::newRow("three writes, moved") << 3 << true << false;
        QTest::newRow("commit not flushed") << 3 << false << true;
    }

    void endWithoutCommit()
    {
        QFETCH(int, writes);
        QFETCH(bool, moved);
        QFETCH(bool, commitFails);
        TestDir dir;
        const Bytes before(8, 1);
        dir.writeBytes("a", before);
        FaultyFileSystem fs;
        std::optional<Journal> taken;
        {
            Journal journal(dir.data(fs), "Prova");
            QVERIFY(journal.keep(dir.file("a"), 0, Journal::ToTheEnd).ok() && journal.begin().ok());
            for (int n = 1; n <= writes; ++n)
                QVERIFY(writeRecord(fs, dir.file("a"), n, Bytes(4, 9), WriteStep::InOperation).ok());
            if (commitFails) {
                fs.fail(FaultyFileSystem::Op::Sync, "a", 0, 1);
                QVERIFY(!journal.commit().ok());
            }
            if (moved)
                taken.emplace(std::move(journal));
        }
        QCOMPARE(dir.exists("giornale"), moved);
        QCOMPARE(dir.bytes("a") == before, !moved || writes == 0);
        taken.reset();
        QCOMPARE(dir.bytes("a"), before);
        QVERIFY(!dir.exists("giornale"));
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
