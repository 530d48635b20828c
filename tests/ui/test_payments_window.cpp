// The payments window reports what is typed with the button pressed, lets a
// due date be typed only for a term of its own, and through the Qt dialogs
// stays up across requests until it is closed.
#include "ui/payments_window.h"
#include "ui/qt_dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace tessaro::ui;

namespace {

PaymentsView sampleView()
{
    PaymentsView view;
    view.heading = "Fattura n. 3 del 10/05/2026 - Bianchi Anna";
    view.toPay = "1220,00";
    view.method = "MP05";
    view.term = "30";
    view.due = "09/06/2026";
    view.rows = {{"20/05/2026", "500,00", "MP05 bonifico", "acconto"}, {"illeggibile", "", "", ""}};
    view.newDate = "08/12/2026";
    view.newAmount = "720,00";
    view.newMethod = "MP05";
    return view;
}

template <typename T> T* child(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestPaymentsWindow : public QObject {
    Q_OBJECT

private slots:
    void reportsWhatIsTyped()
    {
        PaymentsWindow window;
        window.setView(sampleView());
        QCOMPARE(child<QTreeWidget>(window, "lstincassi")->topLevelItemCount(), 2);
        QVERIFY(child<QLineEdit>(window, "txtscadenza")->isReadOnly());

        auto* term = child<QComboBox>(window, "cmbtermine");
        term->setCurrentIndex(term->findData(QStringLiteral("DATA")));
        QVERIFY(!child<QLineEdit>(window, "txtscadenza")->isReadOnly());
        child<QLineEdit>(window, "txtscadenza")->setText(QStringLiteral("30/06/2026"));
        child<QLineEdit>(window, "txtimporto")->setText(QStringLiteral("100,50"));
        child<QLineEdit>(window, "txtnota")->setText(QStringLiteral("saldo"));
        auto* method = child<QComboBox>(window, "cmbmodinc");
        method->setCurrentIndex(method->findData(QStringLiteral("MP01")));
        child<QTreeWidget>(window, "lstincassi")
            ->setCurrentItem(child<QTreeWidget>(window, "lstincassi")->topLevelItem(1));

        QList<PaymentsRequest> requests;
        connect(&window, &PaymentsWindow::requested, this, [&](const PaymentsRequest& r) { requests << r; });
        for (const char* button : {"cmdregistra", "cmdelimina", "cmdcondizioni", "cmdchiudi"})
            child<QPushButton>(window, button)->click();
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(requests.size(), 5);
        QCOMPARE(requests[0].action, PaymentsRequest::Action::Record);
        QCOMPARE(requests[0].date + " " + requests[0].amount + " " + requests[0].method + " " + requests[0].note,
                 std::string("08/12/2026 100,50 MP01 saldo"));
        QCOMPARE(requests[1].action, PaymentsRequest::Action::Remove);
        QCOMPARE(requests[1].row, 1);
        QCOMPARE(requests[2].action, PaymentsRequest::Action::ChangeTerms);
        QCOMPARE(requests[2].termMethod + " " + requests[2].term + " " + requests[2].due,
                 std::string("MP05 DATA 30/06/2026"));
        QCOMPARE(requests[3].action, PaymentsRequest::Action::Close);
        QCOMPARE(requests[4].action, PaymentsRequest::Action::Close);
    }

    void staysUpUntilClosed()
    {
        QWidget parent;
        QtDialogs dialogs(&parent);
        QList<PaymentsRequest::Action> answers;
        QPointer<PaymentsWindow> shown;
        // Each showing is answered by a button once the window is up.
        const auto press = [&](const char* button) {
            QTimer::singleShot(0, [&, button] {
                shown = qobject_cast<PaymentsWindow*>(QApplication::activeModalWidget());
                QVERIFY(shown);
                child<QPushButton>(*shown, button)->click();
            });
        };
        press("cmdregistra");
        answers << dialogs.showPayments(sampleView()).action;
        const QPointer<PaymentsWindow> first = shown;
        press("cmdchiudi");
        answers << dialogs.showPayments(sampleView()).action;
        QCOMPARE(answers, (QList {PaymentsRequest::Action::Record, PaymentsRequest::Action::Close}));
        QCOMPARE(shown, first);
        QVERIFY(!shown->isVisible());
    }
};

QTEST_MAIN(TestPaymentsWindow)
#include "test_payments_window.moc"
