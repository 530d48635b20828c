// The content of one electronic invoice: the figures of the amounts engine
// (the paper's rule, the same as the screen's once every quantity is typed),
// expressed in whole cents for the exchange system: line totals, the
// taxable amount and VAT of each summary, the contribution, the withholding,
// the invoice total and the amount to pay.
#pragma once

#include "calc/regimes.h"
#include "einvoice/export_input.h"
#include "einvoice/money.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::einvoice {

struct DocumentLine {
    std::string description;
    std::optional<std::string> quantity; // Quantita, commercial lines only
    std::string unitPrice; // PrezzoUnitario
    Cents total = 0; // PrezzoTotale
    int vatRate = 0; // hundredths of a percent
    std::string nature; // only at rate 0
    bool withholding = false; // Ritenuta SI
};

struct VatSummary {
    int vatRate = 0;
    std::string nature;
    Cents taxable = 0;
    Cents tax = 0;
    std::string legalReference; // RiferimentoNormativo, only at rate 0
};

struct PensionContribution {
    std::string fund; // TipoCassa
    int rate = 0; // AlCassa
    Cents amount = 0; // ImportoContributoCassa
    Cents base = 0; // ImponibileCassa: the fees
    int vatRate = 0;
    std::string nature;
};

struct Withholding {
    std::string type; // RT01 person, RT02 firm
    int rate = 0;
    Cents amount = 0;
};

inline constexpr Cents StampDuty = static_cast<Cents>(calc::StampDutyAmount * 100); // ImportoBollo
inline constexpr std::string_view ExcludedExpensesReference = "Escluse ex art. 15 DPR 633/72";

struct Document {
    std::vector<DocumentLine> lines;
    std::optional<PensionContribution> pension;
    std::optional<Withholding> withholding;
    std::vector<VatSummary> summaries; // by rate and nature, in the order first met
    bool stampDuty = false; // DatiBollo: due on amounts without VAT above 77.47 euro
    Cents total = 0; // ImportoTotaleDocumento
    Cents toPay = 0; // the total less the withholding
};

// The document, and in problems every reason (Italian sentence) why the
// amounts cannot make an electronic invoice.
Document computeDocument(const InvoiceToExport& invoice, std::vector<std::string>& problems);

} // namespace tessaro::einvoice
