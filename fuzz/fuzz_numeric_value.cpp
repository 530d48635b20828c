// Any bytes as the text of an amount field: the numeric value, whole-lira
// rounding and the amount, lire and rate texts of what it reads.
#include "properties/findings.h"
#include "properties/number_rules_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaro::calc::abortOnFinding(tessaro::calc::checkNumberRules({data, size}));
    return 0;
}
