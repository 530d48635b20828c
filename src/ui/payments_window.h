// "Incassi della fattura": the amount to pay of one invoice, its terms, the
// payments received and what is still owed. A view only: every button
// reports a request, and the caller checks it, writes it and shows the
// window again with what the book now holds.
#pragma once

#include "ui/control_table.h"
#include "ui/payments_view.h"

#include <QDialog>

#include <span>

class QTreeWidget;

namespace tessaro::ui {

class PaymentsWindow : public QDialog {
    Q_OBJECT

public:
    explicit PaymentsWindow(QWidget* parent = nullptr);

    void setView(const PaymentsView& view);
    // The fields as typed, into the request of the button pressed.
    PaymentsRequest request(PaymentsRequest::Action action) const;

signals:
    void requested(const tessaro::ui::PaymentsRequest& request);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateDueField();

    QTreeWidget* m_list = nullptr;
};

inline constexpr int PaymentsWindowWidthTwips = 9480;
inline constexpr int PaymentsWindowHeightTwips = 7200;
// Where the list of payments lies, under the terms.
inline constexpr int PaymentsListTopTwips = 2640;
inline constexpr int PaymentsListHeightTwips = 2400;
std::span<const ControlOf<PaymentsView>> paymentsWindowTable();

} // namespace tessaro::ui
