#include "einvoice/einvoice_files.h"

#include "faulty_file_system.h"
#include "test_dir.h"

#include <QtTest>

using namespace tessaro;
using namespace tessaro::einvoice;
using tessaro::test::FaultyFileSystem;
using tessaro::test::TestDir;

namespace {

archive::PartyRecord client(const std::string& surname, const std::string& postCode, const std::string& vat)
{
    archive::PartyRecord party;
    party.surname = surname;
    party.firstName = "Mario";
    party.address = "Via Roma 1";
    party.city = "Bologna";
    party.postCode = postCode;
    party.vatNumber = vat;
    return party;
}

std::string text(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t width)
{
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

} // namespace

class TestEinvoiceFiles : public QObject {
    Q_OBJECT

private slots:
    void issuerWithoutRecordHasTheDefaults()
    {
        TestDir dir;
        auto data = readIssuerData(dir.data(), 3);
        QVERIFY(data.ok());
        QCOMPARE(data.value(), IssuerEinvoiceData {});
        QCOMPARE(data.value().vatNature, std::string("N2.2"));
        QVERIFY2(!dir.exists("emit.fe"), "reading must not create the file");
    }

    void issuerRecordLayout()
    {
        TestDir dir;
        IssuerEinvoiceData data;
        data.fiscalRegime = "RF19";
        data.pensionFund = "TC04";
        data.vatNature = "N2.2";
        data.legalReference = "Non soggetta, città";
        data.iban = "IT60X0542811101000000123456";
        data.newPaymentMethod = "MP05";
        data.newPaymentTerm = "30";
        QVERIFY(writeIssuerData(dir.data(), 2, data).ok());

        const auto bytes = dir.bytes("emit.fe");
        QCOMPARE(bytes.size(), std::size_t {2 * 146});
        // Record 1 was never written: zero bytes, read back as the defaults.
        QCOMPARE(std::count(bytes.begin(), bytes.begin() + 146, 0), 146);
        QCOMPARE(readIssuerData(dir.data(), 1).value(), IssuerEinvoiceData {});

        QCOMPARE(text(bytes, 146 + 0, 4), std::string("RF19"));
        QCOMPARE(text(bytes, 146 + 4, 4), std::string("TC04"));
        QCOMPARE(text(bytes, 146 + 8, 4), std::string("N2.2"));
        const std::string reference = text(bytes, 146 + 12, 100);
        QCOMPARE(reference.substr(0, 19), std::string("Non soggetta, citt\xE0")); // Windows-1252 à
        QCOMPARE(reference.substr(19), std::string(81, ' '));
        QCOMPARE(text(bytes, 146 + 112, 34), std::string("IT60X0542811101000000123456       "));
        // The terms of new invoices beside it; record 1, never written, reads as nothing chosen.
        QCOMPARE(text(dir.bytes("pagamenti.fe"), 0, 16), std::string(8, '\0') + "MP0530  ");

        QCOMPARE(readIssuerData(dir.data(), 2).value(), data);

        // The stamp-duty choice stands beside, one character per issuer, written
        // with the rest or not at all; emit.fe keeps its length.
        IssuerEinvoiceData charged = data;
        charged.chargeStampDuty = true;
        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Write, "bollo.fe");
        QVERIFY(!writeIssuerData(dir.data(fs), 2, {}).ok());
        QVERIFY(fs.count(FaultyFileSystem::Op::Write, "emit.fe") > 0);
        QCOMPARE(readIssuerData(dir.data(), 2).value(), data);
        QVERIFY(writeIssuerData(dir.data(), 2, charged).ok());
        QCOMPARE(dir.bytes("emit.fe").size(), std::size_t {2 * 146});
        QCOMPARE(dir.bytes("bollo.fe"), (std::vector<std::uint8_t> {0, 's'}));
        QCOMPARE(readIssuerData(dir.data(), 2).value(), charged);
    }

    void clearedFieldsStayCleared()
    {
        TestDir dir;
        IssuerEinvoiceData data;
        data.legalReference.clear();
        QVERIFY(writeIssuerData(dir.data(), 1, data).ok());
        QCOMPARE(readIssuerData(dir.data(), 1).value().legalReference, std::string());
    }

    void issuerDataProblems_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem");
        QTest::newRow("defaults") << ""
                                  << ""
                                  << "";
        QTest::newRow("RF03 is gone") << "regime"
                                      << "RF03"
                                      << "Il regime fiscale \"RF03\" non è un codice valido.";
        QTest::newRow("no cassa") << "cassa"
                                  << ""
                                  << "";
        QTest::newRow("bad cassa") << "cassa"
                                   << "TC23"
                                   << "Il tipo di cassa \"TC23\" non è un codice valido.";
        QTest::newRow("bare N2") << "natura"
                                 << "N2"
                                 << "La natura IVA \"N2\" non è un codice valido.";
        QTest::newRow("iban with blanks") << "iban"
                                          << "it60 x054 2811 1010 0000 0123 456"
                                          << "";
        QTest::newRow("short iban") << "iban"
                                    << "IT60X0542"
                                    << "L'IBAN non è valido: due lettere, due cifre e da 11 a 30 lettere o cifre.";
        QTest::newRow("euro sign, arrow and star") << "reference"
                                                   << "Costo 5 € → ★"
                                                   << "Il riferimento normativo contiene i caratteri \"→\" e \"★\", "
                                                      "che la fattura elettronica non ammette.";
    }

    void issuerDataProblems()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, problem);
        IssuerEinvoiceData data;
        const std::string v = value.toStdString();
        if (field == "regime")
            data.fiscalRegime = v;
        else if (field == "cassa")
            data.pensionFund = v;
        else if (field == "natura")
            data.vatNature = v;
        else if (field == "iban")
            data.iban = v;
        else if (field == "reference")
            data.legalReference = v;
        const auto problems = einvoice::issuerDataProblems(data);
        if (problem.isEmpty()) {
            QVERIFY(problems.empty());
        } else {
            QCOMPARE(problems.size(), std::size_t {1});
            QCOMPARE(QString::fromStdString(problems[0]), problem);
        }
    }

    void recipientIsRememberedByTheClientRule()
    {
        TestDir dir;
        const auto rossi = client("Rossi", "40100", "01234567890");
        QCOMPARE(proposedRecipient(dir.data(), rossi).value(), std::string("0000000"));
        QVERIFY2(!dir.exists("clienti.fe"), "a lookup must not create the file");

        QVERIFY(rememberRecipient(dir.data(), rossi, "ABC1234").ok());
        // Postal code and city take no part in the match; blanks around do not count.
        auto moved = client("  Rossi ", "20100", "01234567890");
        moved.city = "Milano";
        QCOMPARE(proposedRecipient(dir.data(), moved).value(), std::string("ABC1234"));

        // Another VAT number is another client: appended, the first one kept.
        const auto other = client("Rossi", "40100", "11111111111");
        QVERIFY(!findRecipient(dir.data(), other).value().has_value());
        QVERIFY(rememberRecipient(dir.data(), other, "rossi@pec.it").ok());
        QCOMPARE(dir.bytes("clienti.fe").size(), std::size_t {2 * 210});

        // A new answer replaces the remembered one in place.
        QVERIFY(rememberRecipient(dir.data(), moved, "XYZ9876").ok());
        QCOMPARE(dir.bytes("clienti.fe").size(), std::size_t {2 * 210});
        QCOMPARE(proposedRecipient(dir.data(), rossi).value(), std::string("XYZ9876"));
        QCOMPARE(proposedRecipient(dir.data(), other).value(), std::string("rossi@pec.it"));

        const auto bytes = dir.bytes("clienti.fe");
        QCOMPARE(text(bytes, 0, 29), std::string("Rossi") + std::string(24, ' '));
        QCOMPARE(text(bytes, 29, 5), std::string("Mario"));
        QCOMPARE(text(bytes, 58, 10), std::string("Via Roma 1"));
        QCOMPARE(text(bytes, 98, 12), std::string("01234567890 "));
        QCOMPARE(text(bytes, 110, 8), std::string("XYZ9876 "));
    }

    void failuresAreReported()
    {
        TestDir dir;
        const auto rossi = client("Rossi", "40100", "01234567890");
        QVERIFY(rememberRecipient(dir.data(), rossi, "ABC1234").ok());
        QVERIFY(writeIssuerData(dir.data(), 1, {}).ok());

        FaultyFileSystem fs;
        fs.fail(FaultyFileSystem::Op::Write, "clienti.fe");
        fs.fail(FaultyFileSystem::Op::Read, "emit.fe");
        const auto written = rememberRecipient(dir.data(fs), client("Bianchi", "40100", ""), "ABC1234");
        QVERIFY(!written.ok());
        QCOMPARE(written.error().path, dir.file("clienti.fe"));
        const auto read = readIssuerData(dir.data(fs), 1);
        QVERIFY(!read.ok());
        QCOMPARE(read.error().path, dir.file("emit.fe"));

        fs.heal();
        fs.fail(FaultyFileSystem::Op::Read, "clienti.fe");
        QVERIFY(!proposedRecipient(dir.data(fs), rossi).ok());
    }
};

QTEST_GUILESS_MAIN(TestEinvoiceFiles)
#include "test_einvoice_files.moc"
