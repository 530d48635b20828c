// The issuer window as a view: its controls where the design puts them, the
// tab order, the digit-only fields, the Enter/Down/Up chain, selection on
// focus, the records it shows and returns, and the hints on the identifiers.
#include "ui/issuer_window.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tessaro;

namespace {

QWidget* control(QWidget& window, const char* name)
{
    return window.findChild<QWidget*>(QString::fromLatin1(name));
}

QLineEdit* edit(QWidget& window, const char* name)
{
    QWidget* w = control(window, name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

QString focusedName()
{
    QWidget* focus = QApplication::focusWidget();
    // The title box's line edit forwards its focus to the combo box.
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget()))
        focus = focus->parentWidget();
    return focus ? focus->objectName() : QString();
}

} // namespace

class TestIssuerWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void titleAndClientArea();
    void controls_data();
    void controls();
    void captions_data();
    void captions();
    void tabOrder();
    void titleList();
    void digitFields_data();
    void digitFields();
    void navigation_data();
    void navigation();
    void titleBoxHasNoNavigationKeys();
    void focusSelectsTheWholeText();
    void fieldsRoundTripWithTrailingBlanks();
    void storedTextLongerThanTheLimitIsShownWhole();
    void buttonsAndCloseBoxAreReported();
    void hintsFollowTheTyping_data();
    void hintsFollowTheTyping();

private:
    std::unique_ptr<ui::IssuerWindow> m_window;
};

void TestIssuerWindow::init()
{
    m_window = std::make_unique<ui::IssuerWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestIssuerWindow::cleanup()
{
    m_window.reset();
}

void TestIssuerWindow::titleAndClientArea()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Dati di chi emette la fattura"));
    // 3405 high, and the room of the hints under the buttons.
    QCOMPARE(m_window->size(), ui::twipsSize(6135, 4830));
}

void TestIssuerWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("maxLength"); // 0: a button

    QTest::newRow("Command1") << "Command1" << QRect(2760, 2880, 855, 375) << 0;
    QTest::newRow("cmbtit") << "cmbtit" << QRect(1920, 240, 855, 315) << 5;
    QTest::newRow("txtf1") << "txtf1" << QRect(1920, 720, 3735, 285) << 29;
    QTest::newRow("txtf2") << "txtf2" << QRect(1920, 1080, 3735, 285) << 29;
    QTest::newRow("txtf3") << "txtf3" << QRect(1920, 1440, 3735, 285) << 40;
    QTest::newRow("txtf4") << "txtf4" << QRect(1920, 1800, 3735, 285) << 33;
    QTest::newRow("txtf6") << "txtf6" << QRect(1920, 2160, 615, 285) << 5;
    QTest::newRow("txtf5") << "txtf5" << QRect(5280, 2160, 375, 285) << 2;
    QTest::newRow("txtf7") << "txtf7" << QRect(1920, 2520, 1815, 285) << 16;
    QTest::newRow("txtf8") << "txtf8" << QRect(4440, 2520, 1215, 285) << 12;
    QTest::newRow("Command4") << "Command4" << QRect(3000, 120, 375, 375) << 0;
    QTest::newRow("Command5") << "Command5" << QRect(3360, 120, 375, 375) << 0;
    QTest::newRow("Command2") << "Command2" << QRect(3840, 120, 855, 375) << 0;
    QTest::newRow("Command3") << "Command3" << QRect(4800, 120, 855, 375) << 0;
}

void TestIssuerWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(int, maxLength);

    QWidget* w = m_window->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), ui::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    if (maxLength > 0)
        QCOMPARE(edit(*m_window, name.toLatin1().constData())->maxLength(), maxLength);
    else
        QVERIFY(qobject_cast<QPushButton*>(w));
}

void TestIssuerWindow::captions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("twips");

    QTest::newRow("Titolo") << "Titolo" << QPoint(240, 240);
    QTest::newRow("Cognome") << "Cognome o denominazione sociale" << QPoint(240, 600);
    QTest::newRow("Nome") << "Nome" << QPoint(240, 1080);
    QTest::newRow("Indirizzo") << "Indirizzo" << QPoint(240, 1440);
    QTest::newRow("Città") << "Città" << QPoint(240, 1800);
    QTest::newRow("CAP") << "CAP" << QPoint(240, 2160);
    QTest::newRow("Prov.") << "Prov." << QPoint(4680, 2160);
    QTest::newRow("Codice Fiscale") << "Codice Fiscale" << QPoint(240, 2520);
    QTest::newRow("P.IVA") << "P.IVA" << QPoint(3960, 2520);
    QTest::newRow("Ok") << "Ok" << QPoint(2760, 2880);
    QTest::newRow("<---") << "<---" << QPoint(3000, 120);
    QTest::newRow("--->") << "--->" << QPoint(3360, 120);
    QTest::newRow("Salva") << "Salva" << QPoint(3840, 120);
    QTest::newRow("Sostituisci") << "Sostituisci" << QPoint(4800, 120);
}

void TestIssuerWindow::captions()
{
    QFETCH(QString, caption);
    QFETCH(QPoint, twips);

    const QPoint at(ui::twipsToPixels(twips.x()), ui::twipsToPixels(twips.y()));
    int found = 0;
    for (auto* label : m_window->findChildren<QLabel*>())
        found += label->text() == caption && label->pos() == at;
    for (auto* button : m_window->findChildren<QPushButton*>())
        found += button->text() == caption && button->pos() == at;
    QCOMPARE(found, 1);
}

void TestIssuerWindow::tabOrder()
{
    const QStringList expected
        = {"Command1", "cmbtit", "txtf1",    "txtf2",    "txtf3",    "txtf4",    "txtf6",   "txtf5",
           "txtf7",    "txtf8",  "Command2", "Command4", "Command5", "Command3", "Command6"};
    control(*m_window, "Command1")->setFocus();
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        visited << focusedName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(focusedName(), QStringLiteral("Command1"));
}

void TestIssuerWindow::titleList()
{
    auto* title = m_window->findChild<QComboBox*>(QStringLiteral("cmbtit"));
    QVERIFY(title->isEditable());
    QStringList items;
    for (int i = 0; i < title->count(); ++i)
        items << title->itemText(i);
    QCOMPARE(items, QStringList({"dott.", "ing.", "arch.", "geom.", "rag.", "soc."}));
    QCOMPARE(title->currentText(), QString());

    // Typed text is taken as typed: no completion from the list, five characters at most.
    title->setFocus();
    QTest::keyClicks(title, "arcadia");
    QCOMPARE(title->currentText(), QStringLiteral("arcad"));
}

void TestIssuerWindow::digitFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CAP digits") << "txtf6"
                                << "06012"
                                << "06012";
    QTest::newRow("CAP refuses letters and signs") << "txtf6"
                                                   << "0a6-0 1.2"
                                                   << "06012";
    QTest::newRow("P.IVA refuses letters") << "txtf8"
                                           << "IT0123456789"
                                           << "0123456789";
    QTest::newRow("codice fiscale takes letters") << "txtf7"
                                                  << "RSSMRA80A01"
                                                  << "RSSMRA80A01";
    QTest::newRow("province takes letters") << "txtf5"
                                            << "pg"
                                            << "pg";
}

void TestIssuerWindow::digitFields()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QLineEdit* field = edit(*m_window, name.toLatin1().constData());
    field->setFocus();
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), expected);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), expected.chopped(1));
}

void TestIssuerWindow::navigation_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");

    const QStringList chain = {"txtf1", "txtf2", "txtf3", "txtf4", "txtf6", "txtf5", "txtf7", "txtf8", "cmbtit"};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        const QByteArray from = chain[i].toLatin1();
        QTest::newRow((from + " Enter").constData()) << chain[i] << int(Qt::Key_Return) << chain[i + 1];
        QTest::newRow((from + " keypad Enter").constData()) << chain[i] << int(Qt::Key_Enter) << chain[i + 1];
        QTest::newRow((from + " Down").constData()) << chain[i] << int(Qt::Key_Down) << chain[i + 1];
        QTest::newRow((from + " Up").constData())
            << chain[i] << int(Qt::Key_Up) << (i == 0 ? chain.last() : chain[i - 1]);
    }
}

void TestIssuerWindow::navigation()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);

    QWidget* start = control(*m_window, from.toLatin1().constData());
    start->setFocus();
    QTest::keyClick(start, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(focusedName(), to);
    QVERIFY(m_window->isVisible());
}

void TestIssuerWindow::titleBoxHasNoNavigationKeys()
{
    QWidget* title = control(*m_window, "cmbtit");
    title->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(focusedName(), QStringLiteral("cmbtit"));
    QVERIFY(m_window->isVisible()); // Enter presses no default button either
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
}

void TestIssuerWindow::focusSelectsTheWholeText()
{
    archive::PartyRecord fields;
    fields.title = "ing. ";
    fields.surname = "Rossi";
    fields.firstName = "Mario";
    m_window->setFields(fields);

    control(*m_window, "txtf2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(edit(*m_window, "txtf1")->selectedText(), QStringLiteral("Rossi"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(edit(*m_window, "cmbtit")->selectedText(), QStringLiteral("ing. "));

    QTest::mouseClick(edit(*m_window, "txtf2"), Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_COMPARE(edit(*m_window, "txtf2")->selectedText(), QStringLiteral("Mario"));
    // Typing replaces the selected text.
    QTest::keyClicks(QApplication::focusWidget(), "Luigi");
    QCOMPARE(edit(*m_window, "txtf2")->text(), QStringLiteral("Luigi"));
}

void TestIssuerWindow::fieldsRoundTripWithTrailingBlanks()
{
    const archive::PartyRecord fields = {"arch.",
                                         "Rossi                        ",
                                         "Anna ",
                                         "Via Po 3",
                                         "Città di Castello",
                                         "PG",
                                         "06012",
                                         "RSSNNA80A41C745X",
                                         "01234567890 "};
    m_window->setFields(fields);
    QCOMPARE(m_window->fields(), fields);
    QCOMPARE(edit(*m_window, "txtf4")->text(), QStringLiteral("Città di Castello"));
}

void TestIssuerWindow::storedTextLongerThanTheLimitIsShownWhole()
{
    archive::PartyRecord fields;
    fields.city = std::string(35, 'C');
    m_window->setFields(fields);
    QLineEdit* city = edit(*m_window, "txtf4");
    QCOMPARE(city->text().size(), 35);
    QCOMPARE(m_window->fields().city, fields.city);

    // Typing is still limited to 33 characters once the text is within it.
    city->setFocus();
    city->setCursorPosition(35);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(city, Qt::Key_Backspace);
    QTest::keyClicks(city, "xxxxx");
    QCOMPARE(city->text().size(), 33);
}

void TestIssuerWindow::buttonsAndCloseBoxAreReported()
{
    struct Button {
        const char* name;
        void (ui::IssuerWindow::*signal)();
    };
    const Button buttons[] = {{"Command1", &ui::IssuerWindow::okClicked},
                              {"Command2", &ui::IssuerWindow::saveClicked},
                              {"Command3", &ui::IssuerWindow::replaceClicked},
                              {"Command4", &ui::IssuerWindow::previousClicked},
                              {"Command5", &ui::IssuerWindow::nextClicked}};
    for (const Button& button : buttons) {
        QSignalSpy spy(m_window.get(), button.signal);
        QTest::mouseClick(control(*m_window, button.name), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QVERIFY2(m_window->isVisible(), button.name); // the commands decide whether it closes
    }
    // Enter on a focused button presses it.
    QSignalSpy save(m_window.get(), &ui::IssuerWindow::saveClicked);
    control(*m_window, "Command2")->setFocus();
    QTest::keyClick(control(*m_window, "Command2"), Qt::Key_Return);
    QCOMPARE(save.count(), 1);

    QSignalSpy closeBox(m_window.get(), &ui::IssuerWindow::closeBoxClicked);
    m_window->close();
    QCOMPARE(closeBox.count(), 1);
    QVERIFY(!m_window->isVisible());
}

void TestIssuerWindow::hintsFollowTheTyping_data()
{
    QTest::addColumn<QStringList>("typing"); // field, its text, the first name
    QTest::addColumn<QString>("hint"); // under the field
    QTest::newRow("CAP of four digits") << QStringList {"txtf6", "4010", ""}
                                        << "Il CAP dell'emittente deve essere di cinque cifre.";
    QTest::newRow("wrong check digit") << QStringList {
        "txtf8", "01234567890",
        ""} << "La partita IVA dell'emittente 01234567890 non è valida: l'ultima cifra dovrebbe essere 7, non 0.";
    QTest::newRow("firm's code, for a firm") << QStringList {"txtf7", "01234567897", ""} << "";
    QTest::newRow("firm's code, for a person")
        << QStringList {"txtf7", "01234567897", "Mario"}
        << "Il codice fiscale dell'emittente 01234567897 non è valido: 11 cifre sono il codice fiscale di una società, "
           "quello di una persona è di 16 caratteri.";
    QTest::newRow("blank") << QStringList {"txtf7", "   ", "Mario"} << "";
}

void TestIssuerWindow::hintsFollowTheTyping()
{
    QFETCH(QStringList, typing);
    QFETCH(QString, hint);
    // The first name, typed last, turns the codice fiscale into a person's.
    QTest::keyClicks(edit(*m_window, qPrintable(typing[0])), typing[1]);
    QTest::keyClicks(edit(*m_window, "txtf2"), typing[2]);
    QCOMPARE(m_window->findChild<QLabel*>("etcnota" + typing[0].right(1))->text(), hint);
    QCOMPARE(edit(*m_window, qPrintable(typing[0]))->text(), typing[1]); // a hint refuses nothing
}

QTEST_MAIN(TestIssuerWindow)
#include "test_issuer_window.moc"
