// "ATTENZIONE": asked by the issuer save when an issuer of the same surname
// and first name exists. Each button sets the choice and closes the window;
// closing it any other way leaves the choice at "Annulla".
#pragma once

#include "ui/control_table.h"
#include "ui/dialogs.h"

#include <QDialog>

#include <span>

namespace tessaro::ui {

class DuplicateDialog : public QDialog {
    Q_OBJECT

public:
    explicit DuplicateDialog(QWidget* parent = nullptr);

    DuplicateChoice choice() const { return m_choice; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    DuplicateChoice m_choice = DuplicateChoice::Cancel;
};

inline constexpr int DuplicateDialogWidthTwips = 5640;
inline constexpr int DuplicateDialogHeightTwips = 1545;
std::span<const ControlSpec> duplicateDialogTable();

} // namespace tessaro::ui
