#include "ui/main_window.h"

#include "archive/sdi_history.h"
#include "calc/defaults.h"
#include "calc/numbers.h"
#include "calc/text.h"
#include "ui/identifier_hints.h"
#include "ui/main_window_table.h"
#include "ui/navigation.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <array>

namespace tessaro::ui {

namespace {

// Line breaks of a description are stored as CR LF, two characters of the
// record each; the edit holds them as one.
int storedLength(const QString& text)
{
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')) + text.count(QChar::ParagraphSeparator));
}

std::string trimBlanks(const std::string& text)
{
    return std::string(calc::trimBlanks(text));
}

// Shows the help text of a field on the help line while the field has the
// focus, and selects the field's text so typing replaces it. The check box
// only shows its text, and leaving it keeps the line. Focus that leaves or
// returns with the whole window (another program, a message box) and the
// popup of a combo box are not moves between fields: the selection and the
// line stay as they are.
class FocusHelp : public QObject {
public:
    FocusHelp(QLabel* helpLine, QObject* parent) : QObject(parent), m_helpLine(helpLine) { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason)
            return false;
        const bool checkBox = qobject_cast<QCheckBox*>(watched) != nullptr;
        if (event->type() == QEvent::FocusIn) {
            m_helpLine->setText(watched->property("helpText").toString());
            if (!checkBox && reason != Qt::ActiveWindowFocusReason)
                selectAll(watched);
        } else if (!checkBox && reason != Qt::ActiveWindowFocusReason) {
            m_helpLine->clear();
        }
        return false;
    }

private:
    static void selectAll(QObject* field)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
            plain->selectAll();
        else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
            combo->lineEdit()->selectAll();
    }

    QLabel* m_helpLine;
};

// Keeps a description within its record field, where a line break takes two
// characters, and breaks lines on Shift+Enter or Ctrl+Enter (plain Enter
// moves on to the amount).
class DescriptionGuard : public QObject {
public:
    DescriptionGuard(QPlainTextEdit* edit, int maxLength) : QObject(edit), m_edit(edit), m_maxLength(maxLength)
    {
        edit->installEventFilter(this);
        connect(edit, &QPlainTextEdit::textChanged, this, &DescriptionGuard::cutToLength);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int room
            = m_maxLength - storedLength(m_edit->toPlainText()) + storedLength(m_edit->textCursor().selectedText());
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (room >= 2)
                m_edit->textCursor().insertText(QStringLiteral("\n"));
            else
                QApplication::beep();
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f
            || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return false;
        return storedLength(text) > room;
    }

private:
    // Pasted text can still overflow: cut it at the end, as the field's own limit does.
    void cutToLength()
    {
        QString text = m_edit->toPlainText();
        if (storedLength(text) <= m_maxLength)
            return;
        while (storedLength(text) > m_maxLength)
            text.chop(1);
        const int cursor = std::min(m_edit->textCursor().position(), static_cast<int>(text.size()));
        m_edit->setPlainText(text);
        QTextCursor c = m_edit->textCursor();
        c.setPosition(cursor);
        m_edit->setTextCursor(c);
    }

    QPlainTextEdit* m_edit;
    int m_maxLength;
};

// The client's codice fiscale and partita IVA get the hints the issuer's get
// in the issuer window, following every keystroke and the first name. There
// is no room for them under the fields: each is a note that lies over the
// lines below while its field has the focus and holds a fault.
class ClientHints : public QObject {
public:
    ClientHints(QWidget* clientArea, QLineEdit* firstName, QLineEdit* taxCode, QLineEdit* vatNumber)
        : QObject(clientArea), m_firstName(firstName), m_fields {taxCode, vatNumber}
    {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            QLabel* note = clientArea->findChild<QLabel*>(hintLabelName(clientIdentifierHints({})[i].field));
            styleHint(note);
            note->setWordWrap(true);
            QPalette palette = note->palette();
            palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
            note->setPalette(palette);
            note->hide();
            m_notes[i] = note;
            m_fields[i]->installEventFilter(this);
        }
        for (QLineEdit* field : {firstName, taxCode, vatNumber})
            connect(field, &QLineEdit::textChanged, this, &ClientHints::showHints);
    }

protected:
    // Only the note of the field itself is touched: a field loses its focus
    // also while the window is taken down.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const std::size_t i = watched == m_fields[0] ? 0 : 1;
            if (m_notes[i])
                m_notes[i]->setVisible(event->type() == QEvent::FocusIn && !m_notes[i]->text().isEmpty());
        }
        return false;
    }

private:
    void showHints()
    {
        archive::PartyRecord client;
        client.firstName = m_firstName->text().toStdString();
        client.taxCode = m_fields[0]->text().toStdString();
        client.vatNumber = m_fields[1]->text().toStdString();
        const auto hints = clientIdentifierHints(client);
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            m_notes[i]->setText(hints[i].text);
            m_notes[i]->setVisible(m_fields[i]->hasFocus() && !hints[i].text.isEmpty());
        }
    }

    QLineEdit* m_firstName;
    std::array<QLineEdit*, 2> m_fields;
    std::array<QPointer<QLabel>, 2> m_notes;
};

const ControlSpec* specOf(const char* name)
{
    for (const ControlSpec& spec : mainWindowControls()) {
        if (qstrcmp(spec.name, name) == 0)
            return &spec;
    }
    return nullptr;
}

constexpr const char* TitleList[] = {"dott.", "ing.", "arch.", "geom.", "rag.", "soc.", "avv."};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Tessaro"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(twipsSize(MainWindowWidthTwips, MainWindowHeightTwips));
    setCentralWidget(client);
    // The window takes the size of the client area plus whatever menu bar is added; the user cannot resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildControls(client, mainWindowControls(), [this] { return m_currencyFlag; });
    findControls();

    QPalette issuerPalette = m_issuer[0]->palette();
    issuerPalette.setColor(QPalette::Window, QColor(IssuerLabelRed, IssuerLabelGreen, IssuerLabelBlue));
    for (QLabel* label : m_issuer)
        label->setPalette(issuerPalette);
    client->findChild<QWidget*>(QStringLiteral("label37"))->hide();
    m_rate->hide();

    for (const char* title : TitleList)
        m_title->addItem(QString::fromLatin1(title));
    m_title->setCurrentIndex(-1);
    m_title->setEditText(QString());
    m_balance->setChecked(true);

    auto* focusHelp = new FocusHelp(m_help, this);
    for (const ControlSpec& spec : mainWindowControls()) {
        if (*spec.helpText)
            client->findChild<QWidget*>(QString::fromLatin1(spec.name))->installEventFilter(focusHelp);
    }
    for (int i = 0; i < 3; ++i)
        new DescriptionGuard(m_description[i],
                             specOf(m_description[i]->objectName().toLatin1().constData())->maxLength);
    // Installed last, so it sees Enter before the description guard does.
    (new NavigationFilter(client, mainWindowNavigation()))->install();

    connectControls();
    watchClientIdentifiers();
    m_vat->setText(QString::fromUtf8(calc::DefaultVatRate.data(), qsizetype(calc::DefaultVatRate.size())));
    setInvoiceType(archive::InvoiceType::Professional);
    m_number->setFocus();
}

void MainWindow::findControls()
{
    QWidget* client = centralWidget();
    auto find = [client]<typename T>(T*& member, const char* name) {
        member = client->findChild<T*>(QString::fromLatin1(name));
        Q_ASSERT(member);
    };
    find(m_number, "txtnum");
    find(m_day, "txtgio");
    find(m_month, "txtmese");
    find(m_year, "txtanno");
    find(m_vat, "txtiva");
    find(m_pension, "txtcn");
    find(m_withholding, "txtra");
    find(m_expenses, "txtspe");
    find(m_expenses2, "txtspe2");
    find(m_title, "cmbtit");
    const char* clientNames[] = {"txtc1", "txtc2", "txtc3", "txtc4", "txtc5", "txtc6", "txtc7", "txtc8"};
    for (int i = 0; i < 8; ++i)
        find(m_client[i], clientNames[i]);
    for (int i = 0; i < 3; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        find(m_description[i], ("txtv" + n).constData());
        find(m_amount[i], ("txtimp" + n).constData());
        find(m_quantity[i], ("txtq" + n).constData());
        find(m_issuer[i], ("etcem" + n).constData());
    }
    find(m_onAccount, "opt1");
    find(m_balance, "opt2");
    find(m_omittedVat, "Check1");
    find(m_taxable, "etcimp");
    find(m_vatAmount, "etciva");
    find(m_withholdingAmount, "etcra");
    find(m_total, "txttot");
    find(m_rate, "etccambio");
    find(m_help, "etcspi");
    find(m_clients, "Cmbclienti");
}

void MainWindow::connectControls()
{
    for (const ControlSpec& spec : mainWindowControls()) {
        if (spec.command == Command::None)
            continue;
        auto* button = centralWidget()->findChild<QPushButton*>(QString::fromLatin1(spec.name));
        const Command command = spec.command;
        connect(button, &QPushButton::clicked, this, [this, command] { emit commandRequested(command); });
    }
    connect(m_clients, &QComboBox::activated, this, &MainWindow::clientPicked);
    connect(m_year, &QLineEdit::textChanged, this, [this] {
        if (!m_showingForm)
            emit yearEdited();
    });
    connect(m_vat, &QLineEdit::textChanged, this, &MainWindow::applyOmittedVatRule);
}

void MainWindow::watchClientIdentifiers()
{
    new ClientHints(centralWidget(), m_client[1], m_client[6], m_client[7]);
}

void MainWindow::applyOmittedVatRule(const QString& vatText)
{
    const double vat = calc::numericValue(vatText.toStdString());
    if (vat == 0)
        m_omittedVat->setChecked(true);
    else if (vat > 0)
        m_omittedVat->setChecked(false);
}

void MainWindow::readForm(archive::InvoiceForm& form) const
{
    readControls(centralWidget(), mainWindowControls(), form);
}

void MainWindow::showForm(const archive::InvoiceForm& form)
{
    // Check1 stands before txtiva in the table, so the omitted-VAT rule runs
    // only when the VAT text really changes.
    const QScopedValueRollback<bool> showing(m_showingForm, true);
    showControls(centralWidget(), mainWindowControls(), form);
    // The form has no field of its own for these: the title says what is
    // being edited and what became of its electronic invoice.
    const archive::CreditNoteMark& note = form.creditNote;
    std::string title = "Tessaro";
    if (form.notice) {
        title += " - Avvisi di parcella";
        if (!form.noticeStatus.empty())
            title += " - " + form.noticeStatus;
    }
    if (note.isCreditNote)
        title
            += " - nota di credito a storno della fattura n. " + note.refNumber + " del " + archive::referredDate(note);
    if (!form.sdiStatus.empty()) {
        title += " - fattura elettronica: " + form.sdiStatus;
        // An invoice left in the client's area is issued all the same, but the client does not know it yet.
        if (form.sdiStatus == archive::sdiStateText(archive::SdiState::NotDelivered))
            title += " (avvisare il cliente: è nella sua area riservata)";
    }
    setWindowTitle(QString::fromStdString(title));
    if (!form.focusField.empty()) {
        if (auto* field = centralWidget()->findChild<QWidget*>(QString::fromStdString(form.focusField)))
            field->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::setInvoiceType(archive::InvoiceType type)
{
    const bool commercial = type == archive::InvoiceType::Commercial;
    for (QLineEdit* quantity : m_quantity)
        quantity->setEnabled(commercial);
    for (QLineEdit* serviceField : {m_pension, m_expenses, m_expenses2, m_withholding})
        serviceField->setEnabled(!commercial);
    for (int i = 0; i < 3; ++i) {
        const QString help = QString::fromUtf8(amountHelpText(i + 1, type));
        m_amount[i]->setProperty("helpText", help);
        if (m_amount[i]->hasFocus())
            m_help->setText(help);
    }
}

void MainWindow::setCurrencyFlag(char flag)
{
    m_currencyFlag = flag;
}

void MainWindow::showIssuer(const archive::PartyRecord& issuer)
{
    const std::string line1
        = trimBlanks(issuer.title) + " " + trimBlanks(issuer.firstName) + " " + trimBlanks(issuer.surname);
    // The province is shown as stored, blanks included.
    const std::string line3 = trimBlanks(issuer.city) + " (" + issuer.province + ")";
    m_issuer[0]->setText(QString::fromStdString(line1));
    m_issuer[1]->setText(QString::fromStdString(trimBlanks(issuer.address)));
    m_issuer[2]->setText(QString::fromStdString(line3));
}

void MainWindow::setClientEntries(const std::vector<std::string>& entries)
{
    const QSignalBlocker blocker(m_clients);
    m_clients->clear();
    for (const std::string& entry : entries)
        m_clients->addItem(QString::fromStdString(entry));
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace tessaro::ui
