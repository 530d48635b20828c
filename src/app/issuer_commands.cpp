#include "app/issuer_commands.h"

#include "app/einvoice_commands.h"
#include "archive/box_titles.h"
#include "archive/issuers.h"
#include "archive/settings.h"
#include "ui/dialogs.h"

#include <limits>

namespace tessaro::app {

namespace {

constexpr const char* SavingTitle = "SALVATAGGIO DATI";

void reportFailure(ui::Dialogs& dialogs, const archive::IoError& error)
{
    dialogs.message(error.describe(), archive::AttentionTitle, ui::Buttons::Ok);
}

bool browse(archive::AppState& state, archive::PartyRecord& fields, ui::Dialogs& dialogs, int step)
{
    if (state.issuerCount <= 0)
        return false;
    int target = state.currentIssuer + step;
    if (target < 1)
        target = 1;
    else if (target > state.issuerCount)
        target = state.issuerCount;
    // At either end the move stops where it is. A current issuer outside the
    // archive (none yet, or a count lowered behind its back) moves to the
    // nearest issuer that exists, loaded and stored like any other move, so
    // the number never names an issuer that the window does not show.
    if (target == state.currentIssuer)
        return false;

    archive::Result<archive::PartyRecord> issuer = archive::readIssuer(state.dataDir, target);
    if (!issuer) {
        reportFailure(dialogs, issuer.error());
        return false;
    }
    const auto number = static_cast<std::int16_t>(target);
    if (archive::Status written = archive::writeCurrentIssuer(state.dataDir, number); !written) {
        reportFailure(dialogs, written.error());
        return false;
    }
    state.currentIssuer = number;
    state.currentIssuerRecord = issuer.value();
    fields = issuer.value();
    loadIssuerTerms(state, dialogs);
    return true;
}

// Appends the fields as issuer count + 1 and makes it current.
void saveAsNewIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs)
{
    if (state.issuerCount == std::numeric_limits<std::int16_t>::max()) {
        dialogs.message("Il file degli emittenti è pieno: non si possono salvare altri nominativi",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    if (archive::Status written = archive::appendIssuer(state, fields); !written) {
        reportFailure(dialogs, written.error());
        return;
    }
    dialogs.message("I dati sono stati salvati", SavingTitle, ui::Buttons::Ok);
    loadIssuerTerms(state, dialogs);
}

} // namespace

bool showPreviousIssuer(archive::AppState& state, archive::PartyRecord& fields, ui::Dialogs& dialogs)
{
    return browse(state, fields, dialogs, -1);
}

bool showNextIssuer(archive::AppState& state, archive::PartyRecord& fields, ui::Dialogs& dialogs)
{
    return browse(state, fields, dialogs, +1);
}

void saveIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs)
{
    if (state.issuerCount > 0) {
        // The check reads into a buffer of its own: cancelling leaves the
        // current issuer record as it was.
        archive::Result<int> found
            = archive::findIssuerByName(state.dataDir, state.issuerCount, fields.surname, fields.firstName);
        if (!found) {
            reportFailure(dialogs, found.error());
            return;
        }
        if (const int existing = found.value(); existing > 0) {
            switch (dialogs.askDuplicate()) {
            case ui::DuplicateChoice::Replace:
                // The replaced issuer becomes current for this run; the
                // settings file keeps the issuer it names.
                if (archive::Status written = archive::replaceIssuer(state.dataDir, existing, fields); !written) {
                    reportFailure(dialogs, written.error());
                    return;
                }
                state.currentIssuerRecord = fields;
                state.currentIssuer = static_cast<std::int16_t>(existing);
                loadIssuerTerms(state, dialogs);
                return;
            case ui::DuplicateChoice::SaveAsNew:
                break;
            case ui::DuplicateChoice::Cancel:
                return;
            }
        }
    }
    saveAsNewIssuer(state, fields, dialogs);
}

std::string replaceQuestion(int number)
{
    // The number keeps the blank a positive number is printed with, so two
    // blanks stand between "n." and its digits.
    return "Questa operazione sostituirà i dati dell'emittente n. " + std::string(" ") + std::to_string(number)
        + ". Siete sicuri di voler continuare?";
}

void replaceIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs)
{
    if (!hasCurrentIssuer(state)) {
        dialogs.message(NoIssuerToReplaceText, archive::AttentionTitle, ui::Buttons::Ok);
        return;
    }
    if (dialogs.message(replaceQuestion(state.currentIssuer), archive::AttentionTitle, ui::Buttons::YesNo)
        != ui::Answer::Yes)
        return;
    if (archive::Status written = archive::replaceIssuer(state.dataDir, state.currentIssuer, fields); !written) {
        reportFailure(dialogs, written.error());
        return;
    }
    state.currentIssuerRecord = fields;
    dialogs.message("I dati sono stati sostituiti", SavingTitle, ui::Buttons::Ok);
}

bool confirmIssuer(archive::AppState& state, const archive::PartyRecord& fields, ui::Dialogs& dialogs)
{
    if (!hasCurrentIssuer(state)) {
        dialogs.message(IssuerRequiredText, archive::AttentionTitle, ui::Buttons::Ok);
        return false;
    }
    state.currentIssuerRecord = fields;
    return true;
}

bool closingIssuerWindowEndsProgram(const archive::AppState& state)
{
    return !hasCurrentIssuer(state);
}

bool hasCurrentIssuer(const archive::AppState& state)
{
    return state.currentIssuer >= 1 && state.currentIssuer <= state.issuerCount;
}

} // namespace tessaro::app
