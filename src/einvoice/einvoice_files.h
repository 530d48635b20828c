// The record files of the electronic invoice, beside the archives of the
// data directory: "emit.fe", "bollo.fe", "nuove.fe" and "pagamenti.fe"
// (record n: the e-invoice data of issuer n and what its new invoices start
// with) and "clienti.fe" (the recipient code or PEC address remembered per
// client). Windows-1252, fixed width, like every other data file.
#pragma once

#include "archive/app_state.h"
#include "archive/data_dir.h"
#include "archive/fields.h"
#include "archive/io_result.h"
#include "archive/records.h"
#include "einvoice/codes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::einvoice {

inline constexpr std::size_t IssuerDataRecordSize = archive::IssuerEinvoiceRecordSize;
inline constexpr std::size_t RecipientRecordSize = archive::RecipientRecordSize;
inline constexpr std::size_t LegalReferenceWidth = archive::fieldOf(archive::IssuerEinvoiceField::LegalReference).width;
inline constexpr std::size_t IbanWidth = archive::fieldOf(archive::IssuerEinvoiceField::Iban).width;
inline constexpr std::size_t RecipientWidth = archive::fieldOf(archive::RecipientField::Recipient).width;

// What an issuer adds for the electronic invoice. Texts are trimmed.
struct IssuerEinvoiceData {
    std::string fiscalRegime {DefaultFiscalRegime}; // RegimeFiscale, RF..
    std::string pensionFund; // TipoCassa, TC.. or empty
    std::string vatNature {DefaultVatNature}; // Natura of invoices without VAT
    std::string legalReference {DefaultLegalReference}; // RiferimentoNormativo of those invoices
    std::string iban; // optional
    bool chargeStampDuty = false; // "bollo.fe": the stamp duty, when due, is charged to the client
    // "nuove.fe": the percentages a new invoice starts with; empty where none is chosen.
    std::string newVat;
    std::string newPension;
    std::string newWithholding;
    // "pagamenti.fe": how a new invoice is to be paid, a code of
    // calc::paymentMethods() and one of calc::paymentTerms(); empty where none is chosen.
    std::string newPaymentMethod;
    std::string newPaymentTerm;

    bool operator==(const IssuerEinvoiceData&) const = default;
};

// What the data change on the figures and the paper copy of every invoice.
archive::IssuerTerms termsOf(const IssuerEinvoiceData& data);

std::string issuerDataFile(const archive::DataDir& dir); // <dir>/emit.fe
std::string recipientFile(const archive::DataDir& dir); // <dir>/clienti.fe
std::string stampDutyFile(const archive::DataDir& dir); // <dir>/bollo.fe
std::string newInvoiceFile(const archive::DataDir& dir); // <dir>/nuove.fe
std::string paymentDefaultsFile(const archive::DataDir& dir); // <dir>/pagamenti.fe

// A record never written (past the end of a file, or zero bytes) reads as
// the defaults, so an issuer saved before these files existed gets them. The
// four files are written together or not at all.
archive::Result<IssuerEinvoiceData> readIssuerData(const archive::DataDir& dir, int issuer);
archive::Status writeIssuerData(const archive::DataDir& dir, int issuer, const IssuerEinvoiceData& data);

// Italian sentences for what the e-invoice window must not accept (an unknown
// code, an IBAN of the wrong form, a text too long or with characters the
// e-invoice cannot hold); empty when the data can be saved.
std::vector<std::string> issuerDataProblems(const IssuerEinvoiceData& data);

// The remembered recipient of the client (same surname, first name, address
// and VAT number, trimmed); nothing when none is remembered.
archive::Result<std::optional<std::string>> findRecipient(const archive::DataDir& dir,
                                                          const archive::PartyRecord& client);
// The answer the input box proposes: the remembered one, else "0000000".
archive::Result<std::string> proposedRecipient(const archive::DataDir& dir, const archive::PartyRecord& client);
// Replaces the remembered recipient of the client, or appends the client.
archive::Status rememberRecipient(const archive::DataDir& dir, const archive::PartyRecord& client,
                                  const std::string& recipient);

// Byte codecs of the two records, exposed for the layout tests.
void encodeIssuerData(const IssuerEinvoiceData& data, std::span<std::uint8_t, IssuerDataRecordSize> out);
IssuerEinvoiceData decodeIssuerData(std::span<const std::uint8_t, IssuerDataRecordSize> in);

} // namespace tessaro::einvoice
