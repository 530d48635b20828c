// "Dati per la fattura elettronica": what one issuer adds for the electronic
// invoice (tax regime, pension fund, nature and legal reference of invoices
// without VAT, IBAN, the stamp duty charged to the client, the percentages
// and the terms of payment its new invoices start with), with what is wrong
// in the issuer's identifiers shown below as a hint. A view only: it shows and
// returns the data and reports "Ok"; reading, checking and writing them live
// in the e-invoice data commands. "Annulla" closes.
#pragma once

#include "archive/records.h"
#include "einvoice/einvoice_files.h"
#include "ui/control_table.h"

#include <QDialog>

#include <span>
#include <string>

namespace tessaro::ui {

class EinvoiceWindow : public QDialog {
    Q_OBJECT

public:
    explicit EinvoiceWindow(QWidget* parent = nullptr);

    void setData(const einvoice::IssuerEinvoiceData& data);
    // One line for each identifier of the issuer the e-invoice would refuse;
    // nothing when all are fine. A hint only: it refuses nothing.
    void showIssuerHints(const archive::PartyRecord& issuer);
    // The controls' values, texts trimmed.
    einvoice::IssuerEinvoiceData data() const;

signals:
    void okClicked(); // "Ok": the window stays open until told to accept
};

inline constexpr int EinvoiceWindowWidthTwips = 9000;
inline constexpr int EinvoiceWindowHeightTwips = 6015;
inline constexpr const char* EinvoiceIssuerHintsName = "etcnote";
std::span<const ControlOf<einvoice::IssuerEinvoiceData>> einvoiceWindowTable();

} // namespace tessaro::ui
