#include "support/ScriptedPrompter.h"

#include "common/SaveName.h"

#include <gtest/gtest.h>

namespace olv::test {

void ScriptedPrompter::answerConfirms(std::initializer_list<bool> answers)
{
    m_confirmAnswers.insert(m_confirmAnswers.end(), answers.begin(), answers.end());
}

void ScriptedPrompter::message(std::string_view text, std::string_view caption)
{
    record(Kind::Message, text, caption);
}

bool ScriptedPrompter::confirm(std::string_view text, std::string_view caption)
{
    record(Kind::Confirm, text, caption);
    if (m_confirmAnswers.empty()) {
        ADD_FAILURE() << "unprepared question: " << text;
        throw Unprepared("unprepared question");
    }
    const bool ok = m_confirmAnswers.front();
    m_confirmAnswers.pop_front();
    return ok;
}

std::string ScriptedPrompter::password()
{
    record(Kind::Password, {}, {});
    if (m_passwords.empty()) {
        ADD_FAILURE() << "unprepared password entry";
        throw Unprepared("unprepared password entry");
    }
    std::string typed = std::move(m_passwords.front());
    m_passwords.pop_front();
    return typed;
}

std::optional<std::string> ScriptedPrompter::openFileName(std::string_view filter)
{
    record(Kind::OpenFile, filter, {});
    if (m_openFiles.empty()) {
        ADD_FAILURE() << "unprepared file picker: " << filter;
        throw Unprepared("unprepared file picker");
    }
    std::optional<std::string> chosen = std::move(m_openFiles.front());
    m_openFiles.pop_front();
    return chosen;
}

std::optional<std::string> ScriptedPrompter::saveName(std::string_view defaultExtension)
{
    record(Kind::SaveName, defaultExtension, {});
    if (m_saveNames.empty()) {
        ADD_FAILURE() << "unprepared save-name dialog";
        throw Unprepared("unprepared save-name dialog");
    }
    std::optional<std::string> typed = std::move(m_saveNames.front());
    m_saveNames.pop_front();
    if (!typed)
        return std::nullopt;
    return withDefaultExtension(std::move(*typed), defaultExtension);
}

std::optional<std::string> ScriptedPrompter::saveFileName(std::string_view filter)
{
    record(Kind::SaveFile, filter, {});
    if (m_saveFiles.empty()) {
        ADD_FAILURE() << "unprepared file-save picker: " << filter;
        throw Unprepared("unprepared file-save picker");
    }
    std::optional<std::string> chosen = std::move(m_saveFiles.front());
    m_saveFiles.pop_front();
    return chosen;
}

std::optional<std::string> ScriptedPrompter::askOperatorPassword()
{
    record(Kind::OperatorPassword, {}, {});
    if (m_operatorPasswords.empty()) {
        ADD_FAILURE() << "unprepared operator password prompt";
        throw Unprepared("unprepared operator password prompt");
    }
    std::optional<std::string> typed = std::move(m_operatorPasswords.front());
    m_operatorPasswords.pop_front();
    return typed;
}

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> texts;
    for (const Prompt& prompt : m_prompts) {
        if (prompt.kind == Kind::Message || prompt.kind == Kind::Confirm)
            texts.push_back(prompt.text);
    }
    return texts;
}

void ScriptedPrompter::record(Kind kind, std::string_view text, std::string_view caption)
{
    m_prompts.push_back({ kind, std::string(text), std::string(caption) });
    if (m_hook)
        m_hook(m_prompts.back());
}

std::ostream& operator<<(std::ostream& out, const ScriptedPrompter::Prompt& prompt)
{
    static constexpr const char* kinds[]
        = { "message", "confirm", "password", "open-file", "save-name", "save-file", "operator-password" };
    return out << kinds[static_cast<int>(prompt.kind)] << "(\"" << prompt.text << "\", \"" << prompt.caption << "\")";
}

} // namespace olv::test
