// "Ritenute subite per cliente" as a user works it: the payments of a year
// gathered by client across invoices and books, and the figures of each
// client's certificate typed beside them, refused when they cannot be.
// What the window shows is checked against a reckoning by hand.
#include "app/credit_note_commands.h"
#include "app/invoice_commands.h"
#include "app/withholding_commands.h"
#include "archive/book.h"
#include "archive/lifecycle.h"
#include "archive/payments.h"
#include "archive/withholdings.h"
#include "calc/payments.h"
#include "late_clock.h"
#include "layout_checks.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

using namespace tessaro;
using Action = ui::WithholdingsRequest::Action;

namespace {

const app::FixedClock Today {2026, 12, 8};

archive::PartyRecord firm(const char* name)
{
    archive::PartyRecord client;
    client.surname = name;
    client.vatNumber = "01234567890";
    return client;
}

// Withholding 20 and VAT 22 throughout. 2025: n. 1, Bianchi, fees 1000 (1020
// to pay). 2026: n. 1 Bianchi 500 (510); n. 2 and 3 a firm known by its VAT
// number only, 1000 (1020) and 2000 (2040) under two spellings; n. 4 Bianchi
// without withholding, 300 (366); n. 5 the credit note of n. 3 (-2040).
struct Books {
    test::TestDir dir;
    archive::AppState state = test::sampleState(archive::InvoiceType::Professional);
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    Books()
    {
        state.dataDir = dir.data();
        save("2025", {{test::sampleClient(), "1000", "20"}});
        save("2026",
             {{test::sampleClient(), "500", "20"},
              {firm("Verdi Srl"), "1000", "20"},
              {firm("Verdi S.r.l."), "2000", "20"},
              {test::sampleClient(), "300", ""}});
        app::showInvoice(form, state, dialogs, 3);
        app::prepareCreditNote(form, state, dialogs, Today);
        app::saveInvoice(form, state, dialogs, test::lateClock());
    }

    struct Invoice {
        archive::PartyRecord client;
        const char* fees;
        const char* withholding;
    };
    void save(const char* year, const std::vector<Invoice>& invoices)
    {
        form.year = year;
        QVERIFY(archive::switchYear(form, state).ok());
        for (const Invoice& invoice : invoices) {
            archive::clearInvoice(form, state);
            form.client = invoice.client;
            form.day = "10";
            form.month = "5";
            form.amount[0] = invoice.fees;
            form.withholding = invoice.withholding;
            QVERIFY(archive::saveInvoice(form, state, archive::invoiceNumber(form.number)).ok());
        }
    }

    // "2026/5 01/06/2026 -1020": a payment on invoice 5 of 2026; "unreadable
    // 2025": that book's counter made a folder, which no file read opens.
    void pay(const QString& payment)
    {
        if (payment.startsWith("unreadable ")) {
            const std::string counter = dir.file("1" + payment.mid(11).toStdString() + ".imp");
            QVERIFY(QFile::remove(QString::fromStdString(counter)) && QDir().mkdir(QString::fromStdString(counter)));
            return;
        }
        const QStringList parts = payment.split(' ');
        const QStringList invoice = parts[0].split('/');
        const archive::BookPaths book = archive::bookPaths(state.dataDir, 1, invoice[0].toStdString());
        const int number = invoice[1].toInt();
        archive::InvoicePayments payments = archive::readPayments(book, number).value();
        payments.payments.push_back(
            {*calc::parseDateText(parts[1].toStdString()), parts[2].toStdString() + ".00", "MP05", "", {}});
        QVERIFY(archive::storePayments(book, number, payments, "Registra incasso").ok());
    }

    ui::WithholdingsView run(const QList<ui::WithholdingsRequest>& requests)
    {
        for (const ui::WithholdingsRequest& request : requests)
            dialogs.queueWithholdingsRequest(request);
        app::showWithholdings(form, state, dialogs, Today, {});
        return dialogs.withholdingViews().back();
    }
};

ui::WithholdingsRequest certificate(int row, const char* gross, const char* withholding)
{
    return {Action::RecordCertificate, "2026", row, gross, withholding};
}

// Client, identifier, gross, withholding, net, invoices of every row; then
// the certificate and the differences when asked.
QString rows(const ui::WithholdingsView& view, int firstColumn, int lastColumn)
{
    QStringList out;
    for (const ui::WithholdingRowView& row : view.rows) {
        QStringList cells;
        for (int column = firstColumn; column <= lastColumn; ++column)
            cells << QString::fromStdString(row.cells[static_cast<std::size_t>(column)]);
        out << cells.join('|');
    }
    return out.join("; ");
}

} // namespace

Q_DECLARE_METATYPE(ui::WithholdingsRequest)

class TestWithholdingCommands : public QObject {
    Q_OBJECT

private slots:
    void clientsOfTheYear_data()
    {
        QTest::addColumn<QStringList>("payments");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("notes");

        const QString bianchi = "Bianchi Anna|BNCNNA70A41L219Y / 98765432109|";
        QTest::newRow("one client, two invoices of two books")
            << QStringList {"2025/1 10/01/2026 1020", "2026/1 20/05/2026 510"} << bianchi + "1.500,00|300,00|1.200,00|2"
            << "";
        QTest::newRow("no tax code: one client by its VAT number, named as last written")
            << QStringList {"2026/3 01/06/2026 2040", "2026/2 20/05/2026 1020"}
            << "Verdi S.r.l.|01234567890|3.000,00|600,00|2.400,00|2"
            << "";
        QTest::newRow("part paid: its share of the withholding")
            << QStringList {"2026/1 20/05/2026 255"} << bianchi + "250,00|50,00|200,00|1"
            << "";
        QTest::newRow("money given back on the credit note takes its share away")
            << QStringList {"2026/3 01/06/2026 2040", "2026/5 01/07/2026 -1020"}
            << "Verdi S.r.l.|01234567890|1.000,00|200,00|800,00|1"
            << "";
        QTest::newRow("a book not read is named, its payments left out")
            << QStringList {"2025/1 10/01/2026 1020", "2026/1 20/05/2026 510", "unreadable 2025"}
            << bianchi + "500,00|100,00|400,00|1"
            << "Anno 2025: non letto (Impossibile";
        QTest::newRow("no withholding, or paid in another year: nobody listed")
            << QStringList {"2026/4 20/05/2026 366", "2026/1 02/01/2027 510"} << ""
            << "Nessun cliente ha operato ritenute sui compensi incassati nel 2026.";
    }

    void clientsOfTheYear()
    {
        QFETCH(QStringList, payments);
        QFETCH(QString, shown);
        QFETCH(QString, notes);
        Books books;
        for (const QString& payment : payments)
            books.pay(payment);
        const ui::WithholdingsView view = books.run({});
        QCOMPARE(rows(view, 0, 5), shown);
        QCOMPARE(QString::fromStdString(view.notes).left(notes.size()), notes);
        QCOMPARE(view.year, std::string("2026"));
    }

    void certificates_data()
    {
        QTest::addColumn<QList<ui::WithholdingsRequest>>("requests");
        QTest::addColumn<QString>("shown"); // certificate and differences of the client
        QTest::addColumn<QString>("stored"); // in certificazioni.fe, gross/withholding
        QTest::addColumn<QString>("message"); // the start of the last box, empty when none

        using R = QList<ui::WithholdingsRequest>;
        QTest::newRow("as on the certificate") << R {certificate(0, "1.500,00", "300")} << "1.500,00|300,00|0,00|0,00"
                                               << "1500/300"
                                               << "";
        QTest::newRow("differences, ours less the certificate's")
            << R {certificate(0, "1.700,00", "250,5")} << "1.700,00|250,50|-200,00|49,50"
            << "1700/250.5"
            << "";
        QTest::newRow("replaced, then taken away")
            << R {certificate(0, "1.700", "250"), certificate(0, "1500", "300"), certificate(0, "", "")} << "|||"
            << ""
            << "";
        QTest::newRow("negative") << R {certificate(0, "-1.500,00", "300")} << "|||"
                                  << ""
                                  << "Il campo \"CU: compensi\" non può contenere un importo negativo.";
        QTest::newRow("text") << R {certificate(0, "1500", "trecento")} << "|||"
                              << ""
                              << "Il campo \"CU: ritenute\" deve contenere un importo";
        QTest::newRow("one figure forgotten") << R {certificate(0, "", "300")} << "|||"
                                              << ""
                                              << "Il campo \"CU: compensi\" deve contenere un importo";
        QTest::newRow("no client chosen") << R {certificate(-1, "1500", "300")} << "|||"
                                          << ""
                                          << "Scegliere nell'elenco il cliente";
        QTest::newRow("a year that is none") << R {{Action::ShowYear, "duemila", -1, "", ""}} << "|||"
                                             << ""
                                             << "Il campo \"Anno\" deve contenere un anno di quattro cifre";
    }

    void certificates()
    {
        QFETCH(QList<ui::WithholdingsRequest>, requests);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        Books books;
        books.pay("2025/1 10/01/2026 1020");
        books.pay("2026/1 20/05/2026 510");
        const ui::WithholdingsView view = books.run(requests);
        QCOMPARE(rows(view, 6, 9), shown);
        const auto typed = archive::readCertificates(books.state.dataDir, 1, 2026).value();
        QStringList file;
        for (const archive::StoredCertificate& certificate : typed)
            file << QString::number(certificate.figures.gross) + "/" + QString::number(certificate.figures.withholding);
        QCOMPARE(file.join(' '), stored);
        // Nothing refused leaves a file behind; whatever was stored is keyed by the tax code.
        QCOMPARE(books.dir.exists("certificazioni.fe"), message.isEmpty());
        if (!typed.empty())
            QCOMPARE(typed.front().client, std::string("BNCNNA70A41L219Y"));
        QCOMPARE(books.dialogs.shown().empty() ? QString()
                                               : QString::fromStdString(books.dialogs.last().text).left(message.size()),
                 message);
    }

    void handedOverAsCsvAndPdf()
    {
        Books books;
        books.pay("2026/1 20/05/2026 255");
        books.pay("2026/2 20/05/2026 1020");
        const std::string csv = books.dir.file("ritenute.csv");
        const std::string pdf = books.dir.file("ritenute.pdf");
        books.dialogs.queueSaveFileName(csv);
        books.dialogs.queueSaveFileName(pdf);
        books.run({certificate(1, "1000", "200"),
                   {Action::ExportCsv, "2026", -1, "", ""},
                   {Action::SavePdf, "2026", -1, "", ""}});
        const std::vector<std::uint8_t> bytes = books.dir.bytes("ritenute.csv");
        QCOMPARE(QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
                 QString("\xEF\xBB\xBF"
                         "Cliente;Codice fiscale / P. IVA;Compensi lordi;Ritenute;Netto incassato;Fatture;"
                         "CU: compensi;CU: ritenute;Differenza compensi;Differenza ritenute\r\n"
                         "Bianchi Anna;BNCNNA70A41L219Y / 98765432109;250,00;50,00;200,00;1;;;;\r\n"
                         "Verdi Srl;01234567890;1000,00;200,00;800,00;1;1000,00;200,00;0,00;0,00\r\n"
                         "Totale;;1250,00;250,00;1000,00;2;1000,00;200,00;0,00;0,00\r\n"));
        QVERIFY(books.dir.bytes("ritenute.pdf").size() > 1000);
    }
};

QTEST_MAIN(TestWithholdingCommands)
#include "test_withholding_commands.moc"
