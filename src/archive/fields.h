// The layouts of the data files' records, one table per record: each field's
// name, offset and width in bytes. The codecs, the readers of single
// figures, the e-invoice data files and the windows' maximum lengths all take
// their numbers from here. Offsets are computed from the widths in order, so
// a layout can only be changed in one place.
#pragma once

#include "calc/numbers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tessaro::archive {

struct FieldSpec {
    std::string_view name;
    std::size_t offset = 0;
    std::size_t width = 0;

    constexpr std::size_t end() const { return offset + width; }
};

struct FieldWidth {
    std::string_view name;
    std::size_t width;
};

// The fields laid end to end from offset 0.
template <std::size_t N> constexpr std::array<FieldSpec, N> layOut(const FieldWidth (&widths)[N])
{
    std::array<FieldSpec, N> fields {};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < N; ++i) {
        fields[i] = FieldSpec {widths[i].name, offset, widths[i].width};
        offset += widths[i].width;
    }
    return fields;
}

template <std::size_t N> constexpr std::size_t recordSize(const std::array<FieldSpec, N>& fields)
{
    return fields[N - 1].end();
}

// The person or firm of the issuer archive, of the client archive and of
// the client block at the start of every invoice.
enum class PartyField : std::size_t {
    Title,
    Surname,
    FirstName,
    Address,
    City,
    Province,
    PostCode,
    TaxCode,
    VatNumber
};
inline constexpr FieldWidth PartyWidths[] = {
    {"Title", 5},    {"Surname", 29}, {"FirstName", 29}, {"Address", 40},   {"City", 35},
    {"Province", 2}, {"PostCode", 5}, {"TaxCode", 16},   {"VatNumber", 12},
};
inline constexpr auto PartyFields = layOut(PartyWidths);
inline constexpr std::size_t PartyRecordSize = recordSize(PartyFields);
static_assert(PartyRecordSize == 173);

constexpr FieldSpec fieldOf(PartyField field)
{
    return PartyFields[static_cast<std::size_t>(field)];
}

// An invoice of a book's .arc: the client, then the invoice itself.
enum class InvoiceField : std::size_t {
    Client,
    Day,
    Month,
    Vat,
    Kind,
    Description1,
    Description2,
    Description3,
    Amount1,
    Amount2,
    Amount3,
    Quantity1,
    Quantity2,
    Quantity3,
    Pension,
    Expenses,
    Withholding,
    Currency,
    Rate,
    Expenses2,
};
inline constexpr FieldWidth InvoiceWidths[] = {
    {"Client", PartyRecordSize},
    {"Day", 2},
    {"Month", 2},
    {"Vat", 2},
    {"Kind", 1},
    {"Description1", 210},
    {"Description2", 150},
    {"Description3", 90},
    {"Amount1", 10},
    {"Amount2", 10},
    {"Amount3", 10},
    {"Quantity1", 4},
    {"Quantity2", 4},
    {"Quantity3", 4},
    {"Pension", 1},
    {"Expenses", 8},
    {"Withholding", 2},
    {"Currency", 1},
    {"Rate", 4}, // 32-bit float, little-endian: the value of one euro in lire
    {"Expenses2", 8},
};
inline constexpr auto InvoiceFields = layOut(InvoiceWidths);
inline constexpr std::size_t InvoiceRecordSize = recordSize(InvoiceFields);
static_assert(InvoiceRecordSize == 696);

constexpr FieldSpec fieldOf(InvoiceField field)
{
    return InvoiceFields[static_cast<std::size_t>(field)];
}
static_assert(fieldOf(InvoiceField::Rate).offset == 684);

// Main line 1..3 of an invoice.
constexpr FieldSpec descriptionField(std::size_t line)
{
    return fieldOf(static_cast<InvoiceField>(static_cast<std::size_t>(InvoiceField::Description1) + line - 1));
}
constexpr FieldSpec amountField(std::size_t line)
{
    return fieldOf(static_cast<InvoiceField>(static_cast<std::size_t>(InvoiceField::Amount1) + line - 1));
}
constexpr FieldSpec quantityField(std::size_t line)
{
    return fieldOf(static_cast<InvoiceField>(static_cast<std::size_t>(InvoiceField::Quantity1) + line - 1));
}

// A book's .agg: the descriptions, prices and quantities of lines 4 to 10,
// each group of seven in line order.
inline constexpr std::size_t ExtraLineCount = 7;
inline constexpr std::size_t ExtraDescriptionWidth = 35;
inline constexpr std::size_t ExtraAmountWidth = 10;
inline constexpr std::size_t ExtraQuantityWidth = 4;
inline constexpr std::size_t ExtraLinesRecordSize
    = ExtraLineCount * (ExtraDescriptionWidth + ExtraAmountWidth + ExtraQuantityWidth);
static_assert(ExtraLinesRecordSize == 343);

// Extra line 4..10.
constexpr FieldSpec extraDescriptionField(std::size_t line)
{
    return {"Description", (line - 4) * ExtraDescriptionWidth, ExtraDescriptionWidth};
}
constexpr FieldSpec extraAmountField(std::size_t line)
{
    return {"Amount", ExtraLineCount * ExtraDescriptionWidth + (line - 4) * ExtraAmountWidth, ExtraAmountWidth};
}
constexpr FieldSpec extraQuantityField(std::size_t line)
{
    return {"Quantity", ExtraLineCount * (ExtraDescriptionWidth + ExtraAmountWidth) + (line - 4) * ExtraQuantityWidth,
            ExtraQuantityWidth};
}
static_assert(extraQuantityField(10).end() == ExtraLinesRecordSize);

// A book's .imp: the next free number N, a signed 16-bit little-endian integer.
inline constexpr std::size_t CounterRecordSize = 2;

// A book's .ndc, beside the .arc so that its records keep the length the
// earlier program reads: record n says whether invoice n is a credit note
// and which invoice of the book it cancels (number and date as typed).
enum class CreditNoteField : std::size_t { Kind, RefNumber, RefDay, RefMonth, RefYear };
inline constexpr FieldWidth CreditNoteWidths[] = {
    {"Kind", 1}, {"RefNumber", 5}, {"RefDay", 2}, {"RefMonth", 2}, {"RefYear", 4},
};
inline constexpr auto CreditNoteFields = layOut(CreditNoteWidths);
inline constexpr std::size_t CreditNoteRecordSize = recordSize(CreditNoteFields);
static_assert(CreditNoteRecordSize == 14);
inline constexpr char CreditNoteFlag = 'n'; // anything else, a record never written included, is an invoice

constexpr FieldSpec fieldOf(CreditNoteField field)
{
    return CreditNoteFields[static_cast<std::size_t>(field)];
}

// A book's .inc, beside the .arc for the same reason as the .ndc: record n
// holds the terms of invoice n (method, term, a due date typed for it) and
// the payments received for it, each a date, an amount, a method and a note.
enum class PaymentTermsField : std::size_t { Method, Term, DueDate };
inline constexpr FieldWidth PaymentTermsWidths[] = {{"ModalitaPagamento", 4}, {"Termine", 4}, {"Scadenza", 8}};
inline constexpr auto PaymentTermsFields = layOut(PaymentTermsWidths);
enum class PaymentField : std::size_t { Date, Amount, Method, Note };
inline constexpr FieldWidth PaymentWidths[] = {{"Data", 8}, {"Importo", 13}, {"Modalita", 4}, {"Nota", 30}};
inline constexpr auto PaymentFields = layOut(PaymentWidths);
inline constexpr std::size_t PaymentSize = recordSize(PaymentFields);
inline constexpr std::size_t PaymentsPerInvoice = 12;
inline constexpr std::size_t PaymentsRecordSize = recordSize(PaymentTermsFields) + PaymentsPerInvoice * PaymentSize;
static_assert(PaymentsRecordSize == 676);

constexpr FieldSpec fieldOf(PaymentTermsField field)
{
    return PaymentTermsFields[static_cast<std::size_t>(field)];
}
// The field of the payment in slot `slot` (from 0) of a record.
constexpr FieldSpec paymentFieldOf(std::size_t slot, PaymentField field)
{
    FieldSpec spec = PaymentFields[static_cast<std::size_t>(field)];
    spec.offset += recordSize(PaymentTermsFields) + slot * PaymentSize;
    return spec;
}
static_assert(paymentFieldOf(PaymentsPerInvoice - 1, PaymentField::Note).end() == PaymentsRecordSize);

// "impost": four records of four bytes. Records 1 to 3 hold a signed 16-bit
// integer in their first two bytes; record 4 the value of one euro as a float.
inline constexpr std::size_t SettingsRecordSize = 4;
inline constexpr int IssuerCountRecord = 1;
inline constexpr int ClientCountRecord = 2;
inline constexpr int CurrentIssuerRecord = 3;
inline constexpr int EuroRateRecord = 4;

// "tipo.mon" and "tipo.fat": one record of one character.
inline constexpr std::size_t ModeRecordSize = 1;

// "emit.fe": record n holds what issuer n adds for the electronic invoice.
enum class IssuerEinvoiceField : std::size_t { FiscalRegime, PensionFund, VatNature, LegalReference, Iban };
inline constexpr FieldWidth IssuerEinvoiceWidths[] = {
    {"RegimeFiscale", 4}, {"TipoCassa", 4}, {"Natura", 4}, {"RiferimentoNormativo", 100}, {"IBAN", 34},
};
inline constexpr auto IssuerEinvoiceFields = layOut(IssuerEinvoiceWidths);
inline constexpr std::size_t IssuerEinvoiceRecordSize = recordSize(IssuerEinvoiceFields);
static_assert(IssuerEinvoiceRecordSize == 146);

constexpr FieldSpec fieldOf(IssuerEinvoiceField field)
{
    return IssuerEinvoiceFields[static_cast<std::size_t>(field)];
}

// "bollo.fe": record n holds issuer n's choice on the stamp duty, beside
// "emit.fe" so that its records keep the length the earlier program reads.
inline constexpr FieldSpec StampDutyChoiceField = {"AddebitoBollo", 0, 1};
inline constexpr std::size_t StampDutyChoiceRecordSize = StampDutyChoiceField.end();
inline constexpr char StampDutyChargedFlag = 's'; // charged to the client
inline constexpr char StampDutyNotChargedFlag = 'n'; // so is anything else, a record never written included

// "nuove.fe": record n holds the percentages issuer n's new invoices start
// with, beside "emit.fe" for the same reason as "bollo.fe". Each is as wide as
// its field of the main window; blanks where the issuer chose none.
enum class NewInvoiceField : std::size_t { Vat, Pension, Withholding };
inline constexpr FieldWidth NewInvoiceWidths[] = {{"IVA", 2}, {"Cassa", 3}, {"Ritenuta", 2}};
inline constexpr auto NewInvoiceFields = layOut(NewInvoiceWidths);
inline constexpr std::size_t NewInvoiceRecordSize = recordSize(NewInvoiceFields);
static_assert(NewInvoiceRecordSize == 7);

constexpr FieldSpec fieldOf(NewInvoiceField field)
{
    return NewInvoiceFields[static_cast<std::size_t>(field)];
}

// "pagamenti.fe": record n holds how issuer n's new invoices are to be paid,
// beside "emit.fe" for the same reason as "bollo.fe": a ModalitaPagamento code
// and a term code, as wide as the .inc keeps them; blanks where none is chosen.
enum class PaymentDefaultsField : std::size_t { Method, Term };
inline constexpr FieldWidth PaymentDefaultsWidths[] = {
    {"ModalitaPagamento", fieldOf(PaymentTermsField::Method).width},
    {"Termine", fieldOf(PaymentTermsField::Term).width},
};
inline constexpr auto PaymentDefaultsFields = layOut(PaymentDefaultsWidths);
inline constexpr std::size_t PaymentDefaultsRecordSize = recordSize(PaymentDefaultsFields);
static_assert(PaymentDefaultsRecordSize == 8);

constexpr FieldSpec fieldOf(PaymentDefaultsField field)
{
    return PaymentDefaultsFields[static_cast<std::size_t>(field)];
}

// "reddito.fe": record n holds what issuer n chose for the reckoning of the
// income of the flat-rate regime: whether the pension fund's contribution
// counts as income ('s' / 'n', blank: as the fund has it by default), the
// coefficient, the substitute tax rate, how the contributions are reckoned
// (IncomeBasis flags) and the rate or amount that goes with it, then the
// contributions paid, one slot per year. Figures are point-form texts.
enum class IncomeSettingsField : std::size_t {
    PensionIsIncome,
    Coefficient,
    SubstituteRate,
    ContributionBasis,
    ContributionValue
};
inline constexpr FieldWidth IncomeSettingsWidths[] = {
    {"CassaReddito", 1},   {"Coefficiente", 6},      {"AliquotaSostitutiva", 6},
    {"BaseContributi", 1}, {"ValoreContributi", 13},
};
inline constexpr auto IncomeSettingsFields = layOut(IncomeSettingsWidths);
enum class PaidContributionField : std::size_t { Year, Amount };
inline constexpr FieldWidth PaidContributionWidths[] = {{"Anno", 4}, {"Versati", 13}};
inline constexpr auto PaidContributionFields = layOut(PaidContributionWidths);
inline constexpr std::size_t PaidContributionSize = recordSize(PaidContributionFields);
inline constexpr std::size_t PaidContributionYears = 10;
inline constexpr std::size_t IncomeSettingsRecordSize
    = recordSize(IncomeSettingsFields) + PaidContributionYears * PaidContributionSize;
static_assert(IncomeSettingsRecordSize == 197);
inline constexpr char PensionIsIncomeFlag = 's';
inline constexpr char PensionIsNotIncomeFlag = 'n';
inline constexpr char InpsBasisFlag = 'i'; // the INPS rate of the year; blank reads so too
inline constexpr char FundRateBasisFlag = 'p'; // a percentage of the income
inline constexpr char FundAmountBasisFlag = 'e'; // an amount in euro

constexpr FieldSpec fieldOf(IncomeSettingsField field)
{
    return IncomeSettingsFields[static_cast<std::size_t>(field)];
}
// The field of the year slot `slot` (from 0) of a record.
constexpr FieldSpec paidContributionFieldOf(std::size_t slot, PaidContributionField field)
{
    FieldSpec spec = PaidContributionFields[static_cast<std::size_t>(field)];
    spec.offset += recordSize(IncomeSettingsFields) + slot * PaidContributionSize;
    return spec;
}
static_assert(paidContributionFieldOf(PaidContributionYears - 1, PaidContributionField::Amount).end()
              == IncomeSettingsRecordSize);

// "clienti.fe": the recipient code or PEC address remembered for a client,
// beside the four fields that tell one client from another.
enum class RecipientField : std::size_t { Surname, FirstName, Address, VatNumber, Recipient };
inline constexpr FieldWidth RecipientWidths[] = {
    {"Surname", fieldOf(PartyField::Surname).width},
    {"FirstName", fieldOf(PartyField::FirstName).width},
    {"Address", fieldOf(PartyField::Address).width},
    {"VatNumber", fieldOf(PartyField::VatNumber).width},
    {"Recipient", 100},
};
inline constexpr auto RecipientFields = layOut(RecipientWidths);
inline constexpr std::size_t RecipientRecordSize = recordSize(RecipientFields);
static_assert(RecipientRecordSize == 210);

constexpr FieldSpec fieldOf(RecipientField field)
{
    return RecipientFields[static_cast<std::size_t>(field)];
}

// "certificazioni.fe": the figures of a client's certificate of withholding
// (Certificazione Unica) as the user typed them, one record per issuer, year
// and client. The client is its key of the reckoning per client: the tax code,
// else the VAT number, else the name folded; the amounts are point form,
// blanks where none was typed.
enum class CertificateField : std::size_t { Issuer, Year, Client, Gross, Withholding };
inline constexpr FieldWidth CertificateWidths[] = {
    {"Emittente", 5},
    {"Anno", 4},
    {"Cliente", fieldOf(PartyField::Surname).width + 1 + fieldOf(PartyField::FirstName).width},
    {"Compensi", paymentFieldOf(0, PaymentField::Amount).width},
    {"Ritenute", paymentFieldOf(0, PaymentField::Amount).width},
};
inline constexpr auto CertificateFields = layOut(CertificateWidths);
inline constexpr std::size_t CertificateRecordSize = recordSize(CertificateFields);
static_assert(CertificateRecordSize == 94);

constexpr FieldSpec fieldOf(CertificateField field)
{
    return CertificateFields[static_cast<std::size_t>(field)];
}

// A book's .sdi, beside the .arc like the .inc: record n holds the
// electronic invoices exported for invoice n, each its file name, when it
// was written, the fingerprint of the invoice it was made from and what the
// exchange system answered for that file; then the errors of the latest
// rejection. Texts are Windows-1252, blank where nothing was said.
enum class SdiExportField : std::size_t { FileName, ExportedAt, Fingerprint, Outcome, OutcomeAt, SdiId };
inline constexpr FieldWidth SdiExportWidths[] = {
    {"NomeFile", 40}, {"Esportata", 19},    {"Impronta", 16},
    {"Esito", 1},     {"DataOraEsito", 32}, {"IdentificativoSdI", 20},
};
inline constexpr auto SdiExportFields = layOut(SdiExportWidths);
inline constexpr std::size_t SdiExportSize = recordSize(SdiExportFields);
inline constexpr std::size_t SdiExportsPerInvoice = 4;
enum class SdiErrorField : std::size_t { Code, Description, Suggestion };
inline constexpr FieldWidth SdiErrorWidths[] = {{"Codice", 10}, {"Descrizione", 255}, {"Suggerimento", 255}};
inline constexpr auto SdiErrorFields = layOut(SdiErrorWidths);
inline constexpr std::size_t SdiErrorSize = recordSize(SdiErrorFields);
inline constexpr std::size_t SdiErrorsKept = 5;
inline constexpr std::size_t SdiRecordSize = SdiExportsPerInvoice * SdiExportSize + SdiErrorsKept * SdiErrorSize;
static_assert(SdiRecordSize == 3112);
inline constexpr char SdiDeliveredFlag = 'C'; // RicevutaConsegna
inline constexpr char SdiNotDeliveredFlag = 'M'; // NotificaMancataConsegna, RicevutaImpossibilitaRecapito
inline constexpr char SdiRejectedFlag = 'S'; // NotificaScarto, RicevutaScarto

// The field of export `slot` (from 0) of a record.
constexpr FieldSpec sdiExportFieldOf(std::size_t slot, SdiExportField field)
{
    FieldSpec spec = SdiExportFields[static_cast<std::size_t>(field)];
    spec.offset += slot * SdiExportSize;
    return spec;
}
// The field of error `index` (from 0) of a record.
constexpr FieldSpec sdiErrorFieldOf(std::size_t index, SdiErrorField field)
{
    FieldSpec spec = SdiErrorFields[static_cast<std::size_t>(field)];
    spec.offset += SdiExportsPerInvoice * SdiExportSize + index * SdiErrorSize;
    return spec;
}
static_assert(sdiErrorFieldOf(SdiErrorsKept - 1, SdiErrorField::Suggestion).end() == SdiRecordSize);

// "progressivi.fe": the last progressive given to an exported file, one
// record per identity the files are named after (the issuer's VAT number).
enum class ExportCounterField : std::size_t { Identity, Last };
inline constexpr FieldWidth ExportCounterWidths[] = {{"IdCodice", 28}, {"Ultimo", 8}};
inline constexpr auto ExportCounterFields = layOut(ExportCounterWidths);
inline constexpr std::size_t ExportCounterRecordSize = recordSize(ExportCounterFields);
static_assert(ExportCounterRecordSize == 36);

constexpr FieldSpec fieldOf(ExportCounterField field)
{
    return ExportCounterFields[static_cast<std::size_t>(field)];
}

// A book of fee notices' .avf: record n says which invoice notice n became,
// by the year of its book, its number and its date (yyyymmdd); blanks while
// the notice waits for its payment.
enum class NoticeInvoicedField : std::size_t { Year, Number, Date };
inline constexpr FieldWidth NoticeInvoicedWidths[] = {{"AnnoFattura", 4}, {"NumeroFattura", 5}, {"DataFattura", 8}};
inline constexpr auto NoticeInvoicedFields = layOut(NoticeInvoicedWidths);
inline constexpr std::size_t NoticeInvoicedRecordSize = recordSize(NoticeInvoicedFields);
static_assert(NoticeInvoicedRecordSize == 17);

constexpr FieldSpec fieldOf(NoticeInvoicedField field)
{
    return NoticeInvoicedFields[static_cast<std::size_t>(field)];
}

// The bytes of a field within a record (const or not, as the record is).
template <typename Byte, std::size_t Extent>
constexpr std::span<Byte> fieldBytes(std::span<Byte, Extent> record, FieldSpec field)
{
    return std::span<Byte>(record).subspan(field.offset, field.width);
}

// The numeric value of a stored figure, by the numeric-value rule, read
// straight from the record's bytes without a copy (the zero bytes past the
// end of a file read as blanks). A byte outside ASCII ends a number as its
// UTF-8 form would, so the Windows-1252 bytes are read as they stand.
inline double figureAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    return calc::storedNumericValue(
        std::string_view(reinterpret_cast<const char*>(record.data()) + field.offset, field.width));
}

// The one-character flag of a field; a zero byte (a record never written) is 0.
inline char flagAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    return static_cast<char>(record[field.offset]);
}

} // namespace tessaro::archive
