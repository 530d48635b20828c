// The boxes of the running program: message box buttons and answers, the
// input box's place on the screen and its answers, the duplicate window, the
// hourglass, and the three small windows of the "?" menu.
#include "ui/duplicate_dialog.h"
#include "ui/info_windows.h"
#include "ui/qt_dialogs.h"
#include "ui/twips.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

using namespace tessaro;

namespace {

// Runs action on the next modal box once it is up.
void whenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* modal = nullptr;
        for (int i = 0; i < 100 && !modal; ++i) {
            modal = QApplication::activeModalWidget();
            if (!modal)
                QTest::qWait(10);
        }
        QVERIFY(modal);
        action(modal);
    });
}

void clickButton(QWidget* box, const QString& text)
{
    for (auto* button : box->findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    QFAIL(qPrintable("no button " + text));
}

QStringList buttonTexts(QWidget* box)
{
    QStringList texts;
    for (auto* button : box->findChildren<QPushButton*>())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void messageButtons_data();
    void messageButtons();
    void messageClosedWithoutButton_data();
    void messageClosedWithoutButton();
    void inputBoxPlaceAndAnswer();
    void inputBoxCancelled();
    void duplicateWindow();
    void duplicateChoices_data();
    void duplicateChoices();
    void busyCursor();
    void informationWindows_data();
    void informationWindows();
    void manualWindow();
    void progressAfterHalfASecond();

private:
    QWidget m_parent;
};

void TestQtDialogs::messageButtons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("answer");

    QTest::newRow("OK") << int(ui::Buttons::Ok) << QStringList {"OK"} << "OK" << int(ui::Answer::Ok);
    QTest::newRow("OK of OK/Annulla") << int(ui::Buttons::OkCancel) << QStringList {"Annulla", "OK"} << "OK"
                                      << int(ui::Answer::Ok);
    QTest::newRow("Annulla") << int(ui::Buttons::OkCancel) << QStringList {"Annulla", "OK"} << "Annulla"
                             << int(ui::Answer::Cancel);
    QTest::newRow("Sì") << int(ui::Buttons::YesNo) << QStringList {"No", "Sì"} << "Sì" << int(ui::Answer::Yes);
    QTest::newRow("No") << int(ui::Buttons::YesNo) << QStringList {"No", "Sì"} << "No" << int(ui::Answer::No);
}

void TestQtDialogs::messageButtons()
{
    QFETCH(int, buttons);
    QFETCH(QStringList, texts);
    QFETCH(QString, press);
    QFETCH(int, answer);

    ui::QtDialogs dialogs(&m_parent);
    QString title, text;
    QStringList shownButtons;
    whenModal([&](QWidget* box) {
        title = box->windowTitle();
        text = static_cast<QMessageBox*>(box)->text();
        shownButtons = buttonTexts(box);
        clickButton(box, press);
    });
    const ui::Answer got = dialogs.message("I dati sono stati salvati", "SALVATAGGIO DATI", ui::Buttons(buttons));
    QCOMPARE(int(got), answer);
    QCOMPARE(title, QStringLiteral("SALVATAGGIO DATI"));
    QCOMPARE(text, QStringLiteral("I dati sono stati salvati"));
    QCOMPARE(shownButtons, texts);
}

void TestQtDialogs::messageClosedWithoutButton_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");

    QTest::newRow("OK") << int(ui::Buttons::Ok) << int(ui::Answer::Ok);
    QTest::newRow("OK/Annulla") << int(ui::Buttons::OkCancel) << int(ui::Answer::Cancel);
    QTest::newRow("Sì/No") << int(ui::Buttons::YesNo) << int(ui::Answer::No);
}

void TestQtDialogs::messageClosedWithoutButton()
{
    QFETCH(int, buttons);
    QFETCH(int, answer);

    ui::QtDialogs dialogs(&m_parent);
    whenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(int(dialogs.message("Sicuri?", "ATTENZIONE", ui::Buttons(buttons))), answer);
}

void TestQtDialogs::inputBoxPlaceAndAnswer()
{
    ui::QtDialogs dialogs(&m_parent);
    QPoint place;
    QString title, prompt, defaultText, selected;
    whenModal([&](QWidget* box) {
        place = box->pos();
        title = box->windowTitle();
        prompt = box->findChild<QLabel*>(QStringLiteral("inputPrompt"))->text();
        auto* edit = box->findChild<QLineEdit*>(QStringLiteral("inputText"));
        defaultText = edit->text();
        selected = edit->selectedText();
        QTest::keyClicks(edit, "1936,27");
        clickButton(box, "OK");
    });
    const std::string answer = dialogs.input("Valore di un euro in lire", "VALORE EURO", "1936.27");

    QCOMPARE(answer, std::string("1936,27")); // typing replaced the selected default
    const QPoint screenOrigin = QGuiApplication::primaryScreen()->geometry().topLeft();
    QCOMPARE(place, screenOrigin + QPoint(ui::twipsToPixels(2000), ui::twipsToPixels(2000)));
    QCOMPARE(title, QStringLiteral("VALORE EURO"));
    QCOMPARE(prompt, QStringLiteral("Valore di un euro in lire"));
    QCOMPARE(defaultText, QStringLiteral("1936.27"));
    QCOMPARE(selected, QStringLiteral("1936.27"));
}

void TestQtDialogs::inputBoxCancelled()
{
    ui::QtDialogs dialogs(&m_parent);
    whenModal([](QWidget* box) {
        QTest::keyClicks(box->findChild<QLineEdit*>(QStringLiteral("inputText")), "12");
        clickButton(box, "Annulla");
    });
    QCOMPARE(dialogs.input("Numero", "ATTENZIONE", "5"), std::string());

    whenModal([](QWidget* box) { box->close(); });
    QCOMPARE(dialogs.input("Numero", "ATTENZIONE", "5"), std::string());

    // Enter in the field answers as OK.
    whenModal(
        [](QWidget* box) { QTest::keyClick(box->findChild<QLineEdit*>(QStringLiteral("inputText")), Qt::Key_Return); });
    QCOMPARE(dialogs.input("Numero", "ATTENZIONE", "5"), std::string("5"));
}

void TestQtDialogs::duplicateWindow()
{
    ui::DuplicateDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ATTENZIONE"));
    QCOMPARE(dialog.size(), ui::twipsSize(5640, 1545));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));

    auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(label->text(), QStringLiteral("Il file contiene già un record con lo stesso nome e cognome"));
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().pointSizeF(), 9.75);
    QCOMPARE(label->geometry(), ui::twipsRect(240, 120, 5175, 495));

    const struct {
        const char* name;
        const char* caption;
        QRect twips;
    } buttons[] = {{"Command1", "Sostituisci", {360, 840, 1215, 495}},
                   {"Command2", "Salva come nuovo record", {2040, 840, 1335, 495}},
                   {"Command3", "Annulla", {3840, 840, 1335, 495}}};
    for (const auto& b : buttons) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(b.name));
        QCOMPARE(button->text(), QString::fromUtf8(b.caption));
        QCOMPARE(button->geometry(), ui::twipsRect(b.twips.x(), b.twips.y(), b.twips.width(), b.twips.height()));
    }
}

void TestQtDialogs::duplicateChoices_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("choice");

    QTest::newRow("Sostituisci") << "Sostituisci" << int(ui::DuplicateChoice::Replace);
    QTest::newRow("Salva come nuovo record") << "Salva come nuovo record" << int(ui::DuplicateChoice::SaveAsNew);
    QTest::newRow("Annulla") << "Annulla" << int(ui::DuplicateChoice::Cancel);
    QTest::newRow("close box") << "" << int(ui::DuplicateChoice::Cancel);
    QTest::newRow("Enter on the focused Sostituisci") << "Enter" << int(ui::DuplicateChoice::Replace);
}

void TestQtDialogs::duplicateChoices()
{
    QFETCH(QString, action);
    QFETCH(int, choice);

    ui::QtDialogs dialogs(&m_parent);
    whenModal([action](QWidget* box) {
        if (action.isEmpty())
            box->close();
        else if (action == "Enter")
            QTest::keyClick(box->focusWidget(), Qt::Key_Return);
        else
            clickButton(box, action);
    });
    QCOMPARE(int(dialogs.askDuplicate()), choice);
}

void TestQtDialogs::busyCursor()
{
    {
        ui::QtDialogs dialogs(&m_parent);
        dialogs.setBusy(true);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialogs.setBusy(true); // once is enough to undo
        dialogs.setBusy(false);
        QVERIFY(!QGuiApplication::overrideCursor());
        dialogs.setBusy(false);
        QVERIFY(!QGuiApplication::overrideCursor());
        dialogs.setBusy(true);
    }
    QVERIFY(!QGuiApplication::overrideCursor()); // never left behind
}

void TestQtDialogs::informationWindows_data()
{
    QTest::addColumn<bool>("products");
    QTest::addColumn<QString>("title");

    QTest::newRow("Informazioni") << false << "Informazioni";
    QTest::newRow("Prodotti Pelvio") << true << "Prodotti Pelvio";
}

void TestQtDialogs::informationWindows()
{
    QFETCH(bool, products);
    QFETCH(QString, title);

    QPointer<QDialog> window = products ? ui::createProductsWindow(&m_parent) : ui::createInformationWindow(&m_parent);
    QCOMPARE(window->windowTitle(), title);
    QStringList texts;
    for (auto* label : window->findChildren<QLabel*>())
        texts << label->text();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0], QStringLiteral("Tessaro"));
    QVERIFY(texts[1].startsWith(QStringLiteral("Versione ")));
    QVERIFY(!texts[2].isEmpty());
    QVERIFY(window->findChildren<QPushButton*>().isEmpty());

    window->show();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window); // deleted when closed
}

void TestQtDialogs::manualWindow()
{
    const QString installed = QStringLiteral("/usr/local/share/doc/tessaro/manual/index.html");
    const QStringList looked = {QStringLiteral("/opt/x/share/doc/tessaro/manual/index.html"), installed};
    QList<QUrl> opened;
    bool browserTakes = true;
    const auto browser = [&](const QUrl& url) {
        opened.append(url);
        return browserTakes;
    };
    // Found and taken by the browser: no window; found, no browser: the window names it.
    QVERIFY(!ui::openManual(&m_parent, installed, looked, browser));
    QCOMPARE(opened, QList<QUrl> {QUrl::fromLocalFile(installed)});
    browserTakes = false;
    QVERIFY(ui::openManual(&m_parent, installed, looked, browser)
                ->findChild<QPlainTextEdit*>()
                ->toPlainText()
                .contains("si trova in:\n" + installed));
    // Nowhere: no browser is tried, and the window names every place looked in.
    QPointer<QDialog> window = ui::openManual(&m_parent, {}, looked, browser);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(window->windowTitle(), QStringLiteral("Manuale d'uso"));
    auto* note = window->findChild<QPlainTextEdit*>(QStringLiteral("txtmanuale"));
    QVERIFY(note->isReadOnly());
    QCOMPARE(note->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(note->toPlainText().contains("cercato in:\n" + looked.join('\n')));

    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

// Quick work shows nothing; longer work shows "Annulla", which stops it.
void TestQtDialogs::progressAfterHalfASecond()
{
    QWidget parent;
    tessaro::ui::QtDialogs dialogs(&parent);
    auto progress = dialogs.startProgress("Stampa registro", "Stampa del registro...", 10);
    auto* dialog = parent.findChild<QProgressDialog*>("progressDialog");
    QVERIFY(dialog);
    QVERIFY(progress->step(1));
    QVERIFY(!dialog->isVisible());
    QTest::qWait(tessaro::ui::ProgressDelayMs + 50);
    QVERIFY(progress->step(2));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->labelText(), QStringLiteral("Stampa del registro..."));
    QPushButton* cancel = dialog->findChild<QPushButton*>();
    QCOMPARE(cancel->text(), QStringLiteral("Annulla"));
    cancel->click();
    QTest::qWait(50);
    QVERIFY(!progress->step(3));
    QVERIFY(progress->cancelled());
    progress->finish();
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
