// "Incassi della fattura" as a user works it: payments typed the Italian
// way, refused when they cannot be, asked about when they pay too much;
// terms changed; credit notes giving money back. What the window shows is
// checked against a reckoning by hand, what the book holds against the window.
#include "app/clock.h"
#include "app/credit_note_commands.h"
#include "app/invoice_commands.h"
#include "app/payment_commands.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "late_clock.h"
#include "layout_checks.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

using namespace tessaro;
using Action = ui::PaymentsRequest::Action;

namespace {

const app::FixedClock Today {2026, 12, 8};

ui::PaymentsRequest payment(const char* date, const char* amount)
{
    ui::PaymentsRequest request;
    request.action = Action::Record;
    request.date = date;
    request.amount = amount;
    request.method = "MP05";
    return request;
}

ui::PaymentsRequest terms(const char* method, const char* term, const char* due = "")
{
    ui::PaymentsRequest request;
    request.action = Action::ChangeTerms;
    request.termMethod = method;
    request.term = term;
    request.due = due;
    return request;
}

ui::PaymentsRequest removal(int row)
{
    ui::PaymentsRequest request;
    request.action = Action::Remove;
    request.row = row;
    return request;
}

// Fees 1000, 500 and 200 at VAT 22 on 10 May 2026: 1220, 610 and 244 to pay.
struct Book {
    test::TestDir dir;
    archive::AppState state = test::sampleState(archive::InvoiceType::Professional);
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    Book()
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
            QVERIFY(archive::saveInvoice(form, state, archive::invoiceNumber(form.number)).ok());
        }
    }

    // Invoice n on screen, the requests worked through the window; what it showed last.
    ui::PaymentsView run(int n, const QList<ui::PaymentsRequest>& requests)
    {
        app::showInvoice(form, state, dialogs, n);
        for (const ui::PaymentsRequest& request : requests)
            dialogs.queuePaymentsRequest(request);
        app::showPayments(form, state, dialogs, Today);
        return dialogs.paymentViews().empty() ? ui::PaymentsView {} : dialogs.paymentViews().back();
    }

    archive::InvoicePayments stored(int n) const
    {
        return archive::readPayments(archive::currentBook(form, state), n).value();
    }
};

QString row(const ui::PaymentsView& view)
{
    return QString::fromStdString(view.toPay + " " + view.received + " " + view.owed + " " + view.state + " "
                                  + view.due);
}

} // namespace

Q_DECLARE_METATYPE(ui::PaymentsRequest)

class TestPaymentCommands : public QObject {
    Q_OBJECT

private slots:
    void paymentsOfAnInvoice_data()
    {
        QTest::addColumn<QList<ui::PaymentsRequest>>("requests");
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QString>("shown"); // to pay, received, owed, state, due date
        QTest::addColumn<int>("stored"); // payments in the book afterwards
        QTest::addColumn<QString>("message"); // the start of the last box, empty when none

        using R = QList<ui::PaymentsRequest>;
        using A = QList<ui::Answer>;
        QTest::newRow("part paid") << R {payment("20/05/2026", "500")} << A {}
                                   << "1220,00 500,00 720,00 incassata in parte " << 1 << "";
        QTest::newRow("paid in two, typed the Italian way")
            << R {payment("20/05/2026", "1.000,00"), payment("1/6/2026", "220")} << A {}
            << "1220,00 1220,00 0,00 incassata " << 2 << "";
        QTest::newRow("dated before the invoice")
            << R {payment("09/05/2026", "500")} << A {} << "1220,00 0,00 1220,00 da incassare " << 0
            << "La data dell'incasso non può precedere";
        QTest::newRow("no calendar date")
            << R {payment("31/04/2026", "500")} << A {} << "1220,00 0,00 1220,00 da incassare " << 0
            << "La data dell'incasso \"31/04/2026\" non è una data";
        QTest::newRow("zero") << R {payment("20/05/2026", "0,00")} << A {} << "1220,00 0,00 1220,00 da incassare " << 0
                              << "Indicare l'importo incassato";
        QTest::newRow("unreadable") << R {payment("20/05/2026", "500 euro")} << A {}
                                    << "1220,00 0,00 1220,00 da incassare " << 0 << "Indicare l'importo incassato";
        QTest::newRow("negative on an invoice")
            << R {payment("20/05/2026", "-50")} << A {} << "1220,00 0,00 1220,00 da incassare " << 0
            << "L'importo incassato non può essere negativo";
        QTest::newRow("too much, not kept")
            << R {payment("20/05/2026", "1300")} << A {ui::Answer::No} << "1220,00 0,00 1220,00 da incassare " << 0
            << "Con questo incasso il totale incassato (1300,00) supera";
        QTest::newRow("too much, kept") << R {payment("20/05/2026", "1300")} << A {ui::Answer::Yes}
                                        << "1220,00 1300,00 0,00 incassata " << 1 << "Con questo incasso";
        QTest::newRow("removed") << R {payment("20/05/2026", "500"), removal(0)} << A {ui::Answer::Yes}
                                 << "1220,00 0,00 1220,00 da incassare " << 0 << "Eliminare l'incasso del 20/05/2026";
        QTest::newRow("removal not confirmed") << R {payment("20/05/2026", "500"), removal(0)} << A {ui::Answer::No}
                                               << "1220,00 500,00 720,00 incassata in parte " << 1 << "Eliminare";
        QTest::newRow("due on a date of its own, passed")
            << R {terms("MP01", "DATA", "30/06/2026")} << A {} << "1220,00 0,00 1220,00 scaduta 30/06/2026" << 0 << "";
        QTest::newRow("30 days, paid late in part") << R {terms("MP05", "30"), payment("1/12/2026", "20")} << A {}
                                                    << "1220,00 20,00 1200,00 scaduta 09/06/2026" << 1 << "";
        QTest::newRow("a due date that is none")
            << R {terms("MP05", "DATA", "31/06/2026")} << A {} << "1220,00 0,00 1220,00 da incassare " << 0
            << "La scadenza \"31/06/2026\" non è una data";
    }

    void paymentsOfAnInvoice()
    {
        QFETCH(QList<ui::PaymentsRequest>, requests);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        QFETCH(QString, message);
        Book book;
        for (const ui::Answer answer : answers)
            book.dialogs.queueAnswer(answer);
        QCOMPARE(row(book.run(1, requests)), shown);
        QCOMPARE(static_cast<int>(book.stored(1).payments.size()), stored);
        QCOMPARE(book.dialogs.shown().empty() ? QString()
                                              : QString::fromStdString(book.dialogs.last().text).left(message.size()),
                 message);
        // The form on screen keeps the terms the window wrote.
        QCOMPARE(book.form.payments, book.stored(1));
    }

    void aNewInvoiceIsSavedFirst()
    {
        Book book;
        app::showPayments(book.form, book.state, book.dialogs, Today);
        QVERIFY(book.dialogs.paymentViews().empty());
        QCOMPARE(book.dialogs.last().text,
                 std::string("Gli incassi si registrano su una fattura salvata: salvare prima la fattura."));
    }

    void twelvePaymentsAtMost()
    {
        Book book;
        QList<ui::PaymentsRequest> requests;
        for (int month = 1; month <= 13; ++month)
            requests << payment(month <= 7 ? "20/05/2026" : "20/06/2026", "10");
        const ui::PaymentsView view = book.run(1, requests);
        QCOMPARE(view.rows.size(), archive::PaymentsPerInvoice);
        QVERIFY(view.full);
        QVERIFY(book.dialogs.last().text.starts_with("La fattura ha già 12 incassi"));
    }

    void creditNotes()
    {
        Book book;
        // Invoice 2 (610) part paid, then cancelled: the note gives back what came in.
        book.run(2, {payment("20/05/2026", "300")});
        app::showInvoice(book.form, book.state, book.dialogs, 2);
        app::prepareCreditNote(book.form, book.state, book.dialogs, Today);
        app::saveInvoice(book.form, book.state, book.dialogs, test::lateClock());
        QCOMPARE(row(book.run(2, {})), QString("610,00 300,00 0,00 stornata "));
        QCOMPARE(row(book.run(4, {})), QString("-300,00 0,00 -300,00 da incassare "));
        QCOMPARE(row(book.run(4, {payment("10/12/2026", "300")})), QString("-300,00 -300,00 0,00 incassata "));
        QCOMPARE(book.stored(4).payments.front().amount, std::string("-300.00"));

        // Invoice 3 cancelled unpaid: the note needs no payment, both are settled.
        app::showInvoice(book.form, book.state, book.dialogs, 3);
        app::prepareCreditNote(book.form, book.state, book.dialogs, Today);
        app::saveInvoice(book.form, book.state, book.dialogs, test::lateClock());
        QCOMPARE(row(book.run(3, {})), QString("244,00 0,00 0,00 stornata "));
        QCOMPARE(row(book.run(5, {})), QString("0,00 0,00 0,00 stornata "));
    }
};

QTEST_MAIN(TestPaymentCommands)
#include "test_payment_commands.moc"
