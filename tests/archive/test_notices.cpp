// Fee notices: the mark of the invoice each became, the invoice issued from a
// notice paid in the next year, the marks following the invoices through an
// insertion, a deletion and a year deleted, and "Emetti fattura" cut at every write.
#include "archive/lifecycle.h"
#include "archive/maintenance.h"
#include "archive/notices.h"
#include "archive/payments.h"
#include "archive/recovery.h"

#include "faulty_file_system.h"
#include "invoice_books.h"

#include <QtTest>

using namespace tessaro;
using namespace tessaro::test;

namespace {

constexpr calc::Date PaidInJanuary {2027, 1, 10};

struct Notices {
    TestDir dir;
    archive::AppState state = stateIn(dir);

    // Notice 1 of 2026 to Rossi: a fee of 1000 at 22 % VAT with 20 % withheld, due by bank transfer.
    Notices()
    {
        const archive::BookPaths book = notices();
        archive::InvoiceRecord notice = invoiceOf("Rossi");
        notice.day = "15";
        notice.month = "12";
        notice.amount[0] = "1000";
        notice.withholding = "20";
        QVERIFY(archive::writeInvoice(book, 1, notice).ok());
        QVERIFY(archive::writeExtraLines(book, 1, linesOf("sopralluogo")).ok());
        QVERIFY(archive::writeCounter(book, 2).ok());
        archive::InvoicePayments terms;
        terms.method = "MP05";
        terms.term = "30";
        QVERIFY(archive::writePayments(book, 1, {&terms, 1}).ok());
    }
    archive::BookPaths notices() const
    {
        return archive::bookPaths(state.dataDir, 1, "2026", archive::Document::Notices);
    }
    archive::BookPaths invoices(const std::string& year) const { return archive::bookPaths(state.dataDir, 1, year); }
    archive::Result<archive::IssuedInvoice> issue(calc::Date paid = PaidInJanuary) const
    {
        return archive::issueInvoice({notices(), 1, "2026", paid, calc::InvoiceType::Professional, {}}, 1);
    }
    archive::NoticeInvoiced mark() const
    {
        auto read = archive::readNoticeInvoiced(notices(), 1);
        return read.ok() ? read.value() : archive::NoticeInvoiced {-1, -1, {}};
    }
};

} // namespace

class TestNotices : public QObject {
    Q_OBJECT

private slots:
    void marks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("invoiced") << QByteArray("20275    20270110") << "fatturato con la fattura n. 5 del 10/01/2027";
        QTest::newRow("blank") << QByteArray(17, ' ') << "da fatturare";
        QTest::newRow("never written") << QByteArray(17, '\0') << "da fatturare";
        QTest::newRow("no calendar date") << QByteArray("20275    20270230") << "da fatturare";
        QTest::newRow("number 0") << QByteArray("20270    20270110") << "da fatturare";
        QTest::newRow("letters") << QByteArray("20x75    20270110") << "da fatturare";
    }
    void marks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        std::array<std::uint8_t, archive::NoticeInvoicedRecordSize> record {};
        std::copy(bytes.begin(), bytes.end(), record.begin());
        const archive::NoticeInvoiced mark = archive::decodeNoticeInvoiced(record);
        QCOMPARE(QString::fromStdString(archive::invoicedText(mark)), text);
        // What reads as an invoice writes back byte for byte.
        if (mark.invoiced()) {
            std::array<std::uint8_t, archive::NoticeInvoicedRecordSize> again {};
            archive::encodeNoticeInvoiced(mark, again);
            QCOMPARE(again, record);
        }
    }

    void aDecemberNoticePaidInJanuaryBecomesAnInvoiceOfTheNewYear()
    {
        Notices n;
        const archive::BookPaths book2027 = n.invoices("2027");
        QVERIFY(archive::writeInvoice(book2027, 1, invoiceOf("Bianchi")).ok());
        QVERIFY(archive::writeCounter(book2027, 2).ok());

        const auto issued = n.issue();
        QVERIFY(issued.ok());
        QCOMPARE(issued.value().refusal, archive::IssuedInvoice::Refusal::None);
        QCOMPARE(issued.value().number, 2);
        // 1000 + 220 VAT - 200 withheld; no stamp duty with VAT charged.
        QCOMPARE(issued.value().toPay, 1020.0);

        const archive::InvoiceRecord invoice = archive::readInvoice(book2027, 2).value();
        QCOMPARE(trimmed(invoice.client.surname) + " " + invoice.day + "/" + invoice.month + " "
                     + trimmed(invoice.amount[0]) + " " + lineAt(book2027, 2),
                 std::string("Rossi 10/01 1000 sopralluogo"));
        QCOMPARE(archive::readCounter(book2027).value(), std::int16_t {3});
        const archive::InvoicePayments paid = archive::readPayments(book2027, 2).value();
        const archive::ReceivedPayment whole {PaidInJanuary, "1020.00", "MP05", "avviso di parcella n. 1/2026", {}};
        QVERIFY(paid.method == "MP05" && paid.payments == std::vector {whole});
        QCOMPARE(archive::invoicedText(n.mark()), std::string("fatturato con la fattura n. 2 del 10/01/2027"));
        // The invoice book of the notice's own year is not touched.
        QVERIFY(!n.dir.exists("12026.arc"));

        const auto again = n.issue();
        QCOMPARE(again.value().refusal, archive::IssuedInvoice::Refusal::AlreadyInvoiced);
        QCOMPARE(again.value().mark.number, 2);
        QCOMPARE(archive::readCounter(book2027).value(), std::int16_t {3});
    }

    // The marks follow the invoices they name, in every notice book of the issuer, and only those.
    void marksFollowTheInvoicesTheyName()
    {
        Notices n;
        bookOfFour(n.state, "2027");
        QCOMPARE(n.issue().value().number, 5);
        archive::InvoiceForm form = formOfYear("2027");
        QVERIFY(archive::switchYear(form, n.state).ok());
        struct Step {
            bool insert;
            int number;
            int markAfter; // 0: waits for an invoice again
        };
        for (const Step step : {Step {true, 2, 6}, Step {false, 3, 5}, Step {true, 6, 5}, Step {false, 5, 0}}) {
            form.number = std::to_string(step.number);
            const archive::Status done = step.insert ? archive::insertInvoice(form, n.state, step.number)
                                                     : archive::deleteInvoice(form, n.state, step.number);
            QVERIFY(done.ok());
            QCOMPARE(n.mark().number, step.markAfter);
        }

        // A year deleted frees the notices it invoiced.
        QCOMPARE(n.issue().value().number, 6);
        QVERIFY(n.mark().invoiced());
        QVERIFY(archive::deleteYear(n.state, "2027").ok());
        QVERIFY(!n.mark().invoiced());
    }

    void anIssueCutAnywhereLeavesBothBooksOrNeither()
    {
        for (int changes = 1; changes < 20; ++changes) {
            Notices n;
            FaultyFileSystem fs(n.state.dataDir);
            fs.crashAfter(changes);
            const bool issued = n.issue().ok();
            const bool crashed = fs.crashed();
            fs.heal();
            archive::recoverJournal(n.dir.data());
            const archive::BookPaths book2027 = n.invoices("2027");
            const bool invoiceThere = archive::readCounter(book2027).value() == 2;
            const std::string step = std::to_string(changes);
            QVERIFY2(n.mark().invoiced() == invoiceThere, step.c_str());
            QVERIFY2(!invoiceThere || archive::readPayments(book2027, 1).value().payments.size() == 1, step.c_str());
            QVERIFY2(crashed || issued, step.c_str());
            if (!crashed)
                break;
        }
    }
};

QTEST_GUILESS_MAIN(TestNotices)
#include "test_notices.moc"
