// "Regime forfettario: limiti e stima": the fees received this year against the limits of the regime, and the estimate
// of its tax, step by step; the issuer's settings of the estimate, kept in "reddito.fe". Beside it, the alert a payment
// gives when it takes the year's fees past a limit.
#pragma once

#include "app/clock.h"
#include "archive/app_state.h"
#include "archive/income_settings.h"
#include "archive/invoice_form.h"
#include "archive/year_receipts.h"
#include "calc/flat_rate.h"
#include "print/document.h"
#include "ui/dialogs.h"

#include <optional>

namespace tessaro::app {

inline constexpr const char* FlatRateTitle = "REGIME FORFETTARIO";

// The current issuer's year under the regime: the payments received, the
// settings, where the fees stand and the estimate reckoned on them.
struct FlatRateSummary {
    int year = 0;
    archive::YearReceipts receipts;
    archive::IncomeSettings settings;
    bool pensionIsIncome = false; // as the settings say, else as the issuer's fund has it
    const calc::FlatRateRules* rules = nullptr;
    double fees = 0; // the income of the year, counted against the limits
    calc::FlatRateLimit limit = calc::FlatRateLimit::Within;
    calc::FlatRateEstimate estimate;
};

// Reads the settings and every book of the issuer; fails only when the
// settings or the data directory cannot be read (a book that cannot is named
// in receipts.unread).
archive::Result<FlatRateSummary> flatRateSummary(const archive::AppState& state, int year);

void showFlatRate(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock);
// The same, with "Stampa" handing its pages to the given sink.
void showFlatRate(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs, const Clock& clock,
                  const print::DocumentSink& sink);

// What recording a payment of `amount` dated in `year` is about to do to the
// year's fees: read before the payment is written, told after it is
// (alertFlatRateLimit). Nothing for an issuer outside the regime or when the
// year cannot be read.
struct FlatRateBefore {
    int year = 0;
    double fees = 0;
    bool pensionIsIncome = false;
};
std::optional<FlatRateBefore> flatRateBeforePayment(const archive::AppState& state, int year);
// After the payment is on disk: when it took the fees past a limit they were
// not past before, one box says so and what it means.
void alertFlatRateLimit(const archive::AppState& state, const FlatRateBefore& before, ui::Dialogs& dialogs);

} // namespace tessaro::app
