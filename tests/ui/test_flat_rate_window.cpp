// The flat-rate window reports the year and the settings as typed with the
// button pressed, and takes a value only for the professional fund.
#include "ui/flat_rate_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessaro::ui;

class TestFlatRateWindow : public QObject {
    Q_OBJECT

private slots:
    void reportsWhatIsTyped()
    {
        FlatRateWindow window;
        FlatRateView view;
        view.settings = {"78", "15", true, false, false, "", "0,00", false};
        window.setView(view);
        auto* value = window.findChild<QLineEdit*>("txtvalore");
        QVERIFY(!value->isEnabled());
        window.findChild<QRadioButton*>("optcassaimporto")->setChecked(true);
        QVERIFY(value->isEnabled());
        value->setText("3.000");
        window.findChild<QComboBox*>("cmbcoefficiente")->setCurrentText("67");
        window.findChild<QCheckBox*>("chkcassareddito")->setChecked(true);
        window.findChild<QLineEdit*>("txtanno")->setText("2025");
        QList<FlatRateRequest> requests;
        connect(&window, &FlatRateWindow::requested, this, [&](const FlatRateRequest& r) { requests << r; });
        window.findChild<QPushButton*>("cmdsalva")->click();
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(requests.size(), 2);
        const FlatRateRequest& saved = requests[0];
        QCOMPARE(saved.action, FlatRateRequest::Action::SaveSettings);
        QCOMPARE(saved.year + " " + saved.settings.coefficient + " " + saved.settings.contributionValue,
                 std::string("2025 67 3.000"));
        QVERIFY(saved.settings.fundAmount && !saved.settings.inps && saved.settings.pensionIsIncome);
        QCOMPARE(requests[1].action, FlatRateRequest::Action::Close);
    }
};

QTEST_MAIN(TestFlatRateWindow)
#include "test_flat_rate_window.moc"
