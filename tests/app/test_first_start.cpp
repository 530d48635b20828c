// The first start in an empty directory: the settings a new installation
// gets, the issuer window shown modally before anything else, and the end of
// the program when it is closed without an issuer.
#include "app/clock.h"
#include "app/main_controller.h"
#include "test_dir.h"
#include "ui/issuer_window.h"
#include "ui/main_window.h"
#include "ui/scripted_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace tessaro;

namespace {

// Runs action on the issuer window once it is the modal window on screen.
void whenIssuerWindowOpens(std::function<void(ui::IssuerWindow*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* window = qobject_cast<ui::IssuerWindow*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(window);
        }
    });
    timer->start();
}

const std::vector<std::uint8_t> NewSettings {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xA4, 0x08, 0xF2, 0x44};

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT

private slots:
    void closingTheIssuerWindowEndsTheProgram()
    {
        test::TestDir dir;
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        bool shown = false;
        whenIssuerWindowOpens([&shown](ui::IssuerWindow* window) {
            shown = true;
            QVERIFY(window->isModal());
            window->close();
        });
        QVERIFY(!controller.start());
        QVERIFY(shown);
        QCOMPARE(dir.bytes("impost"), NewSettings);
        QCOMPARE(dir.bytes("tipo.mon"), std::vector<std::uint8_t> {'e'});
        QCOMPARE(dir.bytes("tipo.fat"), std::vector<std::uint8_t> {'p'});
        // No book is created for an issuer that does not exist.
        QVERIFY(!dir.exists("02024.arc"));
        QVERIFY(!dir.exists("12024.arc"));
    }

    void firstIssuerThenTheCurrentYear()
    {
        test::TestDir dir;
        const app::FixedClock clock(2024);
        ui::ScriptedDialogs dialogs;
        app::MainController controller(dir.path(), clock, &dialogs);
        whenIssuerWindowOpens([](ui::IssuerWindow* window) {
            window->findChild<QLineEdit*>("txtf1")->setText("Bianchi");
            window->findChild<QLineEdit*>("txtf2")->setText("Anna");
            window->findChild<QLineEdit*>("txtf4")->setText("Perugia");
            window->findChild<QLineEdit*>("txtf5")->setText("PG");
            window->findChild<QPushButton*>("Command1")->click(); // "Ok" refused: no issuer yet
            window->findChild<QPushButton*>("Command2")->click(); // "Salva"
            window->findChild<QPushButton*>("Command1")->click(); // "Ok"
        });
        QVERIFY(controller.start());
        QCOMPARE(dialogs.shown().at(0).text,
                 std::string("Deve essere salvato almeno un nominativo che emette la fattura"));
        QCOMPARE(dialogs.shown().at(1).text, std::string("I dati sono stati salvati"));
        QCOMPARE(dir.bytes("emit").size(), std::size_t(173));
        const auto settings = dir.bytes("impost");
        QCOMPARE(settings[0], std::uint8_t(1)); // IssuerCount
        QCOMPARE(settings[8], std::uint8_t(1)); // CurrentIssuer
        QVERIFY(dir.exists("12024.arc"));
        auto& window = controller.window();
        QCOMPARE(window.findChild<QLineEdit*>("txtanno")->text(), QString("2024"));
        QCOMPARE(window.findChild<QLineEdit*>("txtnum")->text(), QString("1"));
        QCOMPARE(window.findChild<QLineEdit*>("txtiva")->text(), QString("22"));
        QCOMPARE(controller.state().currentIssuerRecord.surname.substr(0, 7), std::string("Bianchi"));
    }
};

QTEST_MAIN(TestFirstStart)
#include "test_first_start.moc"
