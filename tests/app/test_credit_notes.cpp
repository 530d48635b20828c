// A credit note as a user makes one: from invoice 2 on screen, "Nota di
// credito", then "Salva". Its mark follows the invoices through every
// renumbering and goes with the book; the paper, the totals and the register
// all know it.
#include "app/clock.h"
#include "app/credit_note_commands.h"
#include "app/invoice_commands.h"
#include "app/print_book.h"
#include "archive/codepage.h"
#include "archive/lifecycle.h"
#include "archive/maintenance.h"
#include "archive/register.h"
#include "archive/register_texts.h"
#include "archive/totals.h"
#include "late_clock.h"
#include "layout_checks.h"
#include "print/invoice_page.h"
#include "print/recording_page.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

#include <functional>

using namespace tessaro;

namespace {

const app::FixedClock Today {2026, 12, 8};

struct Book {
    test::TestDir dir;
    archive::AppState state = test::sampleState(archive::InvoiceType::Professional);
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    archive::BookPaths paths() const { return archive::currentBook(form, state); }

    // Fees 1000, 500 and 200 on 10 May 2026; then
    // invoice 2 on screen, and with `note` its credit note saved as number 4.
    explicit Book(bool note = true)
    {
        state.dataDir = dir.data();
        form.year = "2026";
        QVERIFY(archive::switchYear(form, state).ok());
        for (const char* fee : {"1000", "500", "200"}) {
            archive::clearInvoice(form, state);
            form.client = test::sampleClient();
            form.day = "10";
            form.month = "5";
            form.amount[0] = fee;
            form.extraLines.amount[0] = fee; // lines 4 to 10 of fees count nowhere, but are copied
            QVERIFY(archive::saveInvoice(form, state, archive::invoiceNumber(form.number)).ok());
        }
        app::showInvoice(form, state, dialogs, 2);
        if (!note)
            return;
        app::prepareCreditNote(form, state, dialogs, Today);
        app::saveInvoice(form, state, dialogs, test::lateClock());
    }

    // The numbers of the book's credit notes, each with the number it cancels.
    QStringList marks() const
    {
        QStringList found;
        for (int n = 1; n < state.nextNumber; ++n) {
            auto mark = archive::readCreditNote(paths(), n);
            if (!mark.ok())
                return {"<error>"};
            if (mark.value().isCreditNote)
                found << QStringLiteral("%1:%2").arg(n).arg(QString::fromStdString(mark.value().refNumber));
        }
        return found;
    }
};

using Operation = std::function<void(Book&)>;

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestCreditNotes : public QObject {
    Q_OBJECT

private slots:
    void preparedFromTheStoredInvoice()
    {
        Book book(false);
        book.form.amount[0] = "999"; // typed, not saved: the note cancels what was stored
        app::prepareCreditNote(book.form, book.state, book.dialogs, Today);
        const archive::InvoiceForm& note = book.form;
        QCOMPARE(note.number, std::string("4"));
        QCOMPARE(note.creditNote, (archive::CreditNoteMark {true, "2", "10", "5", "2026"}));
        QCOMPARE(note.day + "/" + note.month, std::string("08/12"));
        QCOMPARE(archive::trimBlanks(note.amount[0]), "500");
        QCOMPARE(archive::trimBlanks(note.extraLines.amount[0]), "500");
        QCOMPARE(archive::trimBlanks(note.client.surname), archive::trimBlanks(test::sampleClient().surname));
        QCOMPARE(book.dialogs.last().title, std::string("Nota di credito"));
        // Nothing is written before "Salva", and a book without credit notes has no file for them.
        QVERIFY(!book.dir.data().fs().exists(book.paths().creditNotes));

        app::saveInvoice(book.form, book.state, book.dialogs, test::lateClock());
        QCOMPARE(book.marks(), QStringList {"4:2"});
        QCOMPARE(book.form.number, std::string("5"));
        QVERIFY(!book.form.creditNote.isCreditNote);
    }

    void aSecondNoteIsAskedFor()
    {
        Book book;
        for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
            app::showInvoice(book.form, book.state, book.dialogs, 2);
            book.dialogs.queueAnswer(answer);
            app::prepareCreditNote(book.form, book.state, book.dialogs, Today);
            QCOMPARE(book.dialogs.shown().at(book.dialogs.shown().size() - (answer == ui::Answer::Yes ? 2 : 1)).text,
                     std::string("La fattura n. 2 è già stornata dalla nota di credito n. 4. Preparare un'altra nota "
                                 "di credito?"));
            QCOMPARE(book.form.creditNote.isCreditNote, answer == ui::Answer::Yes);
        }
        QCOMPARE(book.form.number, std::string("5"));
    }

    void followsTheInvoices_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QStringList>("marks");
        const auto insertAt
            = [](int n) { return Operation([n](Book& b) { archive::insertInvoice(b.form, b.state, n); }); };
        const auto deleteAt
            = [](int n) { return Operation([n](Book& b) { archive::deleteInvoice(b.form, b.state, n); }); };
        // The cancelled invoice keeps the number it had when the note was made.
        QTest::newRow("insert at 1") << insertAt(1) << QStringList {"5:2"};
        QTest::newRow("insert at the note") << insertAt(4) << QStringList {"5:2"};
        QTest::newRow("delete at 1") << deleteAt(1) << QStringList {"3:2"};
        QTest::newRow("delete the note") << deleteAt(4) << QStringList {};
        // What a deleted note leaves past the counter marks no later invoice.
        QTest::newRow("delete the note, save at its number") << Operation([](Book& b) {
            archive::deleteInvoice(b.form, b.state, 4);
            archive::saveInvoice(b.form, b.state, 5);
        }) << QStringList {};
        QTest::newRow("another invoice saved")
            << Operation([](Book& b) { archive::saveInvoice(b.form, b.state, 5); }) << QStringList {"4:2"};
        QTest::newRow("delete the year") << Operation([](Book& b) { archive::deleteYear(b.state, "2026"); })
                                         << QStringList {};
        QTest::newRow("reset all") << Operation([](Book& b) {
            archive::resetAll(b.state);
            b.state.nextNumber = 5; // read where the note was
        }) << QStringList {};
        // Refused: a note of the free slot, a note of a note.
        for (const int shown : {5, 4}) {
            QTest::newRow(shown == 5 ? "no note of the free number" : "no note of a note")
                << Operation([shown](Book& b) {
                       app::showInvoice(b.form, b.state, b.dialogs, shown);
                       app::prepareCreditNote(b.form, b.state, b.dialogs, Today);
                       QCOMPARE(b.dialogs.last().title, std::string("ATTENZIONE"));
                       QCOMPARE(b.form.number, " " + std::to_string(shown));
                       app::saveInvoice(b.form, b.state, b.dialogs, test::lateClock());
                   })
                << QStringList {"4:2"};
        }
    }

    void followsTheInvoices()
    {
        QFETCH(Operation, operation);
        QFETCH(QStringList, marks);
        Book book;
        operation(book);
        QCOMPARE(book.marks(), marks);
    }

    void subtractedAndTitled()
    {
        Book book;
        const archive::BookPaths paths = book.paths();
        const auto taxable
            = archive::sumInvoices(paths, archive::InvoiceType::Professional, archive::TotalKind::Taxable, 1, 4);
        QVERIFY(taxable.ok());
        QCOMPARE(taxable.value(), 1200.0);
        const auto reg = archive::BookRegister::read(paths, archive::InvoiceType::Professional, 5);
        QVERIFY(reg.ok());
        QCOMPARE(reg.value().totals().taxable, taxable.value());
        QCOMPARE(reg.value().totals().vat, 1200.0 * 0.22);
        QCOMPARE(reg.value().row(3).figures.toPay, -610.0);
        QCOMPARE(archive::registerNote(reg.value().row(3), ','), std::string("nota di credito della fattura n. 2"));

        // The year's printing reads the mark of each invoice.
        print::RecordingPage page;
        const app::YearOutcome printed = app::layoutBook(page, book.form, book.state);
        QCOMPARE(printed.printed, 4);
        QVERIFY(page.find("FATTURA N. 2", 1));
        QVERIFY(page.find("NOTA DI CREDITO N. 4", 3));
        QVERIFY(page.find("a storno della fattura n. 2 del 10/05/2026", 3));
        QVERIFY(!page.find("a storno della fattura n. 2 del 10/05/2026", 1));
    }
};

QTEST_MAIN(TestCreditNotes)
#include "test_credit_notes.moc"
