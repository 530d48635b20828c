// "Ritenute subite per cliente": the withholding of a year client by client,
// beside the figures of each client's certificate. A view only: every button
// reports a request, and the caller reckons, writes and shows the window
// again with what the books and the certificates now hold.
#pragma once

#include "ui/control_table.h"
#include "ui/withholdings_view.h"

#include <QDialog>

#include <span>
#include <vector>

class QTreeWidget;

namespace tessaro::ui {

class WithholdingsWindow : public QDialog {
    Q_OBJECT

public:
    explicit WithholdingsWindow(QWidget* parent = nullptr);

    void setView(const WithholdingsView& view);
    // The fields as typed, into the request of the button pressed.
    WithholdingsRequest request(WithholdingsRequest::Action action) const;

signals:
    void requested(const tessaro::ui::WithholdingsRequest& request);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int chosenRow() const;
    void showCertificateOfChosenRow();

    QTreeWidget* m_list = nullptr;
    std::vector<WithholdingRowView> m_rows;
};

inline constexpr int WithholdingsWindowWidthTwips = 15000;
inline constexpr int WithholdingsWindowHeightTwips = 7440;
// Where the list of clients lies, under the year.
inline constexpr int WithholdingsListTopTwips = 600;
inline constexpr int WithholdingsListHeightTwips = 4200;
std::span<const ControlOf<WithholdingsView>> withholdingsWindowTable();

} // namespace tessaro::ui
