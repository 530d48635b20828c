// Invoices, issuers and clients the e-invoice tests share, and the helpers
// that read an exported document back and validate it against the schema.
#pragma once

#include "einvoice/export_input.h"

#include <QString>
#include <QStringList>

#include <string>

namespace tessaro::test {

archive::PartyRecord personIssuer(); // ing. Mario Rossi, with VAT number
archive::PartyRecord firmClient(); // Edilizia Bianchi S.r.l.
archive::PartyRecord personClient(); // Anna Verdi, fiscal code only

// Professional service: fees 1000 and 500, cassa 4 (TC04), VAT 22,
// withholding 20, expenses 10; issuer and client above, invoice 7 of 2024.
einvoice::InvoiceToExport professionalInvoice();
// Commercial: 10.50 x 2, 3 x (blank), 4 x 1, extra lines 5 x 3 and 7 x (blank).
einvoice::InvoiceToExport commercialInvoice();

// The issuer of professionalInvoice() stored as issuer 1, the current one,
// with its e-invoice data, in the data directory of `state`; the state knows it.
void storeSampleIssuer(archive::AppState& state);

// Texts of every element whose path ends with the given one, e.g.
// "DatiRiepilogo/Imposta", in document order.
QStringList xmlValues(const std::string& xml, const QString& pathSuffix);

// The FatturaPA schema kept with the test data.
QString schemaFile();
// Empty when the file validates; the reason otherwise, a missing schema or
// xmllint included.
// Windows has no xmllint: there the check is left to the Linux run, which
// validates what the same code writes, and says so in the test's log.
QString schemaErrors(const QString& xmlFile);
// False only on Windows, where there is no xmllint to check with.
bool schemaCheckerFound();

} // namespace tessaro::test
