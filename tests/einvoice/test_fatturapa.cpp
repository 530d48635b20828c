#include "einvoice/atomic_file.h"
#include "einvoice/fatturapa.h"

#include "samples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <set>
#include <tuple>

using namespace tessaro;
using namespace tessaro::einvoice;

namespace {

// Exports into a fresh folder, checks the file against the schema and returns its text.
std::string exportedAndValid(const InvoiceToExport& invoice, const QTemporaryDir& dir)
{
    const ExportOutcome outcome = exportInvoice(invoice, dir.path().toStdString());
    for (const std::string& problem : outcome.problems)
        qWarning("refused: %s", problem.c_str());
    if (!outcome.written())
        return {};
    QFile file(QString::fromStdString(outcome.path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void verifySchema(const QTemporaryDir& dir)
{
    const QStringList files = QDir(dir.path()).entryList({"*.xml"}, QDir::Files);
    QCOMPARE(files.size(), 1);
    const QString errors = test::schemaErrors(dir.filePath(files.first()));
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
}

QStringList values(const std::string& xml, const char* path)
{
    return test::xmlValues(xml, path);
}

using Change = std::function<void(InvoiceToExport&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestFatturaPA : public QObject {
    Q_OBJECT

private slots:
    void professionalWithCassaWithholdingAndExpenses()
    {
        QTemporaryDir dir;
        const InvoiceToExport invoice = test::professionalInvoice();
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);
        QVERIFY(QFile::exists(dir.filePath("IT01234567897_2F37R.xml")));

        QCOMPARE(values(xml, "DatiTrasmissione/ProgressivoInvio"), QStringList {"2F37R"});
        QCOMPARE(values(xml, "DatiTrasmissione/CodiceDestinatario"), QStringList {"0000000"});
        QCOMPARE(values(xml, "CedentePrestatore/DatiAnagrafici/Anagrafica/Nome"), QStringList {"Mario"});
        QCOMPARE(values(xml, "CedentePrestatore/DatiAnagrafici/Anagrafica/Cognome"), QStringList {"Rossi"});
        QCOMPARE(values(xml, "CedentePrestatore/DatiAnagrafici/Anagrafica/Titolo"), QStringList {"ing."});
        QCOMPARE(values(xml, "CedentePrestatore/DatiAnagrafici/RegimeFiscale"), QStringList {"RF01"});
        QCOMPARE(values(xml, "CessionarioCommittente/DatiAnagrafici/Anagrafica/Denominazione"),
                 QStringList {"Edilizia Bianchi S.r.l."});
        QCOMPARE(values(xml, "CessionarioCommittente/Sede/Provincia"), QStringList {"MO"});
        QCOMPARE(values(xml, "DatiGeneraliDocumento/TipoDocumento"), QStringList {"TD01"});
        QCOMPARE(values(xml, "DatiGeneraliDocumento/Data"), QStringList {"2024-03-05"});
        QCOMPARE(values(xml, "DatiGeneraliDocumento/Numero"), QStringList {"7"});

        // Fees 1000 + 500; cassa 4% = 60; VAT 22% of 1560 = 343.20; expenses 10
        // outside VAT; withholding 20% of 1500 = 300; to pay 1913.20 - 300.
        QCOMPARE(values(xml, "DatiRitenuta/TipoRitenuta"), QStringList {"RT01"});
        QCOMPARE(values(xml, "DatiRitenuta/ImportoRitenuta"), QStringList {"300.00"});
        QCOMPARE(values(xml, "DatiRitenuta/AliquotaRitenuta"), QStringList {"20.00"});
        QCOMPARE(values(xml, "DatiRitenuta/CausalePagamento"), QStringList {"A"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/TipoCassa"), QStringList {"TC04"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/AlCassa"), QStringList {"4.00"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/ImportoContributoCassa"), QStringList {"60.00"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/ImponibileCassa"), QStringList {"1500.00"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/AliquotaIVA"), QStringList {"22.00"});
        QCOMPARE(values(xml, "DatiBollo").size(), 0);
        QCOMPARE(values(xml, "ImportoTotaleDocumento"), QStringList {"1913.20"});

        QCOMPARE(values(xml, "DettaglioLinee/Descrizione"),
                 (QStringList {"Progetto strutturale & calcoli <c.a.>", "Direzione lavori prima fase",
                               "Spese generali sostenute"}));
        QCOMPARE(values(xml, "DettaglioLinee/PrezzoTotale"), (QStringList {"1000.00", "500.00", "10.00"}));
        QCOMPARE(values(xml, "DettaglioLinee/AliquotaIVA"), (QStringList {"22.00", "22.00", "0.00"}));
        QCOMPARE(values(xml, "DettaglioLinee/Ritenuta"), (QStringList {"SI", "SI"}));
        QCOMPARE(values(xml, "DettaglioLinee/Natura"), QStringList {"N1"});
        QCOMPARE(values(xml, "DatiRiepilogo/AliquotaIVA"), (QStringList {"22.00", "0.00"}));
        QCOMPARE(values(xml, "DatiRiepilogo/ImponibileImporto"), (QStringList {"1560.00", "10.00"}));
        QCOMPARE(values(xml, "DatiRiepilogo/Imposta"), (QStringList {"343.20", "0.00"}));
        QCOMPARE(values(xml, "DatiPagamento/DettaglioPagamento/ImportoPagamento"), QStringList {"1613.20"});
        QCOMPARE(values(xml, "DettaglioPagamento/IBAN"), QStringList {"IT60X0542811101000000123456"});
    }

    void schemaCheckIsNotVacuous()
    {
        // The same invoice without its RegimeFiscale must fail the check.
        if (!test::schemaCheckerFound())
            QSKIP("no xmllint on Windows: the Linux run checks the schema");
        QTemporaryDir dir;
        std::string xml = buildXml(test::professionalInvoice());
        const auto at = xml.find("<RegimeFiscale>RF01</RegimeFiscale>");
        QVERIFY(at != std::string::npos);
        xml.erase(at, std::string("<RegimeFiscale>RF01</RegimeFiscale>").size());
        QVERIFY(writeFileAtomically(dir.filePath("broken.xml").toStdString(), xml).ok());
        const QString errors = test::schemaErrors(dir.filePath("broken.xml"));
        QVERIFY(!errors.isEmpty());
    }

    void withoutVatWithStampDuty()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.omittedVatStatement = true;
        invoice.form.vat = "0";
        invoice.form.withholding.clear();
        invoice.form.expenses.clear();
        invoice.form.onAccount = true;
        invoice.form.balance = false;
        invoice.issuerData.fiscalRegime = "RF19";
        invoice.issuerData.iban.clear();
        invoice.recipient = "rossi.studio@pec.example.it";
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);

        // Fees 1500 + cassa 4% = 1560, no VAT: above 77.47, so the virtual stamp.
        QCOMPARE(values(xml, "DatiTrasmissione/CodiceDestinatario"), QStringList {"0000000"});
        QCOMPARE(values(xml, "DatiTrasmissione/PECDestinatario"), QStringList {"rossi.studio@pec.example.it"});
        QCOMPARE(values(xml, "DatiGeneraliDocumento/TipoDocumento"), QStringList {"TD02"});
        QCOMPARE(values(xml, "RegimeFiscale"), QStringList {"RF19"});
        QCOMPARE(values(xml, "DatiBollo/BolloVirtuale"), QStringList {"SI"});
        QCOMPARE(values(xml, "DatiBollo/ImportoBollo"), QStringList {"2.00"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/AliquotaIVA"), QStringList {"0.00"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale/Natura"), QStringList {"N2.2"});
        QCOMPARE(values(xml, "DettaglioLinee/Natura"), (QStringList {"N2.2", "N2.2"}));
        QCOMPARE(values(xml, "DatiRiepilogo/Natura"), QStringList {"N2.2"});
        QCOMPARE(values(xml, "DatiRiepilogo/ImponibileImporto"), QStringList {"1560.00"});
        QCOMPARE(values(xml, "DatiRiepilogo/Imposta"), QStringList {"0.00"});
        // The flat-rate regime's own law, not the issuer's reference for other invoices.
        const QStringList reference = values(xml, "DatiRiepilogo/RiferimentoNormativo");
        QCOMPARE(reference.size(), 1);
        QVERIFY2(reference.front().contains("commi da 54 a 89, della Legge n. 190/2014"),
                 qPrintable(reference.front()));
        QCOMPARE(values(xml, "DatiRitenuta").size(), 0);
        QCOMPARE(values(xml, "ImportoPagamento"), QStringList {"1560.00"});
        QCOMPARE(values(xml, "IBAN").size(), 0);
    }

    void stampDutyChargedToTheClient()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.vat = "0";
        invoice.form.withholding.clear();
        invoice.issuerData.chargeStampDuty = true;
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);

        // 1560 without VAT; expenses 10 and the duty 2 outside it, in one summary under both laws.
        QCOMPARE(values(xml, "DettaglioLinee/Descrizione").back(), QStringLiteral("Imposta di bollo"));
        QCOMPARE(values(xml, "DatiRiepilogo/Natura"), (QStringList {"N2.2", "N1"}));
        QCOMPARE(values(xml, "DatiRiepilogo/ImponibileImporto"), (QStringList {"1560.00", "12.00"}));
        QCOMPARE(values(xml, "DatiRiepilogo/RiferimentoNormativo").back(),
                 QStringLiteral("Escluse ex art. 15 DPR 633/72; Imposta di bollo, art. 13 Tariffa DPR 642/72"));
        QCOMPARE(values(xml, "ImportoPagamento"), QStringList {"1572.00"});
    }

    void commercialWithExtraLines()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::commercialInvoice();
        invoice.recipient = "abc1234";
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);

        QCOMPARE(values(xml, "CodiceDestinatario"), QStringList {"ABC1234"});
        QCOMPARE(values(xml, "CessionarioCommittente/DatiAnagrafici/IdFiscaleIVA").size(), 0);
        QCOMPARE(values(xml, "CessionarioCommittente/DatiAnagrafici/CodiceFiscale"), QStringList {"VRDNNA80A41D704Q"});
        QCOMPARE(values(xml, "CessionarioCommittente/DatiAnagrafici/Anagrafica/Nome"), QStringList {"Anna"});
        QCOMPARE(values(xml, "CessionarioCommittente/Sede/Comune"), QStringList {"Forlì"});
        QCOMPARE(values(xml, "DatiGeneraliDocumento/Data"), QStringList {"2024-02-29"});
        QCOMPARE(values(xml, "DettaglioLinee/Descrizione"),
                 (QStringList {"Viti inox", "Staffe", "Tasselli", "Guarnizioni", "Rondelle"}));
        QCOMPARE(values(xml, "DettaglioLinee/Quantita"), (QStringList {"2.00", "1.00", "1.00", "3.00", "0.00"}));
        QCOMPARE(values(xml, "DettaglioLinee/PrezzoUnitario"), (QStringList {"10.50", "3.00", "4.00", "5.00", "7.00"}));
        QCOMPARE(values(xml, "DettaglioLinee/PrezzoTotale"), (QStringList {"21.00", "3.00", "4.00", "15.00", "0.00"}));
        QCOMPARE(values(xml, "DatiRiepilogo/ImponibileImporto"), QStringList {"43.00"});
        QCOMPARE(values(xml, "DatiRiepilogo/Imposta"), QStringList {"9.46"});
        QCOMPARE(values(xml, "ImportoTotaleDocumento"), QStringList {"52.46"});
        QCOMPARE(values(xml, "ImportoPagamento"), QStringList {"52.46"});
        QCOMPARE(values(xml, "DatiCassaPrevidenziale").size(), 0);
        QCOMPARE(values(xml, "DatiRitenuta").size(), 0);
    }

    void firmIssuerWithholdsAsAFirm()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.issuer.firstName.clear();
        invoice.issuer.surname = "Studio Rossi & Associati";
        invoice.issuer.title = "soc.";
        invoice.issuer.taxCode = "01234567897";
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);
        QCOMPARE(values(xml, "CedentePrestatore/DatiAnagrafici/Anagrafica/Denominazione"),
                 QStringList {"Studio Rossi & Associati"});
        QCOMPARE(values(xml, "DatiRitenuta/TipoRitenuta"), QStringList {"RT02"});
    }

    void expensesAloneCarryNoCassaNorWithholding()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.amount = {"", "", ""};
        invoice.form.expenses2 = "95.50";
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);
        QCOMPARE(values(xml, "DatiCassaPrevidenziale").size(), 0);
        QCOMPARE(values(xml, "DatiRitenuta").size(), 0);
        QCOMPARE(values(xml, "DettaglioLinee/Descrizione"),
                 (QStringList {"Spese generali sostenute", "Spese per l'approvazione della parcella"}));
        // 10 + 95.50 outside VAT: above 77.47, so the virtual stamp.
        QCOMPARE(values(xml, "DatiRiepilogo/ImponibileImporto"), QStringList {"105.50"});
        QCOMPARE(values(xml, "DatiBollo/ImportoBollo"), QStringList {"2.00"});
        QCOMPARE(values(xml, "ImportoPagamento"), QStringList {"105.50"});
    }

    void refusals_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("problem");
        QTest::newRow("lire") << Change([](auto& i) { i.form.buffer.currency = "l"; })
                              << "La fattura è in lire: va convertita in euro prima di farne la fattura elettronica.";
        QTest::newRow("issuer without VAT number")
            << Change([](auto& i) { i.issuer.vatNumber = "   "; }) << "Manca la partita IVA dell'emittente.";
        QTest::newRow("issuer VAT number of 10 digits") << Change([](auto& i) { i.issuer.vatNumber = "0123456789"; })
                                                        << "La partita IVA dell'emittente deve essere di 11 cifre.";
        QTest::newRow("issuer VAT number with a wrong check digit")
            << Change([](auto& i) { i.issuer.vatNumber = "01234567890"; })
            << "La partita IVA dell'emittente 01234567890 non è valida: l'ultima cifra dovrebbe essere 7, non 0.";
        QTest::newRow("issuer fiscal code with a wrong check character")
            << Change([](auto& i) { i.issuer.taxCode = "rssmra70a01a944x"; })
            << "Il codice fiscale dell'emittente RSSMRA70A01A944X non è valido: il carattere di controllo dovrebbe "
               "essere G, non X.";
        QTest::newRow("flat rate with VAT") << Change([](auto& i) { i.issuerData.fiscalRegime = "RF19"; })
                                            << "Nel regime forfettario la fattura non applica l'IVA: la percentuale di "
                                               "IVA deve essere 0.";
        QTest::newRow("flat rate with a withholding")
            << Change([](auto& i) {
                   i.issuerData.fiscalRegime = "RF19";
                   i.form.vat = "0";
               })
            << "Nel regime forfettario la fattura non è soggetta a ritenuta d'acconto: la percentuale della ritenuta "
               "deve essere 0.";
        QTest::newRow("client without VAT number and fiscal code") << Change([](auto& i) {
            i.form.client.vatNumber.clear();
            i.form.client.taxCode.clear();
        }) << "Il cliente non ha né partita IVA né codice fiscale.";
        QTest::newRow("CAP of four digits") << Change([](auto& i) { i.form.client.postCode = "4012"; })
                                            << "Il CAP del cliente deve essere di cinque cifre.";
        QTest::newRow("CAP with a letter") << Change([](auto& i) { i.issuer.postCode = "4010A"; })
                                           << "Il CAP dell'emittente deve essere di cinque cifre.";
        QTest::newRow("province of one letter") << Change([](auto& i) { i.form.client.province = "M "; })
                                                << "La provincia del cliente deve essere di due lettere.";
        QTest::newRow("province with a digit") << Change([](auto& i) { i.issuer.province = "B0"; })
                                               << "La provincia dell'emittente deve essere di due lettere.";
        // What has a plain equivalent is not named; the rest all at once.
        QTest::newRow("signs beyond Latin-1 in a description")
            << Change([](auto& i) { i.form.description[0] = "Acconto ☺ di 100 € ✓ – ☺ ★"; })
            << "La descrizione della riga 1 contiene i caratteri \"☺\", \"✓\" e \"★\", che la fattura elettronica "
               "non ammette.";
        QTest::newRow("a telephone in the client's name")
            << Change([](auto& i) { i.form.client.surname = "Dell’Acqua ☎"; })
            << "Il cognome o la denominazione del cliente contiene il carattere \"☎\", che la fattura elettronica "
               "non ammette.";
        QTest::newRow("fee without description")
            << Change([](auto& i) { i.form.description[1] = " \r\n "; }) << "Manca la descrizione della riga 2.";
        QTest::newRow("no fee at all") << Change([](auto& i) {
            i.form.amount = {"", "", ""};
            i.form.expenses.clear();
        }) << "La fattura non ha righe con un importo.";
        QTest::newRow("statement with VAT 22") << Change([](auto& i) { i.form.omittedVatStatement = true; })
                                               << "La dichiarazione di omessa IVA è selezionata ma la percentuale di "
                                                  "IVA non è 0.";
        QTest::newRow("cassa without its type") << Change([](auto& i) { i.issuerData.pensionFund.clear(); })
                                                << "Manca il tipo di cassa previdenziale dell'emittente.";
        QTest::newRow("VAT rate with three decimals")
            << Change([](auto& i) { i.form.vat = "2.125"; })
            << "La percentuale di IVA non è valida: deve essere tra 0 e 100 con al massimo due decimali.";
        QTest::newRow("IBAN too short") << Change([](auto& i) { i.issuerData.iban = "IT60X0542"; })
                                        << "L'IBAN non è valido: due lettere, due cifre e da 11 a 30 lettere o cifre.";
        QTest::newRow("line total beyond 11 digits") << Change([](auto& i) {
            i.type = archive::InvoiceType::Commercial;
            i.form.amount = {"9999999999", "", ""};
            i.form.quantity = {"9999", "", ""};
        }) << "Il totale della riga 1 è troppo grande per la fattura elettronica.";
        QTest::newRow("30 February") << Change([](auto& i) {
            i.form.day = "30";
            i.form.month = "2";
        }) << "La data della fattura non è valida.";
        QTest::newRow("bad recipient") << Change([](auto& i) { i.recipient = "ABC12"; })
                                       << "Il codice destinatario deve essere di 7 lettere o cifre, oppure un "
                                          "indirizzo PEC.";
        QTest::newRow("number beyond the counter")
            << Change([](auto& i) { i.number = 32768; }) << "L'anno o il numero della fattura non sono validi.";
        QTest::newRow("credit note before its invoice")
            << Change([](auto& i) {
                   i.form.creditNote = {true, "3", "6", "3", "2024"};
               })
            << "La nota di credito non può avere una data precedente a quella della fattura a cui si riferisce "
               "(06/03/2024).";
        QTest::newRow("credit note of an invoice without a date") << Change([](auto& i) {
            i.form.creditNote = {true, "3", "", "3", "2024"};
        }) << "La data della fattura a cui si riferisce la nota di credito non è valida.";
    }

    void creditNote()
    {
        // Dated the same day as the invoice it cancels: allowed.
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.onAccount = true;
        invoice.form.creditNote = {true, "3", "5", "3", "2024"};
        const std::string xml = exportedAndValid(invoice, dir);
        QVERIFY(!xml.empty());
        verifySchema(dir);
        QCOMPARE(values(xml, "DatiGeneraliDocumento/TipoDocumento"), QStringList {"TD04"});
        QCOMPARE(values(xml, "DatiGenerali/DatiFattureCollegate/IdDocumento"), QStringList {"3"});
        QCOMPARE(values(xml, "DatiGenerali/DatiFattureCollegate/Data"), QStringList {"2024-03-05"});
        // Its amounts stand positive, as on the invoice.
        QCOMPARE(values(xml, "ImportoTotaleDocumento"), QStringList {"1913.20"});
        // Nothing is paid to the issuer, whose IBAN is known.
        QVERIFY(!invoice.issuerData.iban.empty());
        QVERIFY(xml.find("DatiPagamento") == std::string::npos);
    }

    // Method (MP05 when none), due date from the invoice date, IBAN only for a transfer.
    void paymentTerms_data()
    {
        QTest::addColumn<QStringList>("terms"); // method, term, invoice day, month, year
        QTest::addColumn<QStringList>("detail"); // ModalitaPagamento, DataScadenzaPagamento, IBAN
        const QString iban = "IT60X0542811101000000123456";
        QTest::newRow("no terms") << QStringList {"", "", "5", "3", "2024"} << QStringList {"MP05", "", iban};
        QTest::newRow("cash") << QStringList {"MP01", "", "5", "3", "2024"} << QStringList {"MP01", "", ""};
        QTest::newRow("transfer") << QStringList {"MP05", "30", "5", "3", "2024"}
                                  << QStringList {"MP05", "2024-04-04", iban};
        QTest::newRow("end of month") << QStringList {"MP12", "30FM", "31", "1", "2026"}
                                      << QStringList {"MP12", "2026-03-31", ""};
    }

    void paymentTerms()
    {
        QFETCH(QStringList, terms);
        QFETCH(QStringList, detail);
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.payments = {terms[0].toStdString(), terms[1].toStdString(), {}, {}};
        std::tie(invoice.form.day, invoice.form.month, invoice.year)
            = std::tuple(terms[2].toStdString(), terms[3].toStdString(), terms[4].toStdString());
        QTemporaryDir dir;
        const std::string xml = exportedAndValid(invoice, dir);
        verifySchema(dir);
        QStringList found;
        for (const char* element : {"ModalitaPagamento", "DataScadenzaPagamento", "IBAN"})
            found << values(xml, element).join(',');
        QCOMPARE(found, detail);
    }

    void typographicSignsBecomePlain()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        invoice.form.description[0] = "Progetto “villa” – fase 1 — 100 € … dell’‘a’ „b“";
        const std::string xml = exportedAndValid(invoice, dir);
        QCOMPARE(values(xml, "DettaglioLinee/Descrizione").first(),
                 QString("Progetto \"villa\" - fase 1 - 100 EUR ... dell''a' \"b\""));
    }

    void refusals()
    {
        QFETCH(Change, change);
        QFETCH(QString, problem);
        InvoiceToExport invoice = test::professionalInvoice();
        change(invoice);
        QTemporaryDir dir;
        const ExportOutcome outcome = exportInvoice(invoice, dir.path().toStdString());
        QVERIFY(!outcome.written());
        QStringList problems;
        for (const std::string& p : outcome.problems)
            problems << QString::fromStdString(p);
        QVERIFY2(problems.contains(problem), qPrintable(problems.join('\n')));
        QVERIFY2(QDir(dir.path()).isEmpty(), "a refused invoice writes nothing");
    }

    void everyProblemInOneMessage()
    {
        InvoiceToExport invoice = test::commercialInvoice();
        invoice.form.buffer.currency = "l";
        invoice.issuer.vatNumber.clear();
        invoice.form.client.province = "Modena";
        invoice.form.client.postCode.clear();
        invoice.form.client.taxCode = "VRDNNA80A41D704Z";
        const auto problems = validate(invoice);
        QCOMPARE(problems.size(), std::size_t {5});
        const std::string message = refusalMessage(problems);
        QVERIFY(message.starts_with("La fattura elettronica non è stata scritta:"));
        for (const std::string& problem : problems)
            QVERIFY(message.find("\n- " + problem) != std::string::npos);
    }

    void progressive_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected"); // empty: none
        // (2024 - 1900) x 32768 + 1 = 4063233 = 2·36^4 + 15·36^3 + 3·36^2 + 7·36 + 21
        QTest::newRow("2024/1") << "2024" << 1 << "2F37L";
        QTest::newRow("1900/1") << "1900" << 1 << "00001";
        // 1844 x 32768 + 32767 = 60456959 = 36^5 - 1 - 9216, and 9216 = 7·36^2 + 4·36
        QTest::newRow("last year, last number") << "3744" << 32767 << "ZZSVZ";
        QTest::newRow("year 3745") << "3745" << 1 << "";
        QTest::newRow("year 1899") << "1899" << 1 << "";
        QTest::newRow("number 0") << "2024" << 0 << "";
        QTest::newRow("two-digit year") << "24" << 1 << "";
        QTest::newRow("year with a blank") << "202 " << 1 << "";
    }

    void progressive()
    {
        QFETCH(QString, year);
        QFETCH(int, number);
        QFETCH(QString, expected);
        const auto value = einvoice::progressive(year.toStdString(), number);
        QCOMPARE(QString::fromStdString(value.value_or("")), expected);
    }

    void progressivesNeverCollide()
    {
        std::set<std::string> seen;
        int count = 0;
        for (int year = 1970; year <= 2130; ++year) {
            for (int number : {1, 2, 35, 36, 37, 1295, 1296, 32766, 32767}) {
                seen.insert(*einvoice::progressive(std::to_string(year), number));
                ++count;
            }
        }
        QCOMPARE(static_cast<int>(seen.size()), count);
    }

    void exportingAgainReplacesTheSameFile()
    {
        QTemporaryDir dir;
        InvoiceToExport invoice = test::professionalInvoice();
        QVERIFY(exportInvoice(invoice, dir.path().toStdString()).written());
        invoice.form.amount[0] = "2000";
        const ExportOutcome again = exportInvoice(invoice, dir.path().toStdString());
        QVERIFY(again.written());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {"IT01234567897_2F37R.xml"});
        QFile file(QString::fromStdString(again.path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<PrezzoTotale>2000.00</PrezzoTotale>"));
        QCOMPARE(writtenMessage(again.path), "La fattura elettronica è stata scritta nel file " + again.path);
    }

    void recipients_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("code"); // empty: refused
        QTest::addColumn<QString>("pec");
        QTest::newRow("code") << " abc1234 "
                              << "ABC1234"
                              << "";
        QTest::newRow("default") << "0000000"
                                 << "0000000"
                                 << "";
        QTest::newRow("six characters") << "ABC123"
                                        << ""
                                        << "";
        QTest::newRow("blank inside") << "ABC 123"
                                      << ""
                                      << "";
        QTest::newRow("pec") << "studio.rossi@pec.it"
                             << "0000000"
                             << "studio.rossi@pec.it";
        QTest::newRow("pec with two dots") << "studio..rossi@pec.it"
                                           << ""
                                           << "";
        QTest::newRow("pec without domain") << "studio@"
                                            << ""
                                            << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }

    void recipients()
    {
        QFETCH(QString, answer);
        QFETCH(QString, code);
        QFETCH(QString, pec);
        const auto recipient = parseRecipient(answer.toStdString());
        QCOMPARE(recipient.has_value(), !code.isEmpty());
        if (recipient) {
            QCOMPARE(QString::fromStdString(recipient->code), code);
            QCOMPARE(QString::fromStdString(recipient->pec), pec);
            QCOMPARE(QString::fromStdString(recipientText(*recipient)), pec.isEmpty() ? code : pec);
        }
    }

    void failedWriteLeavesNothing()
    {
        QTemporaryDir dir;
        // The target name is taken by a folder: the rename fails.
        const QString target = dir.filePath("IT01234567897_2F37R.xml");
        QVERIFY(QDir().mkpath(target + "/inside"));
        const archive::Status status = writeFileAtomically(target.toStdString(), "<x/>");
        QVERIFY(!status.ok());
        QCOMPARE(status.error().path, target.toStdString());
        QVERIFY(!QFile::exists(target + ".tmp"));

        const QString missing = dir.filePath("no such folder/file.xml");
        QVERIFY(!writeFileAtomically(missing.toStdString(), "<x/>").ok());
        QVERIFY(!QFile::exists(missing + ".tmp"));
    }
};

QTEST_GUILESS_MAIN(TestFatturaPA)
#include "test_fatturapa.moc"
