// The one reading of UTF-8: every layer (the archives' code page, the
// e-invoice's character rules, the paper's widths) counts and refuses the
// same sequences.
#include "calc/text.h"

#include <QtTest>

using namespace tessaro::calc;

class TestText : public QObject {
    Q_OBJECT

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QList<uint>>("codePoints"); // 0xFFFD where a sequence is malformed
        using L = QList<uint>;
        QTest::newRow("ascii") << QByteArray("Ab1") << L {'A', 'b', '1'};
        QTest::newRow("two bytes") << QByteArray("\xC3\xA0") << L {0xE0};
        QTest::newRow("euro sign") << QByteArray("\xE2\x82\xAC") << L {0x20AC};
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80") << L {0x1F600};
        QTest::newRow("overlong A") << QByteArray("\xC1\x81") << L {0xFFFD, 0xFFFD};
        QTest::newRow("overlong slash") << QByteArray("\xE0\x80\xAF") << L {0xFFFD, 0xFFFD, 0xFFFD};
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << L {0xFFFD, 0xFFFD, 0xFFFD};
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << L {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD};
        QTest::newRow("cut short") << QByteArray("a\xE2\x82") << L {'a', 0xFFFD, 0xFFFD};
        QTest::newRow("lone continuation") << QByteArray("\x80z") << L {0xFFFD, 'z'};
    }

    void decoding()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(QList<uint>, codePoints);
        const std::string_view text(utf8.constData(), std::size_t(utf8.size()));
        QList<uint> read;
        for (std::size_t pos = 0; pos < text.size();)
            read << uint(nextCodePoint(text, pos));
        QCOMPARE(read, codePoints);
        QCOMPARE(characterCount(text), std::size_t(codePoints.size()));
        std::string again;
        for (const uint c : codePoints) {
            if (c != ReplacementCharacter)
                appendUtf8(again, c);
        }
        if (!codePoints.contains(ReplacementCharacter))
            QCOMPARE(again, std::string(text));
    }

    void digitsAndBlanks()
    {
        QCOMPARE(trimBlanks("  Rossi  "), std::string_view("Rossi"));
        QCOMPARE(trimBlanks("\tRossi "), std::string_view("\tRossi"));
        QCOMPARE(trimBlanks("   "), std::string_view());
        for (const char* year : {"2026", "0000"})
            QVERIFY2(isFourDigitYear(year), year);
        for (const char* year : {"", "26", "20266", "2O26", " 2026", "２０２６"})
            QVERIFY2(!isFourDigitYear(year), year);
        QVERIFY(isDigits("0123456789"));
        QVERIFY(!isDigits(""));
        QVERIFY(!isDigit(U'\u0660')); // Arabic-Indic zero
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "test_text.moc"
