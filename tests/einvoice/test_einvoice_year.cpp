#include "einvoice/year_export.h"

#include "archive/book.h"
#include "archive/payments.h"
#include "archive/sdi_history.h"
#include "einvoice/fatturapa.h"
#include "samples.h"
#include "test_dir.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tessaro;
using namespace tessaro::einvoice;
using tessaro::test::TestDir;

namespace {

// The form of a sample invoice as its book record holds it.
void store(const archive::BookPaths& book, int number, const InvoiceToExport& invoice)
{
    archive::InvoiceForm form = invoice.form;
    archive::copyFormToBuffer(form);
    QVERIFY(archive::writeInvoice(book, number, form.buffer).ok());
    QVERIFY(archive::writeExtraLines(book, number, form.extraLines).ok());
}

YearExportRequest requestFor(const TestDir& dir)
{
    YearExportRequest request;
    request.dataDir = dir.data();
    request.issuerNumber = 1;
    request.year = "2024";
    request.type = archive::InvoiceType::Professional;
    request.issuer = test::personIssuer();
    request.issuerData.pensionFund = "TC04";
    return request;
}

} // namespace

class TestEinvoiceYear : public QObject {
    Q_OBJECT

private slots:
    // Stopped before the third invoice: two files, whole, and the register
    // finds exactly those two.
    void stopsBetweenInvoices()
    {
        TestDir dir;
        const archive::BookPaths book = archive::bookPaths(dir.data(), 1, "2024");
        for (int n = 1; n <= 4; ++n)
            store(book, n, test::professionalInvoice());
        QVERIFY(archive::writeCounter(book, 5).ok());
        std::vector<int> told;
        const YearExport result = exportYear(requestFor(dir), [&](int done, int total) {
            told.push_back(done);
            return total == 4 && done < 2;
        });
        QVERIFY(result.cancelled);
        QCOMPARE(told, (std::vector<int> {0, 1, 2}));
        QCOMPARE(result.written.size(), std::size_t {2});
        QVERIFY(yearExportMessage(result).rfind("Esportazione interrotta: 2 fatture elettroniche scritte.", 0) == 0);
        const auto statuses = archive::readSdiStatuses({book, test::personIssuer().vatNumber, "2024", ','}, 4).value();
        QCOMPARE(statuses[1].text + ", " + statuses[2].text, std::string("esportata, non esportata"));
    }

    void oneFilePerStoredInvoice()
    {
        TestDir dir;
        const archive::BookPaths book = archive::bookPaths(dir.data(), 1, "2024");
        InvoiceToExport good = test::professionalInvoice();
        store(book, 1, good);
        InvoiceToExport lire = test::professionalInvoice();
        lire.form.buffer.currency = "l";
        lire.form.buffer.rate = 1936.27f;
        store(book, 2, lire);
        store(book, 3, InvoiceToExport {}); // a skipped number: blank record
        InvoiceToExport withoutVat = test::professionalInvoice();
        withoutVat.form.vat = "0";
        withoutVat.form.client = test::personClient();
        store(book, 4, withoutVat);
        const archive::InvoicePayments cash {"MP01", "30", "", {}};
        QVERIFY(archive::writePayments(book, 4, std::span(&cash, 1)).ok());
        QVERIFY(archive::writeCounter(book, 5).ok());
        QVERIFY(rememberRecipient(dir.data(), test::personClient(), "verdi@pec.it").ok());

        const YearExport result = exportYear(requestFor(dir));
        QVERIFY(!result.ioError);
        QCOMPARE(result.written.size(), std::size_t {2});
        QCOMPARE(result.refused.size(), std::size_t {2});
        QCOMPARE(result.refused[0].number, 2);
        QCOMPARE(result.refused[0].problems.size(), std::size_t {1});
        QCOMPARE(result.refused[1].number, 3);
        QCOMPARE(result.refused[1].problems, std::vector<std::string> {"La fattura è vuota."});

        const QDir folder(QString::fromStdString(exportFolder(dir.data())));
        QCOMPARE(folder.entryList(QDir::Files), (QStringList {"IT01234567897_00001.xml", "IT01234567897_00002.xml"}));
        for (const QString& name : folder.entryList(QDir::Files)) {
            const QString errors = test::schemaErrors(folder.filePath(name));
            QVERIFY2(errors.isEmpty(), qPrintable(errors));
        }

        QFile fourth(folder.filePath("IT01234567897_00002.xml"));
        QVERIFY(fourth.open(QIODevice::ReadOnly));
        const std::string xml = fourth.readAll().toStdString();
        // The remembered PEC of the client; VAT 0 alone makes it an invoice without VAT.
        QCOMPARE(test::xmlValues(xml, "PECDestinatario"), QStringList {"verdi@pec.it"});
        QCOMPARE(test::xmlValues(xml, "DatiRiepilogo/Natura"), (QStringList {"N2.2", "N1"}));
        // Its terms come from the book's side file as on the single export.
        QCOMPARE(test::xmlValues(xml, "DataScadenzaPagamento"), QStringList {"2024-04-04"});

        const std::string message = yearExportMessage(result);
        QVERIFY(message.starts_with("Fatture elettroniche scritte: 2.\nFatture non esportate: 2."));
        QVERIFY(message.find("Fattura n. 2:\n- La fattura è in lire") != std::string::npos);
        QVERIFY(message.find("Fattura n. 3:\n- La fattura è vuota.") != std::string::npos);
    }

    void emptyBookWritesNothing()
    {
        TestDir dir;
        const YearExport result = exportYear(requestFor(dir));
        QVERIFY(!result.ioError);
        QVERIFY(result.written.empty() && result.refused.empty());
        QCOMPARE(yearExportMessage(result), std::string("Fatture elettroniche scritte: 0."));
    }
};

QTEST_GUILESS_MAIN(TestEinvoiceYear)
#include "test_einvoice_year.moc"
