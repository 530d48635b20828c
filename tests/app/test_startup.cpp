// Start-up of the program in a data directory that already has an issuer:
// the settings read back, the check marks, the enabled fields, the year and
// the VAT field, and the book of the current year created.
#include "app/clock.h"
#include "app/main_controller.h"
#include "archive/issuers.h"
#include "archive/settings.h"
#include "test_dir.h"
#include "ui/main_window.h"
#include "ui/scripted_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace tessaro;

namespace {

void writeOneIssuer(const test::TestDir& dir)
{
    archive::PartyRecord issuer;
    issuer.title = "ing.";
    issuer.surname = "Rossi";
    issuer.firstName = "Mario";
    issuer.address = "Via Roma 1";
    issuer.city = "Città di Castello";
    issuer.province = "PG";
    QVERIFY(archive::writeIssuer(dir.data(), 1, issuer).ok());
    QVERIFY(archive::writeIssuerCount(dir.data(), 1).ok());
    QVERIFY(archive::writeClientCount(dir.data(), 0).ok());
    QVERIFY(archive::writeCurrentIssuer(dir.data(), 1).ok());
}

QString text(app::MainController& controller, const char* name)
{
    if (auto* edit = controller.window().findChild<QLineEdit*>(name))
        return edit->text();
    if (auto* label = controller.window().findChild<QLabel*>(name))
        return label->text();
    return {};
}

bool enabled(app::MainController& controller, const char* name)
{
    return controller.window().findChild<QWidget*>(name)->isEnabled();
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheCurrentYearsBook()
    {
        test::TestDir dir;
        writeOneIssuer(dir);
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        QVERIFY(controller.start());
        QCOMPARE(text(controller, "txtanno"), QString("2024"));
        QCOMPARE(text(controller, "txtiva"), QString("22"));
        QCOMPARE(text(controller, "txtnum"), QString("1"));
        QVERIFY(!controller.window().findChild<QCheckBox*>("Check1")->isChecked());
        QCOMPARE(text(controller, "etcem1"), QString("ing. Mario Rossi"));
        QCOMPARE(text(controller, "etcem3"), QString("Città di Castello (PG)"));
        QVERIFY(dir.exists("12024.arc"));
        QVERIFY(dir.exists("12024.agg"));
        QVERIFY(dir.exists("12024.imp"));
        QCOMPARE(controller.state().euroRate, 1936.27);
        QCOMPARE(controller.form().buffer.currency, std::string("e"));
        QVERIFY(dialogs.shown().empty());
        // A new installation's files as the other program would leave them.
        QCOMPARE(dir.bytes("tipo.mon"), std::vector<std::uint8_t> {'e'});
        QCOMPARE(dir.bytes("tipo.fat"), std::vector<std::uint8_t> {'p'});
    }

    void storedLireBecomesEuro()
    {
        test::TestDir dir;
        writeOneIssuer(dir);
        dir.writeBytes("tipo.mon", {'l'});
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        QVERIFY(controller.start());
        QVERIFY(controller.action("mnumeuro")->isChecked());
        QVERIFY(!controller.action("mnumlire")->isChecked());
        QCOMPARE(dir.bytes("tipo.mon"), std::vector<std::uint8_t> {'e'});
    }

    void typeDecidesTheEnabledFields_data()
    {
        QTest::addColumn<char>("flag");
        QTest::addColumn<bool>("commercial");
        QTest::newRow("p") << 'p' << false;
        QTest::newRow("c") << 'c' << true;
        QTest::newRow("damaged") << 'x' << false;
    }

    void typeDecidesTheEnabledFields()
    {
        QFETCH(char, flag);
        QFETCH(bool, commercial);
        test::TestDir dir;
        writeOneIssuer(dir);
        dir.writeBytes("tipo.fat", {static_cast<std::uint8_t>(flag)});
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        QVERIFY(controller.start());
        QCOMPARE(controller.action("mnutc")->isChecked(), commercial);
        QCOMPARE(controller.action("mnutp")->isChecked(), !commercial);
        for (const char* name : {"txtq1", "txtq2", "txtq3"})
            QCOMPARE(enabled(controller, name), commercial);
        for (const char* name : {"txtcn", "txtspe", "txtspe2", "txtra"})
            QCOMPARE(enabled(controller, name), !commercial);
        QCOMPARE(dir.bytes("tipo.fat"), std::vector<std::uint8_t> {static_cast<std::uint8_t>(commercial ? 'c' : 'p')});
    }

    void menuSwitchesTheType()
    {
        test::TestDir dir;
        writeOneIssuer(dir);
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        QVERIFY(controller.start());
        controller.action("mnutc")->trigger();
        QVERIFY(controller.action("mnutc")->isChecked());
        QVERIFY(!controller.action("mnutp")->isChecked());
        QVERIFY(enabled(controller, "txtq1"));
        QVERIFY(!enabled(controller, "txtcn"));
        // Triggering the checked item again keeps exactly one of the pair checked.
        controller.action("mnutc")->trigger();
        QVERIFY(controller.action("mnutc")->isChecked());
        QVERIFY(!controller.action("mnutp")->isChecked());
    }

    void lireMenuKeepsEuroChecked()
    {
        test::TestDir dir;
        writeOneIssuer(dir);
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        QVERIFY(controller.start());
        controller.action("mnumlire")->trigger();
        QCOMPARE(dialogs.last().title, std::string("Le lire non si usano più"));
        QVERIFY(controller.action("mnumeuro")->isChecked());
        QVERIFY(!controller.action("mnumlire")->isChecked());
    }

    void calculateFromTheWindow()
    {
        test::TestDir dir;
        writeOneIssuer(dir);
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        QVERIFY(controller.start());
        controller.state().decimalSeparator = ',';
        auto& window = controller.window();
        window.findChild<QLineEdit*>("txtimp1")->setText("1000");
        window.findChild<QLineEdit*>("txtimp2")->setText("500");
        window.findChild<QLineEdit*>("txtcn")->setText("4");
        window.findChild<QLineEdit*>("txtra")->setText("20");
        window.findChild<QLineEdit*>("txtspe")->setText("10");
        emit window.commandRequested(tessaro::ui::Command::Calculate);
        QCOMPARE(text(controller, "etcimp"), QString("1560,00"));
        QCOMPARE(text(controller, "etciva"), QString("343,20"));
        QCOMPARE(text(controller, "etcra"), QString("300,00"));
        QCOMPARE(text(controller, "txttot"), QString("1613,20"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
