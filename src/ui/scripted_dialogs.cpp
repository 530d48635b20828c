#include "ui/scripted_dialogs.h"

#include "archive/box_titles.h"

namespace tessaro::ui {

namespace {

class ScriptedProgress : public Progress {
public:
    ScriptedProgress(std::vector<ScriptedDialogs::ProgressRun>& runs, std::size_t index, int cancelAt)
        : m_runs(runs), m_index(index), m_cancelAt(cancelAt)
    {
    }
    ~ScriptedProgress() override { finish(); }

    bool step(int done) override
    {
        auto& run = m_runs[m_index];
        run.steps.push_back(done);
        if (m_cancelAt > 0 && static_cast<int>(run.steps.size()) >= m_cancelAt)
            run.cancelled = true;
        return !run.cancelled;
    }
    bool cancelled() const override { return m_runs[m_index].cancelled; }
    void finish() override { m_runs[m_index].finished = true; }

private:
    std::vector<ScriptedDialogs::ProgressRun>& m_runs;
    std::size_t m_index;
    int m_cancelAt;
};

} // namespace

std::unique_ptr<Progress> ScriptedDialogs::startProgress(const std::string& title, const std::string& text, int maximum)
{
    m_progress.push_back({title, text, maximum, {}, false, false});
    const int cancelAt = m_cancelAtStep;
    m_cancelAtStep = 0;
    return std::make_unique<ScriptedProgress>(m_progress, m_progress.size() - 1, cancelAt);
}

Answer ScriptedDialogs::message(const std::string& text, const std::string& title, Buttons buttons)
{
    m_shown.push_back({Shown::Kind::Message, text, title, buttons, {}});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (m_answers.empty()) {
        // Unscripted, a question about unsaved work lets it go, as the program did before it asked.
        if (buttons == Buttons::YesNoCancel)
            return Answer::No;
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::string ScriptedDialogs::input(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    m_shown.push_back({Shown::Kind::Input, prompt, title, Buttons::OkCancel, defaultText});
    if (m_inputs.empty())
        return {};
    std::string text = std::move(m_inputs.front());
    m_inputs.pop_front();
    return text;
}

DuplicateChoice ScriptedDialogs::askDuplicate()
{
    m_shown.push_back({Shown::Kind::Duplicate, {}, archive::AttentionTitle, Buttons::Ok, {}});
    if (m_duplicates.empty())
        return DuplicateChoice::Cancel;
    const DuplicateChoice choice = m_duplicates.front();
    m_duplicates.pop_front();
    return choice;
}

std::string ScriptedDialogs::saveFileName(const std::string& title, const std::string& proposedPath,
                                          const std::string& filter)
{
    m_shown.push_back({Shown::Kind::SaveFile, filter, title, Buttons::OkCancel, proposedPath});
    if (m_saveNames.empty())
        return proposedPath;
    std::string path = std::move(m_saveNames.front());
    m_saveNames.pop_front();
    return path;
}

std::string ScriptedDialogs::nextChosenPath()
{
    if (m_chosenPaths.empty())
        return {};
    std::string path = std::move(m_chosenPaths.front());
    m_chosenPaths.pop_front();
    return path;
}

std::string ScriptedDialogs::chooseFolder(const std::string& title, const std::string& proposedDir)
{
    m_shown.push_back({Shown::Kind::Folder, {}, title, Buttons::OkCancel, proposedDir});
    return nextChosenPath();
}

std::string ScriptedDialogs::openFileName(const std::string& title, const std::string& proposedDir,
                                          const std::string& filter)
{
    m_shown.push_back({Shown::Kind::OpenFile, filter, title, Buttons::OkCancel, proposedDir});
    return nextChosenPath();
}

void ScriptedDialogs::setBusy(bool busy)
{
    m_busy = busy;
    if (busy)
        ++m_busyCount;
}

namespace {

// The window's view kept for the test to read, and the next request queued,
// or a Close when none is left.
template <typename Request, typename View>
Request nextRequest(std::deque<Request>& requests, std::vector<View>& views, const View& view)
{
    views.push_back(view);
    if (requests.empty())
        return {};
    Request request = std::move(requests.front());
    requests.pop_front();
    return request;
}

} // namespace

PaymentsRequest ScriptedDialogs::showPayments(const PaymentsView& view)
{
    return nextRequest(m_paymentRequests, m_paymentViews, view);
}

WithholdingsRequest ScriptedDialogs::showWithholdings(const WithholdingsView& view)
{
    return nextRequest(m_withholdingRequests, m_withholdingViews, view);
}

FlatRateRequest ScriptedDialogs::showFlatRate(const FlatRateView& view)
{
    return nextRequest(m_flatRateRequests, m_flatRateViews, view);
}

YearReceiptsRequest ScriptedDialogs::showYearReceipts(const YearReceiptsView& view)
{
    return nextRequest(m_yearReceiptsRequests, m_yearReceiptsViews, view);
}

} // namespace tessaro::ui
