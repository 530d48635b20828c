#include "app/manual_location.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tessaro::app;

class TestManualLocation : public QObject {
    Q_OBJECT

private slots:
    // This test runs from the build tree: the sources first, then the install prefix.
    void candidatesAreTheSourcesThenThePrefix()
    {
        const QStringList paths = manualCandidates();
        QCOMPARE(paths.size(), 2);
        QCOMPARE(paths[0], QDir::cleanPath(QStringLiteral(TESSARO_MANUAL_SOURCE)));
        QVERIFY2(QFileInfo(paths[1]).isAbsolute(), qPrintable(paths[1]));
        QVERIFY2(paths[1].endsWith(QStringLiteral("/share/doc/tessaro/manual/index.html")), qPrintable(paths[1]));
        QCOMPARE(paths[1], QDir::cleanPath(QStringLiteral(TESSARO_MANUAL_INSTALLED)));
    }

    void availablePathExistsOnDisk()
    {
        const QString path = availableManualPath();
        QCOMPARE(path, manualCandidates().first());
        QVERIFY(QFileInfo(path).isFile());
    }

    // The relative path from the installed program must land on the manual;
    // checked against a fake installation laid out as `cmake --install` does.
    void relativePathFromProgramReachesTheManual()
    {
        const QString from = QStringLiteral("/usr/libexec/tessaro");
        const QString reached = QDir::cleanPath(from + QLatin1Char('/') + QStringLiteral(TESSARO_MANUAL_FROM_PROGRAM));
        QCOMPARE(reached, QStringLiteral("/usr/share/doc/tessaro/manual/index.html"));
    }
};

QTEST_GUILESS_MAIN(TestManualLocation)
#include "test_manual_location.moc"
