// The menu "Documento": which book of the year the window works on (the
// invoices or the fee notices), and "Emetti fattura", which turns a paid
// notice into the invoice of the day it was paid.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "ui/dialogs.h"

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

// "Emetti fattura": asks the day of the payment of the stored notice on
// screen (today by default, never before the notice), issues the invoice in
// the book of that day's year with the payment of its whole amount, marks the
// notice, and shows the invoice.
void issueInvoiceFromNotice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                            const Clock& clock);

} // namespace tessaro::app
