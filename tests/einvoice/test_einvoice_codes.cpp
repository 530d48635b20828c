#include "einvoice/codes.h"

#include "samples.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

using namespace tessaro::einvoice;

namespace {

// The enumeration values of one simple type of the schema.
QSet<QString> schemaEnumeration(const QString& typeName)
{
    QFile file(tessaro::test::schemaFile());
    QSet<QString> values;
    if (!file.open(QIODevice::ReadOnly))
        return values;
    QXmlStreamReader reader(&file);
    bool inType = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("simpleType"))
            inType = reader.attributes().value("name") == typeName;
        else if (inType && reader.isStartElement() && reader.name() == QLatin1String("enumeration"))
            values.insert(reader.attributes().value("value").toString());
        else if (reader.isEndElement() && reader.name() == QLatin1String("simpleType"))
            inType = false;
    }
    return values;
}

QSet<QString> codesOf(std::span<const Code> codes)
{
    QSet<QString> values;
    for (const Code& code : codes) {
        values.insert(QString::fromUtf8(code.code.data(), static_cast<qsizetype>(code.code.size())));
        if (code.name.empty())
            values.insert("<no name>");
    }
    return values;
}

} // namespace

class TestEinvoiceCodes : public QObject {
    Q_OBJECT

private slots:
    void codesAreTheSchemas_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QStringList>("leftOut");
        QTest::newRow("regime") << 0 << "RegimeFiscaleType" << QStringList();
        QTest::newRow("cassa") << 1 << "TipoCassaType" << QStringList();
        // The exchange system refuses the bare N2, N3 and N6 since 2021.
        QTest::newRow("natura") << 2 << "NaturaType" << QStringList {"N2", "N3", "N6"};
    }

    void codesAreTheSchemas()
    {
        QFETCH(int, table);
        QFETCH(QString, typeName);
        QFETCH(QStringList, leftOut);
        QSet<QString> expected = schemaEnumeration(typeName);
        QVERIFY2(!expected.isEmpty(), qPrintable("no " + typeName + " in " + tessaro::test::schemaFile()));
        for (const QString& code : leftOut)
            QVERIFY(expected.remove(code));
        const std::span<const Code> codes = table == 0 ? fiscalRegimes() : table == 1 ? pensionFunds() : vatNatures();
        QCOMPARE(codesOf(codes), expected);
    }

    void lookups()
    {
        QVERIFY(isFiscalRegime("RF19"));
        QVERIFY(!isFiscalRegime("RF03"));
        QVERIFY(isPensionFund("TC22"));
        QVERIFY(!isPensionFund(""));
        QVERIFY(isVatNature(DefaultVatNature));
        QVERIFY(!isVatNature("N2"));
        QVERIFY(isFiscalRegime(DefaultFiscalRegime));
        QCOMPARE(displayText(pensionFunds(), "TC04"), std::string("TC04 INARCASSA"));
        QCOMPARE(displayText(fiscalRegimes(), "RF01"), std::string("RF01 Ordinario"));
        QCOMPARE(displayText(pensionFunds(), "TC99"), std::string("TC99"));
    }
};

QTEST_GUILESS_MAIN(TestEinvoiceCodes)
#include "test_einvoice_codes.moc"
