// The reports of the year on the recording page: every row once, over as
// many pages as they need with the closing lines after the last, and sums
// too long for their columns set smaller rather than run together.
#include "print/recording_page.h"
#include "print/report_page.h"

#include <QtTest>

using namespace tessaro;

namespace {

print::Report reportOf(int rows, std::vector<std::string> totals)
{
    print::Report report;
    report.title = "Incassi dell'anno";
    report.year = "2026";
    report.columns = {{"Cliente", 800, false, 0}, {"Importo", 4500, true, 0}, {"IVA", 5120, true, 0}};
    for (int i = 1; i <= rows; ++i)
        report.rows.push_back({"Riga " + std::to_string(i), "1,00", "0,22"});
    report.totals = std::move(totals);
    report.closingLines = {"Nota uno.", "Nota due."};
    return report;
}

} // namespace

class TestReportPage : public QObject {
    Q_OBJECT

private slots:
    void everyRowOnceAndTheNotesLast_data()
    {
        QTest::addColumn<int>("rows");
        const int perPage = print::reportRowsPerPage(print::RecordingPage());
        QTest::newRow("empty") << 0;
        QTest::newRow("one page with the notes") << perPage - 3;
        QTest::newRow("a full page: the notes go over") << perPage;
        QTest::newRow("three pages") << 2 * perPage + 5;
    }

    void everyRowOnceAndTheNotesLast()
    {
        QFETCH(int, rows);
        print::RecordingPage page;
        const print::Report report = reportOf(rows, {"Totale", "1,00", "0,22"});
        const int pages = print::reportPageCount(page, report);
        QVERIFY(print::layoutReport(page, report));
        QCOMPARE(page.pageCount(), pages);
        for (int i = 1; i <= rows; ++i)
            QVERIFY2(page.find("Riga " + std::to_string(i)), qPrintable(QString::number(i)));
        const std::string last = "Pagina " + std::to_string(pages) + " di " + std::to_string(pages);
        QVERIFY(page.find(last, pages - 1));
        QVERIFY(page.find("Nota due.", pages - 1));
        QVERIFY(pages == 1 || !page.find("Nota due.", pages - 2));
    }

    void longSumsAreSetSmaller_data()
    {
        QTest::addColumn<QString>("sum");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("fits") << "9,99" << false;
        QTest::newRow("runs into the column before") << "12.345,00" << true;
    }

    void longSumsAreSetSmaller()
    {
        QFETCH(QString, sum);
        QFETCH(bool, smaller);
        print::RecordingPage page;
        QVERIFY(print::layoutReport(page, reportOf(1, {"Totale", "1,00", sum.toStdString()})));
        const auto text = page.find(sum.toStdString());
        QVERIFY(text);
        QCOMPARE(text->font.size < 7.5, smaller);
        const double width
            = static_cast<double>(text->text.size()) * print::RecordingPage::charWidth(text->font.size, true);
        QVERIFY(!smaller || width <= 5120 - 4500 - 60);
    }
};

QTEST_MAIN(TestReportPage)
#include "test_report_page.moc"
