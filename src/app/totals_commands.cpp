#include "app/totals_commands.h"

#include "app/invoice_commands.h"
#include "app/notice_commands.h"
#include "archive/box_titles.h"
#include "archive/lifecycle.h"
#include "archive/totals.h"
#include "calc/numbers.h"

#include <cmath>
#include <optional>
#include <string>

namespace tessaro::app {

namespace {

const std::string Title = "CALCOLO IMPONIBILE";

struct Range {
    int first = 0;
    int last = 0;
};

std::string withSignBlank(int number)
{
    return " " + std::to_string(number);
}

// Both bounds must lie within 1..N; any other answer, a cancel included, ends the command silently.
std::optional<Range> askRange(const archive::AppState& state, ui::Dialogs& dialogs)
{
    const int next = state.nextNumber;
    const int first = archive::invoiceNumber(dialogs.input(
        "Indicare l'estremo inferiore dell'intervallo di fatture di cui si intende calcolare l'imponibile.", Title,
        "1"));
    if (first < 1 || first > next)
        return std::nullopt;
    const int last = archive::invoiceNumber(dialogs.input(
        "Indicare l'estremo superiore dell'intervallo di fatture di cui si intende calcolare l'imponibile.", Title,
        withSignBlank(next)));
    if (last < 1 || last > next)
        return std::nullopt;
    return Range {first, last};
}

std::optional<double> sum(const archive::InvoiceForm& form, const archive::AppState& state, ui::Dialogs& dialogs,
                          archive::TotalKind kind, Range range)
{
    auto total
        = archive::sumInvoices(archive::currentBook(form, state), state.invoiceType, kind, range.first, range.last);
    if (!total) {
        reportFailure(dialogs, "Non è stato possibile calcolare il totale.", total.error());
        return std::nullopt;
    }
    // Amounts of a damaged record can add up beyond any number; such a sum
    // would be shown as "inf" or "nan", which is not a total.
    if (!std::isfinite(total.value())) {
        dialogs.message("Non è stato possibile calcolare il totale: gli importi delle fatture sono troppo grandi.",
                        archive::AttentionTitle, ui::Buttons::Ok);
        return std::nullopt;
    }
    return total.value();
}

void showRangeTotal(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs,
                    archive::TotalKind kind)
{
    if (refusedOnNotices(state, dialogs, NoticeTotalsText))
        return;
    const auto range = askRange(state, dialogs);
    if (!range)
        return;
    const auto total = sum(form, state, dialogs, kind, *range);
    if (!total)
        return;
    const std::string what = kind == archive::TotalKind::Vat ? "dell'iva" : "dell'imponibile";
    dialogs.message("Il totale " + what + " delle fatture tra la n. " + withSignBlank(range->first) + " e la n. "
                        + withSignBlank(range->last) + " emesse nell'anno " + form.year + " è pari a "
                        + calc::euroText(*total, state.decimalSeparator) + " Euro",
                    Title, ui::Buttons::Ok);
}

} // namespace

void totalAllInvoices(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    if (refusedOnNotices(state, dialogs, NoticeTotalsText))
        return;
    const auto total = sum(form, state, dialogs, archive::TotalKind::Taxable, Range {1, state.nextNumber - 1});
    if (!total)
        return;
    dialogs.message("Il totale dell'imponibile delle fatture emesse nell'anno " + form.year + " è pari a "
                        + calc::euroText(*total, state.decimalSeparator) + " Euro",
                    Title, ui::Buttons::Ok);
}

void totalSomeInvoices(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    showRangeTotal(form, state, dialogs, archive::TotalKind::Taxable);
}

void totalVat(const archive::InvoiceForm& form, archive::AppState& state, ui::Dialogs& dialogs)
{
    showRangeTotal(form, state, dialogs, archive::TotalKind::Vat);
}

} // namespace tessaro::app
