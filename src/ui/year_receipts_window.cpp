#include "ui/year_receipts_window.h"

#include "archive/year_receipts_texts.h"
#include "ui/month_bars_view.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <array>
#include <optional>

namespace tessaro::ui {

namespace {

// Column widths in twips; the note takes what is left.
constexpr std::array<int, YearReceiptsColumnCount - 1> ColumnTwips
    = {1100, 1000, 3000, 1250, 1250, 1250, 1250, 1250, 1000, 1250};
// The columns of amounts, right-aligned: from "Importo" to "Ritenuta".
constexpr int FirstAmountColumn = 3;
constexpr int LastAmountColumn = 9;

constexpr int ListTop = 600, ListHeight = 5400;
constexpr int TotalsTop = 6000, TotalsHeight = 660;
constexpr int BarsTop = 7320, BarsHeight = 2880;

QTableView* newTable(QWidget* parent, const char* name, const char* accessibleName)
{
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->verticalHeader()->hide();
    // Fixed heights: nothing is measured over the rows of a whole year.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(twipsToPixels(300));
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setCornerButtonEnabled(false);
    for (auto* corner : table->findChildren<QAbstractButton*>())
        corner->setAccessibleName(QStringLiteral("Seleziona tutte le righe"));
    return table;
}

} // namespace

// The rows a search keeps, their texts made as they are drawn: a keystroke
// costs only the list of indices, and a year of many payments no memory
// beyond its figures. The totals are one row of texts already made.
class YearReceiptsModel : public QAbstractTableModel {
public:
    void setRows(std::shared_ptr<const archive::YearReceipts> receipts, std::vector<int> shown, char decimalSeparator,
                 const std::array<std::string, YearReceiptsColumnCount>& headings)
    {
        beginResetModel();
        m_receipts = std::move(receipts);
        m_shown = std::move(shown);
        m_style = {decimalSeparator, true, true};
        m_cells.reset();
        for (std::size_t i = 0; i < headings.size(); ++i)
            m_headings[i] = fromUtf8(headings[i]);
        endResetModel();
    }
    void setCells(const YearReceiptsCells& cells)
    {
        beginResetModel();
        m_receipts.reset();
        m_shown.clear();
        m_cells = cells;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        if (parent.isValid())
            return 0;
        return m_cells ? 1 : static_cast<int>(m_shown.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : YearReceiptsColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::TextAlignmentRole)
            return index.column() >= FirstAmountColumn && index.column() <= LastAmountColumn
                ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        const auto column = static_cast<std::size_t>(index.column());
        if (m_cells)
            return fromUtf8((*m_cells)[column]);
        if (!m_receipts)
            return {};
        const auto row = static_cast<std::size_t>(m_shown[static_cast<std::size_t>(index.row())]);
        return fromUtf8(
            archive::receiptCell(m_receipts->rows[row], static_cast<archive::ReceiptColumn>(column), m_style));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
            || section >= YearReceiptsColumnCount)
            return {};
        return m_headings[static_cast<std::size_t>(section)];
    }

private:
    std::shared_ptr<const archive::YearReceipts> m_receipts;
    std::vector<int> m_shown;
    archive::AmountStyle m_style;
    std::optional<YearReceiptsCells> m_cells;
    std::array<QString, YearReceiptsColumnCount> m_headings;
};

YearReceiptsWindow::YearReceiptsWindow(QWidget* parent)
    : QDialog(parent), m_model(std::make_unique<YearReceiptsModel>()), m_totals(std::make_unique<YearReceiptsModel>())
{
    setObjectName(QStringLiteral("frmincassianno"));
    setWindowTitle(QStringLiteral("Incassi dell'anno"));
    setFixedSize(twipsSize(YearReceiptsWindowWidthTwips, YearReceiptsWindowHeightTwips));
    buildControls(this, yearReceiptsWindowTable());
    m_year = findChild<QComboBox*>(QStringLiteral("cmbanno"));
    m_search = findChild<QLineEdit*>(QStringLiteral("txtcerca"));
    m_count = findChild<QLabel*>(QStringLiteral("etcconta"));
    m_note = findChild<QLabel*>(QStringLiteral("etcnota"));
    m_note->setWordWrap(true);

    const int width = YearReceiptsWindowWidthTwips - 240;
    m_table = newTable(this, "grdincassi", "Incassi dell'anno");
    m_table->setGeometry(twipsRect(120, ListTop, width, ListHeight));
    m_table->setModel(m_model.get());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);

    m_totalsView = newTable(this, "grdtotali", "Totali");
    m_totalsView->setGeometry(twipsRect(120, TotalsTop, width, TotalsHeight));
    m_totalsView->horizontalHeader()->hide();
    m_totalsView->setModel(m_totals.get());
    m_totalsView->setFocusPolicy(Qt::NoFocus);
    m_totalsView->setSelectionMode(QAbstractItemView::NoSelection);
    m_totalsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totalsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totalsView->setFrameShape(QFrame::NoFrame);
    m_totalsView->setShowGrid(false);
    QPalette strip = m_totalsView->palette();
    strip.setColor(QPalette::Base, strip.color(QPalette::Window));
    m_totalsView->setPalette(strip);
    QFont bold = m_totalsView->font();
    bold.setBold(true);
    m_totalsView->setFont(bold);
    for (std::size_t column = 0; column < ColumnTwips.size(); ++column) {
        m_table->setColumnWidth(static_cast<int>(column), twipsToPixels(ColumnTwips[column]));
        m_totalsView->setColumnWidth(static_cast<int>(column), twipsToPixels(ColumnTwips[column]));
    }
    // The totals keep under the columns they add up.
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int columnWidth) { m_totalsView->setColumnWidth(column, columnWidth); });
    connect(m_table->horizontalScrollBar(), &QScrollBar::valueChanged, m_totalsView->horizontalScrollBar(),
            &QScrollBar::setValue);

    m_bars = new MonthBarsView(this);
    m_bars->setObjectName(QStringLiteral("picmesi"));
    m_bars->setAccessibleName(QStringLiteral("Incassato per mese"));
    m_bars->setGeometry(twipsRect(120, BarsTop, width, BarsHeight));

    setTabOrder(m_search, m_table);
    setTabOrder(m_table, findChild<QPushButton*>(QStringLiteral("cmdcsv")));

    // Enter chooses the year typed; no button is pressed by it.
    for (auto* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    const auto report = [this](const char* button, YearReceiptsRequest::Action action) {
        connect(findChild<QPushButton*>(QString::fromLatin1(button)), &QPushButton::clicked, this,
                [this, action] { emit requested(request(action)); });
    };
    using Action = YearReceiptsRequest::Action;
    report("cmdcsv", Action::ExportCsv);
    report("cmdstampa", Action::Print);
    report("cmdpdf", Action::SavePdf);
    report("cmdchiudi", Action::Close);
    connect(m_year, &QComboBox::activated, this, [this] { emit requested(request(Action::ChangeYear)); });
    connect(m_year->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { emit requested(request(Action::ChangeYear)); });
    connect(m_search, &QLineEdit::textChanged, this, [this] { emit requested(request(Action::Search)); });
}

YearReceiptsWindow::~YearReceiptsWindow()
{
    // The dialog hides itself on its way out, and the year's field losing the
    // focus commits what is typed there as a choice: a request from a window
    // half destroyed. Nothing is asked of a window that is going.
    m_year->blockSignals(true);
}

void YearReceiptsWindow::setView(const YearReceiptsView& view)
{
    QStringList years;
    for (const std::string& year : view.years)
        years << fromUtf8(year);
    QStringList listed;
    for (int i = 0; i < m_year->count(); ++i)
        listed << m_year->itemText(i);
    if (listed != years) {
        const QSignalBlocker quiet(m_year);
        m_year->clear();
        m_year->addItems(years);
    }
    showControls(this, yearReceiptsWindowTable(), view);
    setWindowTitle(QStringLiteral("Incassi dell'anno %1").arg(fromUtf8(view.year)));
    m_model->setRows(view.receipts, view.shown, view.decimalSeparator, view.headings);
    m_totals->setCells(view.totals);
    m_count->setText(fromUtf8(view.count));
    QStringList notes;
    for (const std::string& problem : view.problems)
        notes << fromUtf8(problem);
    m_note->setText(notes.join(QLatin1Char(' ')));
    m_note->setToolTip(notes.join(QLatin1Char('\n')));
    m_bars->setBars(view.months, view.monthLabels, view.monthsCaption);
}

YearReceiptsRequest YearReceiptsWindow::request(YearReceiptsRequest::Action action) const
{
    YearReceiptsRequest request;
    request.action = action;
    request.year = m_year->currentText().toStdString();
    request.search = m_search->text().toStdString();
    return request;
}

void YearReceiptsWindow::closeEvent(QCloseEvent* event)
{
    // The window goes when the command that shows it is told so.
    event->ignore();
    emit requested(request(YearReceiptsRequest::Action::Close));
}

void YearReceiptsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit requested(request(YearReceiptsRequest::Action::Close));
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tessaro::ui
