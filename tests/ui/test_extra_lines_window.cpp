// The extra-lines window as a view: its 21 fields, the Enter chain, selection
// on focus, the character filters by the invoice's currency flag, and the
// texts it shows and returns.
#include "ui/extra_lines_window.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tessaro;

namespace {

QLineEdit* field(QWidget& window, const QString& name)
{
    return window.findChild<QLineEdit*>(name);
}

QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

QStringList fieldNames()
{
    QStringList names;
    for (int line = 4; line <= 10; ++line)
        names << QStringLiteral("txtv%1").arg(line) << QStringLiteral("txtimp%1").arg(line)
              << QStringLiteral("txtq%1").arg(line);
    return names;
}

} // namespace

class TestExtraLinesWindow : public QObject {
    Q_OBJECT

private slots:
    void captionsAndFields();
    void controlsLieInsideTheWindowWithoutOverlap();
    void enterChainAndTabOrder();
    void focusSelectsTheWholeText();
    void filters_data();
    void filters();
    void linesRoundTrip();
    void okIsReportedAndEnterPressesNothingElse();
};

void TestExtraLinesWindow::captionsAndFields()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    QCOMPARE(window.windowTitle(), QStringLiteral("Tessaro: ALTRE VOCI"));

    QStringList captions;
    for (auto* label : window.findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption :
         {"DESCRIZIONE", "Importo", "Quantità", "4", "5", "6", "7", "8", "9", "10",
          "Al termine premere OK per memorizzare le voci e chiudere questa finestra.",
          "Se si lascia la finestra aperta oppure se si chiude con la x non saranno stampate queste voci.",
          "Se un importo delle tre voci della pagina principale è zero queste voci non saranno prese in "
          "considerazione."})
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);

    // The widths of the fields of the extra-lines record.
    for (int line = 4; line <= 10; ++line) {
        QCOMPARE(field(window, QStringLiteral("txtv%1").arg(line))->maxLength(), 35);
        QCOMPARE(field(window, QStringLiteral("txtimp%1").arg(line))->maxLength(), 10);
        QCOMPARE(field(window, QStringLiteral("txtq%1").arg(line))->maxLength(), 4);
    }
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("Ok"));
}

void TestExtraLinesWindow::controlsLieInsideTheWindowWithoutOverlap()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    const QRect client(QPoint(0, 0), ui::twipsSize(ui::ExtraLinesWindowWidthTwips, ui::ExtraLinesWindowHeightTwips));
    QCOMPARE(window.size(), client.size());
    const QList<QWidget*> controls = window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* a : controls) {
        QVERIFY2(client.contains(a->geometry()), qPrintable(a->objectName()));
        for (QWidget* b : controls)
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + " / " + b->objectName()));
    }
}

void TestExtraLinesWindow::enterChainAndTabOrder()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QStringList names = fieldNames();
    field(window, names.first())->setFocus();
    QStringList visited;
    for (int i = 0; i <= names.size(); ++i) {
        visited << focusedName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(visited, names + QStringList {names.first()}); // quantity 10 goes back to description 4

    field(window, names.first())->setFocus();
    visited.clear();
    for (int i = 0; i <= names.size(); ++i) {
        visited << focusedName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, names + QStringList {"Command1"});
}

void TestExtraLinesWindow::focusSelectsTheWholeText()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    archive::ExtraLinesRecord lines;
    lines.description[0] = "Viti";
    lines.amount[0] = "12.50";
    window.setLines(lines);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    field(window, "txtv4")->setFocus();
    QCOMPARE(field(window, "txtv4")->selectedText(), QStringLiteral("Viti"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(field(window, "txtimp4")->selectedText(), QStringLiteral("12.50"));
    QTest::keyClicks(QApplication::focusWidget(), "9");
    QCOMPARE(field(window, "txtimp4")->text(), QStringLiteral("9"));
}

void TestExtraLinesWindow::filters_data()
{
    QTest::addColumn<char>("flag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("euro amount takes the point") << 'e' << "txtimp4"
                                                 << "12.50"
                                                 << "12.50";
    QTest::newRow("euro amount: the comma is the point") << 'e' << "txtimp4"
                                                         << "1.012,50"
                                                         << "1012.50";
    QTest::newRow("lire amount refuses the point") << 'l' << "txtimp7"
                                                   << "1.500"
                                                   << "1500";
    QTest::newRow("lire amount refuses letters") << 'l' << "txtimp7"
                                                 << "15a0"
                                                 << "150";
    QTest::newRow("other flag takes anything") << ' ' << "txtimp10"
                                               << "1,5x"
                                               << "1,5x";
    QTest::newRow("quantity digits only (euro)") << 'e' << "txtq5"
                                                 << "1.2,a3"
                                                 << "123";
    QTest::newRow("quantity digits only (lire)") << 'l' << "txtq10"
                                                 << "4.5"
                                                 << "45";
    QTest::newRow("description takes anything") << 'l' << "txtv6"
                                                << "Viti 3,5 mm."
                                                << "Viti 3,5 mm.";
}

void TestExtraLinesWindow::filters()
{
    QFETCH(char, flag);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    ui::ExtraLinesWindow window([flag] { return flag; });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit* edit = field(window, name);
    edit->setFocus();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), expected);
}

void TestExtraLinesWindow::linesRoundTrip()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    archive::ExtraLinesRecord lines;
    for (std::size_t i = 0; i < lines.description.size(); ++i) {
        lines.description[i] = "Voce " + std::to_string(i + 4) + std::string(28, ' ');
        lines.amount[i] = i % 2 ? "" : "1" + std::to_string(i) + ".00";
        lines.quantity[i] = std::to_string(i + 1);
    }
    lines.description[6] = "Città"; // not ASCII
    window.setLines(lines);
    QCOMPARE(window.lines(), lines);
    QCOMPARE(field(window, "txtv10")->text(), QStringLiteral("Città"));
}

void TestExtraLinesWindow::okIsReportedAndEnterPressesNothingElse()
{
    ui::ExtraLinesWindow window([] { return 'e'; });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy ok(&window, &ui::ExtraLinesWindow::okClicked);

    field(window, "txtq10")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QCOMPARE(ok.count(), 0);

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(ok.count(), 1);
}

QTEST_MAIN(TestExtraLinesWindow)
#include "test_extra_lines_window.moc"
