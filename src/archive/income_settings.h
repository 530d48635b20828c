// "reddito.fe": what each issuer chose for the reckoning of the income of the
// flat-rate regime (record n is issuer n; layout in fields.h). An issuer who
// never saved them, and a data directory without the file, read as the
// defaults; reading never creates the file.
#pragma once

#include "archive/data_dir.h"
#include "archive/fields.h"
#include "archive/io_result.h"
#include "calc/flat_rate.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaro::archive {

struct PaidContributions {
    int year = 0;
    double amount = 0;
    bool operator==(const PaidContributions&) const = default;
};

struct IncomeSettings {
    // Nothing: as the issuer's pension fund has it by default.
    std::optional<bool> pensionIsIncome;
    // The coefficient, the rate and the contributions' basis and value; its
    // contributionsPaid is not stored here but per year, below.
    calc::FlatRateSettings flatRate;
    // The contributions paid, a year to a slot, at most PaidContributionYears,
    // oldest year first; a year without a slot paid nothing.
    std::vector<PaidContributions> paid;

    double paidIn(int year) const;
    // The year's amount into its slot; a year new to the record takes a free
    // slot or, with every slot taken, the oldest year's. 0 gives the slot up.
    void setPaid(int year, double amount);
    // The settings of the estimate of a year, with what was paid in it.
    calc::FlatRateSettings forYear(int year) const;
    bool operator==(const IncomeSettings&) const;
};

std::string incomeSettingsFile(const DataDir& dir); // <dir>/reddito.fe

void encodeIncomeSettings(const IncomeSettings& settings, std::span<std::uint8_t, IncomeSettingsRecordSize> out);
// A record never written is the defaults; a field that does not read as its
// kind (damaged bytes) is its default.
IncomeSettings decodeIncomeSettings(std::span<const std::uint8_t, IncomeSettingsRecordSize> in);

Result<IncomeSettings> readIncomeSettings(const DataDir& dir, int issuer);
// Record `issuer` alone, as one operation of the journal: on the disk when it
// returns without error, as before otherwise.
Status storeIncomeSettings(const DataDir& dir, int issuer, const IncomeSettings& settings);

} // namespace tessaro::archive
