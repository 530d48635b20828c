// "Importa ricevute SdI..." as a professional runs it: the year's files
// exported, their receipts downloaded into a folder and the portal's ZIP,
// with a stranger's receipt, a message not for the program, a damaged file
// and a hostile entry among them; imported twice, then the year exported
// again.
#include "app/einvoice_commands.h"
#include "app/sdi_commands.h"
#include "archive/book.h"
#include "archive/issuers.h"
#include "archive/sdi_history.h"
#include "archive/settings.h"
#include "einvoice/fatturapa.h"
#include "samples.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

using namespace tessaro;
using test::TestDir;

namespace {

const QByteArray OldNs = "http://www.fatturapa.gov.it/sdi/messaggi/v1.0";
const QByteArray NewNs = "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fattura/messaggi/v1.0";

QByteArray receipt(const QByteArray& root, const QByteArray& ns, const QByteArray& file, const QByteArray& more = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ns:" + root + " xmlns:ns=\"" + ns
        + "\" versione=\"1.0\"><IdentificativoSdI>4711</IdentificativoSdI><NomeFile>" + file
        + "</NomeFile><DataOraRicezione>2026-12-01T10:00:00.000+01:00</DataOraRicezione>" + more + "</ns:" + root + ">";
}

const QByteArray Errors = "<ListaErrori><Errore><Codice>00305</Codice><Descrizione>IdFiscale del cessionario non "
                          "valido</Descrizione></Errore><Errore><Codice>00311</Codice><Descrizione>Codice "
                          "destinatario non valido</Descrizione></Errore></ListaErrori>";

void writeZip(const QString& path, const QList<QPair<QString, QByteArray>>& entries)
{
    ::archive* zip = archive_write_new();
    archive_write_set_format_zip(zip);
    archive_write_open_filename(zip, path.toUtf8().constData());
    for (const auto& [name, data] : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.toUtf8().constData());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_size(entry, data.size());
        archive_write_header(zip, entry);
        archive_write_data(zip, data.constData(), std::size_t(data.size()));
        archive_entry_free(entry);
    }
    archive_write_free(zip);
}

// Issuer 1 with its e-invoice data and a book of three invoices of 2024.
struct Office {
    TestDir dir;
    archive::AppState state;
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;
    archive::BookPaths book;

    Office()
    {
        state.dataDir = dir.data();
        test::storeSampleIssuer(state);
        form = test::professionalInvoice().form;
        form.number = std::to_string(1);
        book = archive::bookPaths(state.dataDir, 1, "2024");
        archive::InvoiceForm stored = form;
        archive::copyFormToBuffer(stored);
        for (int number = 1; number <= 3; ++number)
            archive::writeInvoice(book, number, stored.buffer);
        archive::writeCounter(book, 4);
        state.nextNumber = 4;
    }

    QStringList states()
    {
        QStringList texts;
        const auto statuses = archive::readSdiStatuses(archive::currentSdiBook(form, state), 3);
        for (const auto& status : statuses.value())
            texts << QString::fromStdString(status.text);
        return texts;
    }
};

} // namespace

class TestSdiCommands : public QObject {
    Q_OBJECT

private slots:
    void receiptsOfTheYearAsAUserImportsThem()
    {
        Office office;
        app::exportEinvoiceYear(office.form, office.state, office.dialogs);
        QCOMPARE(office.states(), (QStringList {"esportata", "esportata", "esportata"}));
        // Invoice 2 corrected after its file was written: the file no longer holds it.
        archive::InvoiceRecord corrected = archive::readInvoice(office.book, 2).value();
        corrected.amount[0] = "1200";
        QVERIFY(archive::writeInvoice(office.book, 2, corrected).ok());
        QCOMPARE(office.states(), (QStringList {"esportata", "modificata dopo l'esportazione", "esportata"}));

        const QString folder = QString::fromStdString(office.dir.path()) + "/scaricate";
        QDir().mkpath(folder);
        const auto put = [&](const QString& name, const QByteArray& data) {
            QFile file(folder + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(data);
        };
        put("IT01234567897_00001_RC_001.xml", receipt("RicevutaConsegna", NewNs, "IT01234567897_00001.xml"));
        put("IT01234567897_00002_NS_001.xml", receipt("NotificaScarto", OldNs, "IT01234567897_00002.xml.p7m", Errors));
        put("IT01234567897_00003_MC_001.xml", receipt("NotificaMancataConsegna", OldNs, "IT01234567897_00003.xml"));
        put("IT99999999999_00001_RC_001.xml", receipt("RicevutaConsegna", NewNs, "IT99999999999_00001.xml"));
        put("IT01234567897_00001_DT_001.xml", receipt("NotificaDecorrenzaTermini", OldNs, "IT01234567897_00001.xml"));
        put("rotta.xml", "<RicevutaConsegna><NomeFile>");
        writeZip(folder + "/portale.zip",
                 {{"IT01234567897_00001_RC_001.xml", receipt("RicevutaConsegna", NewNs, "IT01234567897_00001.xml")},
                  {"../fuori.xml", receipt("RicevutaConsegna", NewNs, "IT01234567897_00003.xml")}});

        office.dialogs.clear();
        app::importReceipts({folder.toStdString()}, office.form, office.state, office.dialogs);
        const std::string text = office.dialogs.last().text;
        QCOMPARE(office.dialogs.last().title, std::string(app::ReceiptsTitle));
        for (const char* said : {"Ricevute lette: 6.", "Registrate ora: 3.", "Già registrate prima: 1.",
                                 "Senza una fattura di questo archivio: 1.", "IT01234567897_00002.xml (00305, 00311)",
                                 "IT99999999999_00001.xml", "NotificaDecorrenzaTermini", "rotta.xml", "fuori.xml"})
            QVERIFY2(text.find(said) != std::string::npos, (std::string(said) + " in\n" + text).c_str());
        QCOMPARE(office.states(), (QStringList {"consegnata", "scartata (00305, 00311)", "non consegnata"}));
        QCOMPARE(office.form.sdiStatus, std::string("consegnata"));
        QVERIFY(!QFile::exists(QString::fromStdString(office.dir.path()) + "/fuori.xml"));

        // The same receipts again change nothing.
        const auto bytes = office.dir.bytes("12024.sdi");
        office.dialogs.clear();
        app::importReceipts({folder.toStdString()}, office.form, office.state, office.dialogs);
        QVERIFY(office.dialogs.last().text.find("Registrate ora: 0.\nGià registrate prima: 4.") != std::string::npos);
        QVERIFY(office.dir.bytes("12024.sdi") == bytes);

        // The year's export sends the rejected invoice again, under a new name, and it alone.
        office.dialogs.clear();
        app::exportEinvoiceYear(office.form, office.state, office.dialogs);
        const QStringList files
            = QDir(QString::fromStdString(einvoice::exportFolder(office.state.dataDir))).entryList(QDir::Files);
        QCOMPARE(files,
                 (QStringList {"IT01234567897_00001.xml", "IT01234567897_00002.xml", "IT01234567897_00003.xml",
                               "IT01234567897_00004.xml"}));
        QCOMPARE(office.states(), (QStringList {"consegnata", "esportata", "non consegnata"}));
        QVERIFY(office.dialogs.last().text.find("non riscritte: n. 1, 3") != std::string::npos);
    }
};

QTEST_MAIN(TestSdiCommands)
#include "test_sdi_commands.moc"
