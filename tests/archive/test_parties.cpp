#include "archive/clients.h"
#include "archive/issuers.h"
#include "archive/settings.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QtTest>

#include <vector>

using namespace tessaro::archive;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;

namespace {

using Bytes = std::vector<std::uint8_t>;

PartyRecord client(const std::string& surname, const std::string& firstName, const std::string& address,
                   const std::string& vat)
{
    PartyRecord party;
    party.title = "ing.";
    party.surname = surname;
    party.firstName = firstName;
    party.address = address;
    party.city = "Bologna";
    party.postCode = "40100";
    party.vatNumber = vat;
    return party;
}

PartyRecord rossi()
{
    return client("Rossi", "Mario", "Via Roma 1", "01234567890");
}

AppState stateIn(const TestDir& dir)
{
    AppState state;
    state.dataDir = dir.data();
    return state;
}

} // namespace

class TestParties : public QObject {
    Q_OBJECT

private slots:
    void sameClientRule_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("city");
        QTest::addColumn<bool>("same");
        QTest::newRow("identical") << "Rossi"
                                   << "Mario"
                                   << "Via Roma 1"
                                   << "01234567890"
                                   << "Bologna" << true;
        QTest::newRow("blanks around") << "  Rossi   "
                                       << " Mario"
                                       << "Via Roma 1 "
                                       << " 01234567890"
                                       << "Bologna" << true;
        QTest::newRow("other city and cap") << "Rossi"
                                            << "Mario"
                                            << "Via Roma 1"
                                            << "01234567890"
                                            << "Imola" << true;
        QTest::newRow("case of a letter") << "rossi"
                                          << "Mario"
                                          << "Via Roma 1"
                                          << "01234567890"
                                          << "Bologna" << false;
        QTest::newRow("other first name") << "Rossi"
                                          << "Maria"
                                          << "Via Roma 1"
                                          << "01234567890"
                                          << "Bologna" << false;
        QTest::newRow("other address") << "Rossi"
                                       << "Mario"
                                       << "Via Roma 2"
                                       << "01234567890"
                                       << "Bologna" << false;
        QTest::newRow("other VAT number") << "Rossi"
                                          << "Mario"
                                          << "Via Roma 1"
                                          << "01234567891"
                                          << "Bologna" << false;
        QTest::newRow("inner spacing") << "Ros si"
                                       << "Mario"
                                       << "Via Roma 1"
                                       << "01234567890"
                                       << "Bologna" << false;
    }

    void sameClientRule()
    {
        QFETCH(QString, surname);
        QFETCH(QString, firstName);
        QFETCH(QString, address);
        QFETCH(QString, vat);
        QFETCH(QString, city);
        QFETCH(bool, same);
        PartyRecord candidate
            = client(surname.toStdString(), firstName.toStdString(), address.toStdString(), vat.toStdString());
        candidate.city = city.toStdString();
        candidate.title = "dott.";
        QCOMPARE(sameClient(rossi(), candidate), same);
    }

    void registeringClients()
    {
        TestDir dir;
        AppState state = stateIn(dir);
        QCOMPARE(registerClient(state, rossi()).value(), true);
        QCOMPARE(state.clientCount, std::int16_t {1});
        QCOMPARE(readClientCount(dir.data()).value(), std::int16_t {1});
        QCOMPARE(dir.bytes("clienti").size(), PartyRecordSize);

        PartyRecord otherCap = rossi();
        otherCap.postCode = "40121";
        QCOMPARE(registerClient(state, otherCap).value(), false);
        QCOMPARE(state.clientCount, std::int16_t {1});

        PartyRecord otherVat = rossi();
        otherVat.vatNumber = "99999999999";
        QCOMPARE(registerClient(state, otherVat).value(), true);
        QCOMPARE(state.clientCount, std::int16_t {2});
        QCOMPARE(readClientCount(dir.data()).value(), std::int16_t {2});
        QCOMPARE(readClient(dir.data(), 2).value().vatNumber, std::string("99999999999 "));
        QCOMPARE(readClient(dir.data(), 2).value().surname, "Rossi" + std::string(24, ' '));
    }

    void registrationFailuresChangeNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("op");
        QTest::newRow("client record not written") << "clienti" << int(FaultyFileSystem::Op::Write);
        QTest::newRow("count not written") << "impost" << int(FaultyFileSystem::Op::Write);
        QTest::newRow("archive not readable") << "clienti" << int(FaultyFileSystem::Op::Read);
    }

    void registrationFailuresChangeNothing()
    {
        QFETCH(QString, file);
        QFETCH(int, op);
        TestDir dir;
        AppState state = stateIn(dir);
        QVERIFY(registerClient(state, rossi()).ok());
        const Bytes settingsBefore = dir.bytes("impost");

        FaultyFileSystem fs(state.dataDir);
        fs.fail(FaultyFileSystem::Op(op), file.toStdString());
        auto result = registerClient(state, client("Bianchi", "Anna", "Via Po 3", "11111111111"));
        QVERIFY(!result.ok());
        QCOMPARE(result.error().path, dir.file(file.toStdString()));
        QCOMPARE(state.clientCount, std::int16_t {1});
        QCOMPARE(dir.bytes("impost"), settingsBefore);
        // Whatever happened to the file, the settings never count a record that is not there.
        fs.heal();
        QCOMPARE(readClient(dir.data(fs), 1).value().surname, "Rossi" + std::string(24, ' '));
    }

    void surnamesAsStored()
    {
        TestDir dir;
        AppState state = stateIn(dir);
        registerClient(state, rossi());
        registerClient(state, client("Rossi", "Luca", "Via Roma 1", ""));
        auto surnames = readClientSurnames(dir.data(), 3);
        QVERIFY(surnames.ok());
        const std::vector<std::string> expected = {"Rossi" + std::string(24, ' '), "Rossi" + std::string(24, ' '),
                                                   ""}; // the third lies past the end of the file
        QCOMPARE(surnames.value(), expected);
        QVERIFY(readClientSurnames(dir.data(), 0).value().empty());
    }

    void deletingTheClientArchive()
    {
        TestDir dir;
        AppState state = stateIn(dir);
        registerClient(state, rossi());
        QVERIFY(deleteClientArchive(dir.data()).ok());
        QVERIFY(!dir.exists("clienti"));
        QCOMPARE(readClientCount(dir.data()).value(), std::int16_t {0});

        // A second time the file is missing: a failure, and the settings keep their value.
        writeClientCount(dir.data(), 4);
        const Status missing = deleteClientArchive(dir.data());
        QVERIFY(!missing.ok());
        QCOMPARE(missing.error().action, IoError::Action::Remove);
        QCOMPARE(readClientCount(dir.data()).value(), std::int16_t {4});
    }

    void issuersByNumber()
    {
        TestDir dir;
        PartyRecord issuer = client("Verdi", "Anna", "Corso Italia 8", "22222222222");
        QVERIFY(writeIssuer(dir.data(), 2, issuer).ok());
        QCOMPARE(dir.bytes("emit").size(), 2 * PartyRecordSize);
        QCOMPARE(readIssuer(dir.data(), 1).value(), PartyRecord {});
        QCOMPARE(readIssuer(dir.data(), 2).value().firstName, "Anna" + std::string(25, ' '));
        QVERIFY(!readIssuer(dir.data(), 0).ok());
    }

    void findingIssuersByName_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("found");
        QTest::newRow("second") << "Verdi"
                                << "Anna" << 3 << 2;
        QTest::newRow("blanks ignored") << "  Verdi "
                                        << "Anna  " << 3 << 2;
        QTest::newRow("first of two equal") << "Neri"
                                            << "Ugo" << 3 << 1;
        QTest::newRow("case matters") << "verdi"
                                      << "Anna" << 3 << 0;
        QTest::newRow("first name must match too") << "Verdi"
                                                   << "Ugo" << 3 << 0;
        QTest::newRow("beyond the count") << "Verdi"
                                          << "Anna" << 1 << 0;
        QTest::newRow("no issuers") << "Neri"
                                    << "Ugo" << 0 << 0;
    }

    void findingIssuersByName()
    {
        QFETCH(QString, surname);
        QFETCH(QString, firstName);
        QFETCH(int, count);
        QFETCH(int, found);
        TestDir dir;
        writeIssuer(dir.data(), 1, client("Neri", "Ugo", "a", ""));
        writeIssuer(dir.data(), 2, client("Verdi", "Anna", "b", ""));
        writeIssuer(dir.data(), 3, client("Neri", "Ugo", "c", ""));
        auto result = findIssuerByName(dir.data(), count, surname.toStdString(), firstName.toStdString());
        QVERIFY(result.ok());
        QCOMPARE(result.value(), found);
    }

    void issuerFailures()
    {
        TestDir dir;
        writeIssuer(dir.data(), 1, client("Neri", "Ugo", "a", ""));
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Read, "emit");
        QCOMPARE(findIssuerByName(dir.data(fs), 1, "Neri", "Ugo").error().path, dir.file("emit"));
    }
};

QTEST_GUILESS_MAIN(TestParties)
#include "test_parties.moc"
