// Everything one electronic invoice is made from: the invoice on screen (or
// read back from its book), the program's invoice type, its year and number,
// the issuer with the e-invoice data, and the client's recipient.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/records.h"
#include "einvoice/einvoice_files.h"

#include <string>

namespace tessaro::einvoice {

struct InvoiceToExport {
    // Texts, buffer.currency, extraLines and omittedVatStatement are read;
    // the result texts are not (the amounts are computed afresh).
    archive::InvoiceForm form;
    archive::InvoiceType type = archive::InvoiceType::Professional;
    std::string year; // the year text of the book, four digits
    int number = 0; // the invoice number in the book
    archive::PartyRecord issuer;
    IssuerEinvoiceData issuerData;
    // Codice destinatario (7 letters or digits) or PEC address.
    std::string recipient {DefaultRecipientCode};
    // ProgressivoInvio and the file's name, from the export counter; empty
    // names it the earlier way, after the year and the number.
    std::string progressive;
};

} // namespace tessaro::einvoice
