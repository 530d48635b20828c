// The withholdings window shows the certificate of the client chosen in its
// two fields, reports what is typed with the button pressed and leaves the
// totals out of the choice.
#include "ui/withholdings_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace tessaro::ui;
using Action = WithholdingsRequest::Action;

namespace {

WithholdingsView sampleView()
{
    WithholdingsView view;
    view.year = "2026";
    view.rows.resize(2);
    view.rows[0].cells[0] = "Bianchi Anna";
    view.rows[1].cells[0] = "Verdi Srl";
    view.rows[1].certifiedGross = "1.000,00";
    view.rows[1].certifiedWithholding = "200,00";
    view.totals[0] = "Totale";
    return view;
}

template <typename T> T* child(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestWithholdingsWindow : public QObject {
    Q_OBJECT

private slots:
    void reportsTheClientChosenAndItsFigures()
    {
        WithholdingsWindow window;
        window.setView(sampleView());
        auto* list = child<QTreeWidget>(window, "lstclienti");
        QCOMPARE(list->topLevelItemCount(), 3);
        list->setCurrentItem(list->topLevelItem(1));
        QCOMPARE(child<QLineEdit>(window, "txtcucompensi")->text(), QStringLiteral("1.000,00"));
        child<QLineEdit>(window, "txtcuritenute")->setText(QStringLiteral("250"));

        QList<WithholdingsRequest> requests;
        connect(&window, &WithholdingsWindow::requested, this, [&](const WithholdingsRequest& r) { requests << r; });
        child<QPushButton>(window, "cmdregistra")->click();
        // The totals are no client: choosing them names none.
        list->setCurrentItem(list->topLevelItem(2));
        child<QPushButton>(window, "cmdcsv")->click();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].action, Action::RecordCertificate);
        QCOMPARE(requests[0].row, 1);
        QCOMPARE(requests[0].gross + " " + requests[0].withholding, std::string("1.000,00 250"));
        QCOMPARE(requests[1].row, -1);
    }
};

QTEST_MAIN(TestWithholdingsWindow)
#include "test_withholdings_window.moc"
