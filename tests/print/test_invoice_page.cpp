// The top of the printed invoice on a recording page: issuer width W and what
// it moves, the title block, the tick boxes, the client block and frames.
#include "layout_checks.h"
#include "print/invoice_page.h"

#include <QTest>

using namespace tessaro;
using tessaro::test::hasRectangle;
using tessaro::test::hasSegment;
using tessaro::test::recordedWidth;
using tessaro::test::textOf;

class TestInvoicePage : public QObject {
    Q_OBJECT

private slots:
    void issuerWidthMovesFramesAndTitle_data();
    void issuerWidthMovesFramesAndTitle();
    void longIssuerName_data();
    void longIssuerName();
    void blankProvince();
    void clientBlock_data();
    void clientBlock();
    void tickBoxes_data();
    void tickBoxes();
    void rateAndCurrencyCompleted_data();
    void rateAndCurrencyCompleted();
    void documentSetUp();
    void bodyFollowsInvoiceType();
    void amountToPaySaysWhatItIs_data();
    void amountToPaySaysWhatItIs();
};

void TestInvoicePage::issuerWidthMovesFramesAndTitle_data()
{
    QTest::addColumn<int>("addressChars"); // 100 twips each at 10 points
    QTest::addColumn<double>("issuerRight");
    QTest::addColumn<double>("titleLeft");
    QTest::addColumn<double>("titleCentre");

    QTest::newRow("W 4000") << 40 << 5300.0 << 6500.0 << 8500.0;
    QTest::newRow("W 6000") << 60 << 7100.0 << 7200.0 << 8500.0;
    QTest::newRow("W 6200") << 62 << 7300.0 << 7400.0 << 9000.0;
}

void TestInvoicePage::issuerWidthMovesFramesAndTitle()
{
    QFETCH(int, addressChars);
    QFETCH(double, issuerRight);
    QFETCH(double, titleLeft);
    QFETCH(double, titleCentre);

    auto state = test::sampleState(archive::InvoiceType::Professional);
    state.currentIssuerRecord.address = std::string(static_cast<std::size_t>(addressChars), 'a');
    const auto form = test::sampleForm();
    print::RecordingPage page;
    print::layoutHeader(page, form, state.currentIssuerRecord);

    const double w = addressChars * 100.0;
    // The widest line sits exactly at 1000; the others are centred on 1000 + W/2.
    QCOMPARE(textOf(page, state.currentIssuerRecord.address).x, 1000.0);
    const std::string name = "Ing. Mario Rossi";
    const auto nameText = textOf(page, name);
    QCOMPARE(nameText.x, 1000 + w / 2 - recordedWidth(name, 12, true) / 2);
    QCOMPARE(nameText.y, 1000.0);
    QCOMPARE(textOf(page, "C.F.: RSSMRA60A01F205X").y, 1750.0);
    QCOMPARE(textOf(page, "P. IVA: 012345678901").y, 2000.0);

    QVERIFY(hasRectangle(page, 800, 800, issuerRight, 2300, 3));
    QVERIFY(hasRectangle(page, titleLeft, 800, 10500, 2300, 3));

    const auto title = textOf(page, "FATTURA N. 12");
    QCOMPARE(title.x, titleCentre - recordedWidth("FATTURA N. 12", 14, true) / 2);
    QCOMPARE(title.y, 1000.0);
    QCOMPARE(title.font.size, 14.0);
    QVERIFY(title.font.bold);
    const auto date = textOf(page, "del 05-03-2024");
    const double x0 = titleCentre - recordedWidth("del 05-03-2024", 12, true) / 2;
    QCOMPARE(date.x, x0);
    QCOMPARE(date.y, 1350.0);
    // The tick boxes hang below the date line's left edge.
    QVERIFY(hasRectangle(page, x0, 1700, x0 + 100, 1800, 1));
    QVERIFY(hasRectangle(page, x0, 2000, x0 + 100, 2100, 1));
    QCOMPARE(textOf(page, "in acconto").x, x0 + 200);
    QCOMPARE(textOf(page, "a saldo").y, 1950.0);
}

void TestInvoicePage::longIssuerName_data()
{
    QTest::addColumn<int>("surnameChars");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("measuredW");

    // The name is "A B " + surname; at 12 bold a character is 132 twips wide.
    QTest::newRow("fits at 12 bold") << 26 << 12.0 << true << 30 * 132.0;
    QTest::newRow("5280 at 12 bold: 10 bold") << 36 << 10.0 << true << 40 * 100.0;
    QTest::newRow("still too wide: 10 regular") << 44 << 10.0 << false << 48 * 100.0;
}

void TestInvoicePage::longIssuerName()
{
    QFETCH(int, surnameChars);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(double, measuredW);

    auto state = test::sampleState(archive::InvoiceType::Professional);
    state.currentIssuerRecord.title = "A";
    state.currentIssuerRecord.firstName = "B";
    state.currentIssuerRecord.surname = std::string(static_cast<std::size_t>(surnameChars), 'x');
    print::RecordingPage page;
    print::layoutHeader(page, test::sampleForm(), state.currentIssuerRecord);

    const std::string name = "A B " + state.currentIssuerRecord.surname;
    const auto text = textOf(page, name);
    QCOMPARE(text.font.size, size);
    QCOMPARE(text.font.bold, bold);
    QCOMPARE(text.x, 1000 + measuredW / 2 - recordedWidth(name, size, bold) / 2);
    // The line after the name is regular again.
    QVERIFY(!textOf(page, "Via Roma 1").font.bold);
}

void TestInvoicePage::blankProvince()
{
    auto state = test::sampleState(archive::InvoiceType::Professional);
    state.currentIssuerRecord.city = "Sesto San Giovanni Milanese";
    state.currentIssuerRecord.province = "  ";
    auto form = test::sampleForm();
    form.client.province = "  ";
    print::RecordingPage page;
    print::layoutHeader(page, form, state.currentIssuerRecord);

    // Measured as "20100 Sesto San Giovanni Milanese (  )", printed without brackets.
    const double w = 38 * 100.0;
    const std::string town = "20100 Sesto San Giovanni Milanese";
    const auto issuerTown = textOf(page, town);
    QCOMPARE(issuerTown.x, 1000 + w / 2 - recordedWidth(town, 10, false) / 2);
    QCOMPARE(issuerTown.y, 1500.0);
    QVERIFY(hasRectangle(page, 800, 800, 1000 + w + 300, 2300, 3));
    const auto clientTown = textOf(page, "10100 Torino");
    QCOMPARE(clientTown.y, 3750.0);
    QCOMPARE(clientTown.x, 5500 - recordedWidth("10100 Torino", 10, false) / 2);
}

void TestInvoicePage::clientBlock_data()
{
    QTest::addColumn<std::string>("surname");
    QTest::addColumn<bool>("withCodes");
    QTest::addColumn<double>("nameSize");
    QTest::addColumn<bool>("nameBold");

    QTest::newRow("complete") << std::string("Bianchi") << true << 12.0 << true;
    QTest::newRow("no tax code, no VAT number") << std::string("Bianchi") << false << 12.0 << true;
    // "Sig. " + 80 characters + " Anna": 90 characters, 11880 at 12 bold, 9900 at 10 bold.
    QTest::newRow("long name") << std::string(80, 'b') << true << 10.0 << false;
}

void TestInvoicePage::clientBlock()
{
    QFETCH(std::string, surname);
    QFETCH(bool, withCodes);
    QFETCH(double, nameSize);
    QFETCH(bool, nameBold);

    auto form = test::sampleForm();
    form.client.surname = surname + "   "; // as stored, padded
    if (!withCodes) {
        form.client.taxCode = std::string(16, ' ');
        form.client.vatNumber = std::string(12, ' ');
    }
    print::RecordingPage page;
    print::layoutHeader(page, form, test::sampleIssuer());

    const auto label = textOf(page, "CLIENTE:");
    QCOMPARE(label.x, 1000.0);
    QCOMPARE(label.y, 2800.0);
    QVERIFY(label.font.bold);
    const std::string name = "Sig. " + surname + " Anna";
    const auto nameText = textOf(page, name);
    QCOMPARE(nameText.y, 3250.0);
    QCOMPARE(nameText.font.size, nameSize);
    QCOMPARE(nameText.font.bold, nameBold);
    QCOMPARE(nameText.x, 5500 - recordedWidth(name, nameSize, nameBold) / 2);
    QCOMPARE(textOf(page, "Corso Italia 5").y, 3500.0);
    QCOMPARE(textOf(page, "10100 Torino (TO)").y, 3750.0);
    QCOMPARE(page.find("C.F.: BNCNNA70A41L219Y").has_value(), withCodes);
    QCOMPARE(page.find("P. IVA: 98765432109").has_value(), withCodes);
    if (withCodes) {
        QCOMPARE(textOf(page, "C.F.: BNCNNA70A41L219Y").y, 4000.0);
        QCOMPARE(textOf(page, "P. IVA: 98765432109").y, 4250.0);
    }
    QVERIFY(hasRectangle(page, 800, 2600, 10500, 4700, 3));
    QCOMPARE(page.drawWidth(), 1);
}

void TestInvoicePage::tickBoxes_data()
{
    QTest::addColumn<bool>("onAccount");
    QTest::addColumn<bool>("balance");
    QTest::newRow("in acconto") << true << false;
    QTest::newRow("a saldo") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestInvoicePage::tickBoxes()
{
    QFETCH(bool, onAccount);
    QFETCH(bool, balance);

    auto form = test::sampleForm();
    form.onAccount = onAccount;
    form.balance = balance;
    print::RecordingPage page;
    print::layoutHeader(page, form, test::sampleIssuer());

    const double x0 = textOf(page, "del 05-03-2024").x;
    QCOMPARE(hasSegment(page, x0 - 50, 1650, x0 + 150, 1850, 1), onAccount);
    QCOMPARE(hasSegment(page, x0 - 50, 1850, x0 + 150, 1650, 1), onAccount);
    QCOMPARE(hasSegment(page, x0 - 50, 1950, x0 + 150, 2150, 1), balance);
    QCOMPARE(hasSegment(page, x0 - 50, 2150, x0 + 150, 1950, 1), balance);
}

void TestInvoicePage::rateAndCurrencyCompleted_data()
{
    QTest::addColumn<float>("rate");
    QTest::addColumn<std::string>("flag");
    QTest::addColumn<bool>("lireMenu");
    QTest::addColumn<float>("expectedRate");
    QTest::addColumn<std::string>("expectedFlag");

    QTest::newRow("rate 0 takes EuroRate") << 0.0f << std::string("l") << false << 1000.5f << std::string("l");
    QTest::newRow("own rate kept") << 1936.27f << std::string("e") << false << 1936.27f << std::string("e");
    QTest::newRow("blank flag from euro menu") << 1.0f << std::string(" ") << false << 1.0f << std::string("e");
    QTest::newRow("odd flag from lire menu") << 1.0f << std::string("x") << true << 1.0f << std::string("l");
}

void TestInvoicePage::rateAndCurrencyCompleted()
{
    QFETCH(float, rate);
    QFETCH(std::string, flag);
    QFETCH(bool, lireMenu);
    QFETCH(float, expectedRate);
    QFETCH(std::string, expectedFlag);

    auto sheet = test::sampleSheet(archive::InvoiceType::Professional);
    sheet.euroRate = 1000.5;
    sheet.currencyFlag = lireMenu ? 'l' : 'e';
    auto form = test::sampleForm();
    form.buffer.rate = rate;
    form.buffer.currency = flag;
    const archive::InvoiceForm printed = print::printedForm(form, sheet);
    QCOMPARE(printed.buffer.rate, expectedRate);
    QCOMPARE(printed.buffer.currency, expectedFlag);
}

void TestInvoicePage::documentSetUp()
{
    auto form = test::sampleForm();
    print::RecordingPage page;
    print::layoutInvoice(page, form, test::sampleSheet(archive::InvoiceType::Professional));

    // The empty line that opens the document, at 8 points in the corner.
    const auto& first = page.texts().front();
    QCOMPARE(first.text, std::string());
    QCOMPARE(first.x, 0.0);
    QCOMPARE(first.y, 0.0);
    QCOMPARE(first.font.size, 8.0);
    for (const auto& text : page.texts()) {
        QCOMPARE(text.font.name, std::string("Times New Roman"));
        QVERIFY(!text.font.italic);
        QVERIFY(!text.font.underline);
    }
    QCOMPARE(page.pageBreaks(), 0);
}

void TestInvoicePage::bodyFollowsInvoiceType()
{
    for (const auto type : {archive::InvoiceType::Professional, archive::InvoiceType::Commercial}) {
        auto form = test::sampleForm();
        print::RecordingPage page;
        print::layoutInvoice(page, form, test::sampleSheet(type));
        const bool professional = type == archive::InvoiceType::Professional;
        QCOMPARE(page.find("Descrizione della prestazione").has_value(), professional);
        QCOMPARE(page.find("Quantità").has_value(), !professional);
    }
}

void TestInvoicePage::amountToPaySaysWhatItIs_data()
{
    QTest::addColumn<bool>("creditNote"); // with VAT and withholding; else neither, and the duty charged is due
    QTest::addColumn<QString>("fund"); // empty: a commercial invoice
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("terms"); // method and term of the invoice
    QTest::addColumn<QString>("payment"); // the line under the duty paid; empty: none
    QTest::newRow("goods with duty")
        << false << "" << QStringList {"TOTALE DA PAGARE EURO (bollo incluso)"} << QStringList {"MP05", "30FM"}
        << "Pagamento: bonifico bancario entro il 30/04/2024 - IBAN: IT60X0542811101000000123456";
    QTest::newRow("fees, credit note") << true << "TC22"
                                       << QStringList {"TOTALE NOTA DI CREDITO (Imponibile+IVA-ritenuta+spese)",
                                                       "Rivalsa INPS 4%"}
                                       << QStringList {"MP05", "30"} << "";
    QTest::newRow("fees with duty") << false << "TC04"
                                    << QStringList {"TOTALE DA PAGARE (Imponibile+IVA+spese+bollo)",
                                                    "Contributo integrativo INARCASSA 4%"}
                                    << QStringList {"", ""} << "";
    QTest::newRow("fees in cash") << false << "TC04" << QStringList {} << QStringList {"MP01", ""}
                                  << "Pagamento: contanti";
}

void TestInvoicePage::amountToPaySaysWhatItIs()
{
    QFETCH(bool, creditNote);
    QFETCH(QString, fund);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, terms);
    QFETCH(QString, payment);
    auto sheet
        = test::sampleSheet(fund.isEmpty() ? archive::InvoiceType::Commercial : archive::InvoiceType::Professional);
    sheet.terms = {
        .amounts = {.chargeStampDuty = true}, .pensionFund = fund.toStdString(), .iban = "IT60X0542811101000000123456"};
    auto form = test::sampleForm();
    form.day = "8 "; // as reloaded from its record
    form.creditNote.isCreditNote = creditNote;
    form.vat = form.withholding = creditNote ? "20" : "0";
    form.amount[0] = form.quantity[0] = "100";
    form.pension = "4";
    form.payments = {terms[0].toStdString(), terms[1].toStdString(), {}, {}};
    print::RecordingPage page;
    print::layoutInvoice(page, form, sheet);
    for (const QString& text : texts + QStringList {"del 8-03-2024"})
        QVERIFY2(page.find(text.toStdString()), qPrintable(text));
    QCOMPARE(page.find("RITENUTA D'ACCONTO (20%)").has_value(), creditNote);
    QCOMPARE(page.find("IMPOSTA DI BOLLO").has_value(), !creditNote);

    // The terms at the left, under the duty paid; nothing new without them.
    const auto& all = page.texts();
    const auto line = std::find_if(all.begin(), all.end(), [](auto& t) { return t.text.starts_with("Pagamento"); });
    QCOMPARE(line == all.end() ? QString() : QString::fromStdString(line->text), payment);
    if (line != all.end())
        QCOMPARE(QPointF(line->x, line->y), QPointF(800, textOf(page, std::string(calc::StampDutyPaidText)).y + 300));
}

QTEST_GUILESS_MAIN(TestInvoicePage)
#include "test_invoice_page.moc"
