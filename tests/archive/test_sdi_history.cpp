// The history of each invoice's electronic invoices: the states it gives,
// names never given twice through rejections, insertions and deletions,
// the files of the earlier names taken in, the exchange system's answers,
// and an export cut at every write.
#include "archive/export_counter.h"
#include "archive/lifecycle.h"
#include "archive/maintenance.h"
#include "archive/recovery.h"
#include "archive/sdi_history.h"
#include "archive/sdi_names.h"

#include "faulty_file_system.h"
#include "invoice_books.h"

#include <QtTest>

#include <set>

using namespace tessaro;
using namespace tessaro::test;

namespace {

const std::string Vat = "01234567897";

archive::SdiExport fileOf(const std::string& name, const std::string& fingerprint,
                          archive::SdiOutcome outcome = archive::SdiOutcome::None)
{
    archive::SdiExport file;
    file.fileName = name;
    file.exportedAt = name.empty() ? "" : "2026-12-01 10:00:00";
    file.fingerprint = fingerprint;
    file.outcome = outcome;
    return file;
}

archive::SdiAnswer answerFor(const std::string& name, archive::SdiOutcome outcome, std::vector<std::string> codes = {})
{
    archive::SdiAnswer answer;
    answer.fileName = name;
    answer.outcome = outcome;
    answer.when = "2026-12-02T09:30:00.000+01:00";
    answer.sdiId = "112233";
    for (const std::string& code : codes)
        answer.errors.push_back({code, "Errore " + code, ""});
    return answer;
}

struct Books {
    TestDir dir;
    archive::AppState state = stateIn(dir);
    archive::BookPaths paths = bookOfFour(state);
    archive::InvoiceForm form = formOfYear("2024");

    Books()
    {
        state.currentIssuerRecord.vatNumber = Vat;
        QVERIFY(archive::switchYear(form, state).ok());
    }
    archive::SdiBook book() const { return archive::currentSdiBook(form, state); }
    std::string exportOf(int number)
    {
        auto progressive = archive::recordExport(book(), state.nextNumber - 1, number, "F", "2026-12-01 10:00:00");
        return progressive.ok() ? archive::exportFileName(Vat, progressive.value()) : "<error>";
    }
    QStringList namesOf(int number) const
    {
        QStringList names;
        const auto history = archive::readSdiHistory(paths, number);
        for (const auto& file : history.value().exports)
            names << QString::fromStdString(file.fileName);
        return names;
    }
    std::vector<archive::AnswerFit> answer(const std::vector<archive::SdiAnswer>& answers) const
    {
        const std::vector<archive::PartyRecord> issuers {state.currentIssuerRecord};
        auto fits = archive::recordAnswers(state.dataDir, issuers, answers, ',');
        return fits.ok() ? fits.value() : std::vector<archive::AnswerFit> {};
    }
    void putInExportFolder(const std::string& name) const
    {
        QDir().mkpath(QString::fromStdString(archive::exportFolderPath(state.dataDir)));
        QFile file(QString::fromStdString(archive::exportFolderPath(state.dataDir) + "/" + name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
};

} // namespace

Q_DECLARE_METATYPE(archive::SdiHistory)

class TestSdiHistory : public QObject {
    Q_OBJECT

private slots:
    void statesOfAHistory_data()
    {
        using O = archive::SdiOutcome;
        QTest::addColumn<archive::SdiHistory>("history");
        QTest::addColumn<bool>("earlierFile");
        QTest::addColumn<QString>("text");
        auto history = [](std::vector<archive::SdiExport> files, std::vector<archive::SdiError> errors = {}) {
            return archive::SdiHistory {std::move(files), std::move(errors)};
        };
        QTest::newRow("never") << history({}) << false << "non esportata";
        QTest::newRow("an earlier file alone") << history({}) << true << "esportata";
        QTest::newRow("as exported") << history({fileOf("a", "NOW")}) << false << "esportata";
        QTest::newRow("changed since") << history({fileOf("a", "BEFORE")}) << false << "modificata dopo l'esportazione";
        QTest::newRow("taken in, no fingerprint") << history({fileOf("a", "")}) << false << "esportata";
        QTest::newRow("rejected") << history({fileOf("a", "NOW", O::Rejected)},
                                             {{"00305", "x", "y"}, {"00311", "z", ""}})
                                  << false << "scartata (00305, 00311)";
        QTest::newRow("exported again after a rejection")
            << history({fileOf("a", "NOW", O::Rejected), fileOf("b", "NOW")}, {{"00305", "x", ""}}) << false
            << "esportata";
        QTest::newRow("delivered, then exported again")
            << history({fileOf("a", "NOW", O::Delivered), fileOf("b", "BEFORE")}) << false << "consegnata";
        QTest::newRow("left in the client's area")
            << history({fileOf("a", "BEFORE", O::NotDelivered)}) << false << "non consegnata";
    }

    void statesOfAHistory()
    {
        QFETCH(archive::SdiHistory, history);
        QFETCH(bool, earlierFile);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(archive::sdiStatus(history, "NOW", earlierFile).text), text);
        // Every field goes through the record and back.
        std::array<std::uint8_t, archive::SdiRecordSize> bytes {};
        archive::encodeSdiHistory(history, bytes);
        QCOMPARE(archive::decodeSdiHistory(bytes), history);
    }

    void namesAreNeverGivenTwice()
    {
        Books b;
        std::set<std::string> given;
        std::string repeated;
        const auto give = [&](int number) {
            const std::string name = b.exportOf(number);
            if (!given.insert(name).second || archive::earlierNameOf(name, Vat) || name == "<error>")
                repeated += name + " ";
            return name;
        };
        const std::string first = give(2);
        QCOMPARE(b.answer({answerFor(first, archive::SdiOutcome::Rejected, {"00305"})}).size(), std::size_t {1});
        const std::string second = give(2);
        QCOMPARE(b.namesOf(2), (QStringList {QString::fromStdString(first), QString::fromStdString(second)}));

        // Invoice B moves to 3 with its files; the new invoice 2 gets a name of its own.
        b.form.number = "2";
        QVERIFY(archive::insertInvoice(b.form, b.state, 2).ok());
        QCOMPARE(b.form.sdiStatus, std::string("non esportata"));
        QCOMPARE(b.namesOf(3).size(), 2);
        QVERIFY(b.namesOf(2).isEmpty());
        give(2);
        b.form.number = "1";
        QVERIFY(archive::deleteInvoice(b.form, b.state, 1).ok());
        QCOMPARE(b.namesOf(2).size(), 2);
        // A file left in the folder by a stopped export keeps its name too.
        const std::string next = archive::exportFileName(Vat, archive::counterProgressive(4));
        b.putInExportFolder(next);
        QVERIFY(give(1) != next);
        QCOMPARE(archive::sdiStatus(archive::readSdiHistory(b.paths, 2).value(), "F", false).text,
                 std::string("esportata"));
        QVERIFY2(repeated.empty(), repeated.c_str());
    }

    void earlierFilesFollowTheirInvoices()
    {
        Books b;
        const std::string ofB = archive::earlierExportName(Vat, "2024", 2);
        const std::string ofC = archive::earlierExportName(Vat, "2024", 3);
        b.putInExportFolder(ofB);
        b.putInExportFolder(ofC);
        auto before = archive::readSdiStatuses(b.book(), 4);
        QCOMPARE(before.value()[1].text, std::string("esportata"));
        QCOMPARE(before.value()[0].text, std::string("non esportata"));

        QVERIFY(archive::insertInvoice(b.form, b.state, 1).ok());
        QCOMPARE(b.namesOf(3), QStringList {QString::fromStdString(ofB)});
        QCOMPARE(b.namesOf(4), QStringList {QString::fromStdString(ofC)});
        auto after = archive::readSdiStatuses(b.book(), 5);
        QCOMPARE(after.value()[1].text, std::string("non esportata"));
        QCOMPARE(after.value()[2].text, std::string("esportata"));
        // The receipt of B's earlier file reaches B where it is now.
        QCOMPARE(b.answer({answerFor(ofB + ".p7m", archive::SdiOutcome::Delivered)}).size(), std::size_t {1});
        QCOMPARE(b.answer({answerFor(ofB, archive::SdiOutcome::Delivered)}),
                 std::vector {archive::AnswerFit::AlreadyKnown});
        QCOMPARE(archive::readSdiStatuses(b.book(), 5).value()[2].text, std::string("consegnata"));
    }

    void answersAreRecordedOnce()
    {
        Books b;
        const std::string name = b.exportOf(3);
        const auto before = b.dir.bytes("12024.sdi");
        using F = archive::AnswerFit;
        QCOMPARE(b.answer({answerFor("IT99999999999_00001.xml", archive::SdiOutcome::Delivered),
                           answerFor(archive::exportFileName(Vat, "ZZZZZ"), archive::SdiOutcome::Delivered)}),
                 (std::vector {F::NoInvoice, F::NoInvoice}));
        QVERIFY(b.dir.bytes("12024.sdi") == before);

        const auto rejected = answerFor(name, archive::SdiOutcome::Rejected, {"00305", "00311"});
        QCOMPARE(b.answer({rejected, rejected}), (std::vector {F::Recorded, F::AlreadyKnown}));
        const auto bytes = b.dir.bytes("12024.sdi");
        QCOMPARE(b.answer({rejected}), std::vector {F::AlreadyKnown});
        QVERIFY(b.dir.bytes("12024.sdi") == bytes);
        QCOMPARE(archive::readSdiStatuses(b.book(), 4).value()[2].text, std::string("scartata (00305, 00311)"));

        // A book that never kept a history: the earlier name says which invoice.
        const archive::BookPaths other = bookOfFour(b.state, "2023");
        QCOMPARE(b.answer({answerFor(archive::earlierExportName(Vat, "2023", 4), archive::SdiOutcome::NotDelivered)}),
                 std::vector {F::Recorded});
        QCOMPARE(archive::readSdiHistory(other, 4).value().state({}), archive::SdiState::NotDelivered);
    }

    // A data directory about to take another's place keeps every counter that went further there.
    void countersOnlyGoForward()
    {
        TestDir from;
        TestDir into;
        const auto write = [](const TestDir& dir, std::vector<archive::ExportCounter> counters) {
            for (std::size_t i = 0; i < counters.size(); ++i) {
                std::array<std::uint8_t, archive::ExportCounterRecordSize> bytes {};
                archive::encodeExportCounter(counters[i], bytes);
                archive::writeRecord(archive::realFileSystem(), archive::exportCounterFile(dir.data()),
                                     static_cast<int>(i) + 1, bytes);
            }
        };
        write(from, {{"A", 5}, {"B", 2}});
        write(into, {{"A", 3}, {"C", 7}, {"B", 9}});
        QVERIFY(archive::carryExportCounters(from.data(), into.data()).ok());
        QStringList held;
        const auto counters = archive::readExportCounters(into.data());
        for (const auto& counter : counters.value())
            held << QString::fromStdString(counter.identity + std::to_string(counter.last));
        QCOMPARE(held, (QStringList {"A5", "C7", "B9"}));

        from.writeBytes("progressivi.fe", std::vector<std::uint8_t>(archive::ExportCounterRecordSize, 'x'));
        QVERIFY(!archive::carryExportCounters(from.data(), into.data()).ok());
    }

    // Cut at every write, the counter and the history are both as before or both as after.
    void anExportCutAnywhereLeavesBothOrNeither()
    {
        for (int changes = 1; changes < 12; ++changes) {
            Books b;
            const std::string first = b.exportOf(1);
            FaultyFileSystem fs(b.state.dataDir);
            fs.crashAfter(changes);
            const std::string second = b.exportOf(2);
            const bool crashed = fs.crashed();
            fs.heal();
            archive::recoverJournal(b.dir.data());
            const bool recorded = !b.namesOf(2).isEmpty();
            const std::string next = b.exportOf(3);
            QVERIFY2(next != first && (!recorded || next != second), std::to_string(changes).c_str());
            QCOMPARE(recorded, second != "<error>");
            if (!crashed)
                break;
        }
    }
};

QTEST_GUILESS_MAIN(TestSdiHistory)
#include "test_sdi_history.moc"
