#include "ui/einvoice_window.h"

#include "archive/codepage.h"
#include "einvoice/codes.h"
#include "ui/identifier_hints.h"
#include "ui/payment_lists.h"
#include "ui/twips.h"
#include "ui/utf8_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace tessaro::ui {

namespace {

// An IBAN holds letters and digits only: letters are upper-cased as typed,
// and the blanks of a pasted, grouped IBAN are dropped. Anything else beeps.
class IbanValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        QString kept;
        kept.reserve(input.size());
        int keptBeforeCursor = 0;
        bool refused = false;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i].toUpper();
            const bool fits = (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
            if (fits) {
                kept += c;
                if (i < pos)
                    ++keptBeforeCursor;
            } else if (c != u' ') {
                refused = true;
            }
        }
        if (refused)
            QApplication::beep();
        input = kept;
        pos = keptBeforeCursor;
        return Acceptable;
    }
};

// Each item shows "code name" and keeps the bare code as its data.
void fill(QComboBox* combo, std::span<const einvoice::Code> codes)
{
    for (const einvoice::Code& code : codes)
        combo->addItem(fromUtf8(einvoice::displayText(codes, code.code)), fromUtf8(code.code));
    // The list opens as wide as its longest name, even past the box.
    combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0));
}

} // namespace

EinvoiceWindow::EinvoiceWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dati per la fattura elettronica"));
    setFixedSize(twipsSize(EinvoiceWindowWidthTwips, EinvoiceWindowHeightTwips));
    buildControls(this, einvoiceWindowTable());

    fill(findChild<QComboBox*>(QStringLiteral("cmbregime")), einvoice::fiscalRegimes());
    auto* fund = findChild<QComboBox*>(QStringLiteral("cmbcassa"));
    fund->addItem(QStringLiteral("nessuna"), QString());
    fill(fund, einvoice::pensionFunds());
    fill(findChild<QComboBox*>(QStringLiteral("cmbnatura")), einvoice::vatNatures());
    // The empty choice first: no terms, as the issuer's invoices had before.
    fillPaymentMethods(findChild<QComboBox*>(QStringLiteral("cmbmodpag")));
    fillPaymentTerms(findChild<QComboBox*>(QStringLiteral("cmbtermine")), false);

    auto* iban = findChild<QLineEdit*>(QStringLiteral("txtiban"));
    iban->setValidator(new IbanValidator(iban));

    auto* ok = findChild<QPushButton*>(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &EinvoiceWindow::okClicked);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this, &QDialog::reject);

    setData(einvoice::IssuerEinvoiceData {});
    styleHint(findChild<QLabel*>(QString::fromLatin1(EinvoiceIssuerHintsName)));
}

void EinvoiceWindow::showIssuerHints(const archive::PartyRecord& issuer)
{
    QStringList lines;
    for (const IdentifierHint& hint : identifierHints(issuer)) {
        if (!hint.text.isEmpty())
            lines << hint.text;
    }
    findChild<QLabel*>(QString::fromLatin1(EinvoiceIssuerHintsName))->setText(lines.join(QLatin1Char('\n')));
}

void EinvoiceWindow::setData(const einvoice::IssuerEinvoiceData& data)
{
    showControls(this, einvoiceWindowTable(), data);
}

einvoice::IssuerEinvoiceData EinvoiceWindow::data() const
{
    einvoice::IssuerEinvoiceData data;
    readControls(this, einvoiceWindowTable(), data);
    // The texts are kept trimmed, as the file holds them.
    for (std::string* text : {&data.legalReference, &data.iban})
        *text = std::string(archive::trimBlanks(*text));
    return data;
}

} // namespace tessaro::ui
