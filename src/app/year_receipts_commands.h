// "Incassi dell'anno": every payment the current issuer received in a year, from the books of every year, divided over
// the parts of its invoice; searched by client or invoice, handed over as a CSV file, on paper or as a PDF.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/year_receipts.h"
#include "print/document.h"
#include "ui/dialogs.h"

#include <memory>

namespace tessaro::app {

inline constexpr const char* YearReceiptsTitle = "Incassi dell'anno";
inline constexpr const char* YearReceiptsPdfTitle = "Salva incassi in PDF";
// The years the window accepts.
inline constexpr int FirstReceiptsYear = 1980;
inline constexpr int LastReceiptsYear = 2099;

// Opens on the year of the main window's year field (today's year while that
// names no year); "Stampa" goes to the default printer.
void showYearReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);
// The same with the printed pages handed to the given sink.
void showYearReceipts(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                      const print::DocumentSink& sink);

// The window's contents for a year read, every row shown.
ui::YearReceiptsView yearReceiptsView(std::shared_ptr<const archive::YearReceipts> receipts, char decimalSeparator);

} // namespace tessaro::app
