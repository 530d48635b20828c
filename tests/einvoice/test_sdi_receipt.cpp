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

std::span<const std::uint8_t> bytesOf(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())};
}

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
        archive_entry_set_perm(entry, 0644);
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
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fields"); // element|fileName|sdiId|when
        QTest::addColumn<QStringList>("errors"); // code|description|suggestion
        const QByteArray archived = "<RiferimentoArchivio><IdentificativoSdI>1</IdentificativoSdI>"
                                    "<NomeFile>archivio.zip</NomeFile></RiferimentoArchivio>";
        const QByteArray delivered = "<IdentificativoSdI>111</IdentificativoSdI>"
                                     "<NomeFile>IT01234567890_0000A.xml.p7m</NomeFile><Hash>ab</Hash>"
                                     "<DataOraRicezione>2024-01-10T10:00:00.000+01:00</DataOraRicezione>"
            + archived + "<DataOraConsegna>2024-01-10T10:05:00.000+01:00</DataOraConsegna>" + Signature;
        for (const QByteArray& ns : {OldNs, NewNs}) {
            const char* which = ns == OldNs ? "fatturapa.gov.it" : "agenziaentrate";
            QTest::addRow("delivered, %s", which)
                << receipt("RicevutaConsegna", ns, delivered) << int(ReceiptKind::Delivered)
                << "RicevutaConsegna|IT01234567890_0000A.xml|111|2024-01-10T10:00:00.000+01:00" << QStringList();
            QTest::addRow("rejected, %s", which)
                << receipt("NotificaScarto", ns,
                           "<IdentificativoSdI>222</IdentificativoSdI><NomeFile>IT1_2.XML.P7M</NomeFile>"
                           "<DataOraRicezione>2024-02-01</DataOraRicezione><ListaErrori>"
                           "<Errore><Codice>00404</Codice><Descrizione>Fattura duplicata</Descrizione></Errore>"
                           "<Errore><Codice> 00311 </Codice><Descrizione>\n  Codice destinatario non "
                           "valido\n</Descrizione><Suggerimento>Verificare perché è errato</Suggerimento>"
                           "</Errore></ListaErrori>")
                << int(ReceiptKind::Rejected) << "NotificaScarto|IT1_2.XML|222|2024-02-01"
                << QStringList {"00404|Fattura duplicata|",
                                "00311|Codice destinatario non valido|Verificare perché è errato"};
            QTest::addRow("not delivered, %s", which)
                << receipt("NotificaMancataConsegna", ns,
                           "<IdentificativoSdI>3</IdentificativoSdI><NomeFile> IT1_3.xml </NomeFile>"
                           "<DataOraRicezione>d</DataOraRicezione><Descrizione>casella piena</Descrizione>")
                << int(ReceiptKind::NotDelivered) << "NotificaMancataConsegna|IT1_3.xml|3|d" << QStringList();
            QTest::addRow("outcome, %s", which)
                << receipt("NotificaDecorrenzaTermini", ns, "<IdentificativoSdI>4</IdentificativoSdI>")
                << int(ReceiptKind::Other) << "NotificaDecorrenzaTermini||4|" << QStringList();
        }
        QTest::newRow("cannot be delivered, delivery time only")
            << receipt("RicevutaImpossibilitaRecapito", NewNs,
                       "<NomeFile>a.xml</NomeFile><DataOraConsegna>t</DataOraConsegna>")
            << int(ReceiptKind::NotDelivered) << "RicevutaImpossibilitaRecapito|a.xml||t" << QStringList();
        QTest::newRow("Latin-1 declared")
            << receipt("RicevutaScarto", OldNs,
                       "<NomeFile>a.xml</NomeFile><ListaErrori><Errore><Codice>1</Codice>"
                       "<Descrizione>\xe8</Descrizione></Errore></ListaErrori>")
                   .replace("UTF-8", "ISO-8859-1")
            << int(ReceiptKind::Rejected) << "RicevutaScarto|a.xml||" << QStringList {"1|è|"};
    }

    void reads()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, kind);
        QFETCH(QString, fields);
        QFETCH(QStringList, errors);
        const ReceiptReading reading = readReceipt(bytesOf(xml));
        QVERIFY2(reading.refusal.empty(), reading.refusal.c_str());
        QVERIFY(reading.receipt);
        const SdiReceipt& r = *reading.receipt;
        QCOMPARE(int(r.kind), kind);
        QCOMPARE(QString::fromStdString(r.element + '|' + r.fileName + '|' + r.sdiId + '|' + r.when), fields);
        QStringList read;
        for (const ReceiptError& e : r.errors)
            read << QString::fromStdString(e.code + '|' + e.description + '|' + e.suggestion);
        QCOMPARE(read, errors);
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("refusal"); // its opening
        const QByteArray entities = "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
                                    "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
        const QByteArray name = "<NomeFile>a.xml</NomeFile>";
        const auto delivered = [&](const QByteArray& body) { return receipt("RicevutaConsegna", OldNs, body); };
        QTest::newRow("deep nesting") << delivered(QByteArray("<a>").repeated(40) + QByteArray("</a>").repeated(40))
                                      << "gli elementi sono annidati oltre 32";
        QTest::newRow("entity expansion") << delivered(name + "<Note>&c;</Note>").replace("?>\n", "?>" + entities)
                                          << "contiene una dichiarazione DOCTYPE";
        QTest::newRow("external entity") << delivered(name + "<Note>&x;</Note>")
                                                .replace("?>\n",
                                                         "?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>")
                                         << "contiene una dichiarazione DOCTYPE";
        QTest::newRow("huge text") << delivered("<NomeFile>" + QByteArray(5000, 'x') + "</NomeFile>")
                                   << "un testo supera i 4096 byte";
        QTest::newRow("oversize") << delivered(name + QByteArray(MaxReceiptBytes, ' ')) << "il file è troppo grande";
        QTest::newRow("malformed") << delivered(name + "\n<Note>") << "XML non valido alla riga 5";
        QTest::newRow("Windows-1252 as UTF-8")
            << delivered(name + "\n<Note>\xe8</Note>") << "il testo non è UTF-8 valido alla riga 4";
        QTest::newRow("unknown encoding") << delivered(name).replace("UTF-8", "EBCDIC-IT") << "la codifica";
        QTest::newRow("empty") << QByteArray() << "XML non valido alla riga 1";
        QTest::newRow("an invoice") << QByteArray("<p:FatturaElettronica xmlns:p=\"http://ivaservizi.agenziaentrate."
                                                  "gov.it/docs/xsd/fatture/v1.2\"/>")
                                    << "non è una ricevuta";
        QTest::newRow("no namespace") << QByteArray("<RicevutaConsegna>" + name + "</RicevutaConsegna>")
                                      << "non è una ricevuta";
        QTest::newRow("no file name") << delivered("<IdentificativoSdI>1</IdentificativoSdI>") << "manca il nome";
        QTest::newRow("file name twice") << delivered(name + name) << "l'elemento NomeFile compare più di una volta";
    }

    void refuses()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, refusal);
        const ReceiptReading reading = readReceipt(bytesOf(xml));
        QVERIFY(!reading.receipt);
        QVERIFY2(QString::fromStdString(reading.refusal).startsWith(refusal), reading.refusal.c_str());
    }

    void sources_data()
    {
        QTest::addColumn<QStringList>("files"); // "a.zip=entry|entry", "b.zip!" damaged, "c.xml+" too large
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<int>("maxFiles");
        QTest::addColumn<QStringList>("expected"); // "name" read, "name=refusal"
        const QString path = "=percorso non ammesso";
        const QString nested = "=archivio dentro un archivio: estrarlo prima";
        QTest::newRow("two receipts") << QStringList {"r.zip=IT1_RC_1.xml|leggimi.txt|d/IT1_NS_2.XML"}
                                      << QStringList {"r.zip"} << 9
                                      << QStringList {"r.zip: IT1_RC_1.xml", "r.zip: d/IT1_NS_2.XML"};
        QTest::newRow("escaping names") << QStringList {"r.zip=../x.xml|/abs.xml|C:x.xml|\\..\\y.xml|ok.xml"}
                                        << QStringList {"r.zip"} << 9
                                        << QStringList {"r.zip: ../x.xml" + path, "r.zip: /abs.xml" + path,
                                                        "r.zip: C:x.xml" + path, "r.zip: /../y.xml" + path,
                                                        "r.zip: ok.xml"};
        QTest::newRow("bomb") << QStringList {"r.zip=bomb.xml|ok.xml"} << QStringList {"r.zip"} << 9
                              << QStringList {"r.zip: bomb.xml=troppo grande per essere una ricevuta", "r.zip: ok.xml"};
        QTest::newRow("zip in a zip") << QStringList {"r.zip=in.zip"} << QStringList {"r.zip"} << 9
                                      << QStringList {"r.zip: in.zip" + nested};
        QTest::newRow("damaged") << QStringList {"r.zip!"} << QStringList {"r.zip"} << 9
                                 << QStringList {"r.zip=archivio ZIP danneggiato: il resto non è leggibile"};
        QTest::newRow("too many") << QStringList {"r.zip=1.xml|2.xml|3.xml", "4.xml"} << QStringList {"r.zip", "4.xml"}
                                  << 2
                                  << QStringList {
                                         "r.zip: 1.xml", "r.zip: 2.xml",
                                         "r.zip: 3.xml=non letto, e con esso il resto della scelta: oltre 2 file"};
        QTest::newRow("folder") << QStringList {"f/b.xml",         "f/a.txt",         "f/s/c.xml",
                                                "f/s/z.zip=e.xml", "f/1/2/3/4/d.xml", "f/1/2/3/4/5/no.xml",
                                                "f/big.xml+",      "f/x.p7m"}
                                << QStringList {"f", "f/a.txt", "nessuno.xml"} << 99
                                << QStringList {"f/1/2/3/4/d.xml",
                                                "f/b.xml",
                                                "f/big.xml=troppo grande per essere una ricevuta",
                                                "f/s/c.xml",
                                                "z.zip: e.xml",
                                                "f/a.txt",
                                                "nessuno.xml=file non trovato"};
    }

    void sources()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, chosen);
        QFETCH(int, maxFiles);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        for (const QString& spec : files) {
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
        if (QFileInfo::exists(dir.filePath("f"))) {
            QVERIFY(QFile::link(dir.filePath("f/b.xml"), dir.filePath("f/link.xml")));
            QVERIFY(QFile::link(dir.filePath("f"), dir.filePath("f/s/loop")));
        }
        std::vector<std::string> paths;
        for (const QString& name : chosen)
            paths.push_back(dir.filePath(name).toStdString());
        SourceLimits limits;
        limits.maxFiles = std::size_t(maxFiles);
        QStringList read;
        for (const ReceiptSource& s : receiptSources(paths, limits)) {
            // Some libarchive versions turn an entry's backslashes into slashes.
            const QString name = QString::fromStdString(s.name).remove(dir.path() + '/').replace('\\', '/');
            read << name + (s.refusal.empty() ? "" : "=" + QString::fromStdString(s.refusal));
            if (s.refusal.empty())
                QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.bytes.data()), qsizetype(s.bytes.size())),
                         content(name.section(": ", -1)));
        }
        QCOMPARE(read, expected);
    }
};

QTEST_GUILESS_MAIN(TestSdiReceipt)
#include "test_sdi_receipt.moc"
