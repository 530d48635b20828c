// "Registro fatture dell'anno": every stored invoice of the book on screen,
// one row each, with a search field, a choice of all invoices, those still
// to be paid, those overdue or those whose electronic invoice was rejected,
// sorting by any column, the totals under the list, the rule the figures
// follow, and the taxable amount by month as bars. A view only: it shows the
// contents it is given and reports its buttons and the invoice to open; the
// register commands do the rest.
#pragma once

#include "ui/control_table.h"
#include "ui/register_model.h"

#include <QWidget>

#include <span>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace tessaro::ui {

class MonthBarsView;

class RegisterWindow : public QWidget {
    Q_OBJECT

public:
    explicit RegisterWindow(QWidget* parent = nullptr);

    // The book's rows; the search typed, the order chosen and the invoice
    // selected stay as they were where the new contents allow.
    void setContents(RegisterContents contents, const std::string& issuerName);
    // A book that could not be read: the list is emptied and the reason shown.
    void showProblem(const std::string& text);

    const RegisterModel& model() const { return m_model; }
    const RegisterFilter& filter() const { return m_filter; }
    QTableView* table() const { return m_table; }
    // The invoice number of the selected row; 0 when there is none.
    int currentNumber() const;
    // Selects the row of the invoice, when it is shown.
    void selectNumber(int number);

signals:
    void openRequested(int number); // Enter or a double click on a row
    void exportCsvClicked(); // "Esporta CSV..."
    void printClicked(); // "Stampa registro"
    void pdfClicked(); // "Salva registro in PDF"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyQuery();
    // The choices of "Mostra:" for a book of invoices or of fee notices.
    void fillChoices(bool notices);
    void showTotals();
    void openCurrent();

    RegisterModel m_model;
    RegisterFilter m_filter;
    RegisterTotalsModel m_totals;
    QLineEdit* m_search = nullptr;
    QComboBox* m_payments = nullptr;
    bool m_notices = false; // the choices are those of a book of fee notices
    QLabel* m_count = nullptr;
    QLabel* m_note = nullptr;
    QTableView* m_table = nullptr;
    QTableView* m_totalsView = nullptr;
    MonthBarsView* m_bars = nullptr;
    std::string m_problem;
};

inline constexpr int RegisterWindowWidthTwips = 17280;
inline constexpr int RegisterWindowHeightTwips = 10800;
std::span<const ControlSpec> registerWindowTable();

// Where the list, the totals and the bars lie (twips), beside the table's controls.
struct TwipsRect {
    int left, top, width, height;
};
inline constexpr TwipsRect RegisterListArea {120, 600, 17040, 5700};
inline constexpr TwipsRect RegisterTotalsArea {120, 6300, 17040, 660};
inline constexpr TwipsRect RegisterBarsArea {120, 7620, 17040, 3060};

} // namespace tessaro::ui
