#include "app/mode_commands.h"

#include "archive/box_titles.h"
#include "archive/settings.h"
#include "calc/modes.h"
#include "calc/numbers.h"

namespace tessaro::app {

namespace {

// The mode has already changed in memory and in the menu when the file is
// written; a failed write is still said, so the user knows it will not last.
void tellIfFailed(const archive::Status& status, ui::Dialogs& dialogs)
{
    if (!status.ok())
        dialogs.message(status.error().describe(), archive::AttentionTitle);
}

} // namespace

void selectProfessional(archive::AppState& state, ui::Dialogs& dialogs)
{
    state.invoiceType = archive::InvoiceType::Professional;
    tellIfFailed(archive::writeInvoiceTypeFile(state.dataDir, state.invoiceType), dialogs);
}

void selectCommercial(archive::AppState& state, ui::Dialogs& dialogs)
{
    state.invoiceType = archive::InvoiceType::Commercial;
    tellIfFailed(archive::writeInvoiceTypeFile(state.dataDir, state.invoiceType), dialogs);
}

void selectEuro(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    state.currency = archive::Currency::Euro;
    tellIfFailed(archive::writeCurrencyFile(state.dataDir, state.currency), dialogs);

    const calc::EuroConvertedTexts before {form.amount[0], form.amount[1], form.amount[2], form.expenses,
                                           form.expenses2};
    const calc::EuroConversion conversion
        = calc::convertToEuro(before, archive::currencyFlagOf(form.buffer), static_cast<double>(form.buffer.rate));
    if (conversion.outcome != calc::EuroConversionOutcome::Converted)
        return;
    form.buffer.currency = std::string(1, conversion.currencyFlag);
    if (conversion.emptyResults) {
        form.taxable.clear();
        form.vatAmount.clear();
        form.withholdingAmount.clear();
        form.total.clear();
    }
    form.amount = {conversion.texts[0], conversion.texts[1], conversion.texts[2]};
    form.expenses = conversion.texts[3];
    form.expenses2 = conversion.texts[4];
}

void selectLire(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    dialogs.message("Il programma non è utilizzabile con le lire", "Le lire non si usano più");
    selectEuro(form, state, dialogs);
}

void setEuroValue(archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    const std::string answer = dialogs.input("Indicare quanto vale, in lire, un euro.", "UN EURO UGUALE A LIRE...",
                                             calc::euroValueDefaultText(state.euroRate));
    const std::optional<double> value = calc::acceptEuroValue(answer);
    if (!value)
        return;
    const archive::Status written = archive::writeEuroRate(state.dataDir, *value);
    if (!written.ok()) {
        // Nothing changes when the value cannot be kept.
        dialogs.message(written.error().describe(), archive::AttentionTitle);
        return;
    }
    state.euroRate = *value;
    form.buffer.rate = static_cast<float>(*value);
    form.rateText = calc::rateText(state.euroRate, state.decimalSeparator);
}

} // namespace tessaro::app
