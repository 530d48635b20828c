#include "archive/records.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

using namespace tessaro::archive;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes golden(const char* name)
{
    std::ifstream in(std::string(TESSARO_GOLDEN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The party and invoice written by tests/data/make_golden.py.
PartyRecord fullParty()
{
    return {"dott.", "Rossi Perè", "Niccolò",          "Via della Libertà 12", "Forlì",
            "FC",    "47121",      "RSSNCC70A01D704X", "01234567890"};
}

// What a read gives back: every text padded to its width.
std::string padded(const std::string& utf8, std::size_t characters)
{
    const auto length = static_cast<std::size_t>(QString::fromStdString(utf8).size());
    return utf8 + std::string(characters - length, ' ');
}

PartyRecord fullPartyAsRead()
{
    return {padded("dott.", 5),
            padded("Rossi Perè", 29),
            padded("Niccolò", 29),
            padded("Via della Libertà 12", 40),
            padded("Forlì", 35),
            "FC",
            "47121",
            "RSSNCC70A01D704X",
            padded("01234567890", 12)};
}

InvoiceRecord fullInvoice()
{
    InvoiceRecord invoice;
    invoice.client = fullParty();
    invoice.day = "07";
    invoice.month = "03";
    invoice.vat = "22";
    invoice.kind = "a";
    invoice.description = {"Progettazione strutturale è completa", "Direzione lavori già avviata", "Collaudo"};
    invoice.amount = {"1200.50", "300", "45.25"};
    invoice.quantity = {"1", "2", "10"};
    invoice.pension = "4";
    invoice.expenses = "150.75";
    invoice.withholding = "20";
    invoice.currency = "l";
    invoice.rate = 1000.5f;
    invoice.expenses2 = "33.10";
    return invoice;
}

ExtraLinesRecord fullExtraLines()
{
    ExtraLinesRecord lines;
    lines.description = {"Viti à testa piana", "Bulloni", "", "Staffe", "Perni", "Dadi", "Rondelle"};
    lines.amount = {"1.50", "2", "", "3.75", "0.5", "0.20", "0.05"};
    lines.quantity = {"100", "50", "", "12", "8", "1000", "9999"};
    return lines;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void partyMatchesGoldenBytes()
    {
        std::array<std::uint8_t, PartyRecordSize> bytes {};
        encodeParty(fullParty(), bytes);
        QCOMPARE(Bytes(bytes.begin(), bytes.end()), golden("party_full.bin"));
        QCOMPARE(decodeParty(bytes), fullPartyAsRead());
    }

    void invoiceMatchesGoldenBytes()
    {
        std::array<std::uint8_t, InvoiceRecordSize> bytes {};
        encodeInvoice(fullInvoice(), bytes);
        const Bytes expected = golden("invoice_full.bin");
        QCOMPARE(expected.size(), InvoiceRecordSize);
        for (std::size_t i = 0; i < InvoiceRecordSize; ++i) {
            if (bytes[i] != expected[i])
                QFAIL(qPrintable(QStringLiteral("byte %1 differs").arg(i)));
        }
        // The rate 1000.5 as a little-endian single at offset 684.
        QCOMPARE(Bytes(bytes.begin() + 684, bytes.begin() + 688), (Bytes {0x00, 0x20, 0x7A, 0x44}));
        // Accented letters take one byte each.
        QCOMPARE(bytes[5 + 9], std::uint8_t {0xE8});
    }

    void invoiceDecodesGoldenBytes()
    {
        const Bytes bytes = golden("invoice_full.bin");
        QCOMPARE(bytes.size(), InvoiceRecordSize);
        const InvoiceRecord invoice = decodeInvoice(std::span<const std::uint8_t, InvoiceRecordSize>(bytes));
        QCOMPARE(invoice.client, fullPartyAsRead());
        QCOMPARE(invoice.description[0], padded("Progettazione strutturale è completa", 210));
        QCOMPARE(invoice.description[1], padded("Direzione lavori già avviata", 150));
        QCOMPARE(invoice.amount[0], padded("1200.50", 10));
        QCOMPARE(invoice.quantity[2], padded("10", 4));
        QCOMPARE(invoice.pension, std::string("4"));
        QCOMPARE(invoice.expenses, padded("150.75", 8));
        QCOMPARE(invoice.withholding, std::string("20"));
        QCOMPARE(invoice.currency, std::string("l"));
        QCOMPARE(invoice.rate, 1000.5f);
        QCOMPARE(invoice.expenses2, padded("33.10", 8));

        // Encoding what was read gives the same bytes back.
        std::array<std::uint8_t, InvoiceRecordSize> again {};
        encodeInvoice(invoice, again);
        QCOMPARE(Bytes(again.begin(), again.end()), bytes);
    }

    void extraLinesMatchGoldenBytes()
    {
        std::array<std::uint8_t, ExtraLinesRecordSize> bytes {};
        encodeExtraLines(fullExtraLines(), bytes);
        QCOMPARE(Bytes(bytes.begin(), bytes.end()), golden("extra_lines_full.bin"));
        const ExtraLinesRecord lines = decodeExtraLines(bytes);
        QCOMPARE(lines.description[0], padded("Viti à testa piana", 35));
        QCOMPARE(lines.description[2], std::string(35, ' '));
        QCOMPARE(lines.amount[6], padded("0.05", 10));
        QCOMPARE(lines.quantity[6], std::string("9999"));
    }

    void zeroBytesDecodeAsBlankRecords()
    {
        const std::array<std::uint8_t, InvoiceRecordSize> invoiceBytes {};
        QCOMPARE(decodeInvoice(invoiceBytes), InvoiceRecord {});
        const std::array<std::uint8_t, ExtraLinesRecordSize> lineBytes {};
        QCOMPARE(decodeExtraLines(lineBytes), ExtraLinesRecord {});
        const std::array<std::uint8_t, PartyRecordSize> partyBytes {};
        QCOMPARE(decodeParty(partyBytes), PartyRecord {});
    }

    void fieldsAreCutAndPadded_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("stored");
        QTest::newRow("40 characters") << QString(40, 'x') << QString(29, 'x');
        QTest::newRow("3 characters") << "Neri"
                                      << "Neri" + QString(25, ' ');
        QTest::newRow("accented, cut by characters") << QString(30, QChar(0xE8)) << QString(29, QChar(0xE8));
    }

    void fieldsAreCutAndPadded()
    {
        QFETCH(QString, surname);
        QFETCH(QString, stored);
        PartyRecord party;
        party.surname = surname.toStdString();
        party.firstName = "Ugo";
        std::array<std::uint8_t, PartyRecordSize> bytes {};
        encodeParty(party, bytes);
        const PartyRecord back = decodeParty(bytes);
        QCOMPARE(QString::fromStdString(back.surname), stored);
        QCOMPARE(back.firstName, padded("Ugo", 29)); // the neighbour field is untouched by the cut
    }

    void onePercentCharacterIsStored()
    {
        InvoiceRecord invoice;
        invoice.pension = "10";
        std::array<std::uint8_t, InvoiceRecordSize> bytes {};
        encodeInvoice(invoice, bytes);
        QCOMPARE(bytes[672], std::uint8_t {'1'});
        QCOMPARE(bytes[673], std::uint8_t {' '}); // expenses start right after
    }

    void damagedRateReadsAsZero_data()
    {
        QTest::addColumn<float>("stored");
        QTest::addColumn<float>("read");
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0.0f;
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 0.0f;
        QTest::newRow("1936.27") << 1936.27f << 1936.27f;
        QTest::newRow("negative kept") << -2.5f << -2.5f;
    }

    void damagedRateReadsAsZero()
    {
        QFETCH(float, stored);
        QFETCH(float, read);
        std::array<std::uint8_t, InvoiceRecordSize> bytes {};
        writeFloat32LE(std::span(bytes).subspan<684, 4>(), stored);
        QCOMPARE(decodeInvoice(bytes).rate, read);
    }

    void littleEndianNumbers_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("0") << 0 << 0x00 << 0x00;
        QTest::newRow("5") << 5 << 0x05 << 0x00;
        QTest::newRow("300") << 300 << 0x2C << 0x01;
        QTest::newRow("-1") << -1 << 0xFF << 0xFF;
        QTest::newRow("-2") << -2 << 0xFE << 0xFF;
        QTest::newRow("max") << 32767 << 0xFF << 0x7F;
        QTest::newRow("min") << -32768 << 0x00 << 0x80;
    }

    void littleEndianNumbers()
    {
        QFETCH(int, value);
        QFETCH(int, low);
        QFETCH(int, high);
        std::array<std::uint8_t, 2> bytes {};
        writeInt16LE(bytes, static_cast<std::int16_t>(value));
        QCOMPARE(int(bytes[0]), low);
        QCOMPARE(int(bytes[1]), high);
        QCOMPARE(int(readInt16LE(bytes)), value);
    }

    void littleEndianFloat()
    {
        std::array<std::uint8_t, 4> bytes {};
        writeFloat32LE(bytes, 1936.27f);
        QCOMPARE((Bytes(bytes.begin(), bytes.end())), (Bytes {0xA4, 0x08, 0xF2, 0x44}));
        QCOMPARE(readFloat32LE(bytes), 1936.27f);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
