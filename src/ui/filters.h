// Character filters of the input fields. A refused character beeps and
// changes nothing; Backspace always passes. Characters that Windows-1252
// cannot hold are refused when typed and replaced by "?" when pasted, because
// the data files could not store them.
#pragma once

#include <QObject>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QComboBox;

namespace tessaro::ui {

enum class Filter {
    None,
    Digits, // "0".."9"
    DigitsAndPoint, // "0".."9" and "."
    Amount, // lire: digits; euro: digits and "."; other flag: anything
    Total, // lire: digits; euro: digits, "." and ","; other flag: anything
};

// Currency flag of the invoice on screen ('l', 'e' or anything else).
using CurrencyFlagProvider = std::function<char()>;

// Whether ch may be typed into a field with this filter.
bool filterAccepts(Filter filter, QChar ch, char currencyFlag);

// Installs the filter (and the code-page guard) on a text control; the
// filter object is owned by the control.
void installFilter(QLineEdit* edit, Filter filter, CurrencyFlagProvider flagProvider = {});
// maxLength limits what can be typed (the multi-line edit has no limit of its own).
void installFilter(QPlainTextEdit* edit, Filter filter, int maxLength, CurrencyFlagProvider flagProvider = {});
void installFilter(QComboBox* combo, Filter filter, CurrencyFlagProvider flagProvider = {});

// Replaces every character Windows-1252 cannot hold by "?".
QString toStorableText(const QString& text);

} // namespace tessaro::ui
