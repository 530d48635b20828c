// "Stampa" and "Stampa tutte le fatture dell'anno": the invoice on screen, or
// every invoice of the book on screen, as one print document. Without a
// default printer the document is written as a PDF into the data directory.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "print/document.h"
#include "ui/dialogs.h"

#include <string>

namespace tessaro::app {

void printInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);
void printYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs);

// The same, with the document handed to the given sink instead of the system printer.
void printInvoice(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                  const print::DocumentSink& sink);
void printYear(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
               const print::DocumentSink& sink);

// File names of the PDF written when there is no printer, in the data directory:
// "fattura-<issuer>-<year>-<number>.pdf" and "fatture-<issuer>-<year>.pdf".
std::string invoicePdfPath(const archive::InvoiceForm& form, const archive::AppState& state);
std::string yearPdfPath(const archive::InvoiceForm& form, const archive::AppState& state);

// The full path of a file, as a message names it.
std::string absolutePath(const std::string& path);

// Tells the user where a document went when that is not the printer: the PDF
// written (with its full path) or the refusal. Shared with "Salva fattura in PDF".
void reportDocument(const print::DocumentOutcome& outcome, ui::Dialogs& dialogs, bool severalInvoices);

} // namespace tessaro::app
