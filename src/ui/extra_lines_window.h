// "Tessaro: ALTRE VOCI": description, amount and quantity of the lines 4 to
// 10 of a commercial invoice. A view only: it shows the texts it is given and
// returns what is typed; "Ok" is reported, the caller stores and closes.
#pragma once

#include "archive/records.h"
#include "ui/control_table.h"
#include "ui/filters.h"

#include <QDialog>

#include <span>

namespace tessaro::ui {

class ExtraLinesWindow : public QDialog {
    Q_OBJECT

public:
    // The amount fields take their characters by the currency flag given.
    explicit ExtraLinesWindow(CurrencyFlagProvider currencyFlag, QWidget* parent = nullptr);

    // Shows the 21 texts as given (line 4 in index 0).
    void setLines(const archive::ExtraLinesRecord& lines);
    archive::ExtraLinesRecord lines() const;

signals:
    void okClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

inline constexpr int ExtraLinesWindowWidthTwips = 7845;
inline constexpr int ExtraLinesWindowHeightTwips = 5055;
std::span<const ControlOf<archive::ExtraLinesRecord>> extraLinesWindowTable();

} // namespace tessaro::ui
