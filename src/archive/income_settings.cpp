#include "archive/income_settings.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/journal.h"
#include "archive/payments.h"
#include "archive/record_file.h"
#include "calc/numbers.h"
#include "calc/payments.h"
#include "calc/text.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tessaro::archive {

namespace {

using Record = std::array<std::uint8_t, IncomeSettingsRecordSize>;

// A figure the record holds, or nothing where the bytes are no point-form number.
std::optional<double> figure(std::span<const std::uint8_t> record, FieldSpec field)
{
    std::string text = fieldText(record, field);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    if (text.empty())
        return std::nullopt;
    const auto value = calc::detail::plainNumberValue(text);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

std::optional<int> yearAt(std::span<const std::uint8_t> record, FieldSpec field)
{
    const std::string text = fieldText(record, field);
    int year = 0;
    if (text.size() != field.width || !calc::isDigits(text)
        || std::from_chars(text.data(), text.data() + text.size(), year).ec != std::errc())
        return std::nullopt;
    return year;
}

} // namespace

double IncomeSettings::paidIn(int year) const
{
    for (const PaidContributions& slot : paid) {
        if (slot.year == year)
            return slot.amount;
    }
    return 0;
}

void IncomeSettings::setPaid(int year, double amount)
{
    const auto held = std::find_if(paid.begin(), paid.end(), [year](const auto& slot) { return slot.year == year; });
    if (calc::cents(amount) == 0) {
        if (held != paid.end())
            paid.erase(held);
        return;
    }
    if (held != paid.end()) {
        held->amount = amount;
        return;
    }
    // The oldest year gives its slot up: the latest years are the ones still reckoned.
    if (paid.size() >= PaidContributionYears)
        paid.erase(paid.begin());
    paid.push_back({year, amount});
    std::sort(paid.begin(), paid.end(), [](const auto& a, const auto& b) { return a.year < b.year; });
}

calc::FlatRateSettings IncomeSettings::forYear(int year) const
{
    calc::FlatRateSettings settings = flatRate;
    settings.contributionsPaid = paidIn(year);
    return settings;
}

bool IncomeSettings::operator==(const IncomeSettings& other) const
{
    const auto same = [](double a, double b) { return calc::cents(a) == calc::cents(b); };
    return pensionIsIncome == other.pensionIsIncome && same(flatRate.coefficient, other.flatRate.coefficient)
        && same(flatRate.substituteRate, other.flatRate.substituteRate)
        && flatRate.contributionBasis == other.flatRate.contributionBasis
        && same(flatRate.contributionValue, other.flatRate.contributionValue) && paid == other.paid;
}

std::string incomeSettingsFile(const DataDir& dir)
{
    return dataFile(dir, "reddito.fe");
}

void encodeIncomeSettings(const IncomeSettings& settings, std::span<std::uint8_t, IncomeSettingsRecordSize> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t {' '});
    if (settings.pensionIsIncome)
        out[fieldOf(IncomeSettingsField::PensionIsIncome).offset]
            = static_cast<std::uint8_t>(*settings.pensionIsIncome ? PensionIsIncomeFlag : PensionIsNotIncomeFlag);
    const calc::FlatRateSettings& flat = settings.flatRate;
    putFieldText(out, fieldOf(IncomeSettingsField::Coefficient), storedAmount(flat.coefficient));
    putFieldText(out, fieldOf(IncomeSettingsField::SubstituteRate), storedAmount(flat.substituteRate));
    char basis = InpsBasisFlag;
    if (flat.contributionBasis == calc::ContributionBasis::Rate)
        basis = FundRateBasisFlag;
    else if (flat.contributionBasis == calc::ContributionBasis::Amount)
        basis = FundAmountBasisFlag;
    out[fieldOf(IncomeSettingsField::ContributionBasis).offset] = static_cast<std::uint8_t>(basis);
    if (flat.contributionBasis != calc::ContributionBasis::Inps)
        putFieldText(out, fieldOf(IncomeSettingsField::ContributionValue), storedAmount(flat.contributionValue));
    const std::size_t count = std::min(settings.paid.size(), PaidContributionYears);
    for (std::size_t slot = 0; slot < count; ++slot) {
        const PaidContributions& paid = settings.paid[slot];
        putFieldText(out, paidContributionFieldOf(slot, PaidContributionField::Year), std::to_string(paid.year));
        putFieldText(out, paidContributionFieldOf(slot, PaidContributionField::Amount), storedAmount(paid.amount));
    }
}

IncomeSettings decodeIncomeSettings(std::span<const std::uint8_t, IncomeSettingsRecordSize> in)
{
    IncomeSettings settings;
    // A record never written is zero bytes; a blank field reads as unchosen.
    Record bytes;
    std::transform(in.begin(), in.end(), bytes.begin(), [](std::uint8_t b) { return b == 0 ? ' ' : b; });
    const char income = flagAt(bytes, fieldOf(IncomeSettingsField::PensionIsIncome));
    if (income == PensionIsIncomeFlag || income == PensionIsNotIncomeFlag)
        settings.pensionIsIncome = income == PensionIsIncomeFlag;
    calc::FlatRateSettings& flat = settings.flatRate;
    flat.coefficient = figure(bytes, fieldOf(IncomeSettingsField::Coefficient)).value_or(flat.coefficient);
    flat.substituteRate = figure(bytes, fieldOf(IncomeSettingsField::SubstituteRate)).value_or(flat.substituteRate);
    const char basis = flagAt(bytes, fieldOf(IncomeSettingsField::ContributionBasis));
    if (basis == FundRateBasisFlag)
        flat.contributionBasis = calc::ContributionBasis::Rate;
    else if (basis == FundAmountBasisFlag)
        flat.contributionBasis = calc::ContributionBasis::Amount;
    flat.contributionValue = figure(bytes, fieldOf(IncomeSettingsField::ContributionValue)).value_or(0);
    // Settings that make no sense (damaged bytes) are the defaults: an
    // estimate is never reckoned on them.
    if (calc::flatRateSettingsError(flat))
        flat = {};
    for (std::size_t slot = 0; slot < PaidContributionYears; ++slot) {
        const auto year = yearAt(bytes, paidContributionFieldOf(slot, PaidContributionField::Year));
        const auto amount = figure(bytes, paidContributionFieldOf(slot, PaidContributionField::Amount));
        if (year && amount && *amount >= 0 && settings.paidIn(*year) == 0)
            settings.paid.push_back({*year, *amount});
    }
    std::sort(settings.paid.begin(), settings.paid.end(), [](const auto& a, const auto& b) { return a.year < b.year; });
    return settings;
}

Result<IncomeSettings> readIncomeSettings(const DataDir& dir, int issuer)
{
    const std::string path = incomeSettingsFile(dir);
    if (issuer < 1 || !dir.fs().exists(path))
        return IncomeSettings {};
    Record bytes {};
    if (Status read = readRecord(dir.fs(), path, issuer, bytes); !read)
        return read.error();
    return decodeIncomeSettings(bytes);
}

Status storeIncomeSettings(const DataDir& dir, int issuer, const IncomeSettings& settings)
{
    Record bytes {};
    encodeIncomeSettings(settings, bytes);
    const std::string path = incomeSettingsFile(dir);
    Journal journal(dir, "Impostazioni del regime forfettario");
    if (Status kept = journal.keepRecords(path, IncomeSettingsRecordSize, issuer, 1); !kept)
        return kept;
    if (Status begun = journal.begin(); !begun)
        return begun;
    if (Status written = writeRecord(dir.fs(), path, issuer, bytes, WriteStep::InOperation); !written)
        return written;
    return journal.commit();
}

} // namespace tessaro::archive
