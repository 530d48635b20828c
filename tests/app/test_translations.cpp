// Qt's own dialogs speak Italian: the catalogue the package depends on is
// found where Qt keeps its translations.
#include "app/translations.h"

#include <QLocale>
#include <QtTest>

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void qtTextsInItalian()
    {
        QVERIFY(tessaro::app::installItalianTranslations(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Cerca in:"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QLocale().language(), QLocale::Italian);
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
