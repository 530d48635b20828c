// Every modal question and message of the program goes through this small
// interface, so commands run headless in tests with ScriptedDialogs and on
// screen with QtDialogs. Texts are UTF-8.
#pragma once

#include "ui/flat_rate_view.h"
#include "ui/payments_view.h"
#include "ui/withholdings_view.h"
#include "ui/year_receipts_view.h"

#include <memory>
#include <string>
#include <vector>

namespace tessaro::ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
// The three buttons of the duplicate-issuer window; Cancel also when it is closed.
enum class DuplicateChoice { Replace = 1, SaveAsNew = 2, Cancel = 3 };

// A long piece of work told step by step: shown once it has run for half a
// second, with "Annulla", and taken down by finish() or when destroyed.
class Progress {
public:
    virtual ~Progress() = default;
    // done of the maximum given at the start; false once the user asked to stop.
    virtual bool step(int done) = 0;
    virtual bool cancelled() const = 0;
    virtual void finish() = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer message(const std::string& text, const std::string& title, Buttons buttons = Buttons::Ok) = 0;
    // The text typed; the empty text when cancelled.
    virtual std::string input(const std::string& prompt, const std::string& title, const std::string& defaultText) = 0;
    virtual DuplicateChoice askDuplicate() = 0;
    // A save dialog opened on proposedPath (folder and name); the path chosen,
    // or the empty text when cancelled. filter: e.g. "PDF (*.pdf)".
    virtual std::string saveFileName(const std::string& title, const std::string& proposedPath,
                                     const std::string& filter)
        = 0;
    // A folder chosen, starting from proposedDir; the empty text when cancelled.
    virtual std::string chooseFolder(const std::string& title, const std::string& proposedDir) = 0;
    // An existing file chosen to open; the empty text when cancelled.
    virtual std::string openFileName(const std::string& title, const std::string& proposedDir,
                                     const std::string& filter)
        = 0;
    // Existing files chosen to open, several at once; empty when cancelled.
    virtual std::vector<std::string> openFileNames(const std::string& title, const std::string& proposedDir,
                                                   const std::string& filter);
    // The hourglass while a long command runs.
    virtual void setBusy(bool busy) = 0;
    // The progress of a long piece of work of `maximum` steps. Without a way
    // to show it, the work simply runs to its end.
    virtual std::unique_ptr<Progress> startProgress(const std::string& title, const std::string& text, int maximum);
    // The window "Incassi della fattura" showing `view` until the user asks
    // something of it; it stays up between calls and goes with Close. The
    // boxes shown in between come on top of it.
    virtual PaymentsRequest showPayments(const PaymentsView& view);
    // The windows "Ritenute subite per cliente", "Regime forfettario: limiti e
    // stima" and "Incassi dell'anno", the same way.
    virtual WithholdingsRequest showWithholdings(const WithholdingsView& view);
    virtual FlatRateRequest showFlatRate(const FlatRateView& view);
    virtual YearReceiptsRequest showYearReceipts(const YearReceiptsView& view);
};

inline std::vector<std::string> Dialogs::openFileNames(const std::string& title, const std::string& proposedDir,
                                                       const std::string& filter)
{
    std::string chosen = openFileName(title, proposedDir, filter);
    return chosen.empty() ? std::vector<std::string> {} : std::vector<std::string> {std::move(chosen)};
}

inline PaymentsRequest Dialogs::showPayments(const PaymentsView&)
{
    return {};
}

inline WithholdingsRequest Dialogs::showWithholdings(const WithholdingsView&)
{
    return {};
}

inline FlatRateRequest Dialogs::showFlatRate(const FlatRateView&)
{
    return {};
}

inline YearReceiptsRequest Dialogs::showYearReceipts(const YearReceiptsView&)
{
    return {};
}

// Progress that is never shown and never stopped.
class SilentProgress : public Progress {
public:
    bool step(int) override { return true; }
    bool cancelled() const override { return false; }
    void finish() override { }
};

inline std::unique_ptr<Progress> Dialogs::startProgress(const std::string&, const std::string&, int)
{
    return std::make_unique<SilentProgress>();
}

// The hourglass for as long as a command runs, however it ends; release()
// takes it down early, before a closing message.
class BusyPointer {
public:
    explicit BusyPointer(Dialogs& dialogs) : m_dialogs(dialogs) { m_dialogs.setBusy(true); }
    ~BusyPointer() { release(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    void release()
    {
        if (m_busy)
            m_dialogs.setBusy(false);
        m_busy = false;
    }

private:
    Dialogs& m_dialogs;
    bool m_busy = true;
};

} // namespace tessaro::ui
