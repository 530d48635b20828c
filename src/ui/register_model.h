// The register of a book as Qt's item models: one row per invoice, texts
// made only for the rows on screen; a proxy that filters by the register's
// own search, by what is still to come in or by the rejected electronic
// invoices, and sorts by the register's figures rather than by texts; and
// the row (or two) of totals under the list.
#pragma once

#include "archive/register.h"
#include "archive/register_texts.h"
#include "archive/sdi_history.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessaro::ui {

// What the register window shows of a book: its rows and, for each, what
// became of its electronic invoice; today decides what is overdue.
struct RegisterContents {
    std::shared_ptr<const archive::BookRegister> reg = std::make_shared<archive::BookRegister>();
    std::vector<archive::SdiStatus> sdiStatuses; // one per row
    // A book of fee notices: the statuses' texts say which invoice each
    // notice became, and `invoiced` whether it did, one per row.
    bool notices = false;
    std::vector<char> invoiced;
    std::string year;
    char decimalSeparator = ',';
    calc::Date today;
};

class RegisterModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The invoice number of a row, for any column.
    static constexpr int NumberRole = Qt::UserRole + 1;

    explicit RegisterModel(QObject* parent = nullptr);

    void setContents(RegisterContents contents);
    const RegisterContents& contents() const { return m_contents; }
    const archive::BookRegister& reg() const { return *m_contents.reg; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Below 0 when row a comes before row b in the column's order; the
    // invoice number decides between equals.
    int compare(archive::RegisterColumn column, int a, int b) const;

    // What became of the row's electronic invoice; nullptr when not known.
    const archive::SdiStatus* sdiStatus(int row) const;

private:
    RegisterContents m_contents;
};

// The choices of "Mostra:": every invoice, by what is still to come in, or
// those whose electronic invoice the exchange system rejected.
enum class RegisterShow : std::uint8_t { All, Owed, Overdue, Rejected, ToInvoice };

class RegisterFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit RegisterFilter(RegisterModel* source, QObject* parent = nullptr);

    // Keeps the rows of the register that match every word of the query and
    // that the choice shows.
    void setQuery(const std::string& queryUtf8, RegisterShow shown = RegisterShow::All);
    const std::vector<char>& matches() const { return m_matches; }
    // The source row of a row of the filter.
    int sourceRow(int row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    RegisterModel* m_source;
    std::vector<char> m_matches; // empty: every row
};

// The year's totals and, while a search hides rows, those of the rows shown.
class RegisterTotalsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RegisterTotalsModel(QObject* parent = nullptr);

    // The rows of the year and, when a search or a choice hides some, of those shown; `notices` counts
    // them as fee notices.
    void setTotals(const archive::RegisterFigures& year, const archive::RegisterFigures* shown, int shownCount,
                   char decimalSeparator, bool notices = false);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::pair<std::string, archive::RegisterFigures>> m_rows;
    char m_decimalSeparator = ',';
};

} // namespace tessaro::ui
