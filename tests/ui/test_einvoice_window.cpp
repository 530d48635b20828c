// "Dati per la fattura elettronica": the lists it offers, its "Ok", the IBAN
// field, and the names a screen reader announces.
#include "einvoice/einvoice_files.h"
#include "ui/einvoice_window.h"
#include "window_children.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tessaro;
using einvoice::IssuerEinvoiceData;
using test::click;
using test::combo;
using test::edit;

class TestEinvoiceWindow : public QObject {
    Q_OBJECT

private slots:
    void listsShowCodesWithTheirNames()
    {
        ui::EinvoiceWindow window;
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

        // No terms chosen first; a date typed for one invoice is never everyone's.
        QCOMPARE(combo(window, "cmbmodpag")->itemData(0).toString(), QString());
        QCOMPARE(combo(window, "cmbtermine")->findData("DATA"), -1);

        // A new issuer starts from the defaults.
        QCOMPARE(window.data(), IssuerEinvoiceData {});
        QCOMPARE(fund->currentIndex(), 0);
    }

    // "Ok" is only told: what it writes and refuses is the commands' work.
    void okIsToldAndClosesNothing()
    {
        ui::EinvoiceWindow window;
        window.open();
        QSignalSpy ok(&window, &ui::EinvoiceWindow::okClicked);
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(ok.count(), 1);
        QVERIFY(window.isVisible());
        QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(ok.count(), 1);
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
        ui::EinvoiceWindow window;
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
        ui::EinvoiceWindow window;
        const QStringList inputs = {"cmbregime", "cmbcassa", "cmbnatura", "txtriferimento", "txtiban"};
        const QStringList captions = {"Label1", "Label2", "Label3", "Label4", "Label5"};
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            auto* input = window.findChild<QWidget*>(inputs[i]);
            QVERIFY2(input->focusPolicy() & Qt::TabFocus, qPrintable(inputs[i]));
            QCOMPARE(input->accessibleName(), window.findChild<QLabel*>(captions[i])->text());
        }
        QCOMPARE(window.findChild<QPushButton*>("Command1")->accessibleName(), QStringLiteral("Ok"));
        // Each caption is read whole on the screen too.
        for (const QString& caption : captions + QStringList {"Label9", "Label10"}) {
            const auto* label = window.findChild<QLabel*>(caption);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(caption));
        }
        QCOMPARE(window.findChild<QPushButton*>("Command2")->accessibleName(), QStringLiteral("Annulla"));
    }
};

QTEST_MAIN(TestEinvoiceWindow)
#include "test_einvoice_window.moc"
