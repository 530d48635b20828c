// The issuer window run by its controller: first start (modal) and the menu
// item (beside the main window), with the buttons joined to the commands.
#include "app/issuer_commands.h"
#include "app/issuer_window_controller.h"
#include "archive/issuers.h"
#include "archive/settings.h"
#include "test_dir.h"
#include "ui/issuer_window.h"
#include "ui/scripted_dialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tessaro;

namespace {

void click(ui::IssuerWindow* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

void type(ui::IssuerWindow* window, const char* name, const QString& text)
{
    auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

archive::PartyRecord named(const std::string& surname)
{
    archive::PartyRecord p;
    p.surname = surname;
    p.firstName = "Anna";
    return p;
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestIssuerWindowController : public QObject {
    Q_OBJECT

private slots:
    void firstStart();
    void firstStartClosedWithoutIssuerEndsTheProgram();
    void modelessOk();
    void modelessCloseBoxKeepsTheRecord();
    void modelessCloseBoxWithoutCurrentIssuerEndsTheProgram();
    void modelessBrowsingRefillsTheFields();
    void secondOpeningBringsTheSameWindowForward();
};

void TestIssuerWindowController::firstStart()
{
    test::TestDir dir;
    archive::AppState state;
    state.dataDir = dir.data();
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);

    bool refusedAndStayed = false;
    QTimer::singleShot(0, [&] {
        ui::IssuerWindow* window = controller.window();
        QVERIFY(window && window->isModal());
        QCOMPARE(window->fields(), archive::PartyRecord {});
        click(window, "Command1"); // "Ok" with no issuer saved yet
        refusedAndStayed
            = window->isVisible() && dialogs.shown().size() == 1 && dialogs.last().text == app::IssuerRequiredText;
        type(window, "txtf1", "Rossi");
        type(window, "txtf2", "Anna");
        click(window, "Command2"); // "Salva"
        click(window, "Command1");
    });
    QVERIFY(controller.runModal(nullptr));

    QVERIFY(refusedAndStayed);
    QCOMPARE(dir.bytes("emit").size(), archive::PartyRecordSize);
    const std::vector<std::uint8_t> impost = dir.bytes("impost");
    QVERIFY(impost.size() >= 10);
    QCOMPARE(impost[0] | (impost[1] << 8), 1);
    QCOMPARE(impost[8] | (impost[9] << 8), 1);
    QCOMPARE(state.currentIssuer, 1);
    QCOMPARE(state.currentIssuerRecord.surname, std::string("Rossi"));
    deleteClosedWindows();
    QVERIFY(!controller.window()); // created at every opening, gone once closed
}

void TestIssuerWindowController::firstStartClosedWithoutIssuerEndsTheProgram()
{
    test::TestDir dir;
    archive::AppState state;
    state.dataDir = dir.data();
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);

    QTimer::singleShot(0, [&] { controller.window()->close(); });
    QVERIFY(!controller.runModal(nullptr));
    QVERIFY(!dir.exists("emit"));
}

void TestIssuerWindowController::modelessOk()
{
    test::TestDir dir;
    archive::AppState state;
    state.dataDir = dir.data();
    archive::writeIssuer(state.dataDir, 1, named("Rossi"));
    state.issuerCount = 1;
    state.currentIssuer = 1;
    state.currentIssuerRecord = named("Rossi");
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);
    int reloads = 0;
    bool closedBeforeReload = false;
    ui::IssuerWindow* window = nullptr;

    controller.showModeless(nullptr, {}, [&] {
        ++reloads;
        closedBeforeReload = !window->isVisible();
    });
    window = controller.window();
    QVERIFY(window && window->isVisible() && !window->isModal());
    QCOMPARE(window->fields(), named("Rossi"));

    type(window, "txtf3", "Via Garibaldi 7");
    click(window, "Command1");

    QCOMPARE(reloads, 1);
    QVERIFY(closedBeforeReload);
    QCOMPARE(state.currentIssuerRecord.address, std::string("Via Garibaldi 7"));
    deleteClosedWindows();
    QVERIFY(!controller.window());
}

void TestIssuerWindowController::modelessCloseBoxKeepsTheRecord()
{
    archive::AppState state;
    state.issuerCount = 1;
    state.currentIssuer = 1;
    state.currentIssuerRecord = named("Rossi");
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);
    int reloads = 0, ends = 0;

    controller.showModeless(
        nullptr, {}, [&] { ++reloads; }, [&] { ++ends; });
    type(controller.window(), "txtf1", "Bianchi");
    controller.window()->close();

    QCOMPARE(reloads, 0);
    QCOMPARE(ends, 0);
    QCOMPARE(state.currentIssuerRecord, named("Rossi"));
    deleteClosedWindows();
    QVERIFY(!controller.window());
}

void TestIssuerWindowController::modelessCloseBoxWithoutCurrentIssuerEndsTheProgram()
{
    archive::AppState state;
    state.issuerCount = 2;
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);
    int ends = 0;

    controller.showModeless(
        nullptr, {}, [] {}, [&] { ++ends; });
    controller.window()->close();
    QCOMPARE(ends, 1);
}

void TestIssuerWindowController::modelessBrowsingRefillsTheFields()
{
    test::TestDir dir;
    archive::AppState state;
    state.dataDir = dir.data();
    archive::writeIssuer(state.dataDir, 1, named("Rossi"));
    archive::writeIssuer(state.dataDir, 2, named("Bianchi"));
    state.issuerCount = 2;
    state.currentIssuer = 1;
    state.currentIssuerRecord = archive::readIssuer(state.dataDir, 1).value();
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);
    controller.showModeless(nullptr, {}, [] {});
    ui::IssuerWindow* window = controller.window();

    click(window, "Command5"); // "--->"
    QCOMPARE(state.currentIssuer, 2);
    QCOMPARE(window->fields(), archive::readIssuer(state.dataDir, 2).value());
    type(window, "txtf2", "Carla");
    click(window, "Command5"); // already on the last: the typed text stays
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("txtf2"))->text(), QStringLiteral("Carla"));
    click(window, "Command4"); // "<---"
    QCOMPARE(state.currentIssuer, 1);
    QCOMPARE(window->fields(), archive::readIssuer(state.dataDir, 1).value());
    QVERIFY(dialogs.shown().empty());
}

void TestIssuerWindowController::secondOpeningBringsTheSameWindowForward()
{
    archive::AppState state;
    state.issuerCount = 1;
    state.currentIssuer = 1;
    state.currentIssuerRecord = named("Rossi");
    ui::ScriptedDialogs dialogs;
    app::IssuerWindowController controller(state, dialogs);

    controller.showModeless(nullptr, {}, [] {});
    ui::IssuerWindow* first = controller.window();
    type(first, "txtf1", "Bianchi");
    controller.showModeless(nullptr, {}, [] {});
    QCOMPARE(controller.window(), first);
    QCOMPARE(first->fields().surname, std::string("Bianchi")); // not refilled

    first->close();
    deleteClosedWindows();
    controller.showModeless(nullptr, {}, [] {});
    QVERIFY(controller.window());
    QCOMPARE(controller.window()->fields().surname, std::string("Rossi")); // a new window, refilled
}

QTEST_MAIN(TestIssuerWindowController)
#include "test_issuer_window_controller.moc"
