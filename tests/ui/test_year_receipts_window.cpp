// The window of the year's payments shows the rows a search keeps with their
// totals, and reports the year and the search as typed with what was asked:
// a keystroke in the search, Enter in the year, a button, Escape.
#include "ui/year_receipts_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace tessaro::ui;
using Action = YearReceiptsRequest::Action;

Q_DECLARE_METATYPE(YearReceiptsRequest)

class TestYearReceiptsWindow : public QObject {
    Q_OBJECT

private slots:
    void reportsWhatIsAsked_data()
    {
        QTest::addColumn<QString>("control"); // where the keys go
        QTest::addColumn<QString>("keys"); // typed over it; "\n" is Enter, "\x1b" Escape; empty: the control is clicked
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("search");
        QTest::newRow("a keystroke in the search") << "txtcerca"
                                                   << "r" << int(Action::Search) << "2026"
                                                   << "r";
        QTest::newRow("a year typed") << "cmbanno"
                                      << "2025\n"
                                      << int(Action::ChangeYear) << "2025"
                                      << "";
        QTest::newRow("CSV") << "cmdcsv"
                             << "" << int(Action::ExportCsv) << "2026"
                             << "";
        QTest::newRow("Escape") << "grdincassi"
                                << "\x1b" << int(Action::Close) << "2026"
                                << "";
    }

    void reportsWhatIsAsked()
    {
        QFETCH(QString, control);
        QFETCH(QString, keys);
        QFETCH(int, action);
        QFETCH(QString, year);
        QFETCH(QString, search);
        YearReceiptsWindow window;
        YearReceiptsView view;
        view.year = "2026";
        view.years = {"2026", "2025"};
        auto receipts = std::make_shared<tessaro::archive::YearReceipts>();
        receipts->rows.resize(3);
        receipts->rows[2].client = "Bianchi Anna";
        view.receipts = receipts;
        view.shown = {0, 2};
        view.totals[3] = "1.220,00";
        window.setView(view);
        window.show();
        QCOMPARE(window.table()->model()->rowCount(), 2);
        QCOMPARE(window.table()->model()->index(1, 2).data().toString(), "Bianchi Anna");
        QCOMPARE(window.findChild<QTableView*>("grdtotali")->model()->index(0, 3).data().toString(), "1.220,00");

        QSignalSpy asked(&window, &YearReceiptsWindow::requested);
        auto* target = window.findChild<QWidget*>(control);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            target = combo->lineEdit();
        if (auto* edit = qobject_cast<QLineEdit*>(target))
            edit->selectAll(); // what is typed takes the place of what is shown
        if (keys.isEmpty())
            QTest::mouseClick(target, Qt::LeftButton);
        for (const QChar key : keys) {
            if (key == '\n' || key == '\x1b')
                QTest::keyClick(target, key == '\n' ? Qt::Key_Return : Qt::Key_Escape);
            else
                QTest::keyClicks(target, QString(key));
        }
        QVERIFY(!asked.isEmpty());
        const auto request = asked.last().at(0).value<YearReceiptsRequest>();
        QCOMPARE(int(request.action), action);
        QCOMPARE(QString::fromStdString(request.year), year);
        QCOMPARE(QString::fromStdString(request.search), search);
    }
};

QTEST_MAIN(TestYearReceiptsWindow)
#include "test_year_receipts_window.moc"
