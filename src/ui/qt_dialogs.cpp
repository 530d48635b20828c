#include "ui/qt_dialogs.h"

#include "ui/app_font.h"
#include "ui/caption_widgets.h"
#include "ui/duplicate_dialog.h"
#include "ui/flat_rate_window.h"
#include "ui/payments_window.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"
#include "ui/withholdings_window.h"
#include "ui/year_receipts_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>

#include <memory>

namespace tessaro::ui {

namespace {

QScreen* screenOf(QWidget* parent)
{
    if (parent && parent->screen())
        return parent->screen();
    return QGuiApplication::primaryScreen();
}

// Client area 6120 x 2160 twips: the prompt at the left, the two buttons at
// the right, the answer along the bottom.
class InputBox : public QDialog {
public:
    InputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& defaultText) : QDialog(parent)
    {
        setWindowTitle(title);
        setFixedSize(twipsSize(6120, 2160));
        setFont(dialogFont());

        auto* label = new CaptionLabel(prompt, this);
        label->setObjectName(QStringLiteral("inputPrompt"));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(twipsRect(120, 120, 4440, 1440));

        auto* ok = new CaptionButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("inputOk"));
        ok->setGeometry(twipsRect(4680, 120, 1335, 375));
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);

        auto* cancel = new CaptionButton(QStringLiteral("Annulla"), this);
        cancel->setObjectName(QStringLiteral("inputCancel"));
        cancel->setGeometry(twipsRect(4680, 600, 1335, 375));
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

        auto* edit = new QLineEdit(defaultText, this);
        edit->setObjectName(QStringLiteral("inputText"));
        // The question is the field's name, for a screen reader that has no
        // other way to tie the prompt to the answer.
        edit->setAccessibleName(prompt);
        edit->setGeometry(twipsRect(120, 1680, 5880, 315));
        edit->selectAll();
        edit->setFocus();

        const QPoint origin = screenOf(parent) ? screenOf(parent)->geometry().topLeft() : QPoint();
        // An explicit position also stops QDialog from centring the box over its parent.
        move(origin + QPoint(twipsToPixels(InputBoxLeftTwips), twipsToPixels(InputBoxTopTwips)));
    }
};

// Shown only once the work has run for the delay (until then the hourglass
// says enough); afterwards it is brought up to date and asked for "Annulla"
// a few dozen times a second, not at every step.
class QtProgress : public Progress {
public:
    static constexpr int UpdateMs = 30;

    QtProgress(QWidget* parent, const QString& title, const QString& text, int maximum)
        : m_dialog(text, QStringLiteral("Annulla"), 0, std::max(maximum, 1), parent)
    {
        m_dialog.setObjectName(QStringLiteral("progressDialog"));
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(ProgressDelayMs);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setAccessibleName(title);
        m_started.start();
    }
    ~QtProgress() override { finish(); }

    bool step(int done) override
    {
        if (m_finished || m_cancelled)
            return !m_cancelled;
        if (m_started.elapsed() < ProgressDelayMs)
            return true;
        if (m_dialog.isVisible() && m_updated.isValid() && m_updated.elapsed() < UpdateMs)
            return true;
        if (!m_dialog.isVisible())
            m_dialog.show();
        m_dialog.setValue(std::min(done, m_dialog.maximum()));
        QCoreApplication::processEvents();
        m_updated.start();
        m_cancelled = m_dialog.wasCanceled();
        return !m_cancelled;
    }
    bool cancelled() const override { return m_cancelled; }
    void finish() override
    {
        if (m_finished)
            return;
        m_finished = true;
        // reset() also stops the dialog's own timer, which would otherwise
        // show it in the next message box's event loop.
        m_dialog.reset();
        m_dialog.hide();
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_started;
    QElapsedTimer m_updated;
    bool m_cancelled = false;
    bool m_finished = false;
};

// A window that reports requests: put up, modal over the whole program, at
// the first showing, given the view at every one, and taken down by a Close.
template <typename Window, typename Request, typename View>
Request showUntilClosed(QPointer<QDialog>& shown, QWidget* parent, const View& view)
{
    if (!shown) {
        shown = new Window(parent);
        shown->setWindowModality(Qt::ApplicationModal);
        shown->show();
    }
    auto* window = static_cast<Window*>(shown.data());
    window->setView(view);
    Request answer;
    QEventLoop loop;
    const auto connection = QObject::connect(window, &Window::requested, &loop, [&](const Request& request) {
        answer = request;
        loop.quit();
    });
    loop.exec();
    QObject::disconnect(connection);
    if (answer.action == Request::Action::Close) {
        shown->hide();
        shown->deleteLater();
        shown = nullptr;
    }
    return answer;
}

} // namespace

QtDialogs::QtDialogs(QWidget* parent) : m_parent(parent) { }

QtDialogs::~QtDialogs()
{
    setBusy(false);
    delete m_payments;
    delete m_withholdings;
    delete m_flatRate;
    delete m_yearReceipts;
}

QWidget* QtDialogs::owner() const
{
    for (const QPointer<QDialog>* window : {&m_payments, &m_withholdings, &m_flatRate, &m_yearReceipts}) {
        if (*window)
            return window->data();
    }
    return m_parent.data();
}

YearReceiptsRequest QtDialogs::showYearReceipts(const YearReceiptsView& view)
{
    return showUntilClosed<YearReceiptsWindow, YearReceiptsRequest>(m_yearReceipts, m_parent, view);
}

PaymentsRequest QtDialogs::showPayments(const PaymentsView& view)
{
    return showUntilClosed<PaymentsWindow, PaymentsRequest>(m_payments, m_parent, view);
}

WithholdingsRequest QtDialogs::showWithholdings(const WithholdingsView& view)
{
    return showUntilClosed<WithholdingsWindow, WithholdingsRequest>(m_withholdings, m_parent, view);
}

FlatRateRequest QtDialogs::showFlatRate(const FlatRateView& view)
{
    return showUntilClosed<FlatRateWindow, FlatRateRequest>(m_flatRate, m_parent, view);
}

Answer QtDialogs::message(const std::string& text, const std::string& title, Buttons buttons)
{
    const std::unique_ptr<QMessageBox> box(createMessageBox(owner(), fromUtf8(text), fromUtf8(title), buttons));
    box->exec();
    // A box closed without a button (Escape, close box) answers as its
    // cautious button would.
    QAbstractButton* clicked = box->clickedButton();
    const QMessageBox::ButtonRole role = clicked ? box->buttonRole(clicked) : QMessageBox::RejectRole;
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return role == QMessageBox::AcceptRole ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return role == QMessageBox::YesRole ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        return role == QMessageBox::YesRole ? Answer::Yes : role == QMessageBox::NoRole ? Answer::No : Answer::Cancel;
    }
    return Answer::Cancel;
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    QDialog* box = createInputBox(m_parent, fromUtf8(prompt), fromUtf8(title), fromUtf8(defaultText));
    const bool accepted = box->exec() == QDialog::Accepted;
    const QString text = box->findChild<QLineEdit*>(QStringLiteral("inputText"))->text();
    delete box;
    return accepted ? text.toStdString() : std::string();
}

DuplicateChoice QtDialogs::askDuplicate()
{
    DuplicateDialog dialog(m_parent);
    dialog.exec();
    return dialog.choice();
}

std::string QtDialogs::saveFileName(const std::string& title, const std::string& proposedPath,
                                    const std::string& filter)
{
    // The commands ask before replacing a file, in Italian and on the name
    // they write (an ending may still be added): the dialog must not ask too.
    return QFileDialog::getSaveFileName(m_parent, fromUtf8(title), fromUtf8(proposedPath), fromUtf8(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite)
        .toStdString();
}

std::string QtDialogs::chooseFolder(const std::string& title, const std::string& proposedDir)
{
    return QFileDialog::getExistingDirectory(m_parent, fromUtf8(title), fromUtf8(proposedDir)).toStdString();
}

std::string QtDialogs::openFileName(const std::string& title, const std::string& proposedDir, const std::string& filter)
{
    return QFileDialog::getOpenFileName(m_parent, fromUtf8(title), fromUtf8(proposedDir), fromUtf8(filter))
        .toStdString();
}

std::vector<std::string> QtDialogs::openFileNames(const std::string& title, const std::string& proposedDir,
                                                  const std::string& filter)
{
    std::vector<std::string> paths;
    for (const QString& path :
         QFileDialog::getOpenFileNames(m_parent, fromUtf8(title), fromUtf8(proposedDir), fromUtf8(filter)))
        paths.push_back(path.toStdString());
    return paths;
}

void QtDialogs::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

std::unique_ptr<Progress> QtDialogs::startProgress(const std::string& title, const std::string& text, int maximum)
{
    return std::make_unique<QtProgress>(m_parent, fromUtf8(title), fromUtf8(text), maximum);
}

QDialog* createInputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& defaultText)
{
    return new InputBox(parent, prompt, title, defaultText);
}

QMessageBox* createMessageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
{
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(title);
    box->setText(text);
    box->setTextFormat(Qt::PlainText);
    QAbstractButton* first = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        first = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        first = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box->addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        first = box->addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        box->addButton(QStringLiteral("No"), QMessageBox::NoRole);
        break;
    case Buttons::YesNoCancel:
        first = box->addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        box->addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box->addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        break;
    }
    box->setDefaultButton(qobject_cast<QPushButton*>(first));
    return box;
}

} // namespace tessaro::ui
