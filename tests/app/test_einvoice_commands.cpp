// The e-invoice commands of the menu "File" with scripted dialogs: the
// recipient box, the refusal box, the file written and checked against the
// schema, the year export's report, the issuer-window button, and "Azzera
// tutto" taking the issuers' e-invoice data with it.
#include "app/book_commands.h"
#include "app/einvoice_commands.h"
#include "app/issuer_window_controller.h"
#include "archive/book.h"
#include "archive/issuers.h"
#include "archive/sdi_history.h"
#include "archive/settings.h"
#include "einvoice/fatturapa.h"
#include "faulty_file_system.h"
#include "samples.h"
#include "test_dir.h"
#include "ui/einvoice_window.h"
#include "ui/issuer_window.h"
#include "ui/scripted_dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace tessaro;
using test::TestDir;

namespace {

// Issuer 1 current, with its e-invoice data; the professional sample invoice
// on screen as number 7 of 2024.
struct Session {
    TestDir dir;
    archive::AppState state;
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    Session()
    {
        state.dataDir = dir.data();
        test::storeSampleIssuer(state);
        form = test::professionalInvoice().form;
        form.number = "7";
        state.nextNumber = 8;
    }

    QStringList exported() const
    {
        return QDir(QString::fromStdString(einvoice::exportFolder(state.dataDir))).entryList(QDir::Files);
    }
};

const std::string ExportTitle(einvoice::ExportDoneTitle);

} // namespace

class TestEinvoiceCommands : public QObject {
    Q_OBJECT

private slots:
    void recipientIsProposedThenRemembered()
    {
        Session s;
        s.dialogs.queueInput("abc1234");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.shown().size(), std::size_t {2});
        const auto& box = s.dialogs.shown()[0];
        QCOMPARE(box.kind, ui::ScriptedDialogs::Shown::Kind::Input);
        QCOMPARE(box.text, std::string(einvoice::RecipientPrompt));
        QCOMPARE(box.title, std::string(einvoice::RecipientTitle));
        QCOMPARE(box.defaultText, std::string("0000000"));
        QCOMPARE(s.dialogs.last().title, ExportTitle);
        QCOMPARE(s.exported(), QStringList {"IT01234567897_00001.xml"});

        // The code as the exchange system takes it, upper-cased; each export
        // again is a new file, asked for first.
        s.dialogs.clear();
        s.dialogs.queueAnswer(ui::Answer::Yes);
        s.dialogs.queueInput("studio@pec.example.it");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.shown()[1].defaultText, std::string("ABC1234"));

        s.dialogs.clear();
        s.dialogs.queueAnswer(ui::Answer::Yes);
        app::exportEinvoice(s.form, s.state, s.dialogs); // cancelled: nothing more happens
        QCOMPARE(s.dialogs.shown().size(), std::size_t {2});
        QCOMPARE(s.dialogs.last().defaultText, std::string("studio@pec.example.it"));
    }

    // A rejected file is sent again under a new name without a question; a
    // delivered one, or one still waiting for its receipt, only when the user
    // says so; an invoice not stored never.
    void exportingAgainFollowsTheExchangeSystem_data()
    {
        QTest::addColumn<char>("outcome"); // of the first file: ' ' none, 'S', 'C', 'M'
        QTest::addColumn<int>("answer"); // to the question, when one comes: 1 yes, 0 no
        QTest::addColumn<QStringList>("files");
        const QStringList one {"IT01234567897_00001.xml"};
        const QStringList two {"IT01234567897_00001.xml", "IT01234567897_00002.xml"};
        QTest::newRow("rejected") << 'S' << -1 << two;
        QTest::newRow("not answered yet, yes") << ' ' << 1 << two;
        QTest::newRow("not answered yet, no") << ' ' << 0 << one;
        QTest::newRow("delivered, yes") << 'C' << 1 << two;
        QTest::newRow("delivered, no") << 'C' << 0 << one;
        QTest::newRow("left in the client's area, no") << 'M' << 0 << one;
    }

    void exportingAgainFollowsTheExchangeSystem()
    {
        QFETCH(char, outcome);
        QFETCH(int, answer);
        QFETCH(QStringList, files);
        Session s;
        const archive::BookPaths book = archive::bookPaths(s.state.dataDir, 1, "2024");
        QVERIFY(archive::createBook(book).ok() && archive::writeCounter(book, 8).ok());
        s.dialogs.queueInput("0000000");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        if (outcome != ' ') {
            archive::SdiAnswer receipt;
            receipt.fileName = "IT01234567897_00001.xml";
            receipt.outcome = static_cast<archive::SdiOutcome>(outcome);
            const std::vector issuers {s.state.currentIssuerRecord};
            const auto fits = archive::recordAnswers(s.state.dataDir, issuers, std::vector {receipt}, ',');
            QCOMPARE(fits.value(), std::vector {archive::AnswerFit::Recorded});
        }
        s.dialogs.clear();
        if (answer >= 0)
            s.dialogs.queueAnswer(answer == 1 ? ui::Answer::Yes : ui::Answer::No);
        s.dialogs.queueInput("0000000");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        QCOMPARE(s.exported(), files);
        QCOMPARE(s.dialogs.shown()[0].kind == ui::ScriptedDialogs::Shown::Kind::Input, answer < 0);
        QCOMPARE(QString::fromStdString(s.form.sdiStatus).isEmpty(), false);
    }

    void anInvoiceNotStoredIsNotExported()
    {
        Session s;
        s.form.number = "8";
        app::exportEinvoice(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.last().text, einvoice::refusalMessage({app::NotStoredText}));
        QVERIFY(s.exported().isEmpty());
    }

    void cancelledRecipientEndsSilently()
    {
        Session s;
        s.dialogs.queueInput("   ");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.shown().size(), std::size_t {1});
        QVERIFY(s.exported().isEmpty());
        QVERIFY(!s.dir.exists("clienti.fe"));
    }

    void writtenFileValidatesAgainstTheSchema()
    {
        Session s;
        s.dialogs.queueInput("0000000");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        const QString file
            = QDir(QString::fromStdString(einvoice::exportFolder(s.state.dataDir))).filePath("IT01234567897_00001.xml");
        QCOMPARE(s.dialogs.last().text, einvoice::writtenMessage(QDir::toNativeSeparators(file).toStdString()));
        const QString errors = test::schemaErrors(file);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    }

    void refusalListsEveryProblemInOneBoxAndWritesNothing()
    {
        Session s;
        s.form.buffer.currency = "l";
        s.form.day.clear();
        s.dialogs.queueInput("12"); // neither a code of seven nor a PEC address
        app::exportEinvoice(s.form, s.state, s.dialogs);

        QCOMPARE(s.dialogs.shown().size(), std::size_t {2});
        const auto& box = s.dialogs.last();
        QCOMPARE(box.title, std::string("ATTENZIONE"));
        for (const char* reason : {"lire", "data", "destinatario"})
            QVERIFY2(box.text.find(reason) != std::string::npos, reason);
        QVERIFY(s.exported().isEmpty());
        QVERIFY(!s.dir.exists("clienti.fe"));
    }

    void refusedWithoutCurrentIssuer_data()
    {
        QTest::addColumn<int>("command"); // 0 one invoice, 1 the year
        QTest::newRow("one invoice") << 0;
        QTest::newRow("the year") << 1;
    }

    void refusedWithoutCurrentIssuer()
    {
        QFETCH(int, command);
        Session s;
        s.state.currentIssuer = 0;
        s.dialogs.queueInput("0000000");
        (command == 0 ? app::exportEinvoice : app::exportEinvoiceYear)(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.shown().size(), std::size_t {1});
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(s.dialogs.last().text.find(app::NoIssuerToExportText) != std::string::npos);
        QVERIFY(s.exported().isEmpty());
    }

    void unreadableIssuerDataIsToldAndNothingWritten()
    {
        Session s;
        test::FaultyFileSystem fs(s.state.dataDir);
        fs.fail(test::FaultyFileSystem::Op::Read, "emit.fe");
        s.dialogs.queueInput("0000000");
        app::exportEinvoice(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.shown().size(), std::size_t {1});
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(s.dialogs.last().text.find("emit.fe") != std::string::npos);
        QVERIFY(s.exported().isEmpty());
    }

    // The folder of the electronic invoices cannot be made: the box names the
    // file that was to go in it, and the recipient is not remembered.
    void folderThatCannotBeMadeIsTold_data()
    {
        QTest::addColumn<int>("command"); // 0 one invoice, 1 the year
        QTest::newRow("one invoice") << 0;
        QTest::newRow("the year") << 1;
    }

    void folderThatCannotBeMadeIsTold()
    {
        QFETCH(int, command);
        Session s;
        const archive::BookPaths book = archive::bookPaths(s.state.dataDir, 1, "2024");
        archive::InvoiceForm stored = s.form;
        archive::copyFormToBuffer(stored);
        archive::writeInvoice(book, 1, stored.buffer);
        archive::writeCounter(book, 2);
        test::FaultyFileSystem fs(s.state.dataDir);
        fs.fail(test::FaultyFileSystem::Op::CreateDirectories, "fatture elettroniche");
        if (command == 0)
            s.dialogs.queueInput("0000000");
        (command == 0 ? app::exportEinvoice : app::exportEinvoiceYear)(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        const std::string& text = s.dialogs.last().text;
        QVERIFY2(text.find(einvoice::exportFolder(s.state.dataDir)) != std::string::npos, text.c_str());
        QVERIFY2(text.find("IT01234567897_") != std::string::npos, text.c_str());
        QVERIFY(!QDir(QString::fromStdString(einvoice::exportFolder(s.state.dataDir))).exists());
        QVERIFY(!s.dir.exists("clienti.fe"));
    }

    void yearExportReportsWrittenAndRefused()
    {
        Session s;
        const archive::BookPaths book = archive::bookPaths(s.state.dataDir, 1, "2024");
        archive::InvoiceForm good = s.form;
        archive::copyFormToBuffer(good);
        archive::writeInvoice(book, 1, good.buffer);
        archive::InvoiceForm lire = good;
        lire.buffer.currency = "l";
        archive::writeInvoice(book, 2, lire.buffer);
        archive::writeCounter(book, 3);

        app::exportEinvoiceYear(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.shown().size(), std::size_t {1});
        QCOMPARE(s.dialogs.last().title, ExportTitle);
        const std::string& text = s.dialogs.last().text;
        QVERIFY(text.starts_with("Fatture elettroniche scritte: 1."));
        QVERIFY(text.find("Fattura n. 2:") != std::string::npos);
        QCOMPARE(s.exported(), QStringList {"IT01234567897_00001.xml"});
        QVERIFY(!s.dialogs.busy());
    }

    void yearExportRefusesAYearThatIsNotOne()
    {
        Session s;
        s.form.year = "24";
        app::exportEinvoiceYear(s.form, s.state, s.dialogs);
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(s.dialogs.last().text.find(app::InvalidYearText) != std::string::npos);
        QVERIFY(!s.dir.exists("124.imp"));
    }

    void issuerWindowButton()
    {
        Session s;
        app::IssuerWindowController controller(s.state, s.dialogs);
        controller.showModeless(
            nullptr, {}, [] {}, [] {});
        ui::IssuerWindow* window = controller.window();
        auto* button = window->findChild<QPushButton*>("Command6");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Fattura elettronica..."));
        QVERIFY(button->sizeHint().width() <= button->width());
        QVERIFY(!button->geometry().intersects(window->findChild<QPushButton*>("Command1")->geometry()));

        // No current issuer: refused, no window.
        s.state.currentIssuer = 0;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(s.dialogs.shown().size(), std::size_t {1});
        QCOMPARE(s.dialogs.last().text, std::string(app::NoIssuerForEinvoiceText));
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(!window->findChild<ui::EinvoiceWindow*>());

        // The current issuer's data, modal over the issuer window.
        s.state.currentIssuer = 1;
        QTest::mouseClick(button, Qt::LeftButton);
        auto* einvoiceWindow = window->findChild<ui::EinvoiceWindow*>();
        QVERIFY(einvoiceWindow && einvoiceWindow->isVisible());
        QCOMPARE(einvoiceWindow->windowModality(), Qt::WindowModal);
        einvoice::IssuerEinvoiceData shown = test::professionalInvoice().issuerData;
        shown.iban = "IT60X0542811101000000123456"; // the field drops the blanks of a grouping
        QCOMPARE(einvoiceWindow->data(), shown);
        QTest::mouseClick(einvoiceWindow->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window->findChild<ui::EinvoiceWindow*>());

        // It tells the identifiers the issuer window shows; "Ok" gives the next calculation the choice.
        window->findChild<QLineEdit*>("txtf6")->setText("4010");
        QTest::mouseClick(button, Qt::LeftButton);
        einvoiceWindow = window->findChild<ui::EinvoiceWindow*>();
        QVERIFY(einvoiceWindow->findChild<QLabel*>("etcnote")->text().startsWith("Il CAP dell'emittente"));
        QTest::mouseClick(einvoiceWindow->findChild<QCheckBox*>("chkbollo"), Qt::LeftButton);
        QTest::mouseClick(einvoiceWindow->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(s.state.issuerTerms.amounts.chargeStampDuty);
        QVERIFY(einvoice::readIssuerData(s.state.dataDir, 1).value().chargeStampDuty);
        window->close();
    }

    void resetAllDeletesTheIssuersEinvoiceData()
    {
        Session s;
        QVERIFY(s.dir.exists("emit.fe"));
        QVERIFY(app::resetAll(s.form, s.state, s.dialogs));
        QVERIFY(!s.dir.exists("emit.fe"));
        QVERIFY(!s.dir.exists("bollo.fe"));
        QVERIFY(!s.dir.exists("pagamenti.fe"));
        QVERIFY(!s.dir.exists("emit"));

        // The next issuer saved as number 1 starts from the defaults.
        const auto data = einvoice::readIssuerData(s.state.dataDir, 1);
        QVERIFY(data.ok());
        QCOMPARE(data.value(), einvoice::IssuerEinvoiceData {});
    }

    void resetAllTellsAnEinvoiceFileThatStays()
    {
        Session s;
        test::FaultyFileSystem fs(s.state.dataDir);
        fs.fail(test::FaultyFileSystem::Op::Rename, "emit.fe");
        QVERIFY(!app::resetAll(s.form, s.state, s.dialogs));
        QCOMPARE(s.dialogs.last().title, std::string("ATTENZIONE"));
        QVERIFY(s.dialogs.last().text.find("emit.fe") != std::string::npos);
    }
};

QTEST_MAIN(TestEinvoiceCommands)
#include "test_einvoice_commands.moc"
