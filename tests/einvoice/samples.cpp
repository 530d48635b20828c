#include "samples.h"

#include "archive/issuers.h"
#include "archive/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace tessaro::test {

archive::PartyRecord personIssuer()
{
    archive::PartyRecord issuer;
    issuer.title = "ing.";
    issuer.surname = "Rossi";
    issuer.firstName = "Mario";
    issuer.address = "Via Roma 1";
    issuer.city = "Bologna";
    issuer.province = "BO";
    issuer.postCode = "40100";
    issuer.taxCode = "RSSMRA70A01A944G";
    issuer.vatNumber = "01234567897";
    return issuer;
}

archive::PartyRecord firmClient()
{
    archive::PartyRecord client;
    client.surname = "Edilizia Bianchi S.r.l.";
    client.address = "Piazza Maggiore 3";
    client.city = "Modena";
    client.province = "MO";
    client.postCode = "41121";
    client.vatNumber = "09876543217";
    return client;
}

archive::PartyRecord personClient()
{
    archive::PartyRecord client;
    client.title = "dott.";
    client.surname = "Verdi";
    client.firstName = "Anna";
    client.address = "Via Università 5";
    client.city = "Forlì";
    client.province = "FC";
    client.postCode = "47121";
    client.taxCode = "vrdnna80a41d704q";
    return client;
}

einvoice::InvoiceToExport professionalInvoice()
{
    einvoice::InvoiceToExport invoice;
    invoice.type = archive::InvoiceType::Professional;
    invoice.year = "2024";
    invoice.number = 7;
    invoice.issuer = personIssuer();
    invoice.issuerData.pensionFund = "TC04";
    invoice.issuerData.iban = "IT60 X054 2811 1010 0000 0123 456";
    archive::InvoiceForm& form = invoice.form;
    form.day = "5";
    form.month = "3";
    form.year = "2024";
    form.client = firmClient();
    form.description = {"Progetto strutturale & calcoli <c.a.>", "Direzione lavori\r\nprima fase", ""};
    form.amount = {"1000", "500", ""};
    form.vat = "22";
    form.pension = "4";
    form.withholding = "20";
    form.expenses = "10";
    form.buffer.currency = "e";
    return invoice;
}

einvoice::InvoiceToExport commercialInvoice()
{
    einvoice::InvoiceToExport invoice;
    invoice.type = archive::InvoiceType::Commercial;
    invoice.year = "2024";
    invoice.number = 12;
    invoice.issuer = personIssuer();
    archive::InvoiceForm& form = invoice.form;
    form.day = "29";
    form.month = "02";
    form.year = "2024";
    form.client = personClient();
    form.description = {"Viti inox", "Staffe", "Tasselli"};
    form.amount = {"10.50", "3", "4"};
    form.quantity = {"2", "1", "1"};
    form.vat = "22";
    form.extraLines.description[0] = "Guarnizioni";
    form.extraLines.amount[0] = "5";
    form.extraLines.quantity[0] = "3";
    form.extraLines.description[1] = "Rondelle";
    form.extraLines.amount[1] = "7";
    form.buffer.currency = "e";
    return invoice;
}

QStringList xmlValues(const std::string& xml, const QString& pathSuffix)
{
    QStringList values;
    QStringList path;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            path << reader.name().toString();
            if (("/" + path.join('/')).endsWith("/" + pathSuffix)) {
                values << reader.readElementText(QXmlStreamReader::IncludeChildElements);
                path.removeLast();
            }
        } else if (reader.isEndElement()) {
            path.removeLast();
        }
    }
    return values;
}

QString schemaFile()
{
    return qEnvironmentVariable("TESSARO_TEST_DATA") + "/fatturapa/Schema_del_file_xml_FatturaPA_v1.2.2.xsd";
}

bool schemaCheckerFound()
{
#ifdef Q_OS_WIN
    return !QStandardPaths::findExecutable("xmllint").isEmpty();
#else
    return true;
#endif
}

QString schemaErrors(const QString& xmlFile)
{
    // The schema travels with the tests and the setup installs xmllint: a
    // missing one is a failure, never a skip that would pass for a check.
    const QString schema = schemaFile();
    const QString catalog = qEnvironmentVariable("TESSARO_TEST_DATA") + "/fatturapa/catalog.xml";
    if (!QFileInfo::exists(schema) || !QFileInfo::exists(catalog))
        return "FatturaPA schema not found at " + schema;
    if (!schemaCheckerFound()) {
        qWarning("FatturaPA schema not checked: no xmllint on Windows (the Linux run checks it)");
        return {};
    }
    const QString xmllint = QStandardPaths::findExecutable("xmllint");
    if (xmllint.isEmpty())
        return "xmllint not installed (libxml2-utils)";
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XML_CATALOG_FILES", catalog);
    process.setProcessEnvironment(environment);
    process.start(xmllint, {"--nonet", "--noout", "--schema", schema, xmlFile});
    if (!process.waitForFinished(60000))
        return "xmllint did not finish";
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return QString::fromUtf8(process.readAllStandardError());
}

void storeSampleIssuer(archive::AppState& state)
{
    const einvoice::InvoiceToExport sample = professionalInvoice();
    archive::writeIssuer(state.dataDir, 1, sample.issuer);
    archive::writeIssuerCount(state.dataDir, 1);
    archive::writeCurrentIssuer(state.dataDir, 1);
    state.issuerCount = 1;
    state.currentIssuer = 1;
    state.currentIssuerRecord = sample.issuer;
    einvoice::writeIssuerData(state.dataDir, 1, sample.issuerData);
}

} // namespace tessaro::test
