// The printed register on the recording page: every invoice once and in
// order, the issuer, the year and the headings on every page, "Pagina n di
// m" with the right m, the totals only after the last invoice; a stop
// abandons the document. And the month bars: heights in proportion.
#include "archive/book.h"
#include "archive/register.h"
#include "print/month_bars.h"
#include "print/recording_page.h"
#include "print/register_page.h"

#include "test_dir.h"

#include <QtTest>

#include <numeric>

using namespace tessaro;

namespace {

archive::BookRegister bookOf(const test::TestDir& dir, int invoices)
{
    const archive::BookPaths book = archive::bookPaths(dir.data(), 1, "2024");
    for (int n = 1; n <= invoices; ++n) {
        archive::InvoiceRecord invoice;
        invoice.client.surname = "Cliente";
        invoice.amount[0] = "100";
        invoice.currency = "e";
        archive::writeInvoice(book, n, invoice);
    }
    return archive::BookRegister::read(book, calc::InvoiceType::Professional, invoices + 1).value();
}

print::RegisterSheet sheet()
{
    print::RegisterSheet sheet;
    sheet.issuer.surname = "Bianchi";
    sheet.issuer.firstName = "Laura";
    sheet.year = "2024";
    return sheet;
}

} // namespace

class TestRegisterPage : public QObject {
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void stopAbandonsTheDocument();
    void monthBars();
};

void TestRegisterPage::pages_data()
{
    // 16000 twips high: (16000 - 600 - 230 - 2130) / 230 = 56 invoices a page.
    QTest::addColumn<int>("invoices");
    QTest::addColumn<int>("pages");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("room for the totals") << 50 << 1;
    QTest::newRow("totals on a page of their own") << 51 << 2;
    QTest::newRow("a full page") << 56 << 2;
    QTest::newRow("one over") << 57 << 2;
    QTest::newRow("two full pages") << 112 << 3;
}

void TestRegisterPage::pages()
{
    QFETCH(int, invoices);
    QFETCH(int, pages);
    test::TestDir dir;
    const archive::BookRegister reg = bookOf(dir, invoices);
    print::RecordingPage page(11000, 16000);
    QCOMPARE(print::registerRowsPerPage(page), 56);
    QCOMPARE(print::registerPageCount(page, invoices), pages);
    QVERIFY(print::layoutRegister(page, reg, {}, sheet()));
    QCOMPARE(page.pageCount(), pages);

    std::vector<int> numbers;
    for (int p = 0; p < pages; ++p) {
        for (const char* text : {print::RegisterTitle, "Anno 2024", "Laura Bianchi", "N.", "Imponibile", "Da pagare",
                                 "SdI", "Scadenza", "Stato"})
            QVERIFY2(page.find(text, p), text);
        const auto foot = page.find("Pagina " + std::to_string(p + 1) + " di " + std::to_string(pages), p);
        QVERIFY(foot);
        QVERIFY(foot->y > 15000);
        QCOMPARE(bool(page.find("Totale", p)), p == pages - 1);
        for (const auto& text : page.texts()) {
            // The numbers stand right-aligned at the left of the rows.
            const bool digits = !text.text.empty() && text.text.find_first_not_of("0123456789") == std::string::npos;
            if (text.pageIndex == p && text.x < 1200 && digits)
                numbers.push_back(std::stoi(text.text));
        }
    }
    std::vector<int> expected(static_cast<std::size_t>(invoices));
    std::iota(expected.begin(), expected.end(), 1);
    QCOMPARE(numbers, expected);
    const auto totals = page.find("Totale", pages - 1);
    QVERIFY(page.find("Fatture: " + std::to_string(invoices) + ".", pages - 1));
    QVERIFY(totals->y < 16000 - print::RegisterFootMargin);
}

void TestRegisterPage::stopAbandonsTheDocument()
{
    test::TestDir dir;
    const archive::BookRegister reg = bookOf(dir, 200);
    print::RecordingPage page(11000, 16000);
    std::vector<int> steps;
    QVERIFY(!print::layoutRegister(page, reg, {}, sheet(), [&](int rows) {
        steps.push_back(rows);
        return steps.size() < 2;
    }));
    QCOMPARE(steps, (std::vector<int> {56, 112}));
    QVERIFY(page.abandoned());
    QCOMPARE(page.pageCount(), 2);
}

void TestRegisterPage::monthBars()
{
    print::RecordingPage page;
    std::array<double, 12> months {};
    months[0] = 100;
    months[1] = 50;
    months[2] = -20; // a month of credit notes: a label, no bar
    std::array<std::string, 12> labels;
    labels[2] = "-20,00";
    print::layoutMonthBars(page, {0, 0, 12000, 3000}, months, labels, "Imponibile dell'anno 2024");
    QCOMPARE(page.fills().size(), std::size_t(2));
    const auto& january = page.fills()[0];
    const auto& february = page.fills()[1];
    QCOMPARE(january.bottom, february.bottom);
    QCOMPARE((january.bottom - january.top) / 2, february.bottom - february.top);
    QVERIFY(january.left >= 0 && january.right <= 1000);
    QVERIFY(page.find("-20,00"));
    QVERIFY(page.find("dic"));
    QVERIFY(page.find("Imponibile dell'anno 2024"));
}

QTEST_GUILESS_MAIN(TestRegisterPage)
#include "test_register_page.moc"
