// The e-invoice data window run by its commands: what it opens on, what "Ok"
// writes and what it refuses, and the files that cannot be read or written.
#include "app/issuer_window_controller.h"
#include "einvoice/einvoice_files.h"
#include "faulty_file_system.h"
#include "test_dir.h"
#include "ui/einvoice_window.h"
#include "ui/scripted_dialogs.h"
#include "window_children.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace tessaro;
using einvoice::IssuerEinvoiceData;
using test::click;
using test::combo;
using test::edit;

namespace {

IssuerEinvoiceData forfettario()
{
    IssuerEinvoiceData data;
    data.fiscalRegime = "RF19";
    data.pensionFund = "TC04";
    data.vatNature = "N2.2";
    data.legalReference = "Operazione in franchigia da IVA ai sensi della L. 190/2014";
    data.iban = "IT60X0542811101000000123456";
    data.newPension = "4";
    data.newPaymentMethod = "MP12";
    data.newPaymentTerm = "60FM";
    return data;
}

// Issuers 1 .. count in the archive, the given one current.
struct Issuers {
    test::TestDir dir;
    archive::AppState state;
    ui::ScriptedDialogs dialogs;

    Issuers(int count, int current)
    {
        state.dataDir = dir.data();
        state.issuerCount = static_cast<std::int16_t>(count);
        state.currentIssuer = static_cast<std::int16_t>(current);
    }

    std::unique_ptr<ui::EinvoiceWindow> open()
    {
        return std::unique_ptr<ui::EinvoiceWindow>(app::openEinvoiceWindow(state, {}, dialogs, nullptr));
    }
};

} // namespace

class TestEinvoiceDataCommands : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheIssuersRecord()
    {
        Issuers issuers(2, 2);
        QVERIFY(einvoice::writeIssuerData(issuers.state.dataDir, 2, forfettario()).ok());

        const auto second = issuers.open();
        QVERIFY(second);
        QCOMPARE(second->data(), forfettario());
        QCOMPARE(combo(*second, "cmbcassa")->currentText(), QStringLiteral("TC04 INARCASSA"));

        // Issuer 1 has no record yet: the defaults.
        issuers.state.currentIssuer = 1;
        const auto first = issuers.open();
        QVERIFY(first);
        QCOMPARE(first->data(), IssuerEinvoiceData {});
        QVERIFY(issuers.dialogs.shown().empty());
    }

    void okWritesTheRecordAndCloses()
    {
        Issuers issuers(3, 3);
        const auto window = issuers.open();
        const IssuerEinvoiceData data = forfettario();
        combo(*window, "cmbregime")->setCurrentIndex(combo(*window, "cmbregime")->findData("RF19"));
        combo(*window, "cmbcassa")->setCurrentIndex(combo(*window, "cmbcassa")->findData("TC04"));
        edit(*window, "txtriferimento")->setText(QString::fromStdString("  " + data.legalReference + "  "));
        edit(*window, "txtiban")->setFocus();
        QTest::keyClicks(edit(*window, "txtiban"), "it60x0542811101000000123456");
        edit(*window, "txtcnnuove")->setText("4");
        combo(*window, "cmbmodpag")->setCurrentIndex(combo(*window, "cmbmodpag")->findData("MP12"));
        combo(*window, "cmbtermine")->setCurrentIndex(combo(*window, "cmbtermine")->findData("60FM"));

        click(*window, "Command1");
        QCOMPARE(window->result(), int(QDialog::Accepted));
        QVERIFY(!window->isVisible());
        QVERIFY(issuers.dialogs.shown().empty());
        const auto stored = einvoice::readIssuerData(issuers.state.dataDir, 3);
        QVERIFY(stored.ok());
        QCOMPARE(stored.value(), data);
        QCOMPARE(issuers.dir.bytes("emit.fe").size(), std::size_t {3 * einvoice::IssuerDataRecordSize});
        QCOMPARE(issuers.dir.bytes("nuove.fe").size(), std::size_t {3 * archive::NewInvoiceRecordSize});
    }

    void okRefusesWithEveryReasonAndWritesNothing()
    {
        Issuers issuers(1, 1);
        const auto window = issuers.open();
        IssuerEinvoiceData bad;
        bad.fiscalRegime = "RF03"; // a damaged record: shown, but not accepted
        bad.iban = "IT60";
        bad.newPension = "4.5";
        window->setData(bad);
        QCOMPARE(combo(*window, "cmbregime")->currentText(), QStringLiteral("RF03"));

        click(*window, "Command1");
        QVERIFY(window->isVisible());
        QCOMPARE(issuers.dialogs.shown().size(), std::size_t {1});
        QCOMPARE(issuers.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(issuers.dialogs.last().text.find("RF03") != std::string::npos);
        QVERIFY(issuers.dialogs.last().text.find("IBAN") != std::string::npos);
        QVERIFY(issuers.dialogs.last().text.find("Cassa Nazionale delle nuove fatture") != std::string::npos);
        QVERIFY(!issuers.dir.exists("emit.fe"));
    }

    void cancelWritesNothing()
    {
        Issuers issuers(1, 1);
        const auto window = issuers.open();
        combo(*window, "cmbregime")->setCurrentIndex(combo(*window, "cmbregime")->findData("RF19"));
        click(*window, "Command2");
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QVERIFY(!issuers.dir.exists("emit.fe"));
    }

    // A file that cannot be read opens no window; one that cannot be written
    // keeps the window open. Either way one box names the file.
    void unusableFileIsTold_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<std::string>("told");
        using Op = test::FaultyFileSystem::Op;
        QTest::newRow("unreadable") << int(Op::Read) << false << std::string();
        QTest::newRow("unwritable") << int(Op::Write) << true
                                    << std::string("I dati per la fattura elettronica non sono stati salvati.\n");
    }

    void unusableFileIsTold()
    {
        QFETCH(int, op);
        QFETCH(bool, opens);
        QFETCH(std::string, told);
        Issuers issuers(1, 1);
        QVERIFY(einvoice::writeIssuerData(issuers.state.dataDir, 1, forfettario()).ok());
        test::FaultyFileSystem fs(issuers.state.dataDir);
        fs.fail(static_cast<test::FaultyFileSystem::Op>(op), "emit.fe");

        const auto window = issuers.open();
        QCOMPARE(bool(window), opens);
        if (window) {
            QVERIFY(issuers.dialogs.shown().empty());
            click(*window, "Command1");
            QVERIFY(window->isVisible());
        }
        QCOMPARE(issuers.dialogs.shown().size(), std::size_t {1});
        QCOMPARE(issuers.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(issuers.dialogs.last().text.starts_with(told));
        QVERIFY(issuers.dialogs.last().text.find("emit.fe") != std::string::npos);
        QCOMPARE(einvoice::readIssuerData(issuers.dir.data(), 1).value(), forfettario());
    }
};

QTEST_MAIN(TestEinvoiceDataCommands)
#include "test_einvoice_data_commands.moc"
