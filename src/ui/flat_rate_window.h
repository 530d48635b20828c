// "Regime forfettario: limiti e stima": the fees of a year against the two
// limits of the regime, in figures and as a bar, the issuer's settings of the
// estimate and the estimate step by step. A view only: every button reports a
// request, and the caller checks it, writes it and shows the window again.
#pragma once

#include "ui/control_table.h"
#include "ui/flat_rate_view.h"

#include <QDialog>

#include <span>

class QTreeWidget;

namespace tessaro::ui {

class LimitBar;

class FlatRateWindow : public QDialog {
    Q_OBJECT

public:
    explicit FlatRateWindow(QWidget* parent = nullptr);

    void setView(const FlatRateView& view);
    // The fields as typed, into the request of the button pressed.
    FlatRateRequest request(FlatRateRequest::Action action) const;

signals:
    void requested(const tessaro::ui::FlatRateRequest& request);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateValueField();

    QTreeWidget* m_steps = nullptr;
    LimitBar* m_bar = nullptr;
};

inline constexpr int FlatRateWindowWidthTwips = 10440;
inline constexpr int FlatRateWindowHeightTwips = 9120;
std::span<const ControlOf<FlatRateView>> flatRateWindowTable();

} // namespace tessaro::ui
