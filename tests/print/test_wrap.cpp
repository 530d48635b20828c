// The description wrapping rule: where lines break, long words, leading and
// trailing blanks, line ends, and the positions of the printed lines.
#include "print/recording_page.h"
#include "print/wrap.h"

#include <QTest>

#include <random>

using namespace tessaro;
using Lines = std::vector<std::string>;

class TestWrap : public QObject {
    Q_OBJECT

private slots:
    void breaks_data();
    void breaks();
    void everyTextEndsAndFits();
    void printedLinePositions();
};

void TestWrap::breaks_data()
{
    QTest::addColumn<std::string>("description");
    QTest::addColumn<double>("limit"); // 120 twips per character at 12 points
    QTest::addColumn<Lines>("expected");

    QTest::newRow("fits") << std::string("Consulenza tecnica") << 5400.0 << Lines {"Consulenza tecnica"};
    QTest::newRow("exactly the limit") << std::string(45, 'a') << 5400.0 << Lines {std::string(45, 'a')};
    QTest::newRow("falls back to the last blank") << std::string("aa bb cc") << 600.0 << Lines {"aa bb", " cc"};
    QTest::newRow("many short words") << std::string("uno due tre quattro cinque") << 1200.0
                                      << Lines {"uno due", " tre", " quattro", " cinque"};
    QTest::newRow("word wider than the column") << std::string("abcdefghij") << 600.0 << Lines {"abcde", "fghij"};
    QTest::newRow("long word after a blank")
        << std::string("ab cdefghijkl") << 600.0 << Lines {"ab", " cdef", "ghijk", "l"};
    QTest::newRow("character wider than the column") << std::string("abc") << 100.0 << Lines {"a", "b", "c"};
    QTest::newRow("CR LF read as blanks") << std::string("ab\r\ncd") << 5400.0 << Lines {"ab  cd"};
    QTest::newRow("line end at the break") << std::string("abcd\nefgh") << 600.0 << Lines {"abcd", " efgh"};
    QTest::newRow("leading blanks keep the whole text") << std::string("  abc") << 5400.0 << Lines {"  abc"};
    QTest::newRow("stored field padding") << std::string("abc") + std::string(207, ' ') << 5400.0 << Lines {"abc"};
    QTest::newRow("empty") << std::string() << 5400.0 << Lines {};
    QTest::newRow("blanks only") << std::string("    ") << 5400.0 << Lines {};
    QTest::newRow("accented letters are one character each")
        << std::string("perché è così") << 600.0 << Lines {"perch", "é è", " così"};
}

void TestWrap::breaks()
{
    QFETCH(std::string, description);
    QFETCH(double, limit);
    QFETCH(Lines, expected);

    print::RecordingPage page;
    page.setFontSize(12);
    QCOMPARE(print::wrapDescription(page, description, limit), expected);
}

// Whatever is typed, wrapping ends, keeps every character that is not a
// trailing blank, and no line is wider than the column unless it holds a
// single character.
void TestWrap::everyTextEndsAndFits()
{
    std::mt19937 random(20240305);
    const std::string alphabet = "ab  c\r\nè";
    print::RecordingPage page;
    page.setFontSize(12);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            const std::size_t at = random() % (alphabet.size() - 1);
            text += alphabet[at] == '\xc3' ? std::string("è") : std::string(1, alphabet[at]);
        }
        const double limit = 120.0 * static_cast<double>(1 + random() % 8);

        const Lines lines = print::wrapDescription(page, text, limit);
        std::string joined;
        for (const auto& line : lines) {
            QVERIFY2(page.textWidth(line) <= limit || print::characterCount(line) == 1, text.c_str());
            joined += line;
        }
        // Only blanks count as trailing: a final line end still prints as a blank.
        std::string expected = text.substr(0, text.find_last_not_of(' ') + 1);
        for (char& c : expected) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        // A blank that ends a line is read again at the start of the next
        // one, so the lines put together give back the text.
        QCOMPARE(joined, expected);
    }
}

void TestWrap::printedLinePositions()
{
    print::RecordingPage page;
    page.setFontSize(12);
    page.setCurrentY(5250);
    QCOMPARE(print::printDescription(page, "aa bb cc", 600), 2);

    // 250 below the position, then one line height (300 at 12 points) further.
    QCOMPARE(page.texts().size(), std::size_t(2));
    QCOMPARE(page.texts()[0].x, 1400.0);
    QCOMPARE(page.texts()[0].y, 5500.0);
    QCOMPARE(page.texts()[1].x, 1400.0);
    QCOMPARE(page.texts()[1].y, 6050.0);
    QCOMPARE(page.currentX(), 0.0);
    QCOMPARE(page.currentY(), 6350.0);

    print::RecordingPage empty;
    empty.setCurrentY(5250);
    QCOMPARE(print::printDescription(empty, "   ", 600), 0);
    QCOMPARE(empty.currentY(), 5250.0);
}

QTEST_GUILESS_MAIN(TestWrap)
#include "test_wrap.moc"
