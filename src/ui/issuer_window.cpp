#include "ui/issuer_window.h"

#include "ui/identifier_hints.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <array>

namespace tessaro::ui {

namespace {

// Enter and Down walk this chain forwards, Up backwards; cmbtit, its end,
// keeps its own keys. txtf1 Up goes round to cmbtit.
const std::array<const char*, 9> Chain
    = {"txtf1", "txtf2", "txtf3", "txtf4", "txtf6", "txtf5", "txtf7", "txtf8", "cmbtit"};

QLineEdit* editOf(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(control);
}

// Every field selects its whole text when it gets the focus, so typing
// replaces it; a click would move the cursor afterwards, so select again once
// the click is through.
class FieldKeys : public QObject {
public:
    FieldKeys(QWidget* window, std::array<QWidget*, Chain.size()> chain) : QObject(window), m_chain(chain)
    {
        for (QWidget* control : m_chain)
            control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto it = std::find(m_chain.begin(), m_chain.end(), watched);
        if (it == m_chain.end())
            return false;
        const auto index = static_cast<std::size_t>(it - m_chain.begin());
        if (event->type() == QEvent::FocusIn) {
            if (QLineEdit* edit = editOf(m_chain[index])) {
                edit->selectAll();
                if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
                    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
            }
            return false;
        }
        if (event->type() != QEvent::KeyPress || index == m_chain.size() - 1)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            m_chain[index + 1]->setFocus();
            return true;
        case Qt::Key_Up:
            m_chain[index == 0 ? m_chain.size() - 1 : index - 1]->setFocus();
            return true;
        default:
            return false;
        }
    }

private:
    std::array<QWidget*, Chain.size()> m_chain;
};

} // namespace

IssuerWindow::IssuerWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dati di chi emette la fattura"));
    setFixedSize(twipsSize(IssuerWindowWidthTwips, IssuerWindowHeightTwips));
    buildControls(this, issuerWindowTable());

    auto* title = findChild<QComboBox*>(QStringLiteral("cmbtit"));
    title->setCompleter(nullptr); // a typed title is taken as typed, never completed from the list
    for (const char* item : issuerTitles())
        title->addItem(QString::fromUtf8(item));
    title->setEditText(QString());

    std::array<QWidget*, Chain.size()> chain {};
    for (std::size_t i = 0; i < Chain.size(); ++i) {
        chain[i] = findChild<QWidget*>(QString::fromLatin1(Chain[i]));
    }
    new FieldKeys(this, chain);

    const auto wire = [this](const char* name, void (IssuerWindow::*signal)()) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, signal);
    };
    wire("Command1", &IssuerWindow::okClicked);
    wire("Command2", &IssuerWindow::saveClicked);
    wire("Command3", &IssuerWindow::replaceClicked);
    wire("Command4", &IssuerWindow::previousClicked);
    wire("Command5", &IssuerWindow::nextClicked);
    wire("Command6", &IssuerWindow::einvoiceClicked);

    // The hints follow every keystroke; the first name decides whether the
    // codice fiscale is a person's.
    for (const IdentifierHint& hint : identifierHints({})) {
        styleHint(findChild<QLabel*>(hintLabelName(hint.field)));
        connect(findChild<QLineEdit*>(QString::fromLatin1(hint.field)), &QLineEdit::textChanged, this,
                &IssuerWindow::showHints);
    }
    connect(findChild<QLineEdit*>(QStringLiteral("txtf2")), &QLineEdit::textChanged, this, &IssuerWindow::showHints);
}

void IssuerWindow::showHints()
{
    for (const IdentifierHint& hint : identifierHints(fields()))
        findChild<QLabel*>(hintLabelName(hint.field))->setText(hint.text);
}

void IssuerWindow::setFields(const archive::PartyRecord& fields)
{
    showControls(this, issuerWindowTable(), fields);
}

archive::PartyRecord IssuerWindow::fields() const
{
    archive::PartyRecord fields;
    readControls(this, issuerWindowTable(), fields);
    return fields;
}

void IssuerWindow::closeEvent(QCloseEvent* event)
{
    emit closeBoxClicked();
    QDialog::closeEvent(event);
}

void IssuerWindow::keyPressEvent(QKeyEvent* event)
{
    // A focused button takes Enter itself; anywhere else Enter presses no
    // default button, and Escape does not close: the window closes by "Ok"
    // or its close box.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace tessaro::ui
