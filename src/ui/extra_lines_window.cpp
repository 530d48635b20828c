#include "ui/extra_lines_window.h"

#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace tessaro::ui {

namespace {

QString fieldName(const char* column, int line)
{
    return QString::fromLatin1(column) + QString::number(line);
}

// Enter walks description, amount, quantity of each line and from the last
// quantity back to the first description; entering a field selects its text.
class LineKeys : public QObject {
public:
    LineKeys(QObject* owner, std::vector<QLineEdit*> chain) : QObject(owner), m_chain(std::move(chain))
    {
        for (QLineEdit* edit : m_chain)
            edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (!edit)
            return false;
        if (event->type() == QEvent::FocusIn) {
            edit->selectAll();
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const auto it = std::find(m_chain.begin(), m_chain.end(), edit);
        if (it == m_chain.end())
            return false;
        const auto next = it + 1 == m_chain.end() ? m_chain.begin() : it + 1;
        (*next)->setFocus();
        return true;
    }

private:
    std::vector<QLineEdit*> m_chain;
};

} // namespace

ExtraLinesWindow::ExtraLinesWindow(CurrencyFlagProvider currencyFlag, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Tessaro: ALTRE VOCI"));
    setFixedSize(twipsSize(ExtraLinesWindowWidthTwips, ExtraLinesWindowHeightTwips));
    buildControls(this, extraLinesWindowTable(), std::move(currencyFlag));

    for (const char* heading : {"Label1", "Label2", "Label3"})
        findChild<QLabel*>(QString::fromLatin1(heading))->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    std::vector<QLineEdit*> chain;
    for (int line = 4; line <= 10; ++line) {
        findChild<QLabel*>(fieldName("Label", line))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (const char* column : {"txtv", "txtimp", "txtq"})
            chain.push_back(findChild<QLineEdit*>(fieldName(column, line)));
    }
    new LineKeys(this, std::move(chain));

    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &ExtraLinesWindow::okClicked);
}

void ExtraLinesWindow::setLines(const archive::ExtraLinesRecord& lines)
{
    showControls(this, extraLinesWindowTable(), lines);
}

archive::ExtraLinesRecord ExtraLinesWindow::lines() const
{
    archive::ExtraLinesRecord lines;
    readControls(this, extraLinesWindowTable(), lines);
    return lines;
}

void ExtraLinesWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter on "Ok" is taken by the button; elsewhere it neither presses a
    // default button nor, with Escape, closes the window.
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
