#include "ui/scripted_dialogs.h"

namespace tessaro::ui {

Answer ScriptedDialogs::message(const std::string& text, const std::string& title, Buttons buttons)
{
    m_shown.push_back({Shown::Kind::Message, text, title, buttons, {}});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (m_answers.empty())
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
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
    m_shown.push_back({Shown::Kind::Duplicate, {}, "ATTENZIONE", Buttons::Ok, {}});
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

void ScriptedDialogs::setBusy(bool busy)
{
    m_busy = busy;
    if (busy)
        ++m_busyCount;
}

} // namespace tessaro::ui
