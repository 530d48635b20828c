#include "app/manual_location.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tessaro::app;

class TestManualLocation : public QObject {
    Q_OBJECT

private slots:
    // This test runs from the build tree, so both answers are known.
    void installedPathUsesTheDocumentationFolder()
    {
        const QString path = installedManualPath();
        QVERIFY2(QFileInfo(path).isAbsolute(), qPrintable(path));
        QVERIFY2(path.endsWith(QStringLiteral("/share/doc/tessaro/manual/index.html")), qPrintable(path));
        QCOMPARE(path, QDir::cleanPath(QStringLiteral(TESSARO_MANUAL_INSTALLED)));
    }

    void sourcePathIsTheManualInTheSources()
    {
        const QString path = sourceManualPath();
        QVERIFY2(!path.isEmpty(), "the test runs inside the build tree");
        QVERIFY(QFileInfo(path).isFile());
        QVERIFY(path.endsWith(QStringLiteral("/doc/manual/index.html")));
    }

    void availablePathExistsOnDisk()
    {
        const QString path = availableManualPath();
        QVERIFY(!path.isEmpty());
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
