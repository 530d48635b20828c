// Receipts written as the exchange system writes them, hostile files built to
// hurt a naive reader, and the portal's ZIPs made here with libarchive.
#include "einvoice/receipt_sources.h"
#include "einvoice/sdi_receipt.h"

#include <QTemporaryDir>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

using namespace tessaro::einvoice;

namespace {

const QByteArray OldNs = "http://www.fatturapa.gov.it/sdi/messaggi/v1.0";
const QByteArray NewNs = "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fattura/messaggi/v1.0";

QByteArray receipt(const QByteArray& root, const QByteArray& ns, const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ns3:" + root + " xmlns:ns3=\"" + ns
        + "\" xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" versione=\"1.0\">\n" + body + "\n</ns3:" + root + ">";
}

// A signature whose certificate alone is longer than any text kept.
const QByteArray Signature = "<ds:Signature><ds:SignedInfo><ds:Reference URI=\"\"/></ds:SignedInfo><ds:KeyInfo>"
                             "<ds:X509Data><ds:X509Certificate>"
    + QByteArray(6000, 'Q') + "</ds:X509Certificate></ds:X509Data></ds:KeyInfo></ds:Signature>";

QByteArray content(const QString& name)
{
    return "<r>" + name.toUtf8() + "</r>";
}

// A ZIP whose entries hold content(name); "bomb*" 64 MiB of zeros, "*.zip" another ZIP.
QByteArray zipOf(const QStringList& entries)
{
    QByteArray out(1 << 20, '\0');
    std::size_t used = 0;
    archive* zip = archive_write_new();
    archive_write_set_format_zip(zip);
    archive_write_open_memory(zip, out.data(), std::size_t(out.size()), &used);
    for (const QString& name : entries) {
        const QByteArray data = name.endsWith(".zip") ? zipOf({"a.xml"}) : content(name);
        const int repeats = name.startsWith("bomb") ? 64 : 1;
        const QByteArray block = repeats > 1 ? QByteArray(1 << 20, '\0') : data;
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.toUtf8().constData());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_size(entry, qint64(block.size()) * repeats);
        archive_write_header(zip, entry);
        for (int i = 0; i < repeats; ++i)
            archive_write_data(zip, block.constData(), std::size_t(block.size()));
        archive_entry_free(entry);
    }
    archive_write_free(zip);
    out.truncate(qsizetype(used));
    return out;
}

} // namespace

class TestSdiReceipt : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("xml");
        // kind|element|fileName|sdiId|when, then ;code|description|suggestion of each error
        QTest::addColumn<QString>("read");
        const auto row = [](const QByteArray& name, const QByteArray& xml, const char* read) {
            QTest::newRow(name.constData()) << xml << QString::fromUtf8(read);
        };
        const QByteArray delivered = "<IdentificativoSdI>111</IdentificativoSdI><NomeFile>IT01234567890_0000A.xml.p7m"
                                     "</NomeFile><DataOraRicezione>2024-01-10T10:00:00+01:00</DataOraRicezione>"
                                     "<RiferimentoArchivio><NomeFile>a.zip</NomeFile></RiferimentoArchivio>"
                                     "<DataOraConsegna>2024-01-10T10:05:00+01:00</DataOraConsegna>"
            + Signature;
        const QByteArray rejected = "<IdentificativoSdI>222</IdentificativoSdI><NomeFile>IT1_2.XML.P7M</NomeFile>"
                                    "<ListaErrori><Errore><Codice>00404</Codice><Descrizione>Fattura duplicata"
                                    "</Descrizione></Errore><Errore><Codice> 00311 </Codice><Descrizione>\n  "
                                    "Codice non valido\n</Descrizione><Suggerimento>Verificare perché</Suggerimento>"
                                    "</Errore></ListaErrori>";
        const QByteArray missed = "<NomeFile> IT1_3.xml </NomeFile><DataOraRicezione>d</DataOraRicezione>";
        for (const QByteArray& ns : {OldNs, NewNs}) {
            const QByteArray in = ns == OldNs ? ", fatturapa.gov.it" : ", agenziaentrate";
            row("delivered" + in, receipt("RicevutaConsegna", ns, delivered),
                "consegnata|RicevutaConsegna|IT01234567890_0000A.xml|111|2024-01-10T10:00:00+01:00");
            row("rejected" + in, receipt("NotificaScarto", ns, rejected),
                "scartata|NotificaScarto|IT1_2.XML|222|;00404|Fattura duplicata|;00311|Codice non valido|Verificare "
                "perché");
            row("not delivered" + in, receipt("NotificaMancataConsegna", ns, missed),
                "non consegnata|NotificaMancataConsegna|IT1_3.xml||d");
            row("outcome" + in, receipt("NotificaDecorrenzaTermini", ns, "<IdentificativoSdI>4</IdentificativoSdI>"),
                "non per questo programma|NotificaDecorrenzaTermini||4|");
        }
        row("cannot be delivered, delivery time only",
            receipt("RicevutaImpossibilitaRecapito", NewNs,
                    "<NomeFile>a</NomeFile><DataOraConsegna>t</DataOraConsegna>"),
            "non consegnata|RicevutaImpossibilitaRecapito|a||t");
        row("Latin-1 declared",
            receipt("RicevutaScarto", OldNs,
                    "<NomeFile>a</NomeFile><ListaErrori><Errore><Codice>1</Codice><Descrizione>\xe8</Descrizione>"
                    "</Errore></ListaErrori>")
                .replace("UTF-8", "ISO-8859-1"),
            "scartata|RicevutaScarto|a||;1|è|");

        // Refused: "!" and the opening of the reason.
        const QByteArray laughs = "?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;\">"
                                  "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
        const QByteArray external = "?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>";
        const QByteArray name = "<NomeFile>a.xml</NomeFile>";
        const auto inReceipt = [&](const QByteArray& body) { return receipt("RicevutaConsegna", OldNs, body); };
        row("deep nesting", inReceipt(QByteArray("<a>").repeated(40) + QByteArray("</a>").repeated(40)),
            "!gli elementi sono annidati oltre 32");
        row("entity expansion", inReceipt(name + "<Note>&c;</Note>").replace("?>\n", laughs), "!contiene una dich");
        row("external entity", inReceipt(name + "<Note>&x;</Note>").replace("?>\n", external), "!contiene una dich");
        row("huge text", inReceipt("<NomeFile>" + QByteArray(5000, 'x') + "</NomeFile>"), "!un testo supera i 4096");
        row("oversize", inReceipt(name + QByteArray(MaxReceiptBytes, ' ')), "!il file è troppo grande");
        row("malformed", inReceipt(name + "\n<Note>"), "!XML non valido alla riga 5");
        row("Windows-1252 as UTF-8", inReceipt(name + "\n<Note>\xe8</Note>"),
            "!il testo non è UTF-8 valido alla riga 4");
        row("unknown encoding", inReceipt(name).replace("UTF-8", "EBCDIC-IT"), "!la codifica");
        row("empty", QByteArray(), "!XML non valido alla riga 1");
        row("an invoice",
            "<p:FatturaElettronica xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\"/>",
            "!non è una ricevuta");
        row("no namespace", "<RicevutaConsegna>" + name + "</RicevutaConsegna>", "!non è una ricevuta");
        row("no file name", inReceipt("<IdentificativoSdI>1</IdentificativoSdI>"), "!manca il nome");
        row("file name twice", inReceipt(name + name), "!l'elemento NomeFile compare più di una volta");
    }

    void reads()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, read);
        const ReceiptReading reading
            = readReceipt({reinterpret_cast<const std::uint8_t*>(xml.data()), std::size_t(xml.size())});
        if (read.startsWith('!')) {
            QVERIFY(!reading.receipt);
            QVERIFY2(QString::fromStdString(reading.refusal).startsWith(read.mid(1)), reading.refusal.c_str());
            return;
        }
        QVERIFY2(reading.refusal.empty() && reading.receipt, reading.refusal.c_str());
        const SdiReceipt& r = *reading.receipt;
        std::string got
            = std::string(receiptKindText(r.kind)) + '|' + r.element + '|' + r.fileName + '|' + r.sdiId + '|' + r.when;
        for (const ReceiptError& e : r.errors)
            got += ';' + e.code + '|' + e.description + '|' + e.suggestion;
        QCOMPARE(QString::fromStdString(got), read);
    }

    void sources_data()
    {
        // Files: "a.zip=entry|entry", "b.zip!" damaged, "c.xml+" too large. Expected: "name" read, "name=refusal".
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("limit"); // "files N" or "bytes N"
        QTest::addColumn<QString>("expected");
        const auto row
            = [](const char* name, const char* files, const char* chosen, const char* limit, const QString& expected) {
                  QTest::newRow(name) << QString(files) << QString(chosen) << QString(limit) << expected;
              };
        const QString bad = "=percorso non ammesso;r.zip: ";
        const QString large = "=troppo grande per essere una ricevuta;";
        row("two receipts", "r.zip=IT1_RC_1.xml|leggimi.txt|d/IT1_NS_2.XML", "r.zip", "",
            "r.zip: IT1_RC_1.xml;r.zip: d/IT1_NS_2.XML");
        row("escaping names", "r.zip=../x.xml|/abs.xml|C:x.xml|\\..\\y.xml|ok.xml", "r.zip", "",
            "r.zip: ../x.xml" + bad + "/abs.xml" + bad + "C:x.xml" + bad + "/../y.xml" + bad + "ok.xml");
        row("bomb", "r.zip=bomb.xml|ok.xml", "r.zip", "", "r.zip: bomb.xml" + large + "r.zip: ok.xml");
        row("zip in a zip", "r.zip=in.zip", "r.zip", "", "r.zip: in.zip=archivio dentro un archivio: estrarlo prima");
        row("damaged", "r.zip!", "r.zip", "", "r.zip=archivio ZIP danneggiato: il resto non è leggibile");
        row("too many", "r.zip=1.xml|2.xml|3.xml;4.xml", "r.zip;4.xml", "files 2",
            "r.zip: 1.xml;r.zip: 2.xml;r.zip: 3.xml=non letto, e con esso il resto della scelta: oltre 2 file");
        row("too much", "r.zip=1.xml|2.xml|3.xml", "r.zip", "bytes 30",
            "r.zip: 1.xml;r.zip: 2.xml;r.zip: 3.xml=non letto, e con esso il resto della scelta: oltre 30 byte letti "
            "in "
            "tutto");
        row("folder", "f/b.xml;f/a.txt;f/s/c.xml;f/s/z.zip=e.xml;f/1/2/3/4/d.xml;f/1/2/3/4/5/no.xml;f/big.xml+;f/x.p7m",
            "f;f/a.txt;nessuno.xml", "",
            "f/1/2/3/4/d.xml;f/b.xml;f/big.xml" + large
                + "f/s/c.xml;z.zip: e.xml;f/a.txt;nessuno.xml=file non trovato");
    }

    void sources()
    {
        QFETCH(QString, files);
        QFETCH(QString, chosen);
        QFETCH(QString, limit);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString& spec : files.split(';')) {
            const QString name = spec.section('=', 0, 0).remove(QRegularExpression("[!+]$"));
            QVERIFY(QDir(dir.path()).mkpath(QFileInfo(name).path()));
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (spec.contains('='))
                file.write(zipOf(spec.section('=', 1).split('|')));
            else if (spec.endsWith('!'))
                file.write("PK\x03\x04 not a zip");
            else
                file.write(spec.endsWith('+') ? QByteArray(MaxReceiptBytes + 1, ' ') : content(name));
        }
        // Links in a folder are not followed, neither to a file nor back up.
        // (Qt makes a Windows shortcut instead, an ordinary file there.)
#ifndef Q_OS_WIN
        if (QFileInfo::exists(dir.filePath("f"))) {
            QVERIFY(QFile::link(dir.filePath("f/b.xml"), dir.filePath("f/link.xml")));
            QVERIFY(QFile::link(dir.filePath("f"), dir.filePath("f/s/loop")));
        }
#endif
        std::vector<std::string> paths;
        for (const QString& name : chosen.split(';'))
            paths.push_back(dir.filePath(name).toStdString());
        SourceLimits limits;
        if (limit.startsWith("files"))
            limits.maxFiles = limit.mid(6).toULong();
        else if (limit.startsWith("bytes"))
            limits.maxTotalBytes = limit.mid(6).toULong();
        QStringList read;
        for (const ReceiptSource& s : receiptSources(paths, limits)) {
            // Some libarchive versions turn an entry's backslashes into slashes.
            const QString name = QString::fromStdString(s.name).remove(dir.path() + '/').replace('\\', '/');
            read << name + (s.refusal.empty() ? "" : "=" + QString::fromStdString(s.refusal));
            if (s.refusal.empty())
                QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.bytes.data()), qsizetype(s.bytes.size())),
                         content(name.section(": ", -1)));
        }
        QCOMPARE(read.join(';'), expected);
    }
};

QTEST_GUILESS_MAIN(TestSdiReceipt)
#include "test_sdi_receipt.moc"
