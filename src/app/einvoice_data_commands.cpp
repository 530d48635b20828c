#include "app/einvoice_data_commands.h"

#include "archive/box_titles.h"

#include <string>
#include <vector>

namespace tessaro::app {

namespace {

std::string listOf(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text += "\n- " + problem;
    return text;
}

} // namespace

std::optional<einvoice::IssuerEinvoiceData> readEinvoiceData(const archive::DataDir& dir, int issuer,
                                                             ui::Dialogs& dialogs)
{
    archive::Result<einvoice::IssuerEinvoiceData> stored = einvoice::readIssuerData(dir, issuer);
    if (!stored) {
        dialogs.message(stored.error().describe(), archive::AttentionTitle, ui::Buttons::Ok);
        return std::nullopt;
    }
    return stored.value();
}

bool saveEinvoiceData(const archive::DataDir& dir, int issuer, const einvoice::IssuerEinvoiceData& data,
                      ui::Dialogs& dialogs)
{
    if (const std::vector<std::string> problems = einvoice::issuerDataProblems(data); !problems.empty()) {
        dialogs.message("I dati per la fattura elettronica non sono stati salvati:" + listOf(problems),
                        archive::AttentionTitle, ui::Buttons::Ok);
        return false;
    }
    if (archive::Status written = einvoice::writeIssuerData(dir, issuer, data); !written) {
        dialogs.message("I dati per la fattura elettronica non sono stati salvati.\n" + written.error().describe(),
                        archive::AttentionTitle, ui::Buttons::Ok);
        return false;
    }
    return true;
}

} // namespace tessaro::app
