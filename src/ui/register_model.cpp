#include "ui/register_model.h"

#include "ui/utf8_text.h"

#include <QColor>
#include <QString>

#include <algorithm>

namespace tessaro::ui {

namespace {

using archive::RegisterColumn;

Qt::Alignment alignmentOf(RegisterColumn column)
{
    if (archive::isAmountColumn(column) || column == RegisterColumn::Number)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

template <typename T> int threeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Why a row is marked, in a sentence for the tooltip.
QString explanationOf(const archive::RegisterRow& row)
{
    switch (row.currency) {
    case archive::RegisterCurrency::Euro:
        return {};
    case archive::RegisterCurrency::FromLire:
        return QStringLiteral("Fattura in lire: gli importi sono convertiti in euro al cambio della fattura.");
    case archive::RegisterCurrency::LireWithoutRate:
        return QStringLiteral("Fattura in lire senza cambio: gli importi sono in lire e la fattura non entra nei "
                              "totali, come nei totali dell'anno.");
    case archive::RegisterCurrency::Unknown:
        return QStringLiteral("La fattura non dice se è in lire o in euro: non entra nei totali, come nei totali "
                              "dell'anno.");
    }
    return {};
}

// The states that ask something of the user stand out from the rest of the row.
QColor sdiColour(archive::SdiState state)
{
    switch (state) {
    case archive::SdiState::Rejected:
        return QColor(170, 0, 0);
    case archive::SdiState::NotDelivered:
        return QColor(190, 90, 0);
    default:
        return {};
    }
}

} // namespace

RegisterModel::RegisterModel(QObject* parent) : QAbstractTableModel(parent) { }

void RegisterModel::setContents(RegisterContents contents)
{
    beginResetModel();
    m_contents = std::move(contents);
    if (!m_contents.reg)
        m_contents.reg = std::make_shared<archive::BookRegister>();
    endResetModel();
}

int RegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : reg().size();
}

int RegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : archive::RegisterColumnCount;
}

const archive::SdiStatus* RegisterModel::sdiStatus(int row) const
{
    const auto index = static_cast<std::size_t>(row);
    return row >= 0 && index < m_contents.sdiStatuses.size() ? &m_contents.sdiStatuses[index] : nullptr;
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= reg().size())
        return {};
    const auto column = static_cast<RegisterColumn>(index.column());
    const archive::RegisterRow& row = reg().row(index.row());
    const archive::SdiStatus* sdi = column == RegisterColumn::Sdi ? sdiStatus(index.row()) : nullptr;
    switch (role) {
    case Qt::DisplayRole: {
        const archive::AmountStyle style {m_contents.decimalSeparator, true, true};
        return fromUtf8(archive::registerCell(reg(), index.row(), column, sdi ? sdi->text : std::string(),
                                              m_contents.year, m_contents.today, style));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(column));
    case Qt::ToolTipRole:
        if (sdi && !archive::sdiStateHint(sdi->state).empty())
            return fromUtf8(std::string(archive::sdiStateHint(sdi->state)));
        return explanationOf(row);
    case Qt::ForegroundRole:
        if (const QColor colour = sdi ? sdiColour(sdi->state) : QColor(); colour.isValid())
            return colour;
        if (!row.counted())
            return QColor(Qt::darkRed);
        return {};
    case NumberRole:
        return row.number;
    default:
        return {};
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= archive::RegisterColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto column = static_cast<RegisterColumn>(section);
    if (role == Qt::DisplayRole)
        return fromUtf8(std::string(archive::registerHeading(column, m_contents.notices)));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignmentOf(column));
    return {};
}

int RegisterModel::compare(RegisterColumn column, int a, int b) const
{
    const archive::RegisterRow& ra = reg().row(a);
    const archive::RegisterRow& rb = reg().row(b);
    int order = 0;
    switch (column) {
    case RegisterColumn::Number:
        break;
    case RegisterColumn::Date:
        order = threeWay(ra.month * 32 + ra.day, rb.month * 32 + rb.day);
        break;
    case RegisterColumn::Client:
        order = reg().compareClients(a, b);
        break;
    case RegisterColumn::Kind:
        order = threeWay(reg().kind(a), reg().kind(b));
        break;
    case RegisterColumn::Sdi: {
        const auto stateOf = [this](int row) {
            const archive::SdiStatus* status = sdiStatus(row);
            return status ? static_cast<int>(status->state) : -1;
        };
        order = threeWay(stateOf(a), stateOf(b));
        break;
    }
    case RegisterColumn::Note:
        order = threeWay(static_cast<int>(ra.currency), static_cast<int>(rb.currency));
        break;
    case RegisterColumn::Due: {
        // Rows without a due date come first.
        const auto dueOf = [](const archive::RegisterRow& r) {
            return r.settlement ? r.settlement->due : std::optional<calc::Date>();
        };
        order = threeWay(dueOf(ra), dueOf(rb));
        break;
    }
    case RegisterColumn::State: {
        const auto stateOf = [this](int row) {
            const auto state = reg().paymentState(row, m_contents.today);
            return state ? static_cast<int>(*state) : -1;
        };
        order = threeWay(stateOf(a), stateOf(b));
        break;
    }
    default:
        // The rows left out of the sums come before every counted one.
        order = threeWay(ra.counted(), rb.counted());
        if (order == 0)
            order = threeWay(archive::registerFigure(ra.figures, column), archive::registerFigure(rb.figures, column));
        break;
    }
    return order != 0 ? order : threeWay(ra.number, rb.number);
}

namespace {

// One flag per row: whether the choice of "Mostra:" other than every invoice shows it.
std::vector<char> rowsShown(const RegisterModel& model, RegisterShow shown)
{
    const RegisterContents& contents = model.contents();
    if (shown == RegisterShow::Owed || shown == RegisterShow::Overdue)
        return model.reg().showing(shown == RegisterShow::Owed ? archive::PaymentFilter::Owed
                                                               : archive::PaymentFilter::Overdue,
                                   contents.today);
    if (shown == RegisterShow::ToInvoice) {
        std::vector<char> waiting(static_cast<std::size_t>(model.reg().size()), 0);
        for (std::size_t i = 0; i < waiting.size(); ++i)
            waiting[i] = static_cast<char>(i >= contents.invoiced.size() || !contents.invoiced[i]);
        return waiting;
    }
    std::vector<char> rejected(static_cast<std::size_t>(model.reg().size()), 0);
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        const archive::SdiStatus* status = model.sdiStatus(static_cast<int>(i));
        rejected[i] = static_cast<char>(status && status->state == archive::SdiState::Rejected);
    }
    return rejected;
}

} // namespace

RegisterFilter::RegisterFilter(RegisterModel* source, QObject* parent) : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(source);
    connect(source, &QAbstractItemModel::modelReset, this, [this] { m_matches.clear(); });
}

void RegisterFilter::setQuery(const std::string& queryUtf8, RegisterShow shown)
{
    std::vector<char> matches = m_source->reg().matching(queryUtf8);
    if (shown != RegisterShow::All) {
        const std::vector<char> chosen = rowsShown(*m_source, shown);
        for (std::size_t i = 0; i < matches.size(); ++i)
            matches[i] = static_cast<char>(matches[i] && i < chosen.size() && chosen[i]);
    }
    if (std::find(matches.begin(), matches.end(), 0) == matches.end())
        matches.clear();
    if (matches == m_matches)
        return;
    m_matches = std::move(matches);
    // One layout change rather than a removal signal for every stretch of rows
    // hidden: a search over a whole book would send thousands of them.
    invalidate();
}

int RegisterFilter::sourceRow(int row) const
{
    return mapToSource(index(row, 0)).row();
}

bool RegisterFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return m_matches.empty() || (static_cast<std::size_t>(sourceRow) < m_matches.size() && m_matches[sourceRow]);
}

bool RegisterFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return m_source->compare(static_cast<RegisterColumn>(left.column()), left.row(), right.row()) < 0;
}

RegisterTotalsModel::RegisterTotalsModel(QObject* parent) : QAbstractTableModel(parent) { }

void RegisterTotalsModel::setTotals(const archive::RegisterFigures& year, const archive::RegisterFigures* shown,
                                    int shownCount, char decimalSeparator, bool notices)
{
    beginResetModel();
    m_decimalSeparator = decimalSeparator;
    m_rows.clear();
    m_rows.emplace_back("Totale dell'anno", year);
    if (shown)
        m_rows.emplace_back(shownCount == 1
                                ? std::string(notices ? "Totale di 1 avviso mostrato" : "Totale di 1 fattura mostrata")
                                : (notices ? "Totale dei " : "Totale delle ") + std::to_string(shownCount)
                                    + (notices ? " avvisi mostrati" : " fatture mostrate"),
                            *shown);
    endResetModel();
}

int RegisterTotalsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RegisterTotalsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : archive::RegisterColumnCount;
}

QVariant RegisterTotalsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_rows.size())
        return {};
    const auto column = static_cast<RegisterColumn>(index.column());
    const auto& [caption, figures] = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        const archive::AmountStyle style {m_decimalSeparator, true, true};
        // The caption may run across the columns before the amounts.
        if (column == RegisterColumn::Number)
            return fromUtf8(caption);
        if (column == RegisterColumn::Client)
            return {};
        return fromUtf8(archive::totalsCell(figures, column, style));
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column == RegisterColumn::Number ? Qt::AlignLeft | Qt::AlignVCenter
                                                                    : alignmentOf(column));
    return {};
}

} // namespace tessaro::ui
