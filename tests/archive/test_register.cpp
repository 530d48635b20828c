// The register of a book: on random books its sums are the totals commands'
// to the bit and each row is the engine's reckoning of the decoded invoice;
// the search, the cells and the CSV file on small books; what came in and
// what is owed on a book with payments and credit notes; damaged books read
// without failing.
#include "archive/book.h"
#include "archive/credit_notes.h"
#include "archive/invoice_form.h"
#include "archive/payments.h"
#include "archive/register.h"
#include "archive/register_csv.h"
#include "archive/register_texts.h"
#include "archive/sdi_history.h"
#include "archive/totals.h"

#include "faulty_file_system.h"
#include "invoice_books.h"
#include "test_dir.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace tessaro::archive;
using namespace tessaro::test;
namespace calc = tessaro::calc;

Q_DECLARE_METATYPE(tessaro::archive::InvoiceType)

namespace {

// An invoice as any program may have left it: euro or lire at its own rate,
// a rate of 0, an unknown flag, blank or odd quantities, lines 4 to 10.
void writeRandomBook(const BookPaths& book, int count, unsigned seed)
{
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::array<std::string, 6> quantities = {"", "", "1", "3", "0", "2.5"};
    const std::array<std::string, 4> flags = {"e", "e", "l", "x"};
    for (int n = 1; n <= count; ++n) {
        const std::string flag = flags[static_cast<std::size_t>(pick(4))];
        const float rate = pick(6) == 0 ? 0.0f : 1000.0f + static_cast<float>(pick(2000)) + 0.27f;
        InvoiceRecord invoice = invoiceOf("Cliente " + std::to_string(pick(40)), flag, rate);
        invoice.month = std::to_string(pick(14));
        invoice.vat = std::to_string(pick(23));
        for (std::size_t line = 0; line < 3; ++line) {
            if (pick(5) > 0)
                invoice.amount[line] = flag == "l" ? std::to_string(pick(3000000))
                                                   : std::to_string(pick(5000)) + "." + std::to_string(pick(100));
            invoice.quantity[line] = quantities[static_cast<std::size_t>(pick(6))];
        }
        invoice.pension = std::to_string(pick(5));
        invoice.withholding = pick(2) ? "20" : "";
        invoice.expenses = pick(2) ? "12.30" : "";
        invoice.expenses2 = pick(3) ? "" : "7";
        ExtraLinesRecord lines;
        for (std::size_t line = 0; line < ExtraLineCount; ++line) {
            if (pick(3) == 0) {
                lines.amount[line] = std::to_string(pick(300));
                lines.quantity[line] = quantities[static_cast<std::size_t>(pick(6))];
            }
        }
        writeInvoice(book, n, invoice);
        writeExtraLines(book, n, lines);
    }
    writeCounter(book, static_cast<std::int16_t>(count + 1));
}

BookRegister readOrFail(const BookPaths& book, InvoiceType type, int next, std::string_view year = {})
{
    auto reg = BookRegister::read(book, type, next, {}, year);
    if (!reg)
        qFatal("register not read: %s", reg.error().describe().c_str());
    return std::move(reg.value());
}

std::vector<int> matchingNumbers(const BookRegister& reg, const std::string& query)
{
    std::vector<int> numbers;
    const std::vector<char> matches = reg.matching(query);
    for (int i = 0; i < reg.size(); ++i) {
        if (matches[static_cast<std::size_t>(i)])
            numbers.push_back(reg.row(i).number);
    }
    return numbers;
}

// A small commercial book to search and show.
BookPaths smallBook(const TestDir& dir)
{
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    InvoiceRecord first = invoiceOf("Città Nuova S.r.l.");
    first.day = "5";
    first.month = "03";
    first.kind = "a";
    first.client.vatNumber = "01234567890";
    first.vat = "0"; // the stamp duty is due, though not charged
    first.description[0] = "Fornitura di cavi";
    first.amount = {"100", "200.5", "10"};
    first.quantity = {"2", "", "1"};
    ExtraLinesRecord lines = linesOf("Morsetti in ottone");
    lines.amount[0] = "4";
    lines.quantity[0] = "3";
    InvoiceRecord second = invoiceOf("Rossi; Bianchi", "l", 1936.27f);
    second.client.firstName = "Mario";
    second.client.taxCode = "RSSMRA80A01H501U";
    second.day = "31";
    second.month = "13";
    second.amount = {"1936270", "", ""};
    InvoiceRecord third = invoiceOf("ROSSI", "l", 0.0f);
    third.amount = {"1000000", "", ""};
    third.description[1] = "cavi";
    writeInvoice(book, 1, first);
    writeExtraLines(book, 1, lines);
    writeInvoice(book, 2, second);
    writeInvoice(book, 3, third);
    writeCounter(book, 4);
    return book;
}

constexpr calc::Date June30 {2024, 6, 30};

InvoicePayments paid(std::vector<std::string> amounts, std::string term = "30", std::string typedDue = {})
{
    InvoicePayments record {"MP05", std::move(term), std::move(typedDue), {}};
    for (std::string& amount : amounts)
        record.payments.push_back({{2024, 4, 2}, std::move(amount), "MP05", "", ""});
    return record;
}

// Invoice n of n/01/2024 asks 122 (a credit note -122); 6 and 8 cancel 5 and 7; 10 is in lire without a rate.
BookPaths paymentsBook(const TestDir& dir)
{
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    for (int n = 1; n <= 10; ++n) {
        InvoiceRecord invoice = invoiceOf("Cliente", n == 10 ? "l" : "e", n == 10 ? 0.0f : 1);
        invoice.day = std::to_string(n);
        invoice.month = "1";
        invoice.amount[0] = "100";
        writeInvoice(book, n, invoice);
    }
    writeCounter(book, 11);
    const std::vector<CreditNoteMark> notes = {{true, "5", "5", "1", "2024"}, {}, {true, "7", "7", "1", "2024"}};
    writeCreditNotes(book, 6, notes);
    const InvoicePayments none;
    const std::vector<InvoicePayments> records = {paid({"122.00"}),
                                                  paid({"50.00"}, "DATA", "20241231"),
                                                  paid({"100.00", "50.00"}),
                                                  paid({"20.00"}),
                                                  paid({}),
                                                  none,
                                                  paid({"122.00"}, ""),
                                                  paid({"-122.00"}, ""),
                                                  none,
                                                  paid({"5.00"})};
    writePayments(book, 1, records);
    return book;
}

} // namespace

class TestRegister : public QObject {
    Q_OBJECT

private slots:
    void sumsAreTheTotalsCommands_data();
    void sumsAreTheTotalsCommands();
    void search_data();
    void search();
    void cells_data();
    void cells();
    void csvFile();
    void payments_data();
    void payments();
    void damagedBooksRead();
};

void TestRegister::sumsAreTheTotalsCommands_data()
{
    QTest::addColumn<InvoiceType>("type");
    QTest::addColumn<unsigned>("seed");
    for (unsigned seed : {1u, 2u, 3u}) {
        QTest::addRow("professional %u", seed) << InvoiceType::Professional << seed;
        QTest::addRow("commercial %u", seed) << InvoiceType::Commercial << seed;
    }
}

void TestRegister::sumsAreTheTotalsCommands()
{
    QFETCH(InvoiceType, type);
    QFETCH(unsigned, seed);
    TestDir dir;
    const BookPaths book = bookPaths(dir.data(), 1, "2024");
    const int count = 300;
    writeRandomBook(book, count, seed);
    const BookRegister reg = readOrFail(book, type, count + 1);
    QCOMPARE(reg.size(), count);

    // The same engine in the same order: equal to the last bit.
    const RegisterFigures totals = reg.totals();
    // (QCOMPARE on doubles forgives the last digits; these must not differ at all.)
    QVERIFY(totals.taxable == sumInvoices(book, type, TotalKind::Taxable, 1, count).value());
    QVERIFY(totals.vat == sumInvoices(book, type, TotalKind::Vat, 1, count).value());

    // Each row against the engine reckoning the invoice decoded as the window loads it.
    double monthly = 0;
    for (const double month : reg.monthlyTaxable())
        monthly += month;
    double withMonth = 0;
    for (int i = 0; i < count; ++i) {
        InvoiceForm form;
        form.buffer = readInvoice(book, i + 1).value();
        form.extraLines = readExtraLines(book, i + 1).value();
        copyBufferToForm(form, '.');
        const calc::InvoiceAmounts amounts = invoiceAmounts(form, type, calc::QuantityRule::YearlyTotals, {});
        const RegisterRow& row = reg.row(i);
        const char flag = currencyFlagOf(form.buffer);
        const auto euro = calc::inEuro(amounts.taxable, flag, form.buffer.rate);
        QCOMPARE(row.counted(), euro.has_value());
        const double rate = row.currency == RegisterCurrency::FromLire ? form.buffer.rate : 1.0;
        QCOMPARE(row.figures.taxable, row.counted() ? *euro : amounts.taxable);
        QCOMPARE(row.figures.vat * rate, amounts.vat);
        QCOMPARE(row.figures.toPay * rate, amounts.toPay);
        QCOMPARE(row.figures.expenses * rate, amounts.expenses + amounts.expenses2);
        if (row.counted() && row.month >= 1)
            withMonth += row.figures.taxable;
    }
    QVERIFY(std::abs(monthly - withMonth) <= 1e-6 * std::max(1.0, std::abs(withMonth)));
}

void TestRegister::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<std::vector<int>>("numbers");
    QTest::newRow("everything") << "  " << std::vector<int> {1, 2, 3};
    QTest::newRow("case") << "rossi" << std::vector<int> {2, 3};
    QTest::newRow("accents") << "CITTA" << std::vector<int> {1};
    QTest::newRow("first name") << "mario" << std::vector<int> {2};
    QTest::newRow("every word") << "rossi mario" << std::vector<int> {2};
    QTest::newRow("description") << "cavi" << std::vector<int> {1, 3};
    QTest::newRow("line 4 of a commercial invoice") << "ottone" << std::vector<int> {1};
    QTest::newRow("number") << "3" << std::vector<int> {3};
    QTest::newRow("not across two fields") << "s.r.l.fornitura" << std::vector<int> {};
    QTest::newRow("nothing") << "verdi" << std::vector<int> {};
}

void TestRegister::search()
{
    QFETCH(QString, query);
    QFETCH(std::vector<int>, numbers);
    TestDir dir;
    const BookRegister reg = readOrFail(smallBook(dir), InvoiceType::Commercial, 4);
    QCOMPARE(matchingNumbers(reg, query.toStdString()), numbers);
}

void TestRegister::cells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    using C = RegisterColumn;
    // Invoice 1: 100 x 2 + 200.5 x 1 (blank is 1) + 10 x 1 + line 4 (4 x 3).
    QTest::newRow("date") << 0 << int(C::Date) << "05/03/2024";
    QTest::newRow("taxable, grouped") << 0 << int(C::Taxable) << "422,50";
    QTest::newRow("kind") << 0 << int(C::Kind) << "acconto";
    QTest::newRow("e-invoice") << 0 << int(C::Sdi) << "scartata (00305)";
    QTest::newRow("a date that is none, as read") << 1 << int(C::Date) << "31/13";
    QTest::newRow("client with first name") << 1 << int(C::Client) << "Rossi; Bianchi Mario";
    QTest::newRow("lire in euro") << 1 << int(C::Taxable) << "1.000,00";
    QTest::newRow("lire marked") << 1 << int(C::Note) << "da lire, cambio 1936,27";
    QTest::newRow("lire without rate, in lire") << 2 << int(C::Taxable) << "L. 1.000.000";
    QTest::newRow("lire without rate, marked") << 2 << int(C::Note) << "senza cambio: esclusa dai totali";
    QTest::newRow("no date") << 2 << int(C::Date) << "";
}

void TestRegister::cells()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    TestDir dir;
    const BookRegister reg = readOrFail(smallBook(dir), InvoiceType::Commercial, 4);
    const std::string cell = registerCell(reg, row, static_cast<RegisterColumn>(column), "scartata (00305)", "2024",
                                          June30, AmountStyle {',', true, true});
    QCOMPARE(QString::fromStdString(cell), text);
}

void TestRegister::csvFile()
{
    TestDir dir;
    const BookRegister reg = readOrFail(smallBook(dir), InvoiceType::Commercial, 4);
    const std::vector<SdiStatus> statuses
        = {{SdiState::Rejected, "scartata (00305, 00311)"}, {SdiState::NotDelivered, "non consegnata"}};
    const std::string expected
        = "\xEF\xBB\xBF"
          "N.;Data;Cliente;Imponibile;IVA;Ritenuta;Spese;Da pagare;Acconto/saldo;SdI;Note;"
          "Partita IVA del cliente;Codice fiscale del cliente;Imposta di "
          "bollo;Scadenza;Incassato;Da incassare;Stato\r\n"
          "1;05/03/2024;Città Nuova S.r.l.;422,50;0,00;0,00;0,00;422,50;acconto;scartata (00305, 00311);;"
          "01234567890;;2,00;;0,00;422,50;da incassare\r\n"
          "2;31/13;\"Rossi; Bianchi Mario\";1000,00;220,00;0,00;0,00;1220,00;saldo;non consegnata;da lire, "
          "cambio 1936,27;;RSSMRA80A01H501U;0,00;;0,00;1220,00;da incassare\r\n"
          "3;;ROSSI;;;;;;saldo;;senza cambio: esclusa dai totali;;;;;;;\r\n"
          ";;Totale;1422,50;220,00;0,00;0,00;1642,50;;;;;;2,00;;0,00;1642,50;\r\n";
    QCOMPARE(registerCsv(reg, statuses, "2024", June30).value(), expected);

    // Stopped part way: nothing comes out.
    int steps = 0;
    QVERIFY(!registerCsv(reg, statuses, "2024", June30, [&](int) { return ++steps < 1; }));
    QCOMPARE(steps, 1);
}

void TestRegister::payments_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("due");
    QTest::addColumn<double>("received");
    QTest::addColumn<double>("owed");
    QTest::addColumn<QString>("state");
    QTest::newRow("in full") << 1 << "31/01/2024" << 122.0 << 0.0 << "incassata";
    QTest::newRow("in part") << 2 << "31/12/2024" << 50.0 << 72.0 << "incassata in parte";
    QTest::newRow("more than asked") << 3 << "02/02/2024" << 150.0 << 0.0 << "incassata";
    QTest::newRow("late") << 4 << "03/02/2024" << 20.0 << 102.0 << "scaduta";
    QTest::newRow("cancelled unpaid") << 5 << "04/02/2024" << 0.0 << 0.0 << "stornata";
    QTest::newRow("its credit note") << 6 << "" << 0.0 << 0.0 << "stornata";
    QTest::newRow("cancelled paid") << 7 << "" << 122.0 << 0.0 << "stornata";
    QTest::newRow("refund recorded") << 8 << "" << -122.0 << 0.0 << "incassata";
}

void TestRegister::payments()
{
    QFETCH(int, number);
    QFETCH(QString, due);
    QFETCH(double, received);
    QFETCH(double, owed);
    QFETCH(QString, state);
    TestDir dir;
    const BookRegister reg = readOrFail(paymentsBook(dir), InvoiceType::Commercial, 11, "2024");
    const auto cell = [&](RegisterColumn column) {
        return QString::fromStdString(registerCell(reg, number - 1, column, "", "2024", June30, {}));
    };
    QCOMPARE(cell(RegisterColumn::Due), due);
    QCOMPARE(reg.row(number - 1).figures.received, received);
    QCOMPARE(reg.row(number - 1).figures.owed, owed);
    QCOMPARE(cell(RegisterColumn::State), state);
    // By hand: 122 + 50 + 150 + 20 + 122 - 122 came in; 72 + 102 + 122 owed.
    QCOMPARE(reg.totals().received, 342.0);
    QCOMPARE(reg.totals().owed, 296.0);
}

void TestRegister::damagedBooksRead()
{
    TestDir dir;
    const BookPaths book = bookPaths(dir.data(), 1, "2024");

    // No invoice file: no rows, and none is created.
    QCOMPARE(readOrFail(book, InvoiceType::Commercial, 10).size(), 0);
    QVERIFY(!dir.exists("12024.arc"));

    // A counter beyond the file, a rate that is no number and amounts beyond any number.
    InvoiceRecord invoice = invoiceOf("X", "l", NAN);
    invoice.amount = {std::string(10, '9') + "E9", "", ""};
    writeInvoice(book, 1, invoice);
    InvoiceRecord huge = invoiceOf("Y");
    huge.amount = {"1E308", "1E308", ""};
    writeInvoice(book, 2, huge);
    const BookRegister reg = readOrFail(book, InvoiceType::Professional, 5);
    QCOMPARE(reg.size(), 4);
    QCOMPARE(reg.row(0).currency, RegisterCurrency::LireWithoutRate);
    QCOMPARE(reg.row(3).currency, RegisterCurrency::Unknown);
    QCOMPARE(reg.uncountedRows(), 3);
    const AmountStyle style {',', true, true};
    QCOMPARE(QString::fromStdString(totalsCell(reg.totals(), RegisterColumn::Taxable, style)),
             QStringLiteral("importo non valido"));

    // A file that cannot be read is reported, not shown as an empty year.
    FaultyFileSystem fs;
    fs.fail(FaultyFileSystem::Op::Read, "12024.arc");
    const BookPaths failing = bookPaths(dir.data(fs), 1, "2024");
    QVERIFY(!BookRegister::read(failing, InvoiceType::Professional, 3));
}

QTEST_GUILESS_MAIN(TestRegister)
#include "test_register.moc"
