#include "archive/issuers.h"
#include "archive/settings.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QtTest>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes golden(const char* name)
{
    std::ifstream in(std::string(TESSARO_GOLDEN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "impost" as another program might have left it: the unused bytes hold `filler`.
Bytes impost(int issuers, int clients, int current, float rate, std::uint8_t filler = 0)
{
    Bytes out;
    for (const int value : {issuers, clients, current}) {
        const auto bits = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        out.insert(out.end(), {static_cast<std::uint8_t>(bits & 0xFF), static_cast<std::uint8_t>(bits >> 8)});
        out.insert(out.end(), {filler, filler});
    }
    std::uint32_t bits = 0;
    std::memcpy(&bits, &rate, sizeof bits);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    return out;
}

Bytes text(const char* value)
{
    return Bytes(value, value + std::strlen(value));
}

PartyRecord issuerNamed(const std::string& surname)
{
    PartyRecord issuer;
    issuer.surname = surname;
    return issuer;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void firstStartInAnEmptyDirectory()
    {
        TestDir dir;
        const StartupSettings settings = loadStartupSettings(dir.data());
        QCOMPARE(dir.bytes("impost"), golden("impost_first_start.bin"));
        QCOMPARE(dir.bytes("impost"), impost(0, 0, 0, 1936.27f));
        QCOMPARE(dir.bytes("tipo.mon"), text("e"));
        QCOMPARE(dir.bytes("tipo.fat"), text("p"));
        QCOMPARE(settings.issuerCount, std::int16_t {0});
        QCOMPARE(settings.clientCount, std::int16_t {0});
        QCOMPARE(settings.currentIssuer, std::int16_t {0});
        QCOMPARE(settings.euroRate, DefaultEuroRate);
        QCOMPARE(settings.currentIssuerRecord, PartyRecord {});
        QVERIFY(settings.currency == Currency::Euro);
        QVERIFY(settings.invoiceType == InvoiceType::Professional);
    }

    void currencyFileAlwaysEndsAsEuro_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("lire") << QByteArray("l");
        QTest::newRow("euro") << QByteArray("e");
        QTest::newRow("other") << QByteArray("x");
        QTest::newRow("upper case") << QByteArray("E");
        QTest::newRow("empty") << QByteArray();
    }

    void currencyFileAlwaysEndsAsEuro()
    {
        QFETCH(QByteArray, stored);
        TestDir dir;
        dir.writeBytes("tipo.mon", Bytes(stored.begin(), stored.end()));
        QVERIFY(loadStartupSettings(dir.data()).currency == Currency::Euro);
        QCOMPARE(dir.bytes("tipo.mon"), text("e"));
    }

    void invoiceTypeFile_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("commercial");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("professional") << QByteArray("p") << false << QByteArray("p");
        QTest::newRow("commercial") << QByteArray("c") << true << QByteArray("c");
        QTest::newRow("invalid") << QByteArray("C") << false << QByteArray("p");
        QTest::newRow("zero byte") << QByteArray(1, '\0') << false << QByteArray("p");
        QTest::newRow("empty") << QByteArray() << false << QByteArray("p");
    }

    void invoiceTypeFile()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, commercial);
        QFETCH(QByteArray, after);
        TestDir dir;
        dir.writeBytes("tipo.fat", Bytes(stored.begin(), stored.end()));
        const StartupSettings settings = loadStartupSettings(dir.data());
        QCOMPARE(settings.invoiceType == InvoiceType::Commercial, commercial);
        QCOMPARE(dir.bytes("tipo.fat"), Bytes(after.begin(), after.end()));
    }

    void currentIssuerIsLoaded()
    {
        TestDir dir;
        dir.writeBytes("impost", impost(2, 7, 2, 1936.27f));
        writeIssuer(dir.data(), 1, issuerNamed("Primo"));
        writeIssuer(dir.data(), 2, issuerNamed("Secondo"));
        const StartupSettings settings = loadStartupSettings(dir.data());
        QCOMPARE(settings.issuerCount, std::int16_t {2});
        QCOMPARE(settings.clientCount, std::int16_t {7});
        QCOMPARE(settings.currentIssuer, std::int16_t {2});
        QCOMPARE(settings.currentIssuerRecord.surname, "Secondo" + std::string(22, ' '));
        QCOMPARE(settings.euroRate, double(1936.27f));
        QCOMPARE(dir.bytes("impost"), impost(2, 7, 2, 1936.27f));
    }

    // Cases where nothing of "impost" is rewritten and no issuer is loaded.
    void settingsKeptAsTheyAre_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<double>("rate");
        const auto row = [](const char* name, const Bytes& bytes, double rate) {
            QTest::newRow(name) << QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())) << rate;
        };
        row("no current issuer", impost(2, 0, 0, 1936.27f, 0x5A), double(1936.27f));
        row("rate 0 stays on file", impost(1, 3, 0, 0.0f), DefaultEuroRate);
        row("NaN rate", impost(1, 3, 0, std::numeric_limits<float>::quiet_NaN()), DefaultEuroRate);
        row("negative rate", impost(1, 3, 0, -5.0f), DefaultEuroRate);
        row("infinite rate", impost(1, 3, 0, std::numeric_limits<float>::infinity()), DefaultEuroRate);
        row("negative current issuer", impost(1, 3, -4, 1000.5f), 1000.5);
    }

    void settingsKeptAsTheyAre()
    {
        QFETCH(QByteArray, stored);
        QFETCH(double, rate);
        TestDir dir;
        const Bytes bytes(stored.begin(), stored.end());
        dir.writeBytes("impost", bytes);
        writeIssuer(dir.data(), 1, issuerNamed("Primo"));
        const StartupSettings settings = loadStartupSettings(dir.data());
        QCOMPARE(settings.euroRate, rate);
        QCOMPARE(settings.currentIssuer, std::int16_t {0});
        QCOMPARE(settings.currentIssuerRecord, PartyRecord {});
        QCOMPARE(dir.bytes("impost"), bytes);
    }

    void noIssuerRewritesTheSettings_data()
    {
        QTest::addColumn<int>("issuers");
        QTest::addColumn<int>("clients");
        QTest::addColumn<float>("rate");
        QTest::addColumn<int>("clientsAfter");
        QTest::addColumn<float>("rateAfter");
        QTest::newRow("zero issuers keeps clients") << 0 << 5 << 1000.5f << 5 << 1000.5f;
        QTest::newRow("zero rate becomes the default") << 0 << 5 << 0.0f << 5 << 1936.27f;
        QTest::newRow("negative issuers") << -3 << 2 << 1000.5f << 2 << 1000.5f;
        QTest::newRow("negative clients") << 0 << -1 << 1000.5f << 0 << 1000.5f;
    }

    void noIssuerRewritesTheSettings()
    {
        QFETCH(int, issuers);
        QFETCH(int, clients);
        QFETCH(float, rate);
        QFETCH(int, clientsAfter);
        QFETCH(float, rateAfter);
        TestDir dir;
        dir.writeBytes("impost", impost(issuers, clients, 0, rate, 0xFF));
        const StartupSettings settings = loadStartupSettings(dir.data());
        QCOMPARE(settings.issuerCount, std::int16_t {0});
        QCOMPARE(int(settings.clientCount), clientsAfter);
        QCOMPARE(dir.bytes("impost"), impost(0, clientsAfter, 0, rateAfter));
    }

    void unreadableSettingsAreNotOverwritten()
    {
        TestDir dir;
        const Bytes stored = impost(0, 9, 0, 1000.5f);
        dir.writeBytes("impost", stored);
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Read, "impost", 0, 1); // the records, read in one transfer
        const StartupSettings settings = loadStartupSettings(dir.data(fs));
        QCOMPARE(settings.issuerCount, std::int16_t {0});
        QCOMPARE(settings.clientCount, std::int16_t {0});
        QCOMPARE(settings.euroRate, DefaultEuroRate);
        QCOMPARE(dir.bytes("impost"), stored);
        QCOMPARE(fs.count(FaultyFileSystem::Op::Write, "impost"), 0);
    }

    void unreadableIssuerLeavesItEmpty()
    {
        TestDir dir;
        dir.writeBytes("impost", impost(1, 0, 1, 1936.27f));
        writeIssuer(dir.data(), 1, issuerNamed("Primo"));
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Read, "emit");
        const StartupSettings settings = loadStartupSettings(dir.data(fs));
        QCOMPARE(settings.currentIssuer, std::int16_t {1});
        QCOMPARE(settings.currentIssuerRecord, PartyRecord {});
        QCOMPARE(settings.invoiceType, InvoiceType::Professional);
    }

    void modeFilesThatCannotBeWrittenStillGiveDefaults()
    {
        TestDir dir;
        dir.writeBytes("tipo.mon", text("l"));
        dir.writeBytes("tipo.fat", text("z"));
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Write, "tipo.mon");
        fs.fail(FaultyFileSystem::Op::Write, "tipo.fat");
        const StartupSettings settings = loadStartupSettings(dir.data(fs));
        QVERIFY(settings.currency == Currency::Euro);
        QVERIFY(settings.invoiceType == InvoiceType::Professional);
        QCOMPARE(dir.bytes("tipo.mon"), text("l"));
    }

    void writersChangeOnlyTheirRecord()
    {
        TestDir dir;
        dir.writeBytes("impost", impost(1, 2, 3, 1000.5f, 0x77));
        QVERIFY(writeIssuerCount(dir.data(), 4).ok());
        QVERIFY(writeClientCount(dir.data(), 300).ok());
        Bytes expected = impost(4, 300, 3, 1000.5f, 0x77);
        expected[2] = expected[3] = expected[6] = expected[7] = 0; // rewritten records get zero fillers
        QCOMPARE(dir.bytes("impost"), expected);
        QVERIFY(writeCurrentIssuer(dir.data(), -1).ok());
        QVERIFY(writeEuroRate(dir.data(), 1936.27).ok());
        QCOMPARE(dir.bytes("impost"), impost(4, 300, -1, 1936.27f));
        QCOMPARE(readClientCount(dir.data()).value(), std::int16_t {300});
    }

    void modeWriters()
    {
        TestDir dir;
        QVERIFY(writeCurrencyFile(dir.data(), Currency::Lire).ok());
        QVERIFY(writeInvoiceTypeFile(dir.data(), InvoiceType::Commercial).ok());
        QCOMPARE(dir.bytes("tipo.mon"), text("l"));
        QCOMPARE(dir.bytes("tipo.fat"), text("c"));
        QVERIFY(writeCurrencyFile(dir.data(), Currency::Euro).ok());
        QVERIFY(writeInvoiceTypeFile(dir.data(), InvoiceType::Professional).ok());
        QCOMPARE(dir.bytes("tipo.mon"), text("e"));
        QCOMPARE(dir.bytes("tipo.fat"), text("p"));
    }

    void writerFailuresNameTheFile()
    {
        TestDir dir;
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Write, "impost");
        const Status status = writeClientCount(dir.data(fs), 1);
        QVERIFY(!status.ok());
        QCOMPARE(status.error().path, dir.file("impost"));
        QCOMPARE(status.error().action, IoError::Action::Write);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
