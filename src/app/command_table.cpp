#include "app/command_table.h"

#include "app/backup_commands.h"
#include "app/book_commands.h"
#include "app/calc_commands.h"
#include "app/client_commands.h"
#include "app/command_context.h"
#include "app/credit_note_commands.h"
#include "app/einvoice_commands.h"
#include "app/flat_rate_commands.h"
#include "app/invoice_commands.h"
#include "app/manual_location.h"
#include "app/mode_commands.h"
#include "app/notice_commands.h"
#include "app/payment_commands.h"
#include "app/pdf_commands.h"
#include "app/print_commands.h"
#include "app/sdi_commands.h"
#include "app/totals_commands.h"
#include "app/withholding_commands.h"
#include "app/year_receipts_commands.h"
#include "ui/info_windows.h"
#include "ui/main_window.h"

#include <array>

namespace tessaro::app {

namespace {

using C = ui::Command;
using FormCommand = void (*)(archive::InvoiceForm&, archive::AppState&, ui::Dialogs&);
using ReadingCommand = void (*)(const archive::InvoiceForm&, archive::AppState&, ui::Dialogs&);

// A command on the invoice shown: the window is copied into the form before
// it and back after it.
template <FormCommand Run> void onForm(CommandContext& c)
{
    c.perform([&c] { Run(c.form, c.state, c.dialogs); });
}

// A command that may let the invoice on screen go, and so may save it first:
// the save asks about a date that has not come yet.
using DatedCommand = void (*)(archive::InvoiceForm&, archive::AppState&, ui::Dialogs&, const Clock&);
template <DatedCommand Run> void onFormToday(CommandContext& c)
{
    c.perform([&c] { Run(c.form, c.state, c.dialogs, c.clock); });
}

template <ReadingCommand Run> void readingForm(CommandContext& c)
{
    c.perform([&c] { Run(c.form, c.state, c.dialogs); });
}

// The mode commands change the menu's check marks too.
template <FormCommand Run> void currency(CommandContext& c)
{
    onForm<Run>(c);
    c.applyModes();
}

// The two books of the menu "Documento", check-marked like the modes.
template <archive::Document Chosen> void document(CommandContext& c)
{
    c.perform([&c] { chooseDocument(c.form, c.state, c.dialogs, c.clock, Chosen); });
    c.applyModes();
}

void resetEverything(CommandContext& c)
{
    bool openIssuer = false;
    c.perform([&c, &openIssuer] {
        openIssuer = resetAll(c.form, c.state, c.dialogs);
        // The book on screen is gone with everything else.
        if (openIssuer)
            c.form.unchanged.reset();
    });
    c.window.showIssuer(c.state.currentIssuerRecord);
    if (openIssuer)
        c.openIssuerWindow();
}

constexpr std::array<CommandSpec, static_cast<std::size_t>(C::Count) - 1> Commands = {{
    {C::IssuerData, [](CommandContext& c) { c.openIssuerWindow(); }},
    {C::NewInvoice, onFormToday<newInvoice>},
    {C::SaveInvoice, onFormToday<saveInvoice>},
    {C::PrintInvoice, onForm<printInvoice>},
    {C::PrintYear, onForm<printYear>},
    {C::SavePdf, onForm<saveInvoicePdf>},
    {C::ExportEinvoice, onForm<exportEinvoice>},
    {C::ExportEinvoiceYear, onForm<exportEinvoiceYear>},
    {C::TotalAll, readingForm<totalAllInvoices>},
    {C::TotalSome, readingForm<totalSomeInvoices>},
    {C::TotalVat, readingForm<totalVat>},
    {C::Quit, [](CommandContext& c) { c.quit(); }},
    {C::InsertInvoice, onFormToday<insertInvoice>},
    {C::DeleteInvoice, onForm<deleteInvoice>},
    {C::DeleteYear, onFormToday<deleteYear>},
    {C::ResetAll, resetEverything},
    {C::DeleteClients, [](CommandContext& c) { deleteClientArchive(c.state, c.dialogs); }},
    {C::Lire, currency<selectLire>},
    {C::Euro, currency<selectEuro>},
    {C::EuroValue, onForm<setEuroValue>},
    {C::Professional,
     [](CommandContext& c) {
         selectProfessional(c.state, c.dialogs);
         c.applyModes();
     }},
    {C::Commercial,
     [](CommandContext& c) {
         selectCommercial(c.state, c.dialogs);
         c.applyModes();
     }},
    {C::ReverseProfessional,
     [](CommandContext& c) { c.perform([&c] { reverseProfessional(c.form, c.state, c.dialogs); }); }},
    {C::ReverseCommercial,
     [](CommandContext& c) { c.perform([&c] { reverseCommercial(c.form, c.state, c.dialogs); }); }},
    {C::Information, [](CommandContext& c) { ui::showInformationWindow(&c.window); }},
    {C::Manual, [](CommandContext& c) { ui::openManual(&c.window, availableManualPath(), manualCandidates()); }},
    {C::Products, [](CommandContext& c) { ui::showProductsWindow(&c.window); }},
    {C::PreviousInvoice, onFormToday<previousInvoice>},
    {C::NextInvoice, onFormToday<nextInvoice>},
    {C::Calculate, [](CommandContext& c) { c.perform([&c] { calculate(c.form, c.state); }); }},
    {C::LoadClients,
     [](CommandContext& c) {
         if (const auto entries = loadClientList(c.state, c.dialogs))
             c.window.setClientEntries(*entries);
     }},
    {C::ExtraLines, [](CommandContext& c) { c.openExtraLines(); }},
    {C::Register, [](CommandContext& c) { c.openRegister(); }},
    {C::Backup, [](CommandContext& c) { makeBackup(c.state, c.dialogs, QDateTime::currentDateTime()); }},
    {C::RestoreBackup,
     [](CommandContext& c) {
         if (restoreBackup(c.state, c.dialogs, QDateTime::currentDateTime()))
             reloadAfterRestore(c);
     }},
    {C::CreditNote, onFormToday<prepareCreditNote>},
    {C::Payments, onFormToday<showPayments>},
    {C::YearReceipts, onFormToday<showYearReceipts>},
    {C::FlatRate, onFormToday<showFlatRate>},
    {C::Withholdings, onFormToday<showWithholdings>},
    {C::ImportReceipts, onForm<importReceipts>},
    {C::Invoices, document<archive::Document::Invoices>},
    {C::Notices, document<archive::Document::Notices>},
    {C::IssueInvoice,
     [](CommandContext& c) {
         // The boxes come once the window shows the invoice they speak of.
         IssuedFromNotice issued;
         c.perform([&c, &issued] { issued = issueInvoiceFromNotice(c.form, c.state, c.dialogs, c.clock); });
         c.applyModes();
         tellIssued(c.state, c.dialogs, issued);
     }},
}};

constexpr bool inCommandOrder()
{
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (Commands[i].command != static_cast<C>(i + 1))
            return false;
    }
    return true;
}
static_assert(inCommandOrder(), "one row per command, in the order of ui::Command");

} // namespace

std::span<const CommandSpec> commandTable()
{
    return Commands;
}

const CommandSpec* commandSpec(ui::Command command)
{
    const auto index = static_cast<std::size_t>(command);
    if (index < 1 || index > Commands.size())
        return nullptr;
    return &Commands[index - 1];
}

} // namespace tessaro::app
