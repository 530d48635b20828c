#include "calc/flat_rate.h"

#include "calc/numbers.h"
#include "calc/payments.h"

#include <algorithm>
#include <cmath>

namespace tessaro::calc {

namespace {

std::string percentText(double rate)
{
    return percentFigure(rate) + " %";
}

// "85.000": a limit in whole euro.
std::string wholeEuroText(double amount)
{
    std::string text = italianEuroText(amount);
    if (text.ends_with(",00"))
        text.resize(text.size() - 3);
    return text;
}

bool isPercentage(double value)
{
    return std::isfinite(value) && value >= 0 && value <= 100;
}

} // namespace

const FlatRateRules& flatRateRules(int year)
{
    const FlatRateRules* rules = &FlatRateTable.front();
    for (const FlatRateRules& row : FlatRateTable) {
        if (row.fromYear <= year)
            rules = &row;
    }
    return *rules;
}

FlatRateLimit flatRateLimit(double feesReceived, const FlatRateRules& rules)
{
    if (cents(feesReceived) > cents(rules.limitAtOnce))
        return FlatRateLimit::AboveAtOnce;
    if (cents(feesReceived) > cents(rules.limitNextYear))
        return FlatRateLimit::AboveNextYear;
    return FlatRateLimit::Within;
}

std::string flatRateLimitText(FlatRateLimit limit, const FlatRateRules& rules)
{
    switch (limit) {
    case FlatRateLimit::Within:
        break;
    case FlatRateLimit::AboveNextYear:
        return "oltre " + wholeEuroText(rules.limitNextYear) + " euro: il regime cessa dal prossimo anno";
    case FlatRateLimit::AboveAtOnce:
        return "oltre " + wholeEuroText(rules.limitAtOnce)
            + " euro: il regime cessa subito; l'IVA è dovuta dall'operazione che ha superato il limite";
    }
    return "entro i limiti";
}

std::string percentFigure(double rate)
{
    std::string text = euroText(rate, ',');
    if (text.ends_with(",00"))
        text.resize(text.size() - 3);
    else if (text.ends_with('0'))
        text.pop_back();
    return text;
}

std::optional<std::string> flatRateSettingsError(const FlatRateSettings& settings)
{
    if (!isPercentage(settings.coefficient) || settings.coefficient == 0)
        return "Il coefficiente di redditività deve essere una percentuale maggiore di 0 e non oltre 100.";
    if (!isPercentage(settings.substituteRate))
        return "L'aliquota dell'imposta sostitutiva deve essere una percentuale tra 0 e 100.";
    if (settings.contributionBasis == ContributionBasis::Rate && !isPercentage(settings.contributionValue))
        return "L'aliquota dei contributi deve essere una percentuale tra 0 e 100.";
    if (settings.contributionBasis == ContributionBasis::Amount
        && !(std::isfinite(settings.contributionValue) && settings.contributionValue >= 0))
        return "L'importo dei contributi non può essere negativo.";
    if (!(std::isfinite(settings.contributionsPaid) && settings.contributionsPaid >= 0))
        return "I contributi versati nell'anno non possono essere negativi.";
    return std::nullopt;
}

FlatRateEstimate flatRateEstimate(double feesReceived, const FlatRateSettings& settings, const FlatRateRules& rules)
{
    FlatRateEstimate e;
    const auto euro = [](double x) { return italianEuroText(x); };
    e.feesReceived = feesReceived;
    e.steps.push_back({"Compensi incassati nell'anno", "somma degli incassi (principio di cassa)", feesReceived});

    e.income = feesReceived * settings.coefficient / 100;
    e.steps.push_back({"Reddito lordo",
                       euro(feesReceived) + " × coefficiente di redditività " + percentText(settings.coefficient),
                       e.income});

    e.taxable = std::max(0.0, e.income - settings.contributionsPaid);
    e.steps.push_back({"Reddito imponibile",
                       euro(e.income) + " − contributi previdenziali versati nell'anno "
                           + euro(settings.contributionsPaid)
                           + (e.income - settings.contributionsPaid < 0 ? " (non sotto zero)" : ""),
                       e.taxable});

    e.tax = e.taxable * settings.substituteRate / 100;
    e.steps.push_back(
        {"Imposta sostitutiva", euro(e.taxable) + " × aliquota " + percentText(settings.substituteRate), e.tax});

    switch (settings.contributionBasis) {
    case ContributionBasis::Inps:
        e.contributionsDue = e.income * rules.inpsRate / 100;
        e.steps.push_back({"Contributi INPS gestione separata dell'anno",
                           euro(e.income) + " × aliquota " + percentText(rules.inpsRate), e.contributionsDue});
        break;
    case ContributionBasis::Rate:
        e.contributionsDue = e.income * settings.contributionValue / 100;
        e.steps.push_back({"Contributi alla cassa professionale dell'anno",
                           euro(e.income) + " × aliquota " + percentText(settings.contributionValue),
                           e.contributionsDue});
        break;
    case ContributionBasis::Amount:
        e.contributionsDue = settings.contributionValue;
        e.steps.push_back({"Contributi alla cassa professionale dell'anno", "importo indicato", e.contributionsDue});
        break;
    }
    return e;
}

} // namespace tessaro::calc
