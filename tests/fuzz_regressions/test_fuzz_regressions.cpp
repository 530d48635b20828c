// Replays every input the fuzzers once failed on, and every seed they start
// from, through the property checks of the fuzz targets.
#include "properties/invoice_printing_check.h"
#include "properties/number_rules_check.h"
#include "properties/receipt_reading_check.h"
#include "properties/record_codecs_check.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace {

using Check = std::function<std::string(std::span<const std::uint8_t>)>;

struct FuzzTarget {
    const char* name;
    Check check;
};

const FuzzTarget Targets[] = {
    {"fuzz_numeric_value", tessaro::calc::checkNumberRules},
    {"fuzz_records", tessaro::archive::checkRecordCodecs},
    {"fuzz_print", tessaro::print::checkInvoicePrinting},
    {"fuzz_receipt", tessaro::einvoice::checkReceiptReading},
};

} // namespace

class TestFuzzRegressions : public QObject {
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
    void everyTargetHasSeeds();
};

void TestFuzzRegressions::replay_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("path");
    for (int t = 0; t < int(std::size(Targets)); ++t) {
        for (const QString& root : {QStringLiteral(TESSARO_FUZZ_REGRESSIONS), QStringLiteral(TESSARO_FUZZ_CORPUS)}) {
            const QDir dir(root + '/' + Targets[t].name);
            for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
                QTest::addRow("%s/%s/%s", Targets[t].name, qPrintable(QFileInfo(root).fileName()), qPrintable(file))
                    << t << dir.filePath(file);
            }
        }
    }
}

void TestFuzzRegressions::replay()
{
    QFETCH(int, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = file.readAll();
    const std::string finding
        = Targets[target].check({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    QVERIFY2(finding.empty(), finding.c_str());
}

// A target without seeds would make the replay above pass on nothing.
void TestFuzzRegressions::everyTargetHasSeeds()
{
    for (const FuzzTarget& target : Targets) {
        const QDir dir(QStringLiteral(TESSARO_FUZZ_CORPUS) + '/' + target.name);
        QVERIFY2(!dir.entryList(QDir::Files).isEmpty(), target.name);
    }
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "test_fuzz_regressions.moc"
