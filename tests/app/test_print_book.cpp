// Printing a book: one page per stored invoice, the form filled from each
// record, options carried over a blank issue kind, extra lines per invoice.
#include "app/print_book.h"
#include "archive/book.h"
#include "layout_checks.h"
#include "print/money_text.h"
#include "test_dir.h"

#include <QTest>

using namespace tessaro;
using tessaro::test::hasSegment;
using tessaro::test::textOf;

namespace {

archive::InvoiceRecord storedInvoice(const std::string& kind, const std::string& surname,
                                     const std::array<std::string, 3>& prices)
{
    archive::InvoiceRecord invoice;
    invoice.client = test::sampleClient();
    invoice.client.surname = surname;
    invoice.day = "01";
    invoice.month = "02";
    invoice.vat = "20";
    invoice.kind = kind;
    invoice.description = {"Uno", "Due", "Tre"};
    invoice.amount = prices;
    invoice.quantity = {"1", "1", "1"};
    invoice.currency = "e";
    invoice.rate = 1936.27f;
    return invoice;
}

// The x of the date line on a page, where the tick boxes hang.
double dateX(const print::RecordingPage& page, int pageIndex)
{
    return textOf(page, "del 01-02-2008", pageIndex).x;
}

} // namespace

class TestPrintBook : public QObject {
    Q_OBJECT

private slots:
    void threeInvoicesThreePages();
    void emptyBook();
};

void TestPrintBook::threeInvoicesThreePages()
{
    test::TestDir dir;
    auto state = test::sampleState(archive::InvoiceType::Commercial);
    state.dataDir = dir.data();
    state.currentIssuer = 1;
    state.nextNumber = 4;
    const auto book = archive::bookPaths(state.dataDir, 1, "2008");
    QVERIFY(archive::createBook(book).ok());
    QVERIFY(archive::writeInvoice(book, 1, storedInvoice("a", "Primo", {"10", "0", "5"})).ok());
    QVERIFY(archive::writeInvoice(book, 2, storedInvoice(" ", "Secondo", {"20", "", ""})).ok());
    QVERIFY(archive::writeInvoice(book, 3, storedInvoice("s", "Terzo", {"30", "1", "2"})).ok());
    archive::ExtraLinesRecord extra;
    extra.description[0] = "Aggiunta";
    extra.amount[0] = "7";
    extra.quantity[0] = "1";
    QVERIFY(archive::writeExtraLines(book, 1, extra).ok());
    QVERIFY(archive::writeExtraLines(book, 3, extra).ok());

    archive::InvoiceForm form;
    form.year = "2008";
    form.onAccount = false;
    form.balance = false;
    print::RecordingPage page;
    const auto outcome = app::layoutBook(page, form, state);
    QVERIFY(!outcome.error);
    QCOMPARE(outcome.printed, 3);
    // The break after the last invoice is there too; the back end decides about it.
    QCOMPARE(page.pageBreaks(), 3);

    for (int p = 0; p < 3; ++p) {
        QVERIFY(page.find("FATTURA N. " + std::to_string(p + 1), p));
        // Every page measures and prints the issuer block anew.
        QCOMPARE(textOf(page, "Ing. Mario Rossi", p).y, 1000.0);
        QVERIFY(page.find("IVA (20%)", p));
    }
    QVERIFY(page.find("Sig. Primo Anna", 0));
    QVERIFY(page.find("Sig. Terzo Anna", 2));

    // "a" crosses the first box; the blank kind of invoice 2 keeps it; "s" the second.
    const double x0 = dateX(page, 0);
    const auto crossOn = [&](int pageIndex, double top) {
        for (const auto& s : page.segments()) {
            if (s.pageIndex == pageIndex && s.x1 == x0 - 50 && s.y1 == top && s.x2 == x0 + 150 && s.y2 == top + 200)
                return true;
        }
        return false;
    };
    QVERIFY(crossOn(0, 1650));
    QVERIFY(!crossOn(0, 1950));
    QVERIFY(crossOn(1, 1650));
    QVERIFY(!crossOn(1, 1950));
    QVERIFY(!crossOn(2, 1650));
    QVERIFY(crossOn(2, 1950));

    // Extra lines only where the three main prices are all non-zero.
    QVERIFY(!page.find(" 4", 0));
    QVERIFY(!page.find(" 4", 1));
    QVERIFY(page.find(" 4", 2));
    QVERIFY(page.find(form.extraLines.description[0], 2)); // as stored, blanks included

    // The form ends on the last invoice; the year field is not touched.
    QCOMPARE(form.number, std::string("3"));
    QCOMPARE(form.year, std::string("2008"));
    QCOMPARE(print::trimBlanks(form.client.surname), std::string("Terzo"));
    QVERIFY(form.balance);
    QVERIFY(!form.onAccount);
}

void TestPrintBook::emptyBook()
{
    test::TestDir dir;
    auto state = test::sampleState(archive::InvoiceType::Professional);
    state.dataDir = dir.data();
    state.nextNumber = 1;
    archive::InvoiceForm form;
    form.year = "2008";
    form.number = "1";
    print::RecordingPage page;
    const auto outcome = app::layoutBook(page, form, state);
    QCOMPARE(outcome.printed, 0);
    QVERIFY(page.texts().empty());
    QVERIFY(page.segments().empty());
    QCOMPARE(page.pageBreaks(), 0);
    QCOMPARE(form.number, std::string("1"));
}

QTEST_GUILESS_MAIN(TestPrintBook)
#include "test_print_book.moc"
