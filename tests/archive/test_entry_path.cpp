// Names inside a backup or a zip of receipts, as whoever made the file wrote
// them: the ones that could reach outside the folder, on Linux or Windows.
#include "archive/entry_path.h"

#include <QtTest>

using tessaro::archive::pathInsideFolder;

class TestEntryPath : public QObject {
    Q_OBJECT

private slots:
    void namesStayInside_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "impost" << true << "impost";
        QTest::newRow("tar's ./") << "./12024.arc" << true << "12024.arc";
        QTest::newRow("the folder itself") << "./" << true << "";
        QTest::newRow("doubled slash") << "a//b/./c.xml" << true << "a/b/c.xml";
        QTest::newRow("dots inside a name") << "a..b.xml" << true << "a..b.xml";
        QTest::newRow("up") << "../x" << false << "";
        QTest::newRow("up in the middle") << "a/../../x" << false << "";
        QTest::newRow("dots and blanks, Windows' up") << "a/. ./x" << false << "";
        QTest::newRow("trailing dots") << "... " << false << "";
        QTest::newRow("absolute") << "/etc/passwd" << false << "";
        QTest::newRow("drive") << "C:x.xml" << false << "";
        QTest::newRow("backslash") << "a\\..\\x" << false << "";
    }

    void namesStayInside()
    {
        QFETCH(QString, name);
        QFETCH(bool, inside);
        QFETCH(QString, path);
        const std::optional<std::string> got = pathInsideFolder(name.toStdString());
        QCOMPARE(got.has_value(), inside);
        if (got)
            QCOMPARE(QString::fromStdString(*got), path);
    }
};

QTEST_GUILESS_MAIN(TestEntryPath)
#include "test_entry_path.moc"
