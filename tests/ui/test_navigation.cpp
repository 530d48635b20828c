// Enter, Down and Up between the fields of the invoice window, for both
// invoice types, and line breaks inside the descriptions.
#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using tessaro::archive::InvoiceType;
using tessaro::ui::MainWindow;

namespace {

QString focusedName()
{
    QWidget* w = QApplication::focusWidget();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

struct Row {
    const char* field;
    // Expected target for a professional-service and a commercial invoice;
    // "" when the field is disabled in that type, "=" when the key stays in the field.
    const char* downService;
    const char* downCommercial;
    const char* upService;
    const char* upCommercial;
};

constexpr Row Rows[] = {
    {"txtnum", "txtgio", "txtgio", "txttot", "txttot"},
    {"txtgio", "txtmese", "txtmese", "txtnum", "txtnum"},
    {"txtmese", "txtanno", "txtanno", "txtgio", "txtgio"},
    {"txtanno", "txtiva", "txtiva", "txtmese", "txtmese"},
    {"txtiva", "txtcn", "cmbtit", "txtanno", "txtanno"},
    {"txtcn", "txtra", "", "txtiva", ""},
    {"txtra", "txtspe", "", "txtcn", ""},
    {"txtspe", "txtspe2", "", "txtra", ""},
    {"txtspe2", "cmbtit", "", "txtspe", ""},
    {"txtc1", "txtc2", "txtc2", "cmbtit", "cmbtit"},
    {"txtc2", "txtc3", "txtc3", "txtc1", "txtc1"},
    {"txtc3", "txtc4", "txtc4", "txtc2", "txtc2"},
    {"txtc4", "txtc6", "txtc6", "txtc3", "txtc3"},
    {"txtc6", "txtc5", "txtc5", "txtc4", "txtc4"},
    {"txtc5", "txtc7", "txtc7", "txtc6", "txtc6"},
    {"txtc7", "txtc8", "txtc8", "txtc5", "txtc5"},
    {"txtc8", "txtv1", "txtv1", "txtc7", "txtc7"},
    {"txtimp1", "txtv2", "txtq1", "txtv1", "txtv1"},
    {"txtq1", "", "txtv2", "", "txtimp1"},
    {"txtimp2", "txtv3", "txtq2", "txtv2", "txtv2"},
    {"txtq2", "", "txtv3", "", "txtimp2"},
    {"txtimp3", "txttot", "txtq3", "txtv3", "txtv3"},
    {"txtq3", "", "txttot", "", "txtimp3"},
    {"txttot", "txtnum", "txtnum", "txtra", "txtq3"},
    {"cmbtit", "=", "=", "=", "="},
};

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void keys_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        const struct {
            const char* label;
            InvoiceType type;
        } types[] = {{"service", InvoiceType::Professional}, {"commercial", InvoiceType::Commercial}};
        for (const auto& t : types) {
            const bool service = t.type == InvoiceType::Professional;
            for (const Row& row : Rows) {
                const char* down = service ? row.downService : row.downCommercial;
                const char* up = service ? row.upService : row.upCommercial;
                auto add = [&](const char* keyName, int key, const char* to) {
                    if (!*to)
                        return;
                    const QString target = QString::fromLatin1(*to == '=' ? row.field : to);
                    QTest::addRow("%s %s %s", t.label, row.field, keyName)
                        << int(t.type) << QString::fromLatin1(row.field) << key << target;
                };
                add("Enter", Qt::Key_Return, down);
                add("keypad Enter", Qt::Key_Enter, down);
                add("Down", Qt::Key_Down, down);
                add("Up", Qt::Key_Up, up);
            }
            for (int n = 1; n <= 3; ++n) {
                const QString v = QStringLiteral("txtv%1").arg(n);
                QTest::addRow("%s txtv%d Enter", t.label, n)
                    << int(t.type) << v << int(Qt::Key_Return) << QStringLiteral("txtimp%1").arg(n);
                QTest::addRow("%s txtv%d Down", t.label, n) << int(t.type) << v << int(Qt::Key_Down) << v;
                QTest::addRow("%s txtv%d Up", t.label, n) << int(t.type) << v << int(Qt::Key_Up) << v;
            }
        }
    }

    void keys()
    {
        QFETCH(int, type);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        m_window->setInvoiceType(static_cast<InvoiceType>(type));
        auto* field = m_window->findChild<QWidget*>(from);
        QVERIFY(field);
        QVERIFY(field->isEnabled());
        field->setFocus();
        QCOMPARE(focusedName(), from);
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QCOMPARE(focusedName(), to);
    }

    // The enabled state is read when the key is pressed, not when the window is built.
    void typeChangeTakesEffectAtOnce()
    {
        auto* vat = m_window->findChild<QLineEdit*>("txtiva");
        m_window->setInvoiceType(InvoiceType::Commercial);
        m_window->setInvoiceType(InvoiceType::Professional);
        vat->setFocus();
        QTest::keyClick(vat, Qt::Key_Return);
        QCOMPARE(focusedName(), QStringLiteral("txtcn"));
        m_window->setInvoiceType(InvoiceType::Commercial);
        vat->setFocus();
        QTest::keyClick(vat, Qt::Key_Return);
        QCOMPARE(focusedName(), QStringLiteral("cmbtit"));
    }

    void arrowsMoveInsideDescription()
    {
        auto* v1 = m_window->findChild<QPlainTextEdit*>("txtv1");
        v1->setFocus();
        v1->setPlainText(QStringLiteral("first\nsecond"));
        v1->moveCursor(QTextCursor::End);
        QTest::keyClick(v1, Qt::Key_Up);
        QCOMPARE(v1->textCursor().blockNumber(), 0);
        QTest::keyClick(v1, Qt::Key_Down);
        QCOMPARE(v1->textCursor().blockNumber(), 1);
    }

    void lineBreakInDescription_data()
    {
        QTest::addColumn<int>("modifier");
        QTest::newRow("Shift+Enter") << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Enter") << int(Qt::ControlModifier);
    }

    void lineBreakInDescription()
    {
        QFETCH(int, modifier);
        auto* v2 = m_window->findChild<QPlainTextEdit*>("txtv2");
        v2->setFocus();
        QTest::keyClicks(v2, QStringLiteral("ab"));
        QTest::keyClick(v2, Qt::Key_Return, Qt::KeyboardModifiers(modifier));
        QTest::keyClicks(v2, QStringLiteral("cd"));
        QCOMPARE(focusedName(), QStringLiteral("txtv2"));
        QCOMPARE(v2->toPlainText(), QStringLiteral("ab\ncd"));
    }

    // A break takes two characters of the stored description (CR LF).
    void lineBreaksCountTwiceAgainstTheLimit()
    {
        auto* v3 = m_window->findChild<QPlainTextEdit*>("txtv3"); // 90 characters
        v3->setFocus();
        QTest::keyClicks(v3, QString(87, QLatin1Char('x')));
        QTest::keyClick(v3, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(v3->toPlainText(), QString(87, QLatin1Char('x')) + QLatin1Char('\n'));
        QTest::keyClicks(v3, QStringLiteral("yz"));
        QCOMPARE(v3->toPlainText(), QString(87, QLatin1Char('x')) + QStringLiteral("\ny"));
        QTest::keyClick(v3, Qt::Key_Return, Qt::ShiftModifier); // no room left for a break
        QCOMPARE(v3->toPlainText(), QString(87, QLatin1Char('x')) + QStringLiteral("\ny"));

        v3->setPlainText(QString());
        v3->insertPlainText(QStringLiteral("a\nb\n") + QString(100, QLatin1Char('c'))); // pasted
        QCOMPARE(v3->toPlainText(), QStringLiteral("a\nb\n") + QString(84, QLatin1Char('c')));
    }

private:
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
