// A flat-rate engineer's fee notice as a user makes it: written in December
// on the notices' book, printed, refused by the exports and the totals, paid
// in January and issued as the first invoice of the new year, with its
// payment; then held against the two books.
#include "app/book_commands.h"
#include "app/credit_note_commands.h"
#include "app/einvoice_commands.h"
#include "app/invoice_commands.h"
#include "app/notice_commands.h"
#include "app/register_commands.h"
#include "app/totals_commands.h"
#include "archive/lifecycle.h"
#include "archive/notices.h"
#include "archive/payments.h"
#include "late_clock.h"
#include "layout_checks.h"
#include "print/invoice_page.h"
#include "print/recording_page.h"
#include "test_dir.h"
#include "ui/scripted_dialogs.h"

#include <QtTest>

#include <functional>

using namespace tessaro;

namespace {

const app::FixedClock InJanuary {2027, 1, 12};

struct Office {
    test::TestDir dir;
    archive::AppState state = test::sampleState(archive::InvoiceType::Professional);
    archive::InvoiceForm form;
    ui::ScriptedDialogs dialogs;

    // Notice 1 of 2026: a fee of 1000 without VAT, charged the stamp duty an invoice would carry.
    Office()
    {
        state.dataDir = dir.data();
        state.issuerTerms.fiscalRegime = "RF19";
        state.issuerTerms.amounts.chargeStampDuty = true;
        form.year = "2026";
        QVERIFY(archive::switchYear(form, state).ok());
        app::chooseDocument(form, state, dialogs, InJanuary, archive::Document::Notices);
        archive::clearInvoice(form, state);
        form.client = test::sampleClient();
        form.day = "15";
        form.month = "12";
        form.vat = "0";
        form.amount[0] = "1000";
        app::saveInvoice(form, state, dialogs, test::lateClock());
        app::showInvoice(form, state, dialogs, 1);
    }
    std::string lastMessage() const { return dialogs.shown().empty() ? "" : dialogs.last().text; }
};

} // namespace

class TestNoticeCommands : public QObject {
    Q_OBJECT

private slots:
    void aNoticeIsWrittenInItsOwnBook()
    {
        Office office;
        QCOMPARE(office.lastMessage(), std::string("          AVVISO DI PARCELLA SALVATO    "));
        QVERIFY(office.form.notice);
        QCOMPARE(office.form.noticeStatus, std::string("da fatturare"));
        QVERIFY(office.dir.exists("12026.avv"));
        QCOMPARE(archive::readCounter(archive::bookPaths(office.state.dataDir, 1, "2026")).value(), std::int16_t {0});
        // The figures on screen carry no stamp duty.
        QCOMPARE(office.form.total, std::string("1000,00"));

        print::RecordingPage page;
        print::layoutInvoice(page, office.form, print::invoiceSheet(office.state));
        QVERIFY(page.find("AVVISO DI PARCELLA N.  1"));
        QVERIFY(page.find("Avviso di parcella: non costituisce fattura."));
        QVERIFY(page.find("al ricevimento del pagamento."));
        QVERIFY(!page.find("Imposta di bollo assolta in modo virtuale"));
        QVERIFY(!page.find("FATTURA N."));
    }

    void whatANoticeIsNot()
    {
        using Command = std::function<void(Office&)>;
        const std::pair<Command, const char*> refused[] = {
            {[](Office& o) { app::exportEinvoice(o.form, o.state, o.dialogs); }, app::NoticeIsNoInvoiceText},
            {[](Office& o) { app::exportEinvoiceYear(o.form, o.state, o.dialogs); }, app::NoticeIsNoInvoiceText},
            {[](Office& o) { app::prepareCreditNote(o.form, o.state, o.dialogs, InJanuary); },
             app::NoticeIsNoInvoiceText},
            {[](Office& o) { app::totalAllInvoices(o.form, o.state, o.dialogs); }, app::NoticeTotalsText},
            {[](Office& o) { app::totalVat(o.form, o.state, o.dialogs); }, app::NoticeTotalsText},
        };
        Office office;
        for (const auto& [command, refusal] : refused) {
            const std::size_t before = office.dialogs.shown().size();
            command(office);
            QCOMPARE(office.dialogs.shown().size(), before + 1);
            QCOMPARE(office.lastMessage(), std::string(refusal));
        }
        QVERIFY(!office.dir.exists("fatture elettroniche"));
        QCOMPARE(office.state.nextNumber, std::int16_t {2});
    }

    void paidInJanuaryItBecomesTheFirstInvoiceOfTheYear()
    {
        Office office;
        // A day before the notice is refused and writes nothing.
        office.dialogs.queueInput("14/12/2026");
        app::issueInvoiceFromNotice(office.form, office.state, office.dialogs, InJanuary);
        QCOMPARE(office.lastMessage(),
                 std::string("La data del pagamento non può precedere la data dell'avviso di parcella (15/12/2026)."));
        QVERIFY(!office.dir.exists("12027.arc"));

        // The question proposes today.
        office.dialogs.queueInput("10/01/2027");
        app::tellIssued(office.state, office.dialogs,
                        app::issueInvoiceFromNotice(office.form, office.state, office.dialogs, InJanuary));
        const auto& asked = office.dialogs.shown()[office.dialogs.shown().size() - 2];
        QCOMPARE(asked.defaultText, std::string("12/01/2027"));
        QCOMPARE(
            QString::fromStdString(office.lastMessage()),
            QString::fromStdString("Emessa la fattura n. 1 del 10/01/2027 dall'avviso di parcella n. 1 del 2026, con "
                                   "l'incasso di 1002,00 euro."));
        // The window shows the invoice, with the stamp duty an invoice carries.
        QVERIFY(!office.state.onNotices());
        QCOMPARE(office.form.year, std::string("2027"));
        QCOMPARE(archive::invoiceNumber(office.form.number), 1);
        QCOMPARE(office.form.total, std::string("1002,00"));
        QCOMPARE(office.state.nextNumber, std::int16_t {2});

        // Back on the notices of 2026: invoiced, and only once.
        office.form.year = "2026";
        app::chooseDocument(office.form, office.state, office.dialogs, InJanuary, archive::Document::Notices);
        app::showInvoice(office.form, office.state, office.dialogs, 1);
        QCOMPARE(office.form.noticeStatus, std::string("fatturato con la fattura n. 1 del 10/01/2027"));
        const std::size_t before = office.dialogs.shown().size();
        app::issueInvoiceFromNotice(office.form, office.state, office.dialogs, InJanuary);
        QCOMPARE(office.dialogs.shown().size(), before + 1);
        QCOMPARE(office.lastMessage(),
                 std::string("L'avviso di parcella n. 1 è già stato fatturato con la fattura n. 1 del 10/01/2027: "
                             "non si emette una seconda fattura."));

        // Deleting the invoice says the notice will wait again.
        office.state.document = archive::Document::Invoices;
        office.form.year = "2027";
        QVERIFY(archive::switchYear(office.form, office.state).ok());
        office.form.number = "1";
        office.dialogs.queueAnswer(ui::Answer::Cancel);
        app::deleteInvoice(office.form, office.state, office.dialogs);
        QVERIFY(office.lastMessage().ends_with("che tornerà da fatturare."));
        office.state.document = archive::Document::Notices;
        office.form.year = "2026";
        QVERIFY(archive::switchYear(office.form, office.state).ok());

        // The register of notices says so, and "da fatturare" leaves it out.
        const auto notices = app::readRegister(office.form, office.state, InJanuary.today());
        QVERIFY(notices.ok());
        QVERIFY(notices.value().notices);
        QCOMPARE(notices.value().sdiStatuses.at(0).text, std::string("fatturato con la fattura n. 1 del 10/01/2027"));
        QCOMPARE(notices.value().invoiced, std::vector<char> {1});
        QVERIFY(!notices.value().reg->row(0).settlement);
    }
};

QTEST_MAIN(TestNoticeCommands)
#include "test_notice_commands.moc"
