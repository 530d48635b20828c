// Damaged data directories opened as a user would: the program starts, every
// text it shows is one an invoice can hold, browsing, totals, printing and
// the client list leave the files alone, and inserting, deleting and saving
// never cost a stored invoice.
#include "app/issuer_commands.h"
#include "archive/book.h"
#include "archive/lifecycle.h"
#include "archive/records.h"
#include "program.h"
#include "test_dir.h"

#include <QDir>
#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>

using namespace tessaro;
using namespace tessaro::robustness;

namespace {

using Damage = std::function<void(const std::string& dir)>;

constexpr std::size_t Arc = archive::InvoiceRecordSize;
constexpr std::size_t Agg = archive::ExtraLinesRecordSize;

void overwrite(const std::string& dir, const std::string& name, std::size_t offset, const Bytes& bytes)
{
    Bytes file = readFile(dir, name);
    if (file.size() < offset + bytes.size())
        file.resize(offset + bytes.size(), 0);
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    writeFile(dir, name, file);
}

void truncateFile(const std::string& dir, const std::string& name, std::size_t size)
{
    Bytes file = readFile(dir, name);
    file.resize(size, 0);
    writeFile(dir, name, file);
}

Bytes floatBytes(float value)
{
    Bytes bytes(4);
    archive::writeFloat32LE(std::span<std::uint8_t, 4>(bytes.data(), 4), value);
    return bytes;
}

// Offsets of the invoice record.
constexpr std::size_t SurnameOffset = 5;
constexpr std::size_t DescriptionOffset = 180;
constexpr std::size_t AmountOffset = 630;
constexpr std::size_t QuantityOffset = 660;
constexpr std::size_t CurrencyOffset = 683;
constexpr std::size_t RateOffset = 684;

void addRow(const char* name, Damage damage)
{
    QTest::newRow(name) << QVariant::fromValue(damage);
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestDamagedDirectories : public QObject {
    Q_OBJECT

private:
    // Browsing, calculating, totals, printing and the client list, then an
    // insertion and a deletion, then a new invoice saved at N.
    void userTour(Program& program, const std::string& dir)
    {
        QCOMPARE(program.insaneText(), QString());
        const int next = program.state().nextNumber;
        QVERIFY(next >= 1);
        const archive::BookPaths book = archive::currentBook(program.form(), program.state());
        const std::string arcName = book.invoices.substr(dir.size() + 1);
        const std::string aggName = book.extraLines.substr(dir.size() + 1);
        const Snapshot before = snapshot(dir);

        for (int i = 0; i < 3; ++i) {
            program.click("command");
            QCOMPARE(program.insaneText(), QString());
        }
        // Calculating and printing the first stored invoice (amounts beyond
        // any number read as 0, so neither shows an infinity).
        program.click("Command1");
        QCOMPARE(program.insaneText(), QString());
        QVERIFY(program.printShown() != -2);
        program.click("Command4"); // "Nuova" empties the results again
        for (int i = 0; i < 4; ++i) {
            program.click("Command7");
            QCOMPARE(program.insaneText(), QString());
        }
        program.menu("mnufcalctutt");
        program.dialogs().queueInput("1");
        program.dialogs().queueInput(QString::number(next).toStdString());
        program.menu("mnufcalcalcun");
        program.dialogs().queueInput("1");
        program.dialogs().queueInput(QString::number(next).toStdString());
        program.menu("mnufcalciva");
        QCOMPARE(program.insaneText(), QString());
        QVERIFY(program.printYear() != -2);
        program.click("Command3");
        const int entries = int(program.clientEntries().size());
        if (entries > 1) {
            program.pickClient(1);
            program.pickClient(entries - 1);
        }
        QCOMPARE(program.insaneText(), QString());
        // None of these writes anything; opening an archive that is missing
        // creates it empty, which stores nothing.
        Snapshot afterReading = snapshot(dir);
        std::erase_if(afterReading,
                      [&](const auto& file) { return file.second.empty() && !before.contains(file.first); });
        QVERIFY(afterReading == before);

        // An insertion undone by a deletion gives back every stored invoice.
        const std::size_t storedArc = static_cast<std::size_t>(next - 1) * Arc;
        const std::size_t storedAgg = static_cast<std::size_t>(next - 1) * Agg;
        if (next > 1 && next < 1000) {
            program.type("txtnum", "1");
            program.menu("mnueins");
            QCOMPARE(int(program.state().nextNumber), next + 1);
            program.type("txtnum", "1");
            program.menu("mnuecanc");
            QCOMPARE(int(program.state().nextNumber), next);
            QCOMPARE(program.insaneText(), QString());
            QVERIFY(prefix(readFile(dir, arcName), storedArc) == prefix(before.at(arcName), storedArc));
            QVERIFY(prefix(readFile(dir, aggName), storedAgg) == prefix(before.at(aggName), storedAgg));
        }

        // A new invoice goes to N and nowhere else.
        if (next <= 32766) {
            program.type("txtnum", QString::number(next));
            program.type("txtc1", "Nuovo cliente");
            program.type("txtimp1", "50");
            program.dialogs().clear();
            program.click("Command5");
            const std::vector<std::string> full
                = {"L'archivio dei clienti è pieno: il cliente di questa fattura non è stato aggiunto."};
            QCOMPARE(program.warnings(), program.state().clientCount == 32767 ? full : std::vector<std::string> {});
            QCOMPARE(int(program.state().nextNumber), next + 1);
            const Bytes arc = readFile(dir, arcName);
            QVERIFY(prefix(arc, storedArc) == prefix(before.at(arcName), storedArc));
            QVERIFY(arc.size() >= storedArc + Arc);
            QCOMPARE(archive::readInvoice(book, next).value().client.surname.substr(0, 13),
                     std::string("Nuovo cliente"));
            QCOMPARE(prefix(readFile(dir, book.counter.substr(dir.size() + 1)), 2), int16Bytes(next + 1));
            QCOMPARE(program.insaneText(), QString());
        }
    }

private slots:
    void survivesTheUserTour_data()
    {
        QTest::addColumn<QVariant>("damage");
        addRow("healthy", [](const std::string&) {});
        addRow("impost empty", [](const std::string& d) { writeFile(d, "impost", {}); });
        addRow("impost cut to 5 bytes", [](const std::string& d) { truncateFile(d, "impost", 5); });
        addRow("impost cut to 13 bytes", [](const std::string& d) { truncateFile(d, "impost", 13); });
        addRow("impost of 100 bytes", [](const std::string& d) { truncateFile(d, "impost", 100); });
        addRow("impost all 0xFF", [](const std::string& d) { writeFile(d, "impost", Bytes(16, 0xFF)); });
        addRow("issuer count negative", [](const std::string& d) { overwrite(d, "impost", 0, int16Bytes(-3)); });
        addRow("issuer count 32767", [](const std::string& d) { overwrite(d, "impost", 0, int16Bytes(32767)); });
        addRow("client count negative", [](const std::string& d) { overwrite(d, "impost", 4, int16Bytes(-1)); });
        addRow("client count beyond the archive",
               [](const std::string& d) { overwrite(d, "impost", 4, int16Bytes(7)); });
        addRow("client count 32767", [](const std::string& d) { overwrite(d, "impost", 4, int16Bytes(32767)); });
        addRow("current issuer negative", [](const std::string& d) { overwrite(d, "impost", 8, int16Bytes(-1)); });
        addRow("current issuer past the end", [](const std::string& d) { overwrite(d, "impost", 8, int16Bytes(5)); });
        addRow("current issuer 32767", [](const std::string& d) { overwrite(d, "impost", 8, int16Bytes(32767)); });
        addRow("rate NaN", [](const std::string& d) {
            overwrite(d, "impost", 12, floatBytes(std::numeric_limits<float>::quiet_NaN()));
        });
        addRow("rate negative", [](const std::string& d) { overwrite(d, "impost", 12, floatBytes(-1936.27f)); });
        addRow("rate infinite", [](const std::string& d) {
            overwrite(d, "impost", 12, floatBytes(std::numeric_limits<float>::infinity()));
        });
        addRow("rate tiny", [](const std::string& d) { overwrite(d, "impost", 12, floatBytes(1e-30f)); });
        addRow("tipo.mon empty", [](const std::string& d) { writeFile(d, "tipo.mon", {}); });
        addRow("tipo.mon long", [](const std::string& d) { writeFile(d, "tipo.mon", Bytes(5000, 'l')); });
        addRow("tipo.fat empty", [](const std::string& d) { writeFile(d, "tipo.fat", {}); });
        addRow("tipo.fat long", [](const std::string& d) { writeFile(d, "tipo.fat", Bytes(5000, 'c')); });
        addRow("tipo.fat 0xFF", [](const std::string& d) { writeFile(d, "tipo.fat", {0xFF}); });
        addRow("emit cut mid-record", [](const std::string& d) { truncateFile(d, "emit", 60); });
        addRow("emit all 0xFF", [](const std::string& d) { writeFile(d, "emit", Bytes(173, 0xFF)); });
        addRow("emit missing", [](const std::string& d) { QFile::remove(QString::fromStdString(d + "/emit")); });
        addRow("clienti missing", [](const std::string& d) { QFile::remove(QString::fromStdString(d + "/clienti")); });
        addRow("clienti all 0xFF", [](const std::string& d) { writeFile(d, "clienti", Bytes(346, 0xFF)); });
        addRow("clienti NUL and unassigned bytes", [](const std::string& d) {
            overwrite(d, "clienti", SurnameOffset, {'A', 0, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 'B'});
        });
        addRow("counter 0", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(0)); });
        addRow("counter negative", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(-7)); });
        addRow("counter -32768", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(-32768)); });
        addRow("counter missing",
               [](const std::string& d) { QFile::remove(QString::fromStdString(d + "/12024.imp")); });
        addRow("counter of 0 bytes", [](const std::string& d) { writeFile(d, "12024.imp", {}); });
        addRow("counter of 1 byte", [](const std::string& d) { writeFile(d, "12024.imp", {0x03}); });
        addRow("counter of many bytes", [](const std::string& d) { writeFile(d, "12024.imp", {0x04, 0, 0xFF, 0xFF}); });
        addRow("counter larger than the file", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(10)); });
        addRow("counter 32767", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(32767)); });
        addRow("arc shorter than the counter", [](const std::string& d) { truncateFile(d, "12024.arc", Arc + 100); });
        addRow("arc empty", [](const std::string& d) { writeFile(d, "12024.arc", {}); });
        addRow("agg missing", [](const std::string& d) { QFile::remove(QString::fromStdString(d + "/12024.agg")); });
        addRow("agg of 1 byte", [](const std::string& d) { writeFile(d, "12024.agg", {'x'}); });
        addRow("agg longer than the arc",
               [](const std::string& d) { writeFile(d, "12024.agg", repeated(extraLinesBytes(9), 10)); });
        addRow("agg all 0xFF", [](const std::string& d) { writeFile(d, "12024.agg", Bytes(3 * Agg, 0xFF)); });
        addRow("invoice texts with NUL and unassigned bytes", [](const std::string& d) {
            const Bytes odd = {'A', 0, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 'B'};
            for (std::size_t n = 0; n < 3; ++n) {
                overwrite(d, "12024.arc", n * Arc + SurnameOffset, odd);
                overwrite(d, "12024.arc", n * Arc + DescriptionOffset, odd);
                overwrite(d, "12024.arc", n * Arc + AmountOffset, {'1', 0, '2', 0x81});
            }
        });
        addRow("invoice currency neither l nor e", [](const std::string& d) {
            overwrite(d, "12024.arc", CurrencyOffset, {'x'});
            overwrite(d, "12024.arc", Arc + CurrencyOffset, {0});
            overwrite(d, "12024.arc", 2 * Arc + CurrencyOffset, {0xFF});
        });
        addRow("lire invoices with unusable rates", [](const std::string& d) {
            for (std::size_t n = 0; n < 3; ++n)
                overwrite(d, "12024.arc", n * Arc + CurrencyOffset, {'l'});
            overwrite(d, "12024.arc", RateOffset, floatBytes(std::numeric_limits<float>::quiet_NaN()));
            overwrite(d, "12024.arc", Arc + RateOffset, floatBytes(-5));
            overwrite(d, "12024.arc", 2 * Arc + RateOffset, floatBytes(0));
        });
        addRow("invoice amounts beyond any double", [](const std::string& d) {
            for (std::size_t n = 0; n < 3; ++n) {
                for (std::size_t line = 0; line < 3; ++line) {
                    overwrite(d, "12024.arc", n * Arc + AmountOffset + 10 * line,
                              {'9', 'e', '9', '9', '9', '9', '9', '9', '9', '9'});
                    overwrite(d, "12024.arc", n * Arc + QuantityOffset + 4 * line, {'9', '9', '9', '9'});
                }
            }
        });
        addRow("invoice record all 0xFF",
               [](const std::string& d) { overwrite(d, "12024.arc", Arc, Bytes(Arc, 0xFF)); });
        addRow("commercial book with 0xFF lines", [](const std::string& d) {
            writeFile(d, "tipo.fat", {'c'});
            writeFile(d, "12024.agg", Bytes(3 * Agg, 0xFF));
        });
    }

    void survivesTheUserTour()
    {
        QFETCH(QVariant, damage);
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        damage.value<Damage>()(dir.path());
        Program program(dir.path());
        QVERIFY(program.start());
        QVERIFY(program.warnings().empty());
        userTour(program, dir.path());
    }

    // With no issuer left to load the first-start window opens; closing it
    // ends the program with the settings repaired and nothing else touched.
    void unusableSettingsWithoutIssuersEndCleanly()
    {
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        QFile::remove(QString::fromStdString(dir.file("emit")));
        writeFile(dir.path(), "impost", Bytes(16, 0xFF));
        const Snapshot before = snapshot(dir.path());
        Program program(dir.path());
        QVERIFY(!program.start());
        Snapshot after = snapshot(dir.path());
        // Counts that cannot be used are replaced; the clients on file are counted.
        QCOMPARE(after.at("impost"), impost(0, 2, 0, 1936.27f));
        after.erase("impost");
        Snapshot expected = before;
        expected.erase("impost");
        QVERIFY(after == expected);
    }

    // A book whose counter is lost keeps its invoices: the next number comes
    // after the last record written, so "Salva" cannot land on invoice 1.
    void lostCounterKeepsTheStoredInvoices_data()
    {
        QTest::addColumn<QVariant>("damage");
        QTest::addColumn<int>("next");
        const auto row = [](const char* name, Damage damage, int next) {
            QTest::newRow(name) << QVariant::fromValue(damage) << next;
        };
        row(
            "counter 0", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(0)); }, 4);
        row(
            "counter negative", [](const std::string& d) { writeFile(d, "12024.imp", int16Bytes(-1)); }, 4);
        row(
            "counter missing", [](const std::string& d) { QFile::remove(QString::fromStdString(d + "/12024.imp")); },
            4);
        row(
            "arc ends in a record never written",
            [](const std::string& d) {
                writeFile(d, "12024.imp", {});
                overwrite(d, "12024.arc", 5 * Arc, Bytes(Arc, 0));
            },
            4);
        row(
            "arc ends half way through a record",
            [](const std::string& d) {
                writeFile(d, "12024.imp", {});
                truncateFile(d, "12024.arc", 2 * Arc + 10);
            },
            4);
        row(
            "new book",
            [](const std::string& d) {
                writeFile(d, "12024.imp", {});
                writeFile(d, "12024.arc", {});
            },
            1);
    }

    void lostCounterKeepsTheStoredInvoices()
    {
        QFETCH(QVariant, damage);
        QFETCH(int, next);
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        damage.value<Damage>()(dir.path());
        Program program(dir.path());
        QVERIFY(program.start());
        QCOMPARE(int(program.state().nextNumber), next);
        QCOMPARE(program.text("txtnum"), QString::number(next));
        QVERIFY(program.text("txtc1").isEmpty());
        // The counter is not rewritten until an invoice is saved.
        const Bytes stored = prefix(readFile(dir.path(), "12024.arc"), std::size_t(next - 1) * Arc);
        program.type("txtc1", "Nuovo");
        program.click("Command5");
        QCOMPARE(prefix(readFile(dir.path(), "12024.arc"), stored.size()), stored);
        QCOMPARE(readFile(dir.path(), "12024.imp"), int16Bytes(next + 1));
    }

    // A negative count stands for what the archive holds, so a new issuer or
    // client is appended instead of written over the first one.
    void negativeCountsAreTakenFromTheArchives()
    {
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        overwrite(dir.path(), "impost", 0, int16Bytes(-1));
        overwrite(dir.path(), "impost", 4, int16Bytes(-1));
        const Bytes clients = readFile(dir.path(), "clienti");
        Program program(dir.path());
        QVERIFY(program.start());
        QCOMPARE(int(program.state().issuerCount), 1);
        QCOMPARE(int(program.state().clientCount), 2);
        QCOMPARE(int(program.state().currentIssuer), 1);
        program.type("txtc1", "Terzo");
        program.click("Command5");
        const Bytes after = readFile(dir.path(), "clienti");
        QCOMPARE(after.size(), 3 * archive::PartyRecordSize);
        QCOMPARE(prefix(after, clients.size()), clients);
        QCOMPARE(int(program.state().clientCount), 3);
        // "Carica archivio clienti" reads the count again from the file.
        program.click("Command3");
        QCOMPARE(program.clientEntries().size(), 4);
        // A new issuer goes after the one on file.
        const Bytes issuers = readFile(dir.path(), "emit");
        archive::PartyRecord issuer;
        issuer.surname = "Bianchi";
        app::saveIssuer(program.state(), issuer, program.dialogs());
        QCOMPARE(int(program.state().issuerCount), 2);
        QCOMPARE(prefix(readFile(dir.path(), "emit"), issuers.size()), issuers);
        QCOMPARE(readFile(dir.path(), "emit").size(), 2 * archive::PartyRecordSize);
    }

    // The largest count the settings can hold refuses one more issuer
    // instead of wrapping to a negative number.
    void fullIssuerArchiveRefusesANewIssuer()
    {
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        overwrite(dir.path(), "impost", 0, int16Bytes(32767));
        Program program(dir.path());
        QVERIFY(program.start());
        const Snapshot before = snapshot(dir.path());
        archive::PartyRecord issuer;
        issuer.surname = "Bianchi";
        app::saveIssuer(program.state(), issuer, program.dialogs());
        QCOMPARE(int(program.state().issuerCount), 32767);
        QCOMPARE(program.warnings().size(), std::size_t(1));
        QVERIFY(snapshot(dir.path()) == before);
    }

    // A current issuer outside the archive names nobody: no issuer is shown
    // and no book of a number that no issuer has is touched.
    void currentIssuerOutsideTheArchiveNamesNobody_data()
    {
        QTest::addColumn<int>("current");
        QTest::newRow("past the count") << 2;
        QTest::newRow("far past") << 32767;
        QTest::newRow("negative") << -2;
    }

    void currentIssuerOutsideTheArchiveNamesNobody()
    {
        QFETCH(int, current);
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        writeFile(dir.path(), "emit", repeated(partyBytes("Rossi"), 2)); // a record the count does not cover
        overwrite(dir.path(), "impost", 8, int16Bytes(current));
        Program program(dir.path());
        QVERIFY(program.start());
        QCOMPARE(int(program.state().currentIssuer), 0);
        QCOMPARE(program.state().currentIssuerRecord, archive::PartyRecord {});
        QVERIFY(!QFile::exists(QString::fromStdString(dir.file(std::to_string(std::abs(current)) + "2024.arc"))));
        QCOMPARE(prefix(readFile(dir.path(), "impost"), 16).at(8), std::uint8_t(current & 0xFF));
    }

    // A directory where a data file should be: the program starts, tells
    // what it could not read, and a save that cannot complete says so.
    void directoryInPlaceOfAFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("toldAtStart");
        QTest::newRow("impost") << "impost" << false;
        QTest::newRow("tipo.mon") << "tipo.mon" << false;
        QTest::newRow("emit") << "emit" << false;
        QTest::newRow("clienti") << "clienti" << false;
        QTest::newRow("12024.arc") << "12024.arc" << true;
        QTest::newRow("12024.agg") << "12024.agg" << true;
        QTest::newRow("12024.imp") << "12024.imp" << true;
    }

    void directoryInPlaceOfAFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, toldAtStart);
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        const QString path = QString::fromStdString(dir.file(name.toStdString()));
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        Snapshot before = snapshot(dir.path());
        Program program(dir.path());
        QVERIFY(program.start());
        QCOMPARE(program.warnings().size(), std::size_t(toldAtStart ? 1 : 0));
        if (toldAtStart)
            QVERIFY(program.warnings().front().find(path.toStdString()) != std::string::npos);
        QCOMPARE(program.insaneText(), QString());
        program.dialogs().clear();
        program.type("txtnum", "4");
        program.type("txtc1", "Nuovo");
        program.click("Command5");
        program.click("command");
        QCOMPARE(program.insaneText(), QString());
        if (toldAtStart) {
            QVERIFY(!program.warnings().empty());
            // Nothing that was stored has changed.
            Snapshot after = snapshot(dir.path());
            for (const auto& [file, bytes] : before)
                QVERIFY2(prefix(after.at(file), bytes.size()) == bytes, file.c_str());
        }
    }

    // Bytes the code page leaves unassigned come back as they were when an
    // invoice is saved again unchanged; the NUL of a damaged field is dropped.
    void resavingKeepsUnassignedBytes()
    {
        test::TestDir dir;
        writeHealthyDirectory(dir.path());
        overwrite(dir.path(), "12024.arc", Arc + SurnameOffset, {'A', 0x81, 0x8D, 0x8F, 0x90, 0x9D});
        Program program(dir.path());
        QVERIFY(program.start());
        program.type("txtnum", "3");
        program.click("command"); // invoice 2
        QCOMPARE(program.text("txtnum"), QString(" 2"));
        program.click("Command5");
        const Bytes arc = readFile(dir.path(), "12024.arc");
        const Bytes surname(arc.begin() + Arc + SurnameOffset, arc.begin() + Arc + SurnameOffset + 6);
        QCOMPARE(surname, (Bytes {'A', 0x81, 0x8D, 0x8F, 0x90, 0x9D}));
    }
};

QTEST_MAIN(TestDamagedDirectories)
#include "test_damaged_directories.moc"
