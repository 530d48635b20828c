// The two modes that change how an invoice is calculated (invoice type and
// currency flag) and the pure part of the mode commands: converting a lire
// invoice to euro and accepting a new value of one euro.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::calc {

// Professional service ("p", fees with pension fund, withholding and
// expenses) or commercial ("c", unit prices and quantities).
enum class InvoiceType { Professional, Commercial };

char invoiceTypeFlag(InvoiceType type);
// "p" is professional service; "c" commercial; anything else is not a type.
std::optional<InvoiceType> invoiceTypeFromFlag(char flag);

inline constexpr char LireFlag = 'l';
inline constexpr char EuroFlag = 'e';

// The texts converted to euro, in this order: txtimp1, txtimp2, txtimp3,
// txtspe, txtspe2.
inline constexpr std::size_t EuroConvertedFieldCount = 5;
using EuroConvertedTexts = std::array<std::string, EuroConvertedFieldCount>;

enum class EuroConversionOutcome {
    AlreadyEuro, // nothing changes but the program-wide currency
    NoRate, // the invoice holds no usable exchange rate: nothing changes
    Converted, // flag becomes "e", texts replaced, results emptied
};

struct EuroConversion {
    EuroConversionOutcome outcome = EuroConversionOutcome::AlreadyEuro;
    char currencyFlag = EuroFlag; // the invoice's flag afterwards
    EuroConvertedTexts texts; // the five texts afterwards
    // The four results (etcimp, etciva, etcra, txttot) must become empty.
    bool emptyResults = false;
};

// Converts the current invoice to euro: every non-empty text becomes the
// point form of the euro amount text of its value divided by the invoice's
// rate (value of one euro in lire, as held).
EuroConversion convertToEuro(const EuroConvertedTexts& texts, char currencyFlag, double rate);

inline constexpr double MaxEuroValue = 9900;

// The answer of "Valore di un euro" as a new value of one euro; none when it
// must be ignored (not above 0, or above 9900).
std::optional<double> acceptEuroValue(std::string_view answer);

// Default answer of that input box: the lire amount text of the rate.
std::string euroValueDefaultText(double euroRate);

} // namespace tessaro::calc
