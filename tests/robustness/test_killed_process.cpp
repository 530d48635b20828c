// The real program killed with SIGKILL while it inserts, deletes or saves on
// a book of 2000 invoices: at each of its writes to each file of the book
// (strace injects the signal there), and at random instants; started again,
// the directory is as before the command or as after it. Beside it, the lock
// of the data directory: a second program is refused while one runs, and
// the lock a killed one leaves is taken over.
#include "app/data_dir_lock.h"
#include "program.h"
#include "test_dir.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>

using namespace tessaro;
using namespace tessaro::robustness;

namespace {

constexpr int Invoices = 2000;
const QString Driver = QStringLiteral(TESSARO_CRASH_DRIVER);

void copyDirectory(const std::string& from, const std::string& to)
{
    for (const auto& [name, bytes] : snapshot(from))
        writeFile(to, name, bytes);
}

// Runs the driver, under a command of its own when given; the exit status.
int runDriver(const std::string& dir, const QString& command, const QStringList& before = {})
{
    QProcess process;
    if (!before.isEmpty()) {
        // LeakSanitizer cannot run under ptrace: a sanitizer build checks leaks in the other runs.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
        process.setProcessEnvironment(environment);
    }
    QStringList arguments = before;
    arguments << Driver << QString::fromStdString(dir) << command;
    process.start(arguments.takeFirst(), arguments);
    process.waitForFinished(60000);
    return process.exitStatus() == QProcess::CrashExit ? -1 : process.exitCode();
}

bool straceWorks(QString& why)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty()) {
        why = QStringLiteral("strace is not installed");
        return false;
    }
    QProcess probe;
    probe.start(strace, {"-qq", "-o", "/dev/null", "true"});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0) {
        why = QStringLiteral("strace may not trace here (ptrace not allowed)");
        return false;
    }
    return true;
}

} // namespace

class TestKilledProcess : public QObject {
    Q_OBJECT

private:
    test::TestDir m_book; // the book before every command
    std::map<QString, Snapshot> m_after;

    // The directory once the command has run whole, and the program started again.
    const Snapshot& after(const QString& command)
    {
        if (!m_after.count(command)) {
            test::TestDir dir;
            copyDirectory(m_book.path(), dir.path());
            runDriver(dir.path(), command);
            runDriver(dir.path(), "check");
            m_after[command] = snapshot(dir.path());
        }
        return m_after[command];
    }

    // Started again after the kill: before or after, and nothing left over.
    void checkRestarted(const std::string& dir, const QString& command, const QString& where)
    {
        QCOMPARE(runDriver(dir, "check"), 0);
        const Snapshot found = snapshot(dir);
        QVERIFY2(found == snapshot(m_book.path()) || found == after(command), qPrintable(where));
        QVERIFY2(!found.count("giornale"), qPrintable(where));
    }

private slots:
    void initTestCase()
    {
        writeHealthyDirectory(m_book.path(), Invoices);
        runDriver(m_book.path(), "check"); // the files the first start makes
    }

    void killedAtEveryWrite_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        for (const char* command : {"insert", "delete", "save"}) {
            for (const char* file : {"giornale", "12024.arc", "12024.agg", "12024.imp"})
                QTest::addRow("%s, %s", command, file) << command << file;
        }
    }

    void killedAtEveryWrite()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QString why;
        if (!straceWorks(why))
            QSKIP(qPrintable(why));
        int kills = 0;
        for (int write = 1;; ++write) {
            test::TestDir dir;
            copyDirectory(m_book.path(), dir.path());
            const QString path = QString::fromStdString(dir.file(file.toStdString()));
            const int status = runDriver(dir.path(), command,
                                         {"strace", "-f", "-qq", "-o", "/dev/null", "-P", path, "-e", "trace=write",
                                          "-e", QStringLiteral("inject=write:signal=SIGKILL:when=%1").arg(write)});
            checkRestarted(dir.path(), command, QStringLiteral("killed at write %1 of %2").arg(write).arg(file));
            if (status == 0)
                break; // the command ran to its end: no write left to kill it at
            ++kills;
            QVERIFY(write < 100);
        }
        QVERIFY2(kills > 0, "strace never stopped the program");
        qInfo("%s: killed at %d writes of %s", qPrintable(command), kills, qPrintable(file));
    }

    void killedAtRandomInstants()
    {
        for (int run = 0; run < 20; ++run) {
            test::TestDir dir;
            copyDirectory(m_book.path(), dir.path());
            QProcess process;
            process.start(Driver, {QString::fromStdString(dir.path()), "insert"});
            QVERIFY(process.waitForReadyRead(30000));
            // The insertion of 2000 invoices takes some milliseconds.
            QThread::usleep(QRandomGenerator::global()->bounded(20000));
            process.kill();
            process.waitForFinished(10000);
            checkRestarted(dir.path(), "insert", QStringLiteral("random run %1").arg(run));
        }
    }

    void oneProgramPerDirectory()
    {
        test::TestDir dir;
        copyDirectory(m_book.path(), dir.path());
        QProcess first;
        first.start(Driver, {QString::fromStdString(dir.path()), "wait"});
        QVERIFY(first.waitForReadyRead(30000));
        const Snapshot running = snapshot(dir.path());
        {
            Program second(dir.path());
            QVERIFY(!second.start());
            QCOMPARE(second.warnings(), std::vector<std::string> {"Tessaro è già in uso su questa cartella dati."});
        }
        QVERIFY(snapshot(dir.path()) == running);
        first.kill(); // as a crash ends it: its lock stays behind
        first.waitForFinished(10000);
        QVERIFY(QFile::exists(QString::fromStdString(dir.file("tessaro.lock"))));
        Program next(dir.path());
        QVERIFY(next.start());
        QVERIFY(next.warnings().empty());
    }

    // Windows gives a killed run's process number to the next run soon, and
    // that run must not take the lock left behind for its own.
    void aLockNamingThisProcessWasLeftBehind()
    {
        test::TestDir dir;
        const QString path = QString::fromStdString(dir.file("tessaro.lock"));
        // Written by Qt itself, which names the machine its own way on each system.
        QByteArray leftBehind;
        {
            QLockFile held(path);
            QVERIFY(held.tryLock(0));
            QFile written(path);
            QVERIFY(written.open(QIODevice::ReadOnly));
            leftBehind = written.readAll();
        }
        QFile lock(path);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(leftBehind);
        lock.close();
        app::DataDirLock taken;
        QCOMPARE(taken.acquire(dir.file("tessaro.lock")), app::DataDirLock::Outcome::Held);
    }
};

QTEST_MAIN(TestKilledProcess)
#include "test_killed_process.moc"
