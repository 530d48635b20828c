// The menu "Documento": which book of the year the window works on (the
// invoices or the fee notices), and "Emetti fattura", which turns a paid
// notice into the invoice of the day it was paid.
#pragma once

#include "app/clock.h"
#include "app/flat_rate_commands.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

#include <optional>
#include <string>

namespace tessaro::app {

// What a command that concerns invoices only says on a fee notice.
inline constexpr const char* NoticeIsNoInvoiceText
    = "Un avviso di parcella non è una fattura: emettere prima la fattura.";
inline constexpr const char* NoticeTotalsText
    = "I totali dell'anno sommano le fatture: per calcolarli scegliere \"Fatture\" nel menu Documento.";
inline constexpr const char* IssueInvoiceTitle = "EMETTI FATTURA";

// True, after saying `text`, when the window works on the fee notices.
bool refusedOnNotices(const archive::AppState& state, ui::Dialogs& dialogs, const char* text);

// "Fatture" / "Avvisi di parcella": the invoice on screen may be saved
// first; then the window shows the chosen book of the year in the year field.
void chooseDocument(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                    archive::Document document);

// What "Emetti fattura" tells once the window shows the invoice; nothing
// when no invoice was issued.
struct IssuedFromNotice {
    std::string done; // for the "Operazione effettuata" box
    std::optional<FlatRateBefore> flatRate; // the year's fees before the payment, for a flat-rate issuer
};

// "Emetti fattura": asks the day of the payment of the stored notice on
// screen (today by default, never before the notice), issues the invoice in
// the book of that day's year with the payment of its whole amount, marks the
// notice, and shows the invoice.
IssuedFromNotice issueInvoiceFromNotice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                                        const Clock& clock);
// The boxes of an invoice issued: done, then a flat-rate limit the payment passed.
void tellIssued(const archive::AppState& state, ui::Dialogs& dialogs, const IssuedFromNotice& issued);

} // namespace tessaro::app
