// What a screen reader hears: every field, list, button, check box and option
// button of every window answers the accessibility interface with a name,
// the caption the window shows beside it; fields with a help text describe
// themselves by it.
#include "archive/app_state.h"
#include "ui/control_table.h"
#include "ui/duplicate_dialog.h"
#include "ui/extra_lines_window.h"
#include "ui/info_windows.h"
#include "ui/issuer_window.h"
#include "ui/main_window.h"
#include "ui/main_window_table.h"
#include "ui/payments_window.h"
#include "ui/qt_dialogs.h"
#include "ui/register_window.h"
#include "ui/withholdings_window.h"
#include "ui/year_receipts_window.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace tessaro;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QString();
}

QString accessibleName(QWidget* widget)
{
    return accessibleText(widget, QAccessible::Name);
}

// The controls a user can reach, in the order the window holds them.
QList<QWidget*> reachableControls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)
            || qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractButton*>(widget))
            controls << widget;
    }
    return controls;
}

// Every reachable control with an empty name, listed for the failure message.
QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* widget : reachableControls(window)) {
        if (accessibleName(widget).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className());
    }
    return unnamed;
}

QWidget* child(QWidget* window, const char* name)
{
    return window->findChild<QWidget*>(QString::fromLatin1(name));
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void captionsNameTheirControls_data();
    void captionsNameTheirControls();
    void mainWindowNames_data();
    void mainWindowNames();
    void mainWindowLeavesNothingUnnamed();
    void namesAreNotVisible();
    void displayLabelsStillTellTheirValue();
    void descriptionsFollowTheHelpTexts();
    void issuerWindowNames_data();
    void issuerWindowNames();
    void issuerWindowLeavesNothingUnnamed();
    void extraLinesWindowNames();
    void duplicateDialogNames();
    void inputBoxFieldIsNamedByItsPrompt();
    void informationWindowsLeaveNothingUnnamed();
    void registerWindowLeavesNothingUnnamed();
    void paymentsWindowLeavesNothingUnnamed();
    void withholdingsWindowLeavesNothingUnnamed();
    void yearReceiptsWindowLeavesNothingUnnamed();
};

void TestAccessibility::captionsNameTheirControls_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("rowName");
    QTest::addColumn<QString>("name");
    using K = ui::ControlKind;
    QTest::newRow("button") << int(K::PushButton) << "Salva"
                            << ""
                            << "Salva";
    QTest::newRow("mnemonic dropped") << int(K::PushButton) << "&Salva"
                                      << ""
                                      << "Salva";
    QTest::newRow("doubled ampersand kept once") << int(K::CheckBox) << "IVA && cassa"
                                                 << ""
                                                 << "IVA & cassa";
    QTest::newRow("trailing ampersand") << int(K::RadioButton) << "a saldo&"
                                        << ""
                                        << "a saldo";
    QTest::newRow("frame") << int(K::Frame) << "Fattura &emessa"
                           << ""
                           << "Fattura emessa";
    QTest::newRow("row name wins") << int(K::PushButton) << "<---"
                                   << "Fattura precedente"
                                   << "Fattura precedente";
    QTest::newRow("field") << int(K::LineEdit) << ""
                           << "Città"
                           << "Città";
    QTest::newRow("list") << int(K::DropDownList) << ""
                          << "Elenco clienti"
                          << "Elenco clienti";
}

void TestAccessibility::captionsNameTheirControls()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, rowName);
    QFETCH(QString, name);
    const QByteArray captionUtf8 = caption.toUtf8();
    const QByteArray rowNameUtf8 = rowName.toUtf8();
    ui::ControlSpec spec {"control", static_cast<ui::ControlKind>(kind), captionUtf8.constData(), 0, 0, 600, 300};
    spec.accessibleName = rowNameUtf8.constData();
    QWidget window;
    ui::buildControls(&window, std::span<const ui::ControlSpec>(&spec, 1));
    QCOMPARE(accessibleName(child(&window, "control")), name);
}

void TestAccessibility::mainWindowNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* control, const char* name) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(name);
    };
    // Fields: the caption beside them.
    row("txtnum", "Fattura n.");
    row("txtgio", "Giorno");
    row("txtmese", "Mese");
    row("txtanno", "Anno");
    row("txtiva", "Percentuale di IVA");
    row("txtcn", "Cassa Nazionale");
    row("txtra", "Ritenuta d'acconto");
    row("txtspe", "Spese sostenute");
    row("txtspe2", "Spese sostenute per l'approvazione della parcella");
    row("cmbtit", "Titolo");
    row("txtc1", "Cognome o denominazione sociale");
    row("txtc2", "Nome");
    row("txtc3", "Indirizzo");
    row("txtc4", "Città");
    row("txtc6", "CAP");
    row("txtc5", "Prov.");
    row("txtc7", "Codice Fiscale");
    row("txtc8", "P.IVA");
    row("txtv1", "Voce n. 1");
    row("txtv2", "Voce n. 2");
    row("txtv3", "Voce n. 3");
    row("txtimp1", "Importo voce n. 1");
    row("txtimp2", "Importo voce n. 2");
    row("txtimp3", "Importo voce n. 3");
    row("txtq1", "Quantità voce n. 1");
    row("txtq2", "Quantità voce n. 2");
    row("txtq3", "Quantità voce n. 3");
    row("txttot", "Da pagare (A+B-C+spese)");
    row("Cmbclienti", "Elenco clienti");
    // Display labels: named by their caption, not by the value they show.
    row("etcem1", "Chi emette la fattura corrente 1");
    row("etcem2", "Chi emette la fattura corrente 2");
    row("etcem3", "Chi emette la fattura corrente 3");
    row("etcimp", "Imponibile (A)");
    row("etciva", "IVA (B)");
    row("etcra", "Ritenuta d'acconto (C)");
    row("etcspi", "Riga di aiuto");
    // Buttons, the check box, the frame and its option buttons: their captions.
    row("command", "<---");
    row("Command7", "--->");
    row("Command4", "Nuova");
    row("Command5", "Salva");
    row("Command2", "Stampa");
    row("Command1", "Calcola");
    row("Command3", "Carica archivio clienti");
    row("Command6", "Vai alle altre voci");
    row("Check1", "Stampa dichiaraz. di omessa IVA");
    row("Frame1", "Fattura emessa");
    row("opt1", "in acconto");
    row("opt2", "a saldo");
}

void TestAccessibility::mainWindowNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    ui::MainWindow window;
    QWidget* widget = window.findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(accessibleName(widget), name);
    // Names stay put whatever the fields show.
    ui::MainWindow filled;
    archive::PartyRecord issuer;
    issuer.surname = "Rossi";
    issuer.city = "Padova";
    filled.showIssuer(issuer);
    if (auto* edit = filled.findChild<QLineEdit*>(control))
        edit->setText(QStringLiteral("123"));
    QCOMPARE(accessibleName(filled.findChild<QWidget*>(control)), name);
}

void TestAccessibility::mainWindowLeavesNothingUnnamed()
{
    ui::MainWindow window;
    window.setClientEntries({"Rossi Mario", "Bianchi Anna"});
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
    // The text part of the editable title list answers to the list's name.
    auto* title = window.findChild<QComboBox*>(QStringLiteral("cmbtit"));
    QVERIFY(title->lineEdit());
    QCOMPARE(accessibleName(title->lineEdit()), QStringLiteral("Titolo"));
}

void TestAccessibility::namesAreNotVisible()
{
    // The names are for assistive tools only: what the window shows is unchanged.
    ui::MainWindow window;
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtnum"))->text(), QString());
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("etcimp"))->text(), QString());
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("etcspi"))->text(), QString());
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("Calcola"));
}

void TestAccessibility::displayLabelsStillTellTheirValue()
{
    // Named by its caption, a display label must not hide what it shows.
    ui::MainWindow window;
    archive::PartyRecord issuer;
    issuer.address = "Via Roma 1";
    window.showIssuer(issuer);
    QWidget* address = child(&window, "etcem2");
    QCOMPARE(accessibleText(address, QAccessible::Name), QStringLiteral("Chi emette la fattura corrente 2"));
    QCOMPARE(accessibleText(address, QAccessible::Description), QStringLiteral("Via Roma 1"));

    auto* taxable = window.findChild<QLabel*>(QStringLiteral("etcimp"));
    taxable->setText(QStringLiteral("1250.00"));
    QCOMPARE(accessibleText(taxable, QAccessible::Description), QStringLiteral("1250.00"));
    taxable->setText(QString());
    QCOMPARE(accessibleText(taxable, QAccessible::Description), QString());
}

void TestAccessibility::descriptionsFollowTheHelpTexts()
{
    ui::MainWindow window;
    const auto description
        = [&](const char* name) { return accessibleText(child(&window, name), QAccessible::Description); };
    QCOMPARE(description("txtgio"), QStringLiteral("Indicare il giorno di emissione della fattura"));
    QCOMPARE(description("txtspe2"), QStringLiteral("Indicare le spese sostenute per l'approvazione della parcella"));
    QVERIFY(description("Check1").startsWith(QStringLiteral("Inserisce o meno nella fattura")));

    // The amount fields change their help with the invoice type; the
    // description must not keep the old one.
    window.setInvoiceType(archive::InvoiceType::Commercial);
    QCOMPARE(description("txtimp2"),
             QStringLiteral("Indicare il prezzo (esente da IVA) del singolo elemento della voce n. 2"));
    window.setInvoiceType(archive::InvoiceType::Professional);
    QCOMPARE(description("txtimp2"), QStringLiteral("Indicare l'importo della voce n. 2"));
}

void TestAccessibility::issuerWindowNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* control, const char* name) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(name);
    };
    row("cmbtit", "Titolo");
    row("txtf1", "Cognome o denominazione sociale");
    row("txtf2", "Nome");
    row("txtf3", "Indirizzo");
    row("txtf4", "Città");
    row("txtf5", "Prov.");
    row("txtf6", "CAP");
    row("txtf7", "Codice Fiscale");
    row("txtf8", "P.IVA");
    row("Command1", "Ok");
    row("Command4", "<---");
    row("Command5", "--->");
    row("Command2", "Salva");
    row("Command3", "Sostituisci");
    row("Command6", "Fattura elettronica...");
}

void TestAccessibility::issuerWindowNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    ui::IssuerWindow window;
    QWidget* widget = window.findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(accessibleName(widget), name);
}

void TestAccessibility::issuerWindowLeavesNothingUnnamed()
{
    ui::IssuerWindow window;
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
}

void TestAccessibility::extraLinesWindowNames()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    for (int line = 4; line <= 10; ++line) {
        const auto nameOf = [&](const char* prefix) {
            return accessibleName(
                window.findChild<QLineEdit*>(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(line)));
        };
        QCOMPARE(nameOf("txtv"), QStringLiteral("Descrizione voce n. %1").arg(line));
        QCOMPARE(nameOf("txtimp"), QStringLiteral("Importo voce n. %1").arg(line));
        QCOMPARE(nameOf("txtq"), QStringLiteral("Quantità voce n. %1").arg(line));
    }
    QCOMPARE(accessibleName(child(&window, "Command1")), QStringLiteral("Ok"));
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
}

void TestAccessibility::duplicateDialogNames()
{
    ui::DuplicateDialog dialog;
    QCOMPARE(accessibleName(child(&dialog, "Command1")), QStringLiteral("Sostituisci"));
    QCOMPARE(accessibleName(child(&dialog, "Command2")), QStringLiteral("Salva come nuovo record"));
    QCOMPARE(accessibleName(child(&dialog, "Command3")), QStringLiteral("Annulla"));
    QVERIFY2(unnamedControls(&dialog).isEmpty(), qPrintable(unnamedControls(&dialog).join(QStringLiteral(", "))));
}

void TestAccessibility::inputBoxFieldIsNamedByItsPrompt()
{
    const QString prompt = QStringLiteral("Indicare il numero della fattura da inserire");
    std::unique_ptr<QDialog> box(ui::createInputBox(nullptr, prompt, QStringLiteral("INSERISCI"), QStringLiteral("7")));
    QCOMPARE(accessibleName(child(box.get(), "inputText")), prompt);
    QCOMPARE(accessibleName(child(box.get(), "inputOk")), QStringLiteral("OK"));
    QCOMPARE(accessibleName(child(box.get(), "inputCancel")), QStringLiteral("Annulla"));
    QVERIFY2(unnamedControls(box.get()).isEmpty(), qPrintable(unnamedControls(box.get()).join(QStringLiteral(", "))));
}

void TestAccessibility::informationWindowsLeaveNothingUnnamed()
{
    using Create = QDialog* (*)(QWidget*);
    const Create createManual = [](QWidget* parent) { return ui::createManualWindow(parent); };
    for (Create create : {Create(&ui::createInformationWindow), Create(&ui::createProductsWindow), createManual}) {
        std::unique_ptr<QDialog> window(create(nullptr));
        QVERIFY2(unnamedControls(window.get()).isEmpty(),
                 qPrintable(window->windowTitle() + QStringLiteral(": ")
                            + unnamedControls(window.get()).join(QStringLiteral(", "))));
    }
    std::unique_ptr<QDialog> manual(ui::createManualWindow(nullptr));
    QCOMPARE(accessibleName(child(manual.get(), "txtmanuale")), QStringLiteral("Manuale d'uso"));
    QCOMPARE(accessibleName(child(manual.get(), "Command1")), QStringLiteral("Ok"));
}

void TestAccessibility::registerWindowLeavesNothingUnnamed()
{
    ui::RegisterWindow window;
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
    QCOMPARE(accessibleName(child(&window, "txtcerca")), QStringLiteral("Cerca (cliente, descrizione, numero)"));
    for (const char* name : {"grdfatture", "grdtotali", "picmesi", "etcconta", "etcnota"})
        QVERIFY2(!accessibleName(child(&window, name)).isEmpty(), name);
}

void TestAccessibility::paymentsWindowLeavesNothingUnnamed()
{
    ui::PaymentsWindow window;
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
    QCOMPARE(accessibleName(child(&window, "lstincassi")), QStringLiteral("Incassi ricevuti"));
}

void TestAccessibility::withholdingsWindowLeavesNothingUnnamed()
{
    ui::WithholdingsWindow window;
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
    QCOMPARE(accessibleName(child(&window, "txtcucompensi")), QStringLiteral("CU: compensi"));
}

void TestAccessibility::yearReceiptsWindowLeavesNothingUnnamed()
{
    ui::YearReceiptsWindow window;
    QVERIFY2(unnamedControls(&window).isEmpty(), qPrintable(unnamedControls(&window).join(QStringLiteral(", "))));
    QCOMPARE(accessibleName(child(&window, "cmbanno")), QStringLiteral("Anno"));
    for (const char* name : {"grdincassi", "grdtotali", "picmesi", "etcconta", "etcnota"})
        QVERIFY2(!accessibleName(child(&window, name)).isEmpty(), name);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
