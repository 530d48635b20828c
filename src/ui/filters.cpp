#include "ui/filters.h"

#include "archive/codepage.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tessaro::ui {

namespace {

bool storable(QChar ch)
{
    return archive::representableInWindows1252(static_cast<char32_t>(ch.unicode()));
}

// The filters whose "." is the decimal point of an amount, under the flag given.
bool takesDecimalPoint(Filter filter, char currencyFlag)
{
    return filter == Filter::DigitsAndPoint || (filter == Filter::Amount && currencyFlag == 'e');
}

// Whether the points of a field, where a comma goes at `at`, were typed as
// thousands separators: each is followed by three digits, or a multiple of
// three, up to the next point or to the comma, and none comes after it. So
// "1.250" and "1.250000" (a second point is refused, "1.250.000" cannot be
// typed) are thousands, while "12.5" holds a decimal point already.
bool pointsSeparateThousands(const QString& text, int at)
{
    if (text.indexOf(QLatin1Char('.'), at) >= 0)
        return false;
    int digits = -1; // since the last point; -1 before the first
    for (int i = 0; i < at; ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('.')) {
            if (digits == 0 || (digits > 0 && digits % 3 != 0))
                return false;
            digits = 0;
        } else if (digits >= 0) {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return false;
            ++digits;
        }
    }
    return digits > 0 && digits % 3 == 0;
}

class KeyFilter : public QObject {
public:
    KeyFilter(QObject* owner, Filter filter, int maxLength, CurrencyFlagProvider flagProvider)
        : QObject(owner), m_filter(filter), m_maxLength(maxLength), m_flag(std::move(flagProvider))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const char flag = m_flag ? m_flag() : 'e';
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const bool decimal = edit && takesDecimalPoint(m_filter, flag);
        // Pasted by the keyboard, an amount is typed key by key: "1.250,50"
        // from a letter becomes 1250.50 as it would when typed.
        if (decimal && key->matches(QKeySequence::Paste)) {
            typeIntoDecimalField(edit, QApplication::clipboard()->text(), flag);
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Backspace)
            return false;
        // Control characters (Enter, Tab, Escape...) are keys, not text to filter.
        for (QChar ch : text) {
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
                return false;
        }
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        for (QChar ch : text) {
            if (!storable(ch) || !filterAccepts(m_filter, ch, flag)) {
                QApplication::beep();
                return true;
            }
        }
        if (decimal) {
            typeIntoDecimalField(edit, text, flag);
            return true;
        }
        if (m_maxLength > 0) {
            if (auto* plain = qobject_cast<QPlainTextEdit*>(watched)) {
                const int selected = plain->textCursor().selectedText().size();
                if (plain->toPlainText().size() - selected + text.size() > m_maxLength)
                    return true;
            }
        }
        return false;
    }

private:
    // Characters past the field's maximum length are dropped, as the field
    // itself drops them; a refused one beeps once.
    void typeIntoDecimalField(QLineEdit* edit, const QString& text, char flag) const
    {
        FieldText field {edit->text(), edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition(),
                         static_cast<int>(edit->selectedText().size())};
        bool refused = false;
        for (QChar ch : text) {
            const Keystroke key = typeInto(m_filter, flag, field, ch);
            refused = refused || key.refused;
            if (!key.refused && key.after.text.size() <= edit->maxLength())
                field = key.after;
        }
        if (refused)
            QApplication::beep();
        if (field.text != edit->text()) {
            // One step for undo, as a typed key is.
            edit->selectAll();
            edit->insert(field.text);
        }
        if (field.replaced == 0)
            edit->setCursorPosition(field.start);
    }

    Filter m_filter;
    int m_maxLength;
    CurrencyFlagProvider m_flag;
};

void guardLineEdit(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        const QString storableText = toStorableText(text);
        if (storableText != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(storableText);
            edit->setCursorPosition(cursor);
        }
    });
}

} // namespace

bool filterAccepts(Filter filter, QChar ch, char currencyFlag)
{
    const bool digit = ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    switch (filter) {
    case Filter::None:
        return true;
    case Filter::Digits:
        return digit;
    case Filter::DigitsAndPoint:
        return digit || ch == QLatin1Char('.') || ch == QLatin1Char(',');
    case Filter::Amount:
        if (currencyFlag == 'l')
            return digit;
        if (currencyFlag == 'e')
            return digit || ch == QLatin1Char('.') || ch == QLatin1Char(',');
        return true;
    case Filter::Total:
        if (currencyFlag == 'l')
            return digit;
        if (currencyFlag == 'e')
            return digit || ch == QLatin1Char('.') || ch == QLatin1Char(',');
        return true;
    }
    return true;
}

Keystroke typeInto(Filter filter, char currencyFlag, const FieldText& field, QChar ch)
{
    if (!filterAccepts(filter, ch, currencyFlag))
        return {true, field};
    QString text = field.text;
    text.remove(field.start, field.replaced);
    const auto typed = [&text](int at, QChar what) {
        text.insert(at, what);
        return Keystroke {false, {text, at + 1, 0}};
    };
    const bool separator = ch == QLatin1Char('.') || ch == QLatin1Char(',');
    if (!separator || !takesDecimalPoint(filter, currencyFlag))
        return typed(field.start, ch);
    if (!text.contains(QLatin1Char('.')))
        return typed(field.start, QLatin1Char('.'));
    // A comma after points typed as thousands separators, the habit of
    // "1.250,50": the points go and the comma becomes the decimal point.
    if (ch == QLatin1Char(',') && pointsSeparateThousands(text, field.start)) {
        const auto pointsBefore = static_cast<int>(text.left(field.start).count(QLatin1Char('.')));
        text.remove(QLatin1Char('.'));
        return typed(field.start - pointsBefore, QLatin1Char('.'));
    }
    return {true, field}; // a second decimal point
}

QString toStorableText(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result.append(QLatin1Char('?'));
            ++i;
        } else if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QLatin1Char('\t') || storable(ch)) {
            result.append(ch);
        } else {
            result.append(QLatin1Char('?'));
        }
    }
    return result;
}

void installFilter(QLineEdit* edit, Filter filter, CurrencyFlagProvider flagProvider)
{
    edit->installEventFilter(new KeyFilter(edit, filter, 0, std::move(flagProvider)));
    guardLineEdit(edit);
}

void installFilter(QPlainTextEdit* edit, Filter filter, int maxLength, CurrencyFlagProvider flagProvider)
{
    edit->installEventFilter(new KeyFilter(edit, filter, maxLength, std::move(flagProvider)));
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxLength]() {
        const QString text = edit->toPlainText();
        QString fixed = toStorableText(text);
        if (maxLength > 0 && fixed.size() > maxLength)
            fixed.truncate(maxLength);
        if (fixed != text) {
            const int cursor = std::min(edit->textCursor().position(), static_cast<int>(fixed.size()));
            edit->setPlainText(fixed);
            QTextCursor c = edit->textCursor();
            c.setPosition(cursor);
            edit->setTextCursor(c);
        }
    });
}

void installFilter(QComboBox* combo, Filter filter, CurrencyFlagProvider flagProvider)
{
    // An editable combo box hands its keys straight to its line edit, past any
    // filter installed there: filter them on the combo itself.
    combo->installEventFilter(new KeyFilter(combo, filter, 0, flagProvider));
    if (QLineEdit* edit = combo->lineEdit())
        guardLineEdit(edit);
}

} // namespace tessaro::ui
