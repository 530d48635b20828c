// What the program holds for the whole run: the data directory, the settings
// values, the current issuer, the next free number of the book on screen and
// the two program-wide modes mirrored by the menu check marks.
#pragma once

#include "archive/data_dir.h"
#include "archive/records.h"
#include "calc/amounts.h"
#include "calc/defaults.h"
#include "calc/modes.h"
#include "calc/regimes.h"

#include <cstdint>
#include <string>

namespace tessaro::archive {

using calc::InvoiceType; // "p" / "c"
enum class Currency { Lire, Euro }; // "l" / "e"
// Which book of the year the window works on: the invoices, or the fee
// notices ("avvisi di parcella") sent before the payment that the invoice follows.
enum class Document { Invoices, Notices };

inline constexpr double DefaultEuroRate = 1936.27;

// What the current issuer's e-invoice data change on the figures and the
// paper copy of every invoice, held with the issuer so that no calculation
// reads a file.
struct IssuerTerms {
    std::string fiscalRegime {calc::DefaultFiscalRegime}; // RegimeFiscale
    calc::InvoiceTerms amounts; // the stamp duty charged to the client or not
    std::string pensionFund {}; // TipoCassa, TC01..TC22; empty when none is chosen

    // The percentages a new invoice starts with, as the issuer chose them;
    // empty where nothing was chosen.
    std::string newVat {};
    std::string newPension {};
    std::string newWithholding {};
    // How new invoices are to be paid: a ModalitaPagamento code and a term of
    // calc::paymentTerms(); empty where nothing was chosen.
    std::string paymentMethod {};
    std::string paymentTerm {};
    // Where a bank transfer is to be made, printed beside the terms; may be empty.
    std::string iban {};

    const calc::RegimeStatement& statement() const { return calc::regimeStatement(fiscalRegime); }
    // A regime without VAT starts its invoices at 0, every other at the usual rate.
    std::string vatOfNewInvoice() const
    {
        if (!newVat.empty())
            return newVat;
        return statement().withoutVatOrWithholding ? "0" : std::string(calc::DefaultVatRate);
    }
    bool operator==(const IssuerTerms&) const = default;
};

struct AppState {
    DataDir dataDir;
    std::int16_t issuerCount = 0;
    std::int16_t clientCount = 0;
    std::int16_t currentIssuer = 0;
    double euroRate = DefaultEuroRate;
    PartyRecord currentIssuerRecord;
    IssuerTerms issuerTerms; // of the current issuer
    std::int16_t nextNumber = 0; // N of the book on screen
    std::string loadedBook; // the .imp of that book; empty when none is loaded
    std::string loadedYear; // the year of that book
    bool recoveryFailed = false; // an unfinished operation could not be put back (told once)
    InvoiceType invoiceType = InvoiceType::Professional;
    Currency currency = Currency::Euro;
    Document document = Document::Invoices; // chosen in the menu "Documento", every run starts on the invoices
    char decimalSeparator = ','; // of the system's regional settings

    // Currency flag a new invoice takes from the currency menu.
    char newInvoiceFlag() const { return currency == Currency::Lire ? 'l' : 'e'; }
    bool onNotices() const { return document == Document::Notices; }
    // What changes the figures of the document on screen: a fee notice is no
    // tax document, so no stamp duty is due on it.
    calc::InvoiceTerms figureTerms() const
    {
        calc::InvoiceTerms terms = issuerTerms.amounts;
        terms.stampDutyApplies = !onNotices();
        return terms;
    }
};

} // namespace tessaro::archive
