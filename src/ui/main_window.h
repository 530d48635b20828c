// The invoice window: the fields of one invoice, its buttons, the help line
// and the rules that run inside the window itself (filters, navigation,
// help texts, the omitted-VAT box). Commands are not run here: the window
// reports them by signal and the application copies the form in and out.
#pragma once

#include "archive/app_state.h"
#include "archive/invoice_form.h"
#include "archive/records.h"
#include "ui/command.h"

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace tessaro::ui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Widget texts and states into the form; buffer, extraLines and rateText are left as they are.
    void readForm(archive::InvoiceForm& form) const;
    // Form into the widgets. Check1 is set before txtiva, so the omitted-VAT rule runs only when the
    // VAT text really changes; never emits yearEdited; focuses form.focusField when not empty.
    void showForm(const archive::InvoiceForm& form);
    void setInvoiceType(archive::InvoiceType type); // enabled fields and amount help texts
    void setCurrencyFlag(char flag); // read by the amount and total filters
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> mayClose) { m_closeGuard = std::move(mayClose); }
    char currencyFlag() const { return m_currencyFlag; }
    void showIssuer(const archive::PartyRecord& issuer); // etcem1..3, trimmed
    void setClientEntries(const std::vector<std::string>& entries); // Cmbclienti, without emitting clientPicked

signals:
    void commandRequested(tessaro::ui::Command command); // a button of the window
    void clientPicked(int index); // Cmbclienti selection changed by the user
    void yearEdited(); // txtanno text changed, except by showForm
    void activated(); // the window became the active window

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void findControls();
    void connectControls();
    void applyOmittedVatRule(const QString& vatText);
    void watchClientIdentifiers();

    QLineEdit* m_number = nullptr;
    QLineEdit* m_day = nullptr;
    QLineEdit* m_month = nullptr;
    QLineEdit* m_year = nullptr;
    QLineEdit* m_vat = nullptr;
    QLineEdit* m_pension = nullptr;
    QLineEdit* m_withholding = nullptr;
    QLineEdit* m_expenses = nullptr;
    QLineEdit* m_expenses2 = nullptr;
    QComboBox* m_title = nullptr;
    QLineEdit* m_client[8] = {}; // txtc1 .. txtc8
    QPlainTextEdit* m_description[3] = {};
    QLineEdit* m_amount[3] = {};
    QLineEdit* m_quantity[3] = {};
    QRadioButton* m_onAccount = nullptr;
    QRadioButton* m_balance = nullptr;
    QCheckBox* m_omittedVat = nullptr;
    QLabel* m_taxable = nullptr;
    QLabel* m_vatAmount = nullptr;
    QLabel* m_withholdingAmount = nullptr;
    QLineEdit* m_total = nullptr;
    QLabel* m_rate = nullptr;
    QLabel* m_issuer[3] = {};
    QLabel* m_help = nullptr;
    QComboBox* m_clients = nullptr;

    char m_currencyFlag = 'e';
    bool m_showingForm = false;
    std::function<bool()> m_closeGuard;
};

} // namespace tessaro::ui

Q_DECLARE_METATYPE(tessaro::ui::Command)
