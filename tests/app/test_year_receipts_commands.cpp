// "Incassi dell'anno" as a user works it: the year of the main window, another
// year chosen or refused, a search by client or invoice with its totals, and
// the year handed over as a CSV file. The figures are reckoned by hand from
// the books of receipt_books.h.
#include "app/year_receipts_commands.h"
#include "archive/box_titles.h"
#include "archive/year_receipts_texts.h"
#include "layout_checks.h"
#include "receipt_books.h"
#include "ui/scripted_dialogs.h"

#include <QFile>
#include <QtTest>

using namespace tessaro;
using Action = ui::YearReceiptsRequest::Action;
using Requests = QList<ui::YearReceiptsRequest>;

Q_DECLARE_METATYPE(ui::YearReceiptsRequest)

namespace {

ui::YearReceiptsRequest asked(Action action, const char* year = "2026", const char* search = "")
{
    return {action, year, search};
}

// Date, invoice, client, amount, fees, VAT and note of every row shown, one line each.
QString rowsOf(const ui::YearReceiptsView& view)
{
    using C = archive::ReceiptColumn;
    QStringList lines;
    for (const int index : view.shown) {
        QStringList cells;
        for (const C column : {C::Date, C::Invoice, C::Client, C::Amount, C::Fees, C::Vat, C::Note})
            cells << QString::fromStdString(archive::receiptCell(view.receipts->rows[static_cast<std::size_t>(index)],
                                                                 column, {view.decimalSeparator, true, true}));
        lines << cells.join(' ');
    }
    return lines.join('\n');
}

// The books of receipt_books.h, that of 2024 past reading, worked through the window.
struct Books {
    test::TestDir dir;
    test::FaultyFileSystem fs;
    archive::AppState state = test::sampleState(archive::InvoiceType::Professional);
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    const ui::YearReceiptsView& run(const Requests& requests)
    {
        test::writeReceiptBooks(dir.data());
        test::breakBookOf2024(fs);
        state.dataDir = dir.data(fs);
        form.year = "2026";
        for (const ui::YearReceiptsRequest& request : requests)
            dialogs.queueYearReceiptsRequest(request);
        app::showYearReceipts(form, state, dialogs, app::FixedClock(2030));
        return dialogs.yearReceiptsViews().back();
    }
};

const char* const Year2026 = "10/01/2026 1/2025 Verdi 1.220,00 1.000,00 220,00 \n"
                             "20/02/2026 2/2026 Bianchi Anna 610,00 500,00 110,00 \n"
                             "25/02/2026 2/2026 Bianchi Anna 61,00 50,00 11,00 \n"
                             "01/03/2026 3/2026 Bianchi Anna -122,00 -100,00 -22,00 rimborso su nota di credito\n"
                             "05/04/2026 4/2026 Gialli 500,00 500,00 0,00 non suddiviso: fattura in lire senza cambio\n"
                             "20/05/2026 1/2026 Rossi Mario 610,00 500,00 110,00 \n"
                             "28/12/2026 1/2027 Viola 244,00 200,00 44,00 ";

} // namespace

class TestYearReceiptsCommands : public QObject {
    Q_OBJECT

private slots:
    void yearReceipts_data()
    {
        QTest::addColumn<Requests>("requests");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("totals"); // amount, fees, VAT, the count
        QTest::addColumn<QString>("message"); // the start of the last box; empty when none

        const QStringList year = QString(Year2026).split('\n');
        const QString neri = "30/12/2025 2/2025 Neri 122,00 100,00 22,00 ";
        QTest::newRow("the main window's year")
            << Requests {} << Year2026 << "3.123,00 2.650,00 473,00 7 incassi" << QString();
        QTest::newRow("another year") << Requests {asked(Action::ChangeYear, "2025")} << neri
                                      << "122,00 100,00 22,00 1 incasso" << QString();
        for (const char* typed : {"duemila", "1850", "20266"})
            QTest::newRow(typed) << Requests {asked(Action::ChangeYear, typed)} << Year2026
                                 << "3.123,00 2.650,00 473,00 7 incassi"
                                 << "Anno: indicare un anno";
        QTest::newRow("a client") << Requests {asked(Action::Search, "2026", "BIANCHI")} << year.mid(1, 3).join('\n')
                                  << "549,00 450,00 99,00 3 di 7 incassi" << QString();
        QTest::newRow("an invoice") << Requests {asked(Action::Search, "2026", "1/2025")} << year[0]
                                    << "1.220,00 1.000,00 220,00 1 di 7 incassi" << QString();
        QTest::newRow("a number and a word")
            << Requests {asked(Action::Search, "2026", "2 anna")} << year.mid(1, 2).join('\n')
            << "671,00 550,00 121,00 2 di 7 incassi" << QString();
        QTest::newRow("the search kept on another year")
            << Requests {asked(Action::Search, "2026", "neri"), asked(Action::ChangeYear, "2025", "neri")} << neri
            << "122,00 100,00 22,00 1 incasso" << QString();
    }

    void yearReceipts()
    {
        QFETCH(Requests, requests);
        QFETCH(QString, rows);
        QFETCH(QString, totals);
        QFETCH(QString, message);
        Books books;
        const ui::YearReceiptsView& view = books.run(requests);
        QCOMPARE(books.dialogs.yearReceiptsViews().size(), static_cast<std::size_t>(requests.size() + 1));
        QCOMPARE(rowsOf(view), rows);
        QCOMPARE(
            QString::fromStdString(view.totals[3] + " " + view.totals[4] + " " + view.totals[6] + " " + view.count),
            totals);
        const auto& shown = books.dialogs.shown();
        QCOMPARE(shown.empty() ? QString() : QString::fromStdString(shown.back().text).left(message.size()), message);
        if (!message.isEmpty())
            QCOMPARE(shown.back().title, std::string(archive::AttentionTitle));
        QVERIFY(view.problems.front().starts_with("Anno 2024: non letto ("));
    }

    void csvOfTheYear()
    {
        Books books;
        // A search narrows the window, not the file: the file is the whole year.
        books.dialogs.queueSaveFileName(books.dir.file("anno"));
        books.run({asked(Action::Search, "2026", "viola"), asked(Action::ExportCsv)});

        QFile file(QString::fromStdString(books.dir.file("anno.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes).split("\r\n");
        QCOMPARE(lines.size(), 12); // heading, 7 rows, totals, the book not read, the rule, the last line end
        QCOMPARE(lines[0],
                 QStringLiteral("Data;Fattura;Cliente;Importo;Compensi;Cassa;IVA;Spese;Bollo;Ritenuta;Note;"
                                "Partita IVA del cliente;Codice fiscale del cliente;Modalità di pagamento"));
        QCOMPARE(lines[4],
                 QStringLiteral("01/03/2026;3/2026;Bianchi Anna;-122,00;-100,00;0,00;-22,00;0,00;0,00;0,00;"
                                "rimborso su nota di credito;;;MP05 bonifico"));
        QCOMPARE(lines[8], QStringLiteral(";;Totale;3123,00;2650,00;0,00;473,00;0,00;0,00;0,00;;;;"));
        QVERIFY(lines[9].startsWith("Anno 2024: non letto ("));
        QVERIFY(books.dialogs.last().text.starts_with("Gli incassi dell'anno 2026 (7 incassi) sono stati esportati"));
    }
};

QTEST_MAIN(TestYearReceiptsCommands)
#include "test_year_receipts_commands.moc"
