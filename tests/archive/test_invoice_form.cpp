#include "archive/invoice_form.h"
#include "archive/records.h"

#include <QtTest>

#include <array>
#include <string>

using namespace tessaro::archive;

class TestInvoiceForm : public QObject {
    Q_OBJECT

private slots:
    void fieldsTakeTheirRecordWidthByCharacters();
    void issueKindFollowsTheOptions_data();
    void issueKindFollowsTheOptions();
    void currencyAndRateAreNotWindowFields();
    void storedInvoiceComesBackAsStored();
    void bufferToFormFillsVatAndOptions_data();
    void bufferToFormFillsVatAndOptions();
};

void TestInvoiceForm::fieldsTakeTheirRecordWidthByCharacters()
{
    InvoiceForm form;
    form.client.surname = std::string(40, 'x');
    form.client.province = "M";
    form.client.city = "Forlì";
    form.pension = "2.5";
    form.description[2] = std::string(95, 'd');
    std::string accented;
    for (int i = 0; i < 35; ++i)
        accented += "è";
    form.client.address = accented;
    copyFormToBuffer(form);

    QCOMPARE(form.buffer.client.surname, std::string(29, 'x'));
    QCOMPARE(form.buffer.client.province, std::string("M "));
    QCOMPARE(form.buffer.client.city, "Forlì" + std::string(30, ' '));
    QCOMPARE(form.buffer.pension, std::string("2"));
    QCOMPARE(form.buffer.description[2], std::string(90, 'd'));
    QCOMPARE(form.buffer.client.address, accented + std::string(5, ' '));
    QCOMPARE(fitToWidth("èèè", 2), std::string("èè"));
    QCOMPARE(fitToWidth("", 3), std::string("   "));
}

void TestInvoiceForm::issueKindFollowsTheOptions_data()
{
    QTest::addColumn<bool>("onAccount");
    QTest::addColumn<bool>("balance");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("expected");
    QTest::newRow("in acconto") << true << false << "s"
                                << "a";
    QTest::newRow("a saldo") << false << true << "a"
                             << "s";
    QTest::newRow("neither keeps the kind") << false << false << "a"
                                            << "a";
    QTest::newRow("both: a saldo wins") << true << true << "a"
                                        << "s";
}

void TestInvoiceForm::issueKindFollowsTheOptions()
{
    QFETCH(bool, onAccount);
    QFETCH(bool, balance);
    QFETCH(QString, before);
    QFETCH(QString, expected);
    InvoiceForm form;
    form.onAccount = onAccount;
    form.balance = balance;
    form.buffer.kind = before.toStdString();
    copyFormToBuffer(form);
    QCOMPARE(QString::fromStdString(form.buffer.kind), expected);
}

void TestInvoiceForm::currencyAndRateAreNotWindowFields()
{
    InvoiceForm form;
    form.buffer.currency = "l";
    form.buffer.rate = 1000.5f;
    form.rateText = "whatever";
    copyFormToBuffer(form);
    QCOMPARE(form.buffer.currency, std::string("l"));
    QCOMPARE(form.buffer.rate, 1000.5f);
}

void TestInvoiceForm::storedInvoiceComesBackAsStored()
{
    InvoiceForm form;
    form.client = {"ing.", "Rossi", "Mario", "Via Roma 1", "Città", "MI", "20100", "RSSMRA80A01F205X", "12345678901"};
    form.day = "7";
    form.month = "12";
    form.vat = "10";
    form.description = {"Progetto\nesecutivo", "Direzione lavori", "Collaudo"};
    form.amount = {"1000.50", "200", "30"};
    form.quantity = {"2", "", "1"};
    form.pension = "4";
    form.expenses = "12.3";
    form.withholding = "20";
    form.expenses2 = "7";
    form.onAccount = true;
    form.balance = false;
    form.buffer.currency = "e";
    form.buffer.rate = 1936.27f;
    copyFormToBuffer(form);

    std::array<std::uint8_t, InvoiceRecordSize> bytes {};
    encodeInvoice(form.buffer, bytes);
    InvoiceForm shown;
    shown.buffer = decodeInvoice(bytes);
    copyBufferToForm(shown, ',');

    // Every text comes back padded to its field, as the window shows a stored invoice.
    QCOMPARE(shown.client.surname, fitToWidth("Rossi", 29));
    QCOMPARE(shown.client.city, fitToWidth("Città", 35));
    QCOMPARE(shown.description[0], fitToWidth("Progetto\nesecutivo", 210));
    QCOMPARE(shown.amount[0], std::string("1000.50   "));
    QCOMPARE(shown.quantity[1], std::string("    "));
    QCOMPARE(shown.day, std::string("7 "));
    QCOMPARE(shown.vat, std::string("10"));
    QCOMPARE(shown.pension, std::string("4"));
    QCOMPARE(shown.expenses2, std::string("7       "));
    QVERIFY(shown.onAccount);
    QVERIFY(!shown.balance);
    QCOMPARE(shown.rateText, std::string("1936,27"));
    QCOMPARE(shown.buffer, form.buffer);
}

void TestInvoiceForm::bufferToFormFillsVatAndOptions_data()
{
    QTest::addColumn<QString>("vat");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("onAccountBefore");
    QTest::addColumn<float>("rate");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("shownVat");
    QTest::addColumn<bool>("onAccount");
    QTest::addColumn<QString>("rateText");
    QTest::newRow("blank record") << ""
                                  << "" << true << 0.0f << ',' << "22" << true << ",00";
    QTest::newRow("balance") << "4 "
                             << "s" << true << 1936.27f << ',' << "4 " << false << "1936,27";
    QTest::newRow("on account") << "0 "
                                << "a" << false << 1000.5f << '.' << "0 " << true << "1000.50";
    QTest::newRow("other kind keeps options") << "22"
                                              << "x" << false << 0.5f << ',' << "22" << false << ",50";
}

void TestInvoiceForm::bufferToFormFillsVatAndOptions()
{
    QFETCH(QString, vat);
    QFETCH(QString, kind);
    QFETCH(bool, onAccountBefore);
    QFETCH(float, rate);
    QFETCH(char, separator);
    QFETCH(QString, shownVat);
    QFETCH(bool, onAccount);
    QFETCH(QString, rateText);
    InvoiceForm form;
    form.onAccount = onAccountBefore;
    form.balance = !onAccountBefore;
    form.buffer.vat = vat.toStdString();
    form.buffer.kind = kind.toStdString();
    form.buffer.rate = rate;
    copyBufferToForm(form, separator);
    QCOMPARE(QString::fromStdString(form.vat), shownVat);
    QCOMPARE(form.onAccount, onAccount);
    QCOMPARE(form.balance, !onAccount);
    QCOMPARE(QString::fromStdString(form.rateText), rateText);
}

QTEST_GUILESS_MAIN(TestInvoiceForm)
#include "test_invoice_form.moc"
