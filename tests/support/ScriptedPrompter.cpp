#include "support/ScriptedPrompter.h"

#include "common/SaveName.h"

#include <gtest/gtest.h>

namespace olv::test {

namespace {

// The next prepared answer; without one the test fails and the prompt throws.
template <typename Answer>
Answer takePrepared(std::deque<Answer>& answers, std::string_view what, std::string_view detail = {})
{
    if (answers.empty()) {
        ADD_FAILURE() << "unprepared " << what << (detail.empty() ? "" : ": ") << detail;
        throw ScriptedPrompter::Unprepared("unprepared " + std::string(what));
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

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
    return takePrepared(m_confirmAnswers, "question", text);
}

std::string ScriptedPrompter::password()
{
    record(Kind::Password, {}, {});
    return takePrepared(m_passwords, "password entry");
}

std::optional<std::string> ScriptedPrompter::openFileName(std::string_view filter)
{
    record(Kind::OpenFile, filter, {});
    return takePrepared(m_openFiles, "file picker", filter);
}

std::optional<std::string> ScriptedPrompter::saveName(std::string_view defaultExtension)
{
    record(Kind::SaveName, defaultExtension, {});
    std::optional<std::string> typed = takePrepared(m_saveNames, "save-name dialog");
    if (!typed)
        return std::nullopt;
    return withDefaultExtension(std::move(*typed), defaultExtension);
}

std::optional<std::string> ScriptedPrompter::saveFileName(std::string_view filter)
{
    record(Kind::SaveFile, filter, {});
    return takePrepared(m_saveFiles, "file-save picker", filter);
}

std::optional<std::string> ScriptedPrompter::askOperatorPassword()
{
    record(Kind::OperatorPassword, {}, {});
    return takePrepared(m_operatorPasswords, "operator password prompt");
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
