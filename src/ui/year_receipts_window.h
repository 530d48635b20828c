// "Incassi dell'anno": every payment received in a year, one row each, with
// the year to show, a search over the clients and invoices, the totals of
// the rows shown, the books that could not be read, the month bars and the
// buttons that hand the year over. A view only: every change and button
// reports a request, and the caller shows the window again with its answer.
#pragma once

#include "ui/control_table.h"
#include "ui/year_receipts_view.h"

#include <QDialog>

#include <memory>
#include <span>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace tessaro::ui {

class MonthBarsView;
class YearReceiptsModel;

class YearReceiptsWindow : public QDialog {
    Q_OBJECT

public:
    explicit YearReceiptsWindow(QWidget* parent = nullptr);
    ~YearReceiptsWindow() override;

    void setView(const YearReceiptsView& view);
    // The year and the search as typed, into the request of what was asked.
    YearReceiptsRequest request(YearReceiptsRequest::Action action) const;

    QTableView* table() const { return m_table; }

signals:
    void requested(const tessaro::ui::YearReceiptsRequest& request);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<YearReceiptsModel> m_model;
    std::unique_ptr<YearReceiptsModel> m_totals;
    QComboBox* m_year = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_note = nullptr;
    QTableView* m_table = nullptr;
    QTableView* m_totalsView = nullptr;
    MonthBarsView* m_bars = nullptr;
};

inline constexpr int YearReceiptsWindowWidthTwips = 17280;
inline constexpr int YearReceiptsWindowHeightTwips = 10800;
std::span<const ControlOf<YearReceiptsView>> yearReceiptsWindowTable();

} // namespace tessaro::ui
