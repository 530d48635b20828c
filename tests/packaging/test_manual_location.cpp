#include "app/manual_location.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tessaro::app;

namespace {

// Where the installation puts the program and the manual: the package's
// folders on Linux, one folder in Program Files on Windows.
#ifdef Q_OS_WIN
const QString ProgramDir = QStringLiteral("C:/Program Files/Tessaro");
const QString InstalledManual = QStringLiteral("/manuale/index.html");
const QString ManualFromProgram = QStringLiteral("C:/Program Files/Tessaro/manuale/index.html");
#else
const QString ProgramDir = QStringLiteral("/usr/libexec/tessaro");
const QString InstalledManual = QStringLiteral("/share/doc/tessaro/manual/index.html");
const QString ManualFromProgram = QStringLiteral("/usr/share/doc/tessaro/manual/index.html");
#endif

} // namespace

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
        QVERIFY2(paths[1].endsWith(InstalledManual), qPrintable(paths[1]));
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
        const QString reached
            = QDir::cleanPath(ProgramDir + QLatin1Char('/') + QStringLiteral(TESSARO_MANUAL_FROM_PROGRAM));
        QCOMPARE(reached, ManualFromProgram);
    }
};

QTEST_GUILESS_MAIN(TestManualLocation)
#include "test_manual_location.moc"
