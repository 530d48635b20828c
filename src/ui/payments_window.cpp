#include "ui/payments_window.h"

#include "calc/payments.h"
#include "ui/payment_lists.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace tessaro::ui {

PaymentsWindow::PaymentsWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Incassi della fattura"));
    setFixedSize(twipsSize(PaymentsWindowWidthTwips, PaymentsWindowHeightTwips));
    buildControls(this, paymentsWindowTable());

    fillPaymentMethods(findChild<QComboBox*>(QStringLiteral("cmbmodalita")));
    fillPaymentTerms(findChild<QComboBox*>(QStringLiteral("cmbtermine")), true);
    fillPaymentMethods(findChild<QComboBox*>(QStringLiteral("cmbmodinc")));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstincassi"));
    m_list->setAccessibleName(QStringLiteral("Incassi ricevuti"));
    m_list->setGeometry(twipsRect(120, PaymentsListTopTwips, PaymentsWindowWidthTwips - 240, PaymentsListHeightTwips));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels(
        {QStringLiteral("Data"), QStringLiteral("Importo"), QStringLiteral("Modalità"), QStringLiteral("Nota")});
    m_list->setColumnWidth(0, twipsToPixels(1300));
    m_list->setColumnWidth(1, twipsToPixels(1500));
    m_list->setColumnWidth(2, twipsToPixels(2700));
    m_list->header()->setStretchLastSection(true);
    setTabOrder(findChild<QPushButton*>(QStringLiteral("cmdcondizioni")), m_list);
    setTabOrder(m_list, findChild<QLineEdit*>(QStringLiteral("txtdata")));

    const auto report = [this](const char* button, PaymentsRequest::Action action) {
        connect(findChild<QPushButton*>(QString::fromLatin1(button)), &QPushButton::clicked, this,
                [this, action] { emit requested(request(action)); });
    };
    report("cmdregistra", PaymentsRequest::Action::Record);
    report("cmdelimina", PaymentsRequest::Action::Remove);
    report("cmdcondizioni", PaymentsRequest::Action::ChangeTerms);
    report("cmdchiudi", PaymentsRequest::Action::Close);
    connect(findChild<QComboBox*>(QStringLiteral("cmbtermine")), &QComboBox::currentIndexChanged, this,
            [this] { updateDueField(); });
    findChild<QPushButton*>(QStringLiteral("cmdregistra"))->setDefault(true);
}

void PaymentsWindow::setView(const PaymentsView& view)
{
    showControls(this, paymentsWindowTable(), view);
    findChild<QLabel*>(QStringLiteral("lblfattura"))->setText(fromUtf8(view.heading));
    m_list->clear();
    for (const PaymentRowView& row : view.rows) {
        auto* item = new QTreeWidgetItem(
            m_list, {fromUtf8(row.date), fromUtf8(row.amount), fromUtf8(row.method), fromUtf8(row.note)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    findChild<QPushButton*>(QStringLiteral("cmdregistra"))->setEnabled(!view.full);
    findChild<QPushButton*>(QStringLiteral("cmdelimina"))->setEnabled(!view.rows.empty());
    updateDueField();
}

PaymentsRequest PaymentsWindow::request(PaymentsRequest::Action action) const
{
    PaymentsView typed;
    readControls(this, paymentsWindowTable(), typed);
    PaymentsRequest request;
    request.action = action;
    request.date = typed.newDate;
    request.amount = typed.newAmount;
    request.method = typed.newMethod;
    request.note = typed.newNote;
    request.row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    request.termMethod = typed.method;
    request.term = typed.term;
    request.due = typed.due;
    return request;
}

// The due date is typed only for a term of its own; the others count it.
void PaymentsWindow::updateDueField()
{
    const QString term = findChild<QComboBox*>(QStringLiteral("cmbtermine"))->currentData().toString();
    findChild<QLineEdit*>(QStringLiteral("txtscadenza"))
        ->setReadOnly(
            term
            != QLatin1String(calc::ExplicitDateTerm.data(), static_cast<qsizetype>(calc::ExplicitDateTerm.size())));
}

void PaymentsWindow::closeEvent(QCloseEvent* event)
{
    // The window goes when the command that shows it is told so.
    event->ignore();
    emit requested(request(PaymentsRequest::Action::Close));
}

void PaymentsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit requested(request(PaymentsRequest::Action::Close));
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tessaro::ui
