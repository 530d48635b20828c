// "Dati di chi emette la fattura": the nine fields of an issuer and the
// buttons to browse, save, replace and confirm, with a hint under them for
// each identifier the e-invoice would refuse. A view only: it shows and
// returns a PartyRecord and reports its buttons and its close box; what they
// do lives in the issuer commands.
#pragma once

#include "archive/records.h"
#include "ui/control_table.h"

#include <QDialog>

#include <span>

namespace tessaro::ui {

class IssuerWindow : public QDialog {
    Q_OBJECT

public:
    explicit IssuerWindow(QWidget* parent = nullptr);

    // Shows the record as stored, trailing blanks included, even where it is
    // longer than what can be typed.
    void setFields(const archive::PartyRecord& fields);
    archive::PartyRecord fields() const;

signals:
    void okClicked(); // "Ok"
    void previousClicked(); // "<---"
    void nextClicked(); // "--->"
    void saveClicked(); // "Salva"
    void replaceClicked(); // "Sostituisci"
    void einvoiceClicked(); // "Fattura elettronica..."
    void closeBoxClicked(); // the window is closing by its close box

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showHints();
};

inline constexpr int IssuerWindowWidthTwips = 6135;
inline constexpr int IssuerWindowHeightTwips = 4830;
std::span<const ControlOf<archive::PartyRecord>> issuerWindowTable();

// The titles offered by cmbtit, in list order.
std::span<const char* const> issuerTitles();

} // namespace tessaro::ui
