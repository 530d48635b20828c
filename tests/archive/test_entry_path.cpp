// Names inside a backup or a zip of receipts, as whoever made the file wrote
// them: the ones that could reach outside the folder, on Linux or Windows.
#include "archive/entry_path.h"

#include <QtTest>

using tessaro::archive::pathInsideFolder;

const QString Refused = QStringLiteral("(refused)");

class TestEntryPath : public QObject {
    Q_OBJECT

private slots:
    void namesStayInside_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path"); // Refused when the name could lead outside
        QTest::newRow("plain") << "impost"
                               << "impost";
        QTest::newRow("tar's ./") << "./12024.arc"
                                  << "12024.arc";
        QTest::newRow("the folder itself") << "./"
                                           << "";
        QTest::newRow("doubled slash") << "a//b/./c.xml"
                                       << "a/b/c.xml";
        QTest::newRow("dots inside a name") << "a..b.xml"
                                            << "a..b.xml";
        QTest::newRow("up") << "../x" << Refused;
        QTest::newRow("up in the middle") << "a/../../x" << Refused;
        QTest::newRow("dots and blanks, Windows' up") << "a/. ./x" << Refused;
        QTest::newRow("trailing dots") << "... " << Refused;
        QTest::newRow("absolute") << "/etc/passwd" << Refused;
        QTest::newRow("drive") << "C:x.xml" << Refused;
        QTest::newRow("backslash") << "a\\..\\x" << Refused;
    }

    void namesStayInside()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        const std::optional<std::string> got = pathInsideFolder(name.toStdString());
        QCOMPARE(got ? QString::fromStdString(*got) : Refused, path);
    }
};

QTEST_GUILESS_MAIN(TestEntryPath)
#include "test_entry_path.moc"
