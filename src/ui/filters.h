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
    DigitsAndPoint, // "0".."9" and one "."; "," types the point
    Amount, // lire: digits; euro: as DigitsAndPoint; other flag: anything
    Total, // lire: digits; euro: digits, "." and ","; other flag: anything
};

// Currency flag of the invoice on screen ('l', 'e' or anything else).
using CurrencyFlagProvider = std::function<char()>;

// Whether ch may be typed into a field with this filter, whatever the field
// already holds ("," included where it types the point).
bool filterAccepts(Filter filter, QChar ch, char currencyFlag);

// A one-line field as a key finds it: its text, and where the key goes with
// the selected characters it replaces (none: the cursor).
struct FieldText {
    QString text;
    int start = 0;
    int replaced = 0;
};

// What a typed character makes of a field: refused (the beep, nothing
// changes), or the text and the cursor after it.
struct Keystroke {
    bool refused = false;
    FieldText after;
};

// Typing ch into the field. Where the filter takes a decimal point, it is
// the one decimal point of the amount: a second one is refused, and "," types
// it, as an Italian writes the decimal comma (see the definition for the
// points already typed as thousands separators).
Keystroke typeInto(Filter filter, char currencyFlag, const FieldText& field, QChar ch);

// Installs the filter (and the code-page guard) on a text control; the
// filter object is owned by the control.
void installFilter(QLineEdit* edit, Filter filter, CurrencyFlagProvider flagProvider = {});
// maxLength limits what can be typed (the multi-line edit has no limit of its own).
void installFilter(QPlainTextEdit* edit, Filter filter, int maxLength, CurrencyFlagProvider flagProvider = {});
void installFilter(QComboBox* combo, Filter filter, CurrencyFlagProvider flagProvider = {});

// Replaces every character Windows-1252 cannot hold by "?".
QString toStorableText(const QString& text);

} // namespace tessaro::ui
