#include "einvoice/written_files.h"

#include "archive/codepage.h"
#include "einvoice/fatturapa.h"

#include <unordered_set>

namespace tessaro::einvoice {

std::vector<char> writtenEinvoices(const archive::DataDir& dir, const archive::PartyRecord& issuer,
                                   std::string_view year, int count)
{
    std::vector<char> written(static_cast<std::size_t>(std::max(count, 0)), 0);
    const auto names = dir.fs().list(exportFolder(dir));
    if (!names || names->empty())
        return written;
    const std::unordered_set<std::string> present(names->begin(), names->end());
    InvoiceToExport invoice;
    invoice.issuer = issuer;
    invoice.year = std::string(archive::trimBlanks(year));
    for (int number = 1; number <= count; ++number) {
        invoice.number = number;
        const std::string name = fileName(invoice);
        written[static_cast<std::size_t>(number - 1)] = !name.empty() && present.count(name) > 0;
    }
    return written;
}

} // namespace tessaro::einvoice
