// Any bytes as a party, invoice or extra-lines record read from a damaged
// file, and as the fields of records to write and read back.
#include "properties/findings.h"
#include "properties/record_codecs_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tessaro::calc::abortOnFinding(tessaro::archive::checkRecordCodecs({data, size}));
    return 0;
}
