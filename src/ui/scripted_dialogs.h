// Dialogs for tests: answers are queued beforehand, every box shown is recorded.
#pragma once

#include "ui/dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace tessaro::ui {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Input, Duplicate, SaveFile, Folder, OpenFile } kind;
        std::string text; // message text or input prompt
        std::string title;
        Buttons buttons = Buttons::Ok;
        std::string defaultText;
    };

    // Answers for message boxes with more than one button; a box with only
    // OK needs no answer. When the queue is empty, OK/Yes is given, and No to Yes/No/Cancel.
    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    // Texts typed into input boxes; an empty queue answers as a cancel would.
    void queueInput(std::string text) { m_inputs.push_back(std::move(text)); }
    void queueDuplicateChoice(DuplicateChoice choice) { m_duplicates.push_back(choice); }
    // Paths chosen in save dialogs; an empty queue accepts the proposed path.
    void queueSaveFileName(std::string path) { m_saveNames.push_back(std::move(path)); }
    // Folders and files chosen in the pickers; an empty queue cancels.
    void queueChosenPath(std::string path) { m_chosenPaths.push_back(std::move(path)); }
    // What is asked of the payments window, one request per showing; an
    // empty queue closes it. Every view shown is kept.
    void queuePaymentsRequest(PaymentsRequest request) { m_paymentRequests.push_back(std::move(request)); }
    PaymentsRequest showPayments(const PaymentsView& view) override;
    const std::vector<PaymentsView>& paymentViews() const { return m_paymentViews; }
    // The same for the withholdings window.
    void queueWithholdingsRequest(WithholdingsRequest request) { m_withholdingRequests.push_back(std::move(request)); }
    WithholdingsRequest showWithholdings(const WithholdingsView& view) override;
    const std::vector<WithholdingsView>& withholdingViews() const { return m_withholdingViews; }
    // The same for the flat-rate window.
    void queueFlatRateRequest(FlatRateRequest request) { m_flatRateRequests.push_back(std::move(request)); }
    FlatRateRequest showFlatRate(const FlatRateView& view) override;
    const std::vector<FlatRateView>& flatRateViews() const { return m_flatRateViews; }
    // The same for the window "Incassi dell'anno".
    void queueYearReceiptsRequest(YearReceiptsRequest request) { m_yearReceiptsRequests.push_back(std::move(request)); }
    YearReceiptsRequest showYearReceipts(const YearReceiptsView& view) override;
    const std::vector<YearReceiptsView>& yearReceiptsViews() const { return m_yearReceiptsViews; }

    Answer message(const std::string& text, const std::string& title, Buttons buttons) override;
    std::string input(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    DuplicateChoice askDuplicate() override;
    std::string saveFileName(const std::string& title, const std::string& proposedPath,
                             const std::string& filter) override;
    std::string chooseFolder(const std::string& title, const std::string& proposedDir) override;
    std::string openFileName(const std::string& title, const std::string& proposedDir,
                             const std::string& filter) override;
    void setBusy(bool busy) override;

    // Every progress started, with the steps it was told.
    struct ProgressRun {
        std::string title;
        std::string text;
        int maximum = 0;
        std::vector<int> steps;
        bool cancelled = false;
        bool finished = false;
    };
    std::unique_ptr<Progress> startProgress(const std::string& title, const std::string& text, int maximum) override;
    // The next progress started answers "stop" from its k-th step on (k from 1).
    void cancelProgressAtStep(int k) { m_cancelAtStep = k; }
    const std::vector<ProgressRun>& progressRuns() const { return m_progress; }

    const std::vector<Shown>& shown() const { return m_shown; }
    const Shown& last() const { return m_shown.back(); }
    void clear() { m_shown.clear(); }
    bool busy() const { return m_busy; }
    int busyCount() const { return m_busyCount; }

private:
    std::string nextChosenPath();

    std::deque<Answer> m_answers;
    std::deque<std::string> m_inputs;
    std::deque<DuplicateChoice> m_duplicates;
    std::deque<std::string> m_saveNames;
    std::deque<std::string> m_chosenPaths;
    std::deque<PaymentsRequest> m_paymentRequests;
    std::vector<PaymentsView> m_paymentViews;
    std::deque<WithholdingsRequest> m_withholdingRequests;
    std::vector<WithholdingsView> m_withholdingViews;
    std::deque<FlatRateRequest> m_flatRateRequests;
    std::vector<FlatRateView> m_flatRateViews;
    std::deque<YearReceiptsRequest> m_yearReceiptsRequests;
    std::vector<YearReceiptsView> m_yearReceiptsViews;
    std::vector<Shown> m_shown;
    std::vector<ProgressRun> m_progress;
    int m_cancelAtStep = 0;
    bool m_busy = false;
    int m_busyCount = 0;
};

} // namespace tessaro::ui
