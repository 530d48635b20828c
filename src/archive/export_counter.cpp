#include "archive/export_counter.h"

#include "archive/book.h"
#include "archive/codepage.h"
#include "archive/record_file.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tessaro::archive {

namespace {

// Counters are a few per data directory; a file far larger is damaged.
constexpr std::uint64_t MostCounters = 4096;

} // namespace

std::string exportCounterFile(const DataDir& dir)
{
    return dataFile(dir, "progressivi.fe");
}

void encodeExportCounter(const ExportCounter& counter, std::span<std::uint8_t, ExportCounterRecordSize> out)
{
    std::fill(out.begin(), out.end(), std::uint8_t {' '});
    putFieldText(out, fieldOf(ExportCounterField::Identity), counter.identity);
    putFieldText(out, fieldOf(ExportCounterField::Last), std::to_string(counter.last));
}

Result<std::vector<ExportCounter>> readExportCounters(const DataDir& dir)
{
    const std::string path = exportCounterFile(dir);
    std::vector<ExportCounter> counters;
    if (!dir.fs().exists(path))
        return counters;
    const auto file = dir.fs().open(path);
    const auto size = file ? file->size() : std::nullopt;
    if (!size || *size > MostCounters * ExportCounterRecordSize)
        return IoError {IoError::Action::Read, path};
    const auto records = static_cast<int>(*size / ExportCounterRecordSize);
    auto bytes = readLeadingRecords(dir.fs(), path, ExportCounterRecordSize, records);
    if (!bytes)
        return bytes.error();
    for (int record = 0; record < records; ++record) {
        const auto fields
            = std::span<const std::uint8_t>(bytes.value())
                  .subspan(static_cast<std::size_t>(record) * ExportCounterRecordSize, ExportCounterRecordSize);
        ExportCounter counter;
        counter.identity = fieldText(fields, fieldOf(ExportCounterField::Identity));
        const std::string last = fieldText(fields, fieldOf(ExportCounterField::Last));
        const auto [end, error] = std::from_chars(last.data(), last.data() + last.size(), counter.last);
        if (error != std::errc() || end != last.data() + last.size() || counter.last < 0)
            return IoError {IoError::Action::Read, path};
        counters.push_back(std::move(counter));
    }
    return counters;
}

Status carryExportCounters(const DataDir& from, const DataDir& into)
{
    auto further = readExportCounters(from);
    if (!further)
        return further.error();
    auto counters = readExportCounters(into);
    if (!counters)
        return counters.error();
    const std::string path = exportCounterFile(into);
    for (const ExportCounter& counter : further.value()) {
        const auto held = std::find_if(counters.value().begin(), counters.value().end(),
                                       [&](const ExportCounter& c) { return c.identity == counter.identity; });
        if (held != counters.value().end() && held->last >= counter.last)
            continue;
        const auto record = static_cast<int>(held == counters.value().end() ? counters.value().size() + 1
                                                                            : held - counters.value().begin() + 1);
        if (held == counters.value().end())
            counters.value().push_back(counter);
        else
            held->last = counter.last;
        std::array<std::uint8_t, ExportCounterRecordSize> bytes {};
        encodeExportCounter(counter, bytes);
        if (Status written = writeRecord(into.fs(), path, record, bytes); !written)
            return written;
    }
    return {};
}

} // namespace tessaro::archive
