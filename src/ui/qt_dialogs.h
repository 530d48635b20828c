// The message box, input box, duplicate-issuer window and hourglass of the
// running program, shown over the parent window given at construction.
#pragma once

#include "ui/dialogs.h"

#include <QPointer>
#include <QString>

class QWidget;
class QDialog;
class QMessageBox;

namespace tessaro::ui {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent);
    ~QtDialogs() override;

    Answer message(const std::string& text, const std::string& title, Buttons buttons = Buttons::Ok) override;
    std::string input(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    DuplicateChoice askDuplicate() override;
    std::string saveFileName(const std::string& title, const std::string& proposedPath,
                             const std::string& filter) override;
    std::string chooseFolder(const std::string& title, const std::string& proposedDir) override;
    std::string openFileName(const std::string& title, const std::string& proposedDir,
                             const std::string& filter) override;
    std::vector<std::string> openFileNames(const std::string& title, const std::string& proposedDir,
                                           const std::string& filter) override;
    void setBusy(bool busy) override;
    // A QProgressDialog with "Annulla", modal over the whole program, shown
    // once the work has run for ProgressDelayMs.
    std::unique_ptr<Progress> startProgress(const std::string& title, const std::string& text, int maximum) override;
    // The window stays up, modal over the program, from the first call to a Close.
    PaymentsRequest showPayments(const PaymentsView& view) override;
    WithholdingsRequest showWithholdings(const WithholdingsView& view) override;
    FlatRateRequest showFlatRate(const FlatRateView& view) override;
    YearReceiptsRequest showYearReceipts(const YearReceiptsView& view) override;

private:
    // What the boxes are shown over: the window of requests that is up, if any.
    QWidget* owner() const;

    QPointer<QWidget> m_parent;
    QPointer<QDialog> m_payments;
    QPointer<QDialog> m_withholdings;
    QPointer<QDialog> m_flatRate;
    QPointer<QDialog> m_yearReceipts;
    bool m_busy = false;
};

inline constexpr int ProgressDelayMs = 500;

// Where the input box puts its top-left corner: 2000, 2000 twips from the
// top-left of the screen.
inline constexpr int InputBoxLeftTwips = 2000;
inline constexpr int InputBoxTopTwips = 2000;

// The input box itself, for callers that need the dialog (and for tests):
// prompt, title and the default text, already selected.
QDialog* createInputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& defaultText);

// The message box itself, for the same reason: the text, the title and the
// buttons, the first of them the default.
QMessageBox* createMessageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons);

} // namespace tessaro::ui
