#include "ui/filters.h"

#include "archive/codepage.h"

#include <QApplication>
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
        const char flag = m_flag ? m_flag() : 'e';
        for (QChar ch : text) {
            if (!storable(ch) || !filterAccepts(m_filter, ch, flag)) {
                QApplication::beep();
                return true;
            }
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
        return digit || ch == QLatin1Char('.');
    case Filter::Amount:
        if (currencyFlag == 'l')
            return digit;
        if (currencyFlag == 'e')
            return digit || ch == QLatin1Char('.');
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
