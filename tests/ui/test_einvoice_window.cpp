// "Dati per la fattura elettronica": the lists it offers, what it shows of a
// stored record, what Ok writes and what it refuses, the IBAN field, and the
// names a screen reader announces.
#include "einvoice/einvoice_files.h"
#include "test_dir.h"
#include "ui/einvoice_window.h"
#include "ui/scripted_dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tessaro;
using einvoice::IssuerEinvoiceData;

namespace {

QComboBox* combo(QWidget& window, const char* name)
{
    return window.findChild<QComboBox*>(QString::fromLatin1(name));
}

QLineEdit* edit(QWidget& window, const char* name)
{
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

IssuerEinvoiceData forfettario()
{
    IssuerEinvoiceData data;
    data.fiscalRegime = "RF19";
    data.pensionFund = "TC04";
    data.vatNature = "N2.2";
    data.legalReference = "Operazione in franchigia da IVA ai sensi della L. 190/2014";
    data.iban = "IT60X0542811101000000123456";
    return data;
}

} // namespace

class TestEinvoiceWindow : public QObject {
    Q_OBJECT

private slots:
    void listsShowCodesWithTheirNames()
    {
        test::TestDir dir;
        ui::ScriptedDialogs dialogs;
        ui::EinvoiceWindow window(dir.data(), 1, dialogs);
        QCOMPARE(window.windowTitle(), QStringLiteral("Dati per la fattura elettronica"));

        QComboBox* regime = combo(window, "cmbregime");
        QCOMPARE(regime->findData("RF03"), -1);
        QVERIFY(regime->itemText(regime->findData("RF01")).startsWith("RF01 "));
        QVERIFY(regime->itemText(regime->findData("RF19")).startsWith("RF19 "));
        QComboBox* fund = combo(window, "cmbcassa");
        QCOMPARE(fund->count(), 23);
        QCOMPARE(fund->itemText(0), QStringLiteral("nessuna"));
        QCOMPARE(fund->itemText(fund->findData("TC04")), QStringLiteral("TC04 INARCASSA"));
        QComboBox* nature = combo(window, "cmbnatura");
        QVERIFY(nature->findData("N2.2") >= 0);
        QCOMPARE(nature->findData("N2"), -1);

        // A new issuer starts from the defaults.
        QCOMPARE(window.data(), IssuerEinvoiceData {});
        QCOMPARE(fund->currentIndex(), 0);
    }

    void loadShowsTheIssuersRecord()
    {
        test::TestDir dir;
        QVERIFY(einvoice::writeIssuerData(dir.data(), 2, forfettario()).ok());
        ui::ScriptedDialogs dialogs;

        ui::EinvoiceWindow second(dir.data(), 2, dialogs);
        QVERIFY(second.load());
        QCOMPARE(second.data(), forfettario());
        QCOMPARE(combo(second, "cmbcassa")->currentText(), QStringLiteral("TC04 INARCASSA"));

        // Issuer 1 has no record yet: the defaults.
        ui::EinvoiceWindow first(dir.data(), 1, dialogs);
        QVERIFY(first.load());
        QCOMPARE(first.data(), IssuerEinvoiceData {});
        QVERIFY(dialogs.shown().empty());
    }

    void okWritesTheRecordAndCloses()
    {
        test::TestDir dir;
        ui::ScriptedDialogs dialogs;
        ui::EinvoiceWindow window(dir.data(), 3, dialogs);
        QVERIFY(window.load());
        window.open();
        const IssuerEinvoiceData data = forfettario();
        combo(window, "cmbregime")->setCurrentIndex(combo(window, "cmbregime")->findData("RF19"));
        combo(window, "cmbcassa")->setCurrentIndex(combo(window, "cmbcassa")->findData("TC04"));
        edit(window, "txtriferimento")->setText(QString::fromStdString("  " + data.legalReference + "  "));
        edit(window, "txtiban")->setFocus();
        QTest::keyClicks(edit(window, "txtiban"), "it60x0542811101000000123456");

        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.isVisible());
        QVERIFY(dialogs.shown().empty());
        const auto stored = einvoice::readIssuerData(dir.data(), 3);
        QVERIFY(stored.ok());
        QCOMPARE(stored.value(), data);
        QCOMPARE(dir.bytes("emit.fe").size(), std::size_t {3 * einvoice::IssuerDataRecordSize});
    }

    void okRefusesWithEveryReasonAndWritesNothing()
    {
        test::TestDir dir;
        ui::ScriptedDialogs dialogs;
        ui::EinvoiceWindow window(dir.data(), 1, dialogs);
        IssuerEinvoiceData bad;
        bad.fiscalRegime = "RF03"; // a damaged record: shown, but not accepted
        bad.iban = "IT60";
        window.setData(bad);
        QCOMPARE(combo(window, "cmbregime")->currentText(), QStringLiteral("RF03"));
        window.open();

        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(dialogs.shown().size(), std::size_t {1});
        QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(dialogs.last().text.find("RF03") != std::string::npos);
        QVERIFY(dialogs.last().text.find("IBAN") != std::string::npos);
        QVERIFY(!dir.exists("emit.fe"));
    }

    void cancelWritesNothing()
    {
        test::TestDir dir;
        ui::ScriptedDialogs dialogs;
        ui::EinvoiceWindow window(dir.data(), 1, dialogs);
        window.open();
        combo(window, "cmbregime")->setCurrentIndex(combo(window, "cmbregime")->findData("RF19"));
        QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(!dir.exists("emit.fe"));
    }

    void ibanTakesLettersAndDigitsOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lower case") << "it60x054"
                                    << "IT60X054";
        QTest::newRow("blanks of a grouping") << "IT60 X054 2811"
                                              << "IT60X0542811";
        QTest::newRow("punctuation") << "IT-60/.X"
                                     << "IT60X";
    }

    void ibanTakesLettersAndDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        test::TestDir dir;
        ui::ScriptedDialogs dialogs;
        ui::EinvoiceWindow window(dir.data(), 1, dialogs);
        QLineEdit* iban = edit(window, "txtiban");
        QCOMPARE(iban->maxLength(), 34);
        iban->setFocus();
        QTest::keyClicks(iban, typed);
        QCOMPARE(iban->text(), shown);

        // A pasted IBAN loses its blanks the same way.
        iban->clear();
        iban->insert(QStringLiteral("IT60 X054 2811 1010 0000 0123 456"));
        QCOMPARE(iban->text(), QStringLiteral("IT60X0542811101000000123456"));
    }

    void everyControlIsNamedForAScreenReader()
    {
        test::TestDir dir;
        ui::ScriptedDialogs dialogs;
        ui::EinvoiceWindow window(dir.data(), 1, dialogs);
        const QStringList inputs = {"cmbregime", "cmbcassa", "cmbnatura", "txtriferimento", "txtiban"};
        const QStringList captions = {"Label1", "Label2", "Label3", "Label4", "Label5"};
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            auto* input = window.findChild<QWidget*>(inputs[i]);
            QVERIFY2(input->focusPolicy() & Qt::TabFocus, qPrintable(inputs[i]));
            QCOMPARE(input->accessibleName(), window.findChild<QLabel*>(captions[i])->text());
        }
        QCOMPARE(window.findChild<QPushButton*>("Command1")->accessibleName(), QStringLiteral("Ok"));
        // Each caption is read whole on the screen too.
        for (const QString& caption : captions) {
            const auto* label = window.findChild<QLabel*>(caption);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(caption));
        }
        QCOMPARE(window.findChild<QPushButton*>("Command2")->accessibleName(), QStringLiteral("Annulla"));
    }
};

QTEST_MAIN(TestEinvoiceWindow)
#include "test_einvoice_window.moc"
