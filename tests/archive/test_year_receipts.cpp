// The payments of a year gathered from the books of every year, in date
// order, with the book that cannot be read named; the books of
// receipt_books.h, the parts as the amounts engine divides them.
#include "archive/year_receipts.h"

#include "receipt_books.h"

#include <QTest>

using namespace tessaro;

class TestYearReceipts : public QObject {
    Q_OBJECT

private slots:
    void paymentsOfAYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("rows"); // invoice/year, day.month, amount, fees, whether divided
        QTest::addColumn<QString>("months"); // the months with payments: month=amount
        QTest::newRow("from three books") << 2026
                                          << "1/2025 10.1 1220 1000 y, 2/2026 20.2 610 500 y, 2/2026 25.2 61 50 y, "
                                             "3/2026 1.3 -122 -100 y, 4/2026 5.4 500 500 n, 1/2026 20.5 610 500 y, "
                                             "1/2027 28.12 244 200 y"
                                          << "1=1220 2=671 3=-122 4=500 5=610 12=244";
        QTest::newRow("the year before") << 2025 << "2/2025 30.12 122 100 y"
                                         << "12=122";
        QTest::newRow("a year without payments") << 2027 << ""
                                                 << "";
    }

    void paymentsOfAYear()
    {
        QFETCH(int, year);
        QFETCH(QString, rows);
        QFETCH(QString, months);
        test::TestDir dir;
        test::writeReceiptBooks(dir.data());
        test::FaultyFileSystem fs;
        test::breakBookOf2024(fs);
        const auto receipts = archive::readYearReceipts(dir.data(fs), 1, year, calc::InvoiceType::Professional);
        QVERIFY(receipts.ok());
        QStringList shown;
        for (const archive::YearReceipt& row : receipts.value().rows)
            shown << QString::asprintf("%d/%d %d.%d %g %g %c", row.invoiceNumber, row.invoiceYear, row.date.day,
                                       row.date.month, row.parts.amount, row.parts.fees, row.divided ? 'y' : 'n');
        QCOMPARE(shown.join(", "), rows);
        QStringList byMonth;
        for (std::size_t month = 0; month < 12; ++month) {
            if (const double amount = receipts.value().monthlyAmounts()[month]; amount != 0)
                byMonth << QString::asprintf("%zu=%g", month + 1, amount);
        }
        QCOMPARE(byMonth.join(' '), months);
        QCOMPARE(receipts.value().unread.size(), std::size_t(1));
        QCOMPARE(receipts.value().unread.front().year, 2024);
        QVERIFY(!receipts.value().unread.front().reason.empty());
        QCOMPARE(archive::yearsWithPayments(dir.data(), 1).value(), (std::vector<int> {2024, 2025, 2026, 2027}));
    }
};

QTEST_MAIN(TestYearReceipts)
#include "test_year_receipts.moc"
