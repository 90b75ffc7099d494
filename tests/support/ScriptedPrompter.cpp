#include "support/ScriptedPrompter.h"

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

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> texts;
    for (const Prompt& prompt : m_prompts) {
        if (prompt.kind != Kind::Password)
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
    static constexpr const char* kinds[] = { "message", "confirm", "password" };
    return out << kinds[static_cast<int>(prompt.kind)] << "(\"" << prompt.text << "\", \"" << prompt.caption << "\")";
}

} // namespace olv::test
