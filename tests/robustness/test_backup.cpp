// "Copia di sicurezza..." and "Ripristina copia di sicurezza..." on the
// whole program: a copy put back gives the files as they were when it was
// made, the data it replaces are kept aside, and a copy that cannot be made
// or put back changes nothing.
#include "archive/export_counter.h"
#include "archive/record_file.h"
#include "program.h"
#include "test_dir.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QtTest>

#include <algorithm>

using namespace tessaro;
using namespace tessaro::robustness;

namespace {

QString todaysCopy(const QString& folder)
{
    return folder + "/tessaro-copia-" + QDate::currentDate().toString(Qt::ISODate) + ".tar.gz";
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void copyPutBack()
    {
        test::TestDir parent;
        const std::string dir = parent.file("Tessaro");
        QVERIFY(QDir().mkpath(QString::fromStdString(dir)));
        test::TestDir elsewhere;
        const QString folder = QString::fromStdString(elsewhere.path());
        writeHealthyDirectory(dir);
        Program program(dir);
        QVERIFY(program.start());
        const Snapshot copied = snapshot(dir);
        program.dialogs().queueChosenPath(folder.toStdString());
        program.menu("mnufbackup");
        QCOMPARE(program.dialogs().last().title, std::string("COPIA DI SICUREZZA"));
        QVERIFY(QFile::exists(todaysCopy(folder)));

        program.type("txtimp1", "50");
        program.click("Command5");
        QCOMPARE(int(program.state().nextNumber), 5);
        // A file exported since the copy: its name must stay used once the copy is back.
        std::array<std::uint8_t, archive::ExportCounterRecordSize> counter {};
        archive::encodeExportCounter({"01234567897", 7}, counter);
        QVERIFY(archive::writeRecord(archive::realFileSystem(), dir + "/progressivi.fe", 1, counter).ok());
        const Snapshot changed = snapshot(dir);
        program.dialogs().queueChosenPath(todaysCopy(folder).toStdString());
        program.menu("mnufrestore");
        QCOMPARE(program.dialogs().last().title, std::string("RIPRISTINO COPIA DI SICUREZZA"));
        Snapshot restored = snapshot(dir);
        QVERIFY(restored.extract("progressivi.fe").mapped() == Bytes(counter.begin(), counter.end()));
        QVERIFY(restored == copied);
        QCOMPARE(int(program.state().nextNumber), 4);
        QVERIFY(QFile::exists(QString::fromStdString(dir + "/tessaro.lock")));
        const QStringList besides = entries(QString::fromStdString(parent.path()));
        QCOMPARE(besides.size(), 2);
        const QString aside
            = QString::fromStdString(parent.path()) + "/" + besides.filter("prima del ripristino").value(0);
        QVERIFY(snapshot(aside.toStdString()) == changed);
        const auto& shown = program.dialogs().shown(); // the folder quoted, apart from the full stop
        QVERIFY(std::any_of(shown.begin(), shown.end(), [&](const auto& box) {
            return box.text.ends_with("nella cartella \"" + aside.toStdString() + "\".");
        }));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("chosen"); // "data": the data directory; "empty copy": an archive without data
        QTest::addColumn<bool>("told");
        QTest::newRow("copy into the data directory") << "mnufbackup"
                                                      << "data" << true;
        QTest::newRow("copy cancelled") << "mnufbackup"
                                        << "" << false;
        QTest::newRow("not a copy of the data") << "mnufrestore"
                                                << "empty copy" << true;
        QTest::newRow("restore cancelled") << "mnufrestore"
                                           << "" << false;
    }

    void refused()
    {
        QFETCH(QString, item);
        QFETCH(QString, chosen);
        QFETCH(bool, told);
        test::TestDir parent;
        const std::string dir = parent.file("Tessaro");
        QVERIFY(QDir().mkpath(QString::fromStdString(dir)));
        writeHealthyDirectory(dir);
        test::TestDir other;
        QString path = chosen == "data" ? QString::fromStdString(dir) : QString();
        if (chosen == "empty copy") {
            // The archive goes outside the folder it is made of: tar refuses
            // a folder that grows while it reads it.
            const test::TestDir empty;
            path = QString::fromStdString(other.file("copia.tar.gz"));
            QCOMPARE(QProcess::execute("tar", {"-czf", path, "-C", QString::fromStdString(empty.path()), "."}), 0);
        }
        Program program(dir);
        QVERIFY(program.start());
        const Snapshot before = snapshot(dir);
        program.dialogs().clear();
        program.dialogs().queueChosenPath(path.toStdString());
        program.menu(item.toLatin1().constData());
        QCOMPARE(program.warnings().size(), std::size_t(told ? 1 : 0));
        QVERIFY(snapshot(dir) == before);
        QCOMPARE(entries(QString::fromStdString(parent.path())), QStringList {"Tessaro"});
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
