// The flat-rate regime (RegimeFiscale RF19) in figures: the limits of the
// fees received that end it, the coefficients of income, the substitute
// tax and the INPS rate, one row per year from which they hold, so that a
// change of law is a line; and the estimate of the year's tax, step by step.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::calc {

inline constexpr std::string_view FlatRateRegime = "RF19";

struct FlatRateRules {
    int fromYear = 0; // the rules hold from this year until the next row's
    double limitNextYear = 0; // fees received above it end the regime from the next year
    double limitAtOnce = 0; // above it the regime ends at once: VAT from the payment that crosses it
    std::array<double, 5> coefficients {}; // percentages of income, the most common first
    double substituteRate = 0; // percentage
    double startupRate = 0; // percentage, the first five years of a new activity
    double inpsRate = 0; // INPS gestione separata, percentage of the income
};

inline constexpr std::array<FlatRateRules, 1> FlatRateTable = {{
    {2023, 85000, 100000, {78, 40, 62, 67, 86}, 15, 5, 26.07},
}};

// The row that holds in the year: the latest that begins by then, the first
// for a year before every row.
const FlatRateRules& flatRateRules(int year);

// Where the year's fees stand against the limits.
enum class FlatRateLimit { Within, AboveNextYear, AboveAtOnce };
FlatRateLimit flatRateLimit(double feesReceived, const FlatRateRules& rules);
// Where the fees stand, in plain words: "entro i limiti", or which limit they
// passed and what that means for the regime.
std::string flatRateLimitText(FlatRateLimit limit, const FlatRateRules& rules);

// A percentage as a field and the estimate write it: "78", "26,07".
std::string percentFigure(double rate);

// How the pension contributions of the year are reckoned.
enum class ContributionBasis {
    Inps, // the INPS rate of the year on the income
    Rate, // a rate of the professional's own fund, typed, on the income
    Amount, // an amount typed
};

// What the issuer chose for the estimate; percentages as typed (78 is 78 %).
struct FlatRateSettings {
    double coefficient = 78;
    double substituteRate = 15;
    ContributionBasis contributionBasis = ContributionBasis::Inps;
    double contributionValue = 0; // the rate or the amount, by the basis; unused for INPS
    double contributionsPaid = 0; // pension contributions paid in the year, deducted
};

// The settings that make no sense, named for the field that holds them: a
// coefficient outside 0..100, a negative or above-100 rate, a negative amount.
// Nothing when they are sound.
std::optional<std::string> flatRateSettingsError(const FlatRateSettings& settings);

// One line of the estimate: its name, how it was reached (the operation, in
// words and figures an accountant can follow) and the result, in euro.
struct EstimateStep {
    std::string name;
    std::string reckoning;
    double value = 0;
};

struct FlatRateEstimate {
    double feesReceived = 0;
    double income = 0; // fees x coefficient
    double taxable = 0; // income less the contributions paid, never below 0
    double tax = 0; // taxable x substitute rate
    double contributionsDue = 0; // the contributions the year's income calls for
    std::vector<EstimateStep> steps; // in order, each named
};

FlatRateEstimate flatRateEstimate(double feesReceived, const FlatRateSettings& settings, const FlatRateRules& rules);

} // namespace tessaro::calc
