#include "archive/codepage.h"

#include <QtTest>

#include <array>
#include <fstream>
#include <iterator>
#include <vector>

using namespace tessaro::archive;

namespace {

std::string bytesOf(std::initializer_list<int> values)
{
    std::string out;
    for (const int value : values)
        out += static_cast<char>(value);
    return out;
}

std::vector<std::uint8_t> fieldOf(const std::string& bytes)
{
    return {bytes.begin(), bytes.end()};
}

} // namespace

class TestCodepage : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        const std::string utf8 = fromWindows1252(all);
        QCOMPARE(toWindows1252(utf8), all);
        // The table itself, against one made from another implementation of the code page.
        std::ifstream in(std::string(TESSARO_GOLDEN_DIR) + "/cp1252_all_bytes.utf8", std::ios::binary);
        const std::string expected {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        QCOMPARE(QString::fromStdString(utf8).toUcs4(), QString::fromStdString(expected).toUcs4());
        // Distinct bytes give distinct characters, so nothing is merged on the way.
        for (int byte = 0; byte < 256; ++byte) {
            const std::string one(1, static_cast<char>(byte));
            QCOMPARE(toWindows1252(fromWindows1252(one)), one);
        }
    }

    void knownCharacters_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("character");
        QTest::newRow("a") << 0x61 << QStringLiteral("a");
        QTest::newRow("e grave") << 0xE8 << QStringLiteral("è");
        QTest::newRow("a grave") << 0xE0 << QStringLiteral("à");
        QTest::newRow("o grave") << 0xF2 << QStringLiteral("ò");
        QTest::newRow("E grave") << 0xC8 << QStringLiteral("È");
        QTest::newRow("euro") << 0x80 << QStringLiteral("€");
        QTest::newRow("left quote") << 0x91 << QStringLiteral("‘");
        QTest::newRow("Y diaeresis") << 0x9F << QStringLiteral("Ÿ");
        QTest::newRow("unassigned 81") << 0x81 << QString(QChar(0x81));
        QTest::newRow("unassigned 9D") << 0x9D << QString(QChar(0x9D));
        QTest::newRow("nbsp") << 0xA0 << QString(QChar(0xA0));
        QTest::newRow("y diaeresis") << 0xFF << QStringLiteral("ÿ");
    }

    void knownCharacters()
    {
        QFETCH(int, byte);
        QFETCH(QString, character);
        const std::string utf8 = character.toStdString();
        QCOMPARE(fromWindows1252(bytesOf({byte})), utf8);
        QCOMPARE(toWindows1252(utf8), bytesOf({byte}));
        QVERIFY(representableInWindows1252(character.toUcs4().front()));
    }

    void unrepresentable_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("arrow") << QByteArray("a\xE2\x86\x92"
                                             "b")
                               << QByteArray("a?b");
        QTest::newRow("C1 control 0x85") << QByteArray("\xC2\x85") << QByteArray("?");
        QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80") << QByteArray("?");
        QTest::newRow("lone lead byte") << QByteArray("x\xC3") << QByteArray("x?");
        QTest::newRow("stray continuation") << QByteArray("\x80y") << QByteArray("?y");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QByteArray("??");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???");
    }

    void unrepresentable()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(toWindows1252(utf8.toStdString())), expected);
    }

    void representability()
    {
        QVERIFY(representableInWindows1252(U'€'));
        QVERIFY(representableInWindows1252(0x8D));
        QVERIFY(!representableInWindows1252(0x85)); // byte 0x85 is the ellipsis
        QVERIFY(!representableInWindows1252(U'→'));
        QVERIFY(!representableInWindows1252(0x100));
    }

    void fixedWidthWrite_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("padded") << "ab" << 5 << QByteArray("ab   ");
        QTest::newRow("exact") << "abcde" << 5 << QByteArray("abcde");
        QTest::newRow("cut") << "abcdefg" << 5 << QByteArray("abcde");
        QTest::newRow("empty") << "" << 3 << QByteArray("   ");
        QTest::newRow("accents cut by characters") << "èàèàè" << 3 << QByteArray("\xE8\xE0\xE8");
        QTest::newRow("accent last") << "Perè" << 4 << QByteArray("Per\xE8");
        QTest::newRow("accent padded") << "à" << 3 << QByteArray("\xE0  ");
        QTest::newRow("one byte field") << "10" << 1 << QByteArray("1");
    }

    void fixedWidthWrite()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QByteArray, stored);
        std::vector<std::uint8_t> field(static_cast<std::size_t>(width) + 2, 0xAA);
        writeFixedText(std::span(field).first(static_cast<std::size_t>(width)), text.toStdString());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(field.data()), width), stored);
        // The bytes after the field are not touched.
        QCOMPARE(field[static_cast<std::size_t>(width)], std::uint8_t {0xAA});
    }

    void fixedWidthRead_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("trailing blanks kept") << QByteArray("Neri ") << "Neri ";
        QTest::newRow("all zeros") << QByteArray(4, '\0') << "";
        QTest::newRow("blanks") << QByteArray("  ") << "  ";
        QTest::newRow("zeros after text") << QByteArray("ab\0\0", 4) << "ab";
        QTest::newRow("zero inside") << QByteArray("a\0b", 3) << "ab";
        QTest::newRow("accent") << QByteArray("Citt\xE0") << "Città";
    }

    void fixedWidthRead()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        const auto field = fieldOf(stored.toStdString());
        QCOMPARE(QString::fromStdString(readFixedText(field)), text);
    }

    void trimmingBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("both ends") << "  Rossi  "
                                   << "Rossi";
        QTest::newRow("inside kept") << " De  Luca "
                                     << "De  Luca";
        QTest::newRow("only blanks") << "   "
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("tab is not a blank") << "\tRossi"
                                            << "\tRossi";
    }

    void trimmingBlanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        const std::string value = text.toStdString();
        QCOMPARE(QString::fromStdString(std::string(trimBlanks(value))), trimmed);
    }
};

QTEST_GUILESS_MAIN(TestCodepage)
#include "test_codepage.moc"
