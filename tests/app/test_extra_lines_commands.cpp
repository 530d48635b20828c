// "Vai alle altre voci": the two refusals, the loading rule, and the window
// run by its controller ("Ok" stores, any other closing keeps the store).
#include "app/extra_lines_commands.h"
#include "ui/scripted_dialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tessaro;

namespace {

archive::InvoiceForm commercialForm(const std::string& a1, const std::string& a2, const std::string& a3)
{
    archive::InvoiceForm form;
    form.amount = {a1, a2, a3};
    form.buffer.currency = "e";
    return form;
}

QLineEdit* field(ui::ExtraLinesWindow* window, const QString& name)
{
    return window->findChild<QLineEdit*>(name);
}

} // namespace

class TestExtraLinesCommands : public QObject {
    Q_OBJECT

private slots:
    void mayOpen_data();
    void mayOpen();
    void loadingRule_data();
    void loadingRule();
    void okStoresTheTypedTexts();
    void closingKeepsTheStore();
    void secondOpeningBringsTheOpenWindowForward();
    void amountsFollowTheInvoiceCurrency_data();
    void amountsFollowTheInvoiceCurrency();
};

void TestExtraLinesCommands::mayOpen_data()
{
    QTest::addColumn<bool>("commercial");
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("refusal"); // empty: the window may open

    QTest::newRow("service invoice") << false << QStringList {"100", "50", "20"}
                                     << QString::fromUtf8(app::ExtraLinesForServicesText);
    QTest::newRow("third amount 0") << true << QStringList {"100", "50", "0"}
                                    << QString::fromUtf8(app::FirstLinesMissingText);
    QTest::newRow("first amount empty") << true << QStringList {"", "50", "20"}
                                        << QString::fromUtf8(app::FirstLinesMissingText);
    QTest::newRow("second amount unreadable")
        << true << QStringList {"abc", "50", "20"} << QString::fromUtf8(app::FirstLinesMissingText);
    QTest::newRow("zero with decimals") << true << QStringList {"100", "0.00", "20"}
                                        << QString::fromUtf8(app::FirstLinesMissingText);
    QTest::newRow("three amounts") << true << QStringList {"100", "0.5", " 20 "} << QString();
}

void TestExtraLinesCommands::mayOpen()
{
    QFETCH(bool, commercial);
    QFETCH(QStringList, amounts);
    QFETCH(QString, refusal);

    archive::AppState state;
    state.invoiceType = commercial ? archive::InvoiceType::Commercial : archive::InvoiceType::Professional;
    const archive::InvoiceForm form
        = commercialForm(amounts[0].toStdString(), amounts[1].toStdString(), amounts[2].toStdString());
    ui::ScriptedDialogs dialogs;

    QCOMPARE(app::mayOpenExtraLines(form, state, dialogs), refusal.isEmpty());
    if (refusal.isEmpty()) {
        QVERIFY(dialogs.shown().empty());
    } else {
        QCOMPARE(dialogs.shown().size(), 1u);
        QCOMPARE(QString::fromStdString(dialogs.last().text), refusal);
        QCOMPARE(dialogs.last().title, std::string("ATTENZIONE"));
    }
}

void TestExtraLinesCommands::loadingRule_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("shownAmount");
    QTest::addColumn<QString>("shownQuantity");

    // As loaded from the file: every text at its full width.
    QTest::newRow("filled line") << "Viti"
                                 << "12.50     "
                                 << "3   "
                                 << "12.50     "
                                 << "3   ";
    QTest::newRow("amount 0 hides the quantity") << "Dadi"
                                                 << "0         "
                                                 << "5   "
                                                 << ""
                                                 << "";
    QTest::newRow("empty amount hides the quantity") << "Dadi"
                                                     << ""
                                                     << "5"
                                                     << ""
                                                     << "";
    QTest::newRow("blank amount hides the quantity") << ""
                                                     << "          "
                                                     << "5   "
                                                     << ""
                                                     << "";
    QTest::newRow("unreadable amount counts as 0") << "x"
                                                   << "abc"
                                                   << "2"
                                                   << ""
                                                   << "";
    QTest::newRow("negative amount hidden") << "x"
                                            << "-5"
                                            << "2"
                                            << ""
                                            << "";
    QTest::newRow("amount without quantity") << ""
                                             << "7"
                                             << ""
                                             << "7"
                                             << "";
}

void TestExtraLinesCommands::loadingRule()
{
    QFETCH(QString, description);
    QFETCH(QString, amount);
    QFETCH(QString, quantity);
    QFETCH(QString, shownAmount);
    QFETCH(QString, shownQuantity);

    archive::ExtraLinesRecord store;
    store.description[3] = description.toStdString();
    store.amount[3] = amount.toStdString();
    store.quantity[3] = quantity.toStdString();

    const archive::ExtraLinesRecord shown = app::extraLinesToShow(store);
    QCOMPARE(QString::fromStdString(shown.description[3]), description);
    QCOMPARE(QString::fromStdString(shown.amount[3]), shownAmount);
    QCOMPARE(QString::fromStdString(shown.quantity[3]), shownQuantity);
    for (std::size_t i : {0u, 1u, 2u, 4u, 5u, 6u})
        QVERIFY(shown.description[i].empty() && shown.amount[i].empty() && shown.quantity[i].empty());
}

void TestExtraLinesCommands::okStoresTheTypedTexts()
{
    archive::InvoiceForm form = commercialForm("1", "2", "3");
    form.extraLines.description[0] = "Viti" + std::string(31, ' ');
    form.extraLines.amount[0] = "0         ";
    form.extraLines.quantity[0] = "9   ";
    form.extraLines.description[6] = "Bulloni";
    form.extraLines.amount[6] = "4.00";
    form.extraLines.quantity[6] = "2";
    app::ExtraLinesController controller;
    int calls = 0;
    archive::ExtraLinesRecord received;

    controller.show(nullptr, form, [&](const archive::ExtraLinesRecord& lines) {
        ++calls;
        received = lines;
    });
    ui::ExtraLinesWindow* window = controller.window();
    QVERIFY(window && window->isVisible() && !window->isModal());
    QCOMPARE(field(window, "txtv4")->text(), QString::fromStdString(form.extraLines.description[0]));
    QCOMPARE(field(window, "txtq4")->text(), QString()); // amount 0: quantity not shown
    QCOMPARE(field(window, "txtimp10")->text(), QStringLiteral("4.00"));

    field(window, "txtv5")->setText("Dadi");
    field(window, "txtimp5")->setText("0.20");
    field(window, "txtq5")->setText("100");
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);

    QCOMPARE(calls, 1);
    QVERIFY(!window->isVisible());
    archive::ExtraLinesRecord expected = app::extraLinesToShow(form.extraLines);
    expected.description[1] = "Dadi";
    expected.amount[1] = "0.20";
    expected.quantity[1] = "100";
    QCOMPARE(received, expected); // the hidden quantity 9 is gone: the window's texts are what is stored
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!controller.window());
}

void TestExtraLinesCommands::closingKeepsTheStore()
{
    app::ExtraLinesController controller;
    int calls = 0;
    controller.show(nullptr, commercialForm("1", "2", "3"), [&](const archive::ExtraLinesRecord&) { ++calls; });
    field(controller.window(), "txtv4")->setText("typed");
    controller.window()->close();
    QCOMPARE(calls, 0);

    controller.show(nullptr, commercialForm("1", "2", "3"), [&](const archive::ExtraLinesRecord&) { ++calls; });
    controller.close();
    QCOMPARE(calls, 0);
}

void TestExtraLinesCommands::secondOpeningBringsTheOpenWindowForward()
{
    app::ExtraLinesController controller;
    archive::InvoiceForm form = commercialForm("1", "2", "3");
    controller.show(nullptr, form, {});
    ui::ExtraLinesWindow* first = controller.window();
    field(first, "txtv4")->setText("typed");

    form.extraLines.description[0] = "stored meanwhile";
    int calls = 0;
    controller.show(nullptr, form, [&](const archive::ExtraLinesRecord&) { ++calls; });
    QCOMPARE(controller.window(), first);
    QCOMPARE(field(first, "txtv4")->text(), QStringLiteral("typed")); // not reloaded
    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(calls, 1); // the latest callback answers
}

void TestExtraLinesCommands::amountsFollowTheInvoiceCurrency_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("expected");

    QTest::newRow("euro") << "e"
                          << "1.5";
    QTest::newRow("lire") << "l"
                          << "15";
    QTest::newRow("no flag") << ""
                             << "1,.5";
}

void TestExtraLinesCommands::amountsFollowTheInvoiceCurrency()
{
    QFETCH(QString, flag);
    QFETCH(QString, expected);

    archive::InvoiceForm form = commercialForm("1", "2", "3");
    form.buffer.currency = flag.toStdString();
    app::ExtraLinesController controller;
    controller.show(nullptr, form, {});
    QLineEdit* amount = field(controller.window(), "txtimp6");
    QVERIFY(QTest::qWaitForWindowActive(controller.window()));
    amount->setFocus();
    QTest::keyClicks(amount, "1,.5");
    QCOMPARE(amount->text(), expected);
}

QTEST_MAIN(TestExtraLinesCommands)
#include "test_extra_lines_commands.moc"
