#include "archive/lifecycle.h"

#include "archive/clients.h"
#include "calc/numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tessaro::archive {

namespace {

// Far above any book, small enough that record offsets stay well inside 64 bits.
constexpr double SaturatedNumber = 1'000'000;

std::size_t characterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

struct LoadedInvoice {
    InvoiceRecord invoice;
    ExtraLinesRecord extraLines;
};

Result<LoadedInvoice> readStoredInvoice(const BookPaths& book, int number)
{
    auto invoice = readInvoice(book, number);
    if (!invoice)
        return invoice.error();
    auto lines = readExtraLines(book, number);
    if (!lines)
        return lines.error();
    return LoadedInvoice {invoice.value(), lines.value()};
}

} // namespace

BookPaths currentBook(const InvoiceForm& form, const AppState& state)
{
    return bookPaths(state.dataDir, state.currentIssuer, form.year);
}

bool isBookYear(std::string_view yearText)
{
    return characterCount(yearText) == 4;
}

int invoiceNumber(std::string_view numberText)
{
    const double value = calc::numericValue(numberText);
    if (!(value >= 1))
        return 0;
    return static_cast<int>(std::floor(std::min(value, SaturatedNumber)));
}

InvoiceRecord blankInvoice(const AppState& state)
{
    InvoiceRecord invoice;
    invoice.vat = "22";
    invoice.kind = "s";
    invoice.currency = std::string(1, state.newInvoiceFlag());
    invoice.rate = static_cast<float>(state.euroRate);
    return invoice;
}

void applyNewSlotRule(InvoiceForm& form, const AppState& state)
{
    form.buffer.currency = std::string(1, state.newInvoiceFlag());
    form.buffer.rate = static_cast<float>(state.euroRate);
    form.rateText = calc::rateText(form.buffer.rate, state.decimalSeparator);
}

void clearResults(InvoiceForm& form)
{
    form.taxable.clear();
    form.vatAmount.clear();
    form.withholdingAmount.clear();
    form.total.clear();
}

void clearInvoice(InvoiceForm& form, const AppState& state)
{
    form.client = PartyRecord {};
    form.day.clear();
    form.month.clear();
    for (int line = 0; line < 3; ++line) {
        form.description[line].clear();
        form.amount[line].clear();
        form.quantity[line].clear();
    }
    form.pension.clear();
    form.expenses.clear();
    form.expenses2.clear();
    form.withholding.clear();
    clearResults(form);
    form.vat = "22";
    form.onAccount = false;
    form.balance = true;
    applyNewSlotRule(form, state);
}

Status loadInvoice(InvoiceForm& form, const AppState& state, int number)
{
    auto stored = readStoredInvoice(currentBook(form, state), number);
    if (!stored)
        return stored.error();
    clearResults(form);
    form.buffer = stored.value().invoice;
    copyBufferToForm(form, state.decimalSeparator);
    // Past the last stored invoice a record means nothing (zero bytes or an old
    // slot), so it must not lend an empty currency or a rate of 0 to what is saved there.
    if (number >= state.nextNumber)
        applyNewSlotRule(form, state);
    form.extraLines = stored.value().extraLines;
    return {};
}

Status switchYear(InvoiceForm& form, AppState& state)
{
    if (!isBookYear(form.year))
        return {};
    const BookPaths book = currentBook(form, state);
    if (Status created = createBook(book); !created)
        return created;
    auto counter = readCounter(book);
    if (!counter)
        return counter.error();
    // 0 is a book without a counter yet; a negative one can only come from a damaged file.
    const int next = std::max<int>(counter.value(), 1);

    AppState switched = state;
    switched.nextNumber = static_cast<std::int16_t>(next);
    InvoiceForm loaded = form;
    loaded.number = std::to_string(next);
    if (Status status = loadInvoice(loaded, switched, next); !status)
        return status;
    form = std::move(loaded);
    state.nextNumber = switched.nextNumber;
    return {};
}

bool pensionFitsRecord(std::string_view pension)
{
    return calc::numericValue(fitToWidth(pension, 1)) == calc::numericValue(pension);
}

Status saveInvoice(InvoiceForm& form, AppState& state, int number)
{
    const BookPaths book = currentBook(form, state);
    InvoiceForm saved = form;
    copyFormToBuffer(saved);
    if (Status status = writeInvoice(book, number, saved.buffer); !status)
        return status;
    if (Status status = writeExtraLines(book, number, saved.extraLines); !status)
        return status;
    if (auto registered = registerClient(state, saved.buffer.client); !registered)
        return registered.error();

    if (number < state.nextNumber) {
        form = std::move(saved);
        return {};
    }
    // The gap goes in before the counter, so the counter never covers a record that was not written.
    const InvoiceRecord blank = blankInvoice(state);
    for (int gap = std::max<int>(state.nextNumber, 1); gap < number; ++gap) {
        if (Status status = writeInvoice(book, gap, blank); !status)
            return status;
    }
    const auto next = static_cast<std::int16_t>(number + 1);
    if (Status status = writeCounter(book, next); !status)
        return status;
    state.nextNumber = next;

    auto slot = readInvoice(book, next);
    if (!slot) {
        form = std::move(saved);
        return slot.error();
    }
    saved.buffer = slot.value();
    copyBufferToForm(saved, state.decimalSeparator);
    applyNewSlotRule(saved, state);
    saved.number = std::to_string(next);
    // A new invoice starts without lines 4 to 10; keeping the saved invoice's
    // lines would silently add them to the next one.
    saved.extraLines = ExtraLinesRecord {};
    form = std::move(saved);
    return {};
}

} // namespace tessaro::archive
