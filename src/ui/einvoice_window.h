// "Dati per la fattura elettronica": what one issuer adds for the electronic
// invoice (tax regime, pension fund, nature and legal reference of invoices
// without VAT, IBAN, the stamp duty charged to the client), read from and
// written to "emit.fe" and "bollo.fe", with what is wrong in the issuer's
// identifiers shown below as a hint. "Ok" saves only data the e-invoice can
// carry and tells why otherwise; "Annulla" closes.
#pragma once

#include "archive/records.h"
#include "einvoice/einvoice_files.h"
#include "ui/control_table.h"

#include <QDialog>

#include <span>
#include <string>

namespace tessaro::ui {

class Dialogs;

class EinvoiceWindow : public QDialog {
    Q_OBJECT

public:
    EinvoiceWindow(archive::DataDir dataDir, int issuer, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills the controls from the issuer's record; false, after an
    // "ATTENZIONE" box naming the file, when it cannot be read.
    bool load();

    void setData(const einvoice::IssuerEinvoiceData& data);
    // One line for each identifier of the issuer the e-invoice would refuse;
    // nothing when all are fine. A hint only: it refuses nothing.
    void showIssuerHints(const archive::PartyRecord& issuer);
    // The controls' values, texts trimmed.
    einvoice::IssuerEinvoiceData data() const;

    // "Ok": true when the data were valid and written. Otherwise one
    // "ATTENZIONE" box says every reason, and nothing is written.
    bool save();

private:
    archive::DataDir m_dataDir;
    int m_issuer;
    Dialogs& m_dialogs;
};

inline constexpr int EinvoiceWindowWidthTwips = 9000;
inline constexpr int EinvoiceWindowHeightTwips = 4575;
inline constexpr const char* EinvoiceIssuerHintsName = "etcnote";
std::span<const ControlOf<einvoice::IssuerEinvoiceData>> einvoiceWindowTable();

} // namespace tessaro::ui
