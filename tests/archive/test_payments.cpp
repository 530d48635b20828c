// The .inc of a book: payments kept byte for byte where they cannot be
// read, and the record of each invoice following it through every
// renumbering, save and deletion of its book.
#include "archive/lifecycle.h"
#include "archive/maintenance.h"
#include "archive/payments.h"

#include "invoice_books.h"

#include <QtTest>

#include <functional>

using namespace tessaro;
using namespace tessaro::test;

namespace {

archive::InvoicePayments paidBy(const std::string& note)
{
    archive::InvoicePayments payments;
    payments.method = "MP05";
    payments.term = "30";
    payments.payments.push_back({{2024, 3, 1}, "100.00", "MP05", note, {}});
    return payments;
}

// The note of the first payment of each invoice 1 .. last, "-" for none.
QStringList notes(const archive::BookPaths& book, int last)
{
    QStringList found;
    for (int n = 1; n <= last; ++n) {
        auto payments = archive::readPayments(book, n);
        if (!payments.ok())
            return {"<error>"};
        const auto& list = payments.value().payments;
        found << (list.empty() ? QStringLiteral("-") : QString::fromStdString(list.front().note));
    }
    return found;
}

using Step = std::function<void(archive::InvoiceForm&, archive::AppState&)>;

} // namespace

Q_DECLARE_METATYPE(Step)

class TestPayments : public QObject {
    Q_OBJECT

private slots:
    void unreadablePlacesAreKeptAsTheyAre()
    {
        std::array<std::uint8_t, archive::PaymentsRecordSize> bytes {};
        archive::encodePayments(paidBy("prima"), bytes);
        // A second place whose date is no date, as a damaged disk leaves it.
        const auto second = archive::paymentFieldOf(1, archive::PaymentField::Date);
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(second.offset), archive::PaymentSize, 'x');
        archive::InvoicePayments read = archive::decodePayments(bytes);
        QCOMPARE(read.payments.size(), std::size_t {2});
        QVERIFY(read.payments[0].readable());
        QVERIFY(!read.payments[1].readable());
        QCOMPARE(read.received(), 100.0);

        read.payments.push_back({{2024, 4, 2}, "-20.50", "", "terza", {}});
        std::array<std::uint8_t, archive::PaymentsRecordSize> again {};
        archive::encodePayments(read, again);
        QVERIFY(std::equal(again.begin() + static_cast<std::ptrdiff_t>(second.offset),
                           again.begin() + static_cast<std::ptrdiff_t>(second.offset + archive::PaymentSize),
                           bytes.begin() + static_cast<std::ptrdiff_t>(second.offset)));
        QCOMPARE(archive::decodePayments(again), read);
        QCOMPARE(archive::decodePayments(again).received(), 79.5);
    }

    void recordsFollowTheirInvoices_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QStringList>("notes"); // of the stored invoices afterwards
        QTest::addColumn<QString>("termsOf3");
        QTest::newRow("insert at 2") << Step(
            [](auto& form, auto& state) { QVERIFY(archive::insertInvoice(form, state, 2).ok()); })
                                     << QStringList {"A", "-", "B", "C", "D"} << "30";
        QTest::newRow("delete 2") << Step(
            [](auto& form, auto& state) { QVERIFY(archive::deleteInvoice(form, state, 2).ok()); })
                                  << QStringList {"A", "C", "D"} << "30";
        QTest::newRow("save 3 anew: its terms change, its payments stay") << Step([](auto& form, auto& state) {
            QVERIFY(archive::loadInvoice(form, state, 3).ok());
            form.payments.term = "60FM";
            QVERIFY(archive::saveInvoice(form, state, 3).ok());
        }) << QStringList {"A", "B", "C", "D"} << "60FM";
        QTest::newRow("a new invoice past a gap takes the issuer's terms and no payment") << Step(
            [](auto& form, auto& state) {
                QVERIFY(archive::saveInvoice(form, state, 6).ok());
                QCOMPARE(archive::readPayments(archive::currentBook(form, state), 6).value().term, std::string("90"));
            }) << QStringList {"A", "B", "C", "D", "-", "-"} << "30";
    }

    void recordsFollowTheirInvoices()
    {
        QFETCH(Step, step);
        QFETCH(QStringList, notes);
        QFETCH(QString, termsOf3);
        TestDir dir;
        archive::AppState state = stateIn(dir);
        state.issuerTerms.paymentTerm = "90";
        const archive::BookPaths book = bookOfFour(state);
        // Invoice 5 is the slot: its stale record must not reach a new invoice.
        std::vector<archive::InvoicePayments> records {paidBy("A"), paidBy("B"), paidBy("C"), paidBy("D"),
                                                       paidBy("slot")};
        QVERIFY(archive::writePayments(book, 1, records).ok());
        archive::InvoiceForm form = formOfYear("2024");
        QVERIFY(archive::switchYear(form, state).ok());

        step(form, state);
        QCOMPARE(::notes(book, state.nextNumber - 1), notes);
        QCOMPARE(QString::fromStdString(archive::readPayments(book, 3).value().term), termsOf3);
    }

    void aBookWithoutTermsStaysWithoutTheFile()
    {
        TestDir dir;
        archive::AppState state = stateIn(dir);
        const archive::BookPaths book = bookOfFour(state);
        archive::InvoiceForm form = formOfYear("2024");
        QVERIFY(archive::switchYear(form, state).ok());
        QVERIFY(archive::saveInvoice(form, state, 5).ok());
        QVERIFY(archive::insertInvoice(form, state, 1).ok());
        QVERIFY(!QFile::exists(QString::fromStdString(book.payments)));

        QVERIFY(archive::writePayments(book, 1, std::vector {paidBy("A")}).ok());
        QVERIFY(archive::deleteYear(state, "2024").ok());
        QVERIFY(!QFile::exists(QString::fromStdString(book.payments)));
    }
};

QTEST_GUILESS_MAIN(TestPayments)
#include "test_payments.moc"
