#include "ui/register_window.h"

#include "archive/register_texts.h"
#include "print/month_bars.h"
#include "ui/month_bars_view.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>

#include <array>
#include <utility>

namespace tessaro::ui {

namespace {

using archive::RegisterColumn;

// Column widths in twips; the state takes what is left. The electronic
// invoice's column holds "modificata dopo l'esportazione" whole.
constexpr std::array<int, archive::RegisterColumnCount - 1> ColumnTwips
    = {750, 1200, 3000, 1300, 1300, 1300, 1300, 1300, 1400, 2500, 2400, 1200, 1300, 1300};

// The choices of "Mostra:", in the order of the list.
constexpr std::array<std::pair<const char*, RegisterShow>, 4> PaymentChoices = {{
    {"Tutte", RegisterShow::All},
    {"Da incassare", RegisterShow::Owed},
    {"Scadute", RegisterShow::Overdue},
    {"Scartate", RegisterShow::Rejected},
}};
// A book of fee notices waits for payments on its invoices, not on itself.
constexpr std::array<std::pair<const char*, RegisterShow>, 2> NoticeChoices = {{
    {"Tutti", RegisterShow::All},
    {"Da fatturare", RegisterShow::ToInvoice},
}};

void place(QWidget* widget, const TwipsRect& area)
{
    widget->setGeometry(twipsRect(area.left, area.top, area.width, area.height));
}

// The rule of the figures, then a word on the lire and on the rows in red
// only for a book that has them.
QString noteOf(const archive::BookRegister& reg)
{
    QString note = fromUtf8(std::string(archive::RegisterRuleNote));
    if (reg.hasLireRows())
        note += QStringLiteral(" Le fatture in lire sono mostrate in euro al cambio di ciascuna (\"da lire\").");
    if (reg.uncountedRows() > 0)
        note += QStringLiteral(" Le fatture in rosso non entrano nei totali.");
    return note;
}

QTableView* newTable(QWidget* parent, const char* name, const char* accessibleName)
{
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->verticalHeader()->hide();
    // Fixed heights and widths: nothing is measured over the rows of a whole book.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(twipsToPixels(300));
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    // The corner button selects every row: one row at a time is all a register needs.
    table->setCornerButtonEnabled(false);
    for (auto* corner : table->findChildren<QAbstractButton*>())
        corner->setAccessibleName(QStringLiteral("Seleziona tutte le righe"));
    return table;
}

} // namespace

RegisterWindow::RegisterWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_filter(&m_model)
{
    setObjectName(QStringLiteral("frmregistro"));
    setWindowTitle(QStringLiteral("Registro fatture dell'anno"));
    setFixedSize(twipsSize(RegisterWindowWidthTwips, RegisterWindowHeightTwips));
    buildControls(this, registerWindowTable());
    m_search = findChild<QLineEdit*>(QStringLiteral("txtcerca"));
    m_count = findChild<QLabel*>(QStringLiteral("etcconta"));
    m_note = findChild<QLabel*>(QStringLiteral("etcnota"));
    m_payments = findChild<QComboBox*>(QStringLiteral("cmbincassi"));
    fillChoices(false);
    m_note->setWordWrap(true);

    m_table = newTable(this, "grdfatture", "Fatture dell'anno");
    place(m_table, RegisterListArea);
    m_table->setModel(&m_filter);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(static_cast<int>(RegisterColumn::Number), Qt::AscendingOrder);
    m_table->installEventFilter(this);

    m_totalsView = newTable(this, "grdtotali", "Totali");
    place(m_totalsView, RegisterTotalsArea);
    m_totalsView->horizontalHeader()->hide();
    m_totalsView->setModel(&m_totals);
    m_totalsView->setFocusPolicy(Qt::NoFocus);
    m_totalsView->setSelectionMode(QAbstractItemView::NoSelection);
    m_totalsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totalsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Only the rows of totals show: the rest of the strip is the window's own background.
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
    // The totals keep under the columns they add up, however these are moved.
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { m_totalsView->setColumnWidth(column, width); });
    connect(m_table->horizontalScrollBar(), &QScrollBar::valueChanged, m_totalsView->horizontalScrollBar(),
            &QScrollBar::setValue);

    m_bars = new MonthBarsView(this);
    m_bars->setObjectName(QStringLiteral("picmesi"));
    m_bars->setAccessibleName(QStringLiteral("Imponibile per mese"));
    place(m_bars, RegisterBarsArea);

    setTabOrder(m_search, m_payments);
    setTabOrder(m_payments, m_table);
    setTabOrder(m_table, findChild<QPushButton*>(QStringLiteral("cmdcsv")));
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, [this] { applyQuery(); });
    connect(m_payments, &QComboBox::currentIndexChanged, this, [this] { applyQuery(); });
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex&) { openCurrent(); });
    const auto wire = [this](const char* name, void (RegisterWindow::*signal)()) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, signal);
    };
    wire("cmdcsv", &RegisterWindow::exportCsvClicked);
    wire("cmdstampa", &RegisterWindow::printClicked);
    wire("cmdpdf", &RegisterWindow::pdfClicked);
    showTotals();
}

void RegisterWindow::setContents(RegisterContents contents, const std::string& issuerName)
{
    const int selected = currentNumber();
    const int scrolled = m_table->verticalScrollBar()->value();
    m_problem.clear();
    const std::string year = contents.year;
    const bool notices = contents.notices;
    m_model.setContents(std::move(contents));
    if (notices != m_notices)
        fillChoices(notices);
    for (int column = static_cast<int>(archive::FirstPaymentColumn); column < archive::RegisterColumnCount; ++column)
        m_table->setColumnHidden(column, notices);
    QString title = (notices ? QStringLiteral("Registro avvisi di parcella dell'anno %1")
                             : QStringLiteral("Registro fatture dell'anno %1"))
                        .arg(fromUtf8(year));
    if (!issuerName.empty())
        title += QStringLiteral(" - ") + fromUtf8(issuerName);
    setWindowTitle(title);
    applyQuery();
    m_table->verticalScrollBar()->setValue(scrolled);
    if (selected > 0)
        selectNumber(selected);
}

void RegisterWindow::fillChoices(bool notices)
{
    const QSignalBlocker quiet(m_payments);
    m_notices = notices;
    m_payments->clear();
    const auto add = [this](const auto& choices) {
        for (const auto& [caption, filter] : choices)
            m_payments->addItem(QString::fromUtf8(caption), static_cast<int>(filter));
    };
    if (notices)
        add(NoticeChoices);
    else
        add(PaymentChoices);
}

void RegisterWindow::showProblem(const std::string& text)
{
    m_model.setContents({});
    m_problem = text;
    applyQuery();
}

int RegisterWindow::currentNumber() const
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || !m_table->selectionModel()->isRowSelected(current.row(), {}))
        return 0;
    return current.data(RegisterModel::NumberRole).toInt();
}

void RegisterWindow::selectNumber(int number)
{
    if (number < 1 || number > m_model.rowCount())
        return;
    const QModelIndex row = m_filter.mapFromSource(m_model.index(number - 1, 0));
    if (!row.isValid())
        return;
    m_table->setCurrentIndex(row);
    m_table->scrollTo(row);
}

void RegisterWindow::applyQuery()
{
    const int selected = currentNumber();
    m_filter.setQuery(m_search->text().toStdString(), static_cast<RegisterShow>(m_payments->currentData().toInt()));
    if (selected > 0)
        selectNumber(selected);
    showTotals();
}

void RegisterWindow::showTotals()
{
    const archive::BookRegister& reg = m_model.reg();
    const char separator = m_model.contents().decimalSeparator;
    const bool filtered = !m_filter.matches().empty();
    const archive::RegisterFigures year = reg.totals();
    archive::RegisterFigures shown;
    if (filtered)
        shown = reg.totalsOf(m_filter.matches());
    m_totals.setTotals(year, filtered ? &shown : nullptr, m_filter.rowCount(), separator, m_notices);
    m_totalsView->clearSpans();
    for (int row = 0; row < m_totals.rowCount(); ++row)
        m_totalsView->setSpan(row, 0, 1, static_cast<int>(RegisterColumn::Taxable));

    m_note->setText(noteOf(reg));
    if (!m_problem.empty()) {
        m_count->setText(fromUtf8(m_problem));
    } else {
        QString count;
        const QString many = m_notices ? QStringLiteral("avvisi") : QStringLiteral("fatture");
        if (filtered)
            count = QStringLiteral("%1 di %2 %3").arg(m_filter.rowCount()).arg(reg.size()).arg(many);
        else if (reg.size() == 1)
            count = m_notices ? QStringLiteral("1 avviso") : QStringLiteral("1 fattura");
        else
            count = QStringLiteral("%1 %2").arg(reg.size()).arg(many);
        if (const int left = reg.uncountedRows(); left == 1)
            count += QStringLiteral(" (1 esclusa dai totali)");
        else if (left > 1)
            count += QStringLiteral(" (%1 escluse dai totali)").arg(left);
        m_count->setText(count);
    }

    const archive::AmountStyle style {separator, true, true};
    const std::array<double, 12> months = reg.monthlyTaxable();
    std::array<std::string, 12> labels;
    for (std::size_t m = 0; m < months.size(); ++m)
        labels[m] = months[m] != 0 ? archive::amountText(months[m], style) : std::string();
    m_bars->setBars(months, labels,
                    "Imponibile dell'anno " + m_model.contents().year + ": " + archive::amountText(year.taxable, style)
                        + " Euro");
}

void RegisterWindow::openCurrent()
{
    if (const int number = currentNumber(); number > 0)
        emit openRequested(number);
}

bool RegisterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == m_table && enter) {
        openCurrent();
        return true;
    }
    if (watched == m_search && (enter || key->key() == Qt::Key_Down)) {
        // From the search straight to the list: its first row unless one is chosen.
        if (m_filter.rowCount() == 0)
            return true;
        if (currentNumber() == 0)
            m_table->setCurrentIndex(m_filter.index(0, 0));
        if (enter)
            openCurrent();
        else
            m_table->setFocus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tessaro::ui
