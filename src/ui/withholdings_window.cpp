#include "ui/withholdings_window.h"

#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace tessaro::ui {

namespace {

// The width of each column of the list, in twips: the names and the codes
// wide, the figures as wide as a million with its cents.
constexpr std::array<int, WithholdingColumnCount> ColumnWidths
    = {2160, 2760, 1200, 1000, 1260, 620, 1200, 1140, 1560, 1500};

bool rightAligned(int column)
{
    return column >= static_cast<int>(WithholdingColumn::Gross);
}

} // namespace

WithholdingsWindow::WithholdingsWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Ritenute subite per cliente"));
    setFixedSize(twipsSize(WithholdingsWindowWidthTwips, WithholdingsWindowHeightTwips));
    buildControls(this, withholdingsWindowTable());

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstclienti"));
    m_list->setAccessibleName(QStringLiteral("Ritenute per cliente"));
    m_list->setGeometry(
        twipsRect(120, WithholdingsListTopTwips, WithholdingsWindowWidthTwips - 240, WithholdingsListHeightTwips));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    QStringList headings;
    for (const char* heading : WithholdingHeadings)
        headings << fromUtf8(heading);
    m_list->setHeaderLabels(headings);
    for (int column = 0; column < WithholdingColumnCount; ++column) {
        m_list->setColumnWidth(column, twipsToPixels(ColumnWidths[static_cast<std::size_t>(column)]));
        if (rightAligned(column))
            m_list->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    findChild<QLabel*>(QStringLiteral("lblnote"))->setWordWrap(true);
    setTabOrder(findChild<QPushButton*>(QStringLiteral("cmdmostra")), m_list);
    setTabOrder(m_list, findChild<QLineEdit*>(QStringLiteral("txtcucompensi")));

    const auto report = [this](const char* button, WithholdingsRequest::Action action) {
        auto* pushButton = findChild<QPushButton*>(QString::fromLatin1(button));
        // Enter belongs to the field typed in, not to a button.
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, [this, action] { emit requested(request(action)); });
    };
    report("cmdmostra", WithholdingsRequest::Action::ShowYear);
    report("cmdregistra", WithholdingsRequest::Action::RecordCertificate);
    report("cmdcsv", WithholdingsRequest::Action::ExportCsv);
    report("cmdstampa", WithholdingsRequest::Action::Print);
    report("cmdpdf", WithholdingsRequest::Action::SavePdf);
    report("cmdchiudi", WithholdingsRequest::Action::Close);
    const auto enter = [this](const char* field, WithholdingsRequest::Action action) {
        connect(findChild<QLineEdit*>(QString::fromLatin1(field)), &QLineEdit::returnPressed, this,
                [this, action] { emit requested(request(action)); });
    };
    enter("txtanno", WithholdingsRequest::Action::ShowYear);
    enter("txtcucompensi", WithholdingsRequest::Action::RecordCertificate);
    enter("txtcuritenute", WithholdingsRequest::Action::RecordCertificate);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { showCertificateOfChosenRow(); });
}

void WithholdingsWindow::setView(const WithholdingsView& view)
{
    m_rows = view.rows;
    {
        // The fields show what the view says, not the figures of the row chosen again.
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        for (const WithholdingRowView& row : view.rows) {
            QStringList cells;
            for (const std::string& cell : row.cells)
                cells << fromUtf8(cell);
            auto* item = new QTreeWidgetItem(m_list, cells);
            // A tax code beside a VAT number may not show whole.
            item->setToolTip(static_cast<int>(WithholdingColumn::Identifier),
                             cells[static_cast<int>(WithholdingColumn::Identifier)]);
            for (int column = 0; column < WithholdingColumnCount; ++column) {
                if (rightAligned(column))
                    item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        if (!view.rows.empty()) {
            QStringList cells;
            for (const std::string& cell : view.totals)
                cells << fromUtf8(cell);
            auto* totals = new QTreeWidgetItem(m_list, cells);
            totals->setFlags(Qt::ItemIsEnabled);
            QFont bold = totals->font(0);
            bold.setBold(true);
            for (int column = 0; column < WithholdingColumnCount; ++column) {
                totals->setFont(column, bold);
                if (rightAligned(column))
                    totals->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        if (view.selected >= 0 && view.selected < static_cast<int>(view.rows.size()))
            m_list->setCurrentItem(m_list->topLevelItem(view.selected));
    }
    showControls(this, withholdingsWindowTable(), view);
    findChild<QLabel*>(QStringLiteral("lblnote"))->setText(fromUtf8(view.notes));
    const bool any = !view.rows.empty();
    findChild<QPushButton*>(QStringLiteral("cmdregistra"))->setEnabled(any);
    findChild<QPushButton*>(QStringLiteral("cmdcsv"))->setEnabled(any);
    findChild<QPushButton*>(QStringLiteral("cmdstampa"))->setEnabled(any);
    findChild<QPushButton*>(QStringLiteral("cmdpdf"))->setEnabled(any);
}

int WithholdingsWindow::chosenRow() const
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    return row < static_cast<int>(m_rows.size()) ? row : -1;
}

void WithholdingsWindow::showCertificateOfChosenRow()
{
    const int row = chosenRow();
    const WithholdingRowView none;
    const WithholdingRowView& chosen = row >= 0 ? m_rows[static_cast<std::size_t>(row)] : none;
    findChild<QLineEdit*>(QStringLiteral("txtcucompensi"))->setText(fromUtf8(chosen.certifiedGross));
    findChild<QLineEdit*>(QStringLiteral("txtcuritenute"))->setText(fromUtf8(chosen.certifiedWithholding));
}

WithholdingsRequest WithholdingsWindow::request(WithholdingsRequest::Action action) const
{
    WithholdingsView typed;
    readControls(this, withholdingsWindowTable(), typed);
    WithholdingsRequest request;
    request.action = action;
    request.year = typed.year;
    request.row = chosenRow();
    request.gross = typed.gross;
    request.withholding = typed.withholding;
    return request;
}

void WithholdingsWindow::closeEvent(QCloseEvent* event)
{
    // The window goes when the command that shows it is told so.
    event->ignore();
    emit requested(request(WithholdingsRequest::Action::Close));
}

void WithholdingsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit requested(request(WithholdingsRequest::Action::Close));
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tessaro::ui
