#pragma once

#include "common/Prompter.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace olv::test {

// A Prompter for tests: questions and password entries take prepared answers in order, and
// every message, question and password entry is recorded. A question or password entry
// without a prepared answer fails the test and throws, so a loop that keeps asking cannot
// hang it.
class ScriptedPrompter : public Prompter
{
public:
    enum class Kind
    {
        Message,
        Confirm,
        Password,
        OpenFile, // text: the filter
        SaveName, // text: the default extension
        SaveFile, // text: the filter
        OperatorPassword
    };

    struct Prompt
    {
        Kind kind = Kind::Message;
        std::string text; // UTF-8; empty for a password entry
        std::string caption;
        bool operator==(const Prompt&) const = default;
    };

    struct Unprepared : std::runtime_error
    {
        using std::runtime_error::runtime_error;
    };

    void answerConfirm(bool ok) { m_confirmAnswers.push_back(ok); }
    void answerConfirms(std::initializer_list<bool> answers);
    // The text typed (UTF-8).
    void answerPassword(std::string typed) { m_passwords.push_back(std::move(typed)); }
    // The file a picker chooses (UTF-8 path), nothing for Cancel.
    void answerOpenFile(std::optional<std::string> path) { m_openFiles.push_back(std::move(path)); }
    // The path a file-save picker gives (UTF-8), nothing for Cancel.
    void answerSaveFile(std::optional<std::string> path) { m_saveFiles.push_back(std::move(path)); }
    // The name typed into the save-name dialog, nothing for Cancel; saveName() completes it
    // with the default extension as the dialog does.
    void answerSaveName(std::optional<std::string> typed) { m_saveNames.push_back(std::move(typed)); }
    // The text typed into the operator password prompt, nothing for "退出".
    void answerOperatorPassword(std::optional<std::string> typed) { m_operatorPasswords.push_back(std::move(typed)); }
    // Runs before every prompt is answered, e.g. to release a file another process holds.
    void onPrompt(std::function<void(const Prompt&)> hook) { m_hook = std::move(hook); }

    void message(std::string_view text, std::string_view caption = {}) override;
    bool confirm(std::string_view text, std::string_view caption = {}) override;
    std::string password() override;
    std::optional<std::string> openFileName(std::string_view filter) override;
    std::optional<std::string> saveName(std::string_view defaultExtension) override;
    std::optional<std::string> saveFileName(std::string_view filter) override;
    std::optional<std::string> askOperatorPassword() override;

    const std::vector<Prompt>& prompts() const { return m_prompts; }
    // The texts of the messages and questions, in order.
    std::vector<std::string> texts() const;
    bool allAnswersUsed() const
    {
        return m_confirmAnswers.empty() && m_passwords.empty() && m_openFiles.empty() && m_saveNames.empty()
            && m_saveFiles.empty()
            && m_operatorPasswords.empty();
    }

private:
    void record(Kind kind, std::string_view text, std::string_view caption);

    std::deque<bool> m_confirmAnswers;
    std::deque<std::string> m_passwords;
    std::deque<std::optional<std::string>> m_openFiles;
    std::deque<std::optional<std::string>> m_saveNames;
    std::deque<std::optional<std::string>> m_saveFiles;
    std::deque<std::optional<std::string>> m_operatorPasswords;
    std::vector<Prompt> m_prompts;
    std::function<void(const Prompt&)> m_hook;
};

std::ostream& operator<<(std::ostream& out, const ScriptedPrompter::Prompt& prompt);

// A prompt as the record holds it, for comparisons.
inline ScriptedPrompter::Prompt messagePrompt(std::string text, std::string caption = {})
{
    return { ScriptedPrompter::Kind::Message, std::move(text), std::move(caption) };
}
inline ScriptedPrompter::Prompt confirmPrompt(std::string text, std::string caption = {})
{
    return { ScriptedPrompter::Kind::Confirm, std::move(text), std::move(caption) };
}
inline ScriptedPrompter::Prompt passwordPrompt() { return { ScriptedPrompter::Kind::Password, {}, {} }; }
inline ScriptedPrompter::Prompt operatorPasswordPrompt()
{
    return { ScriptedPrompter::Kind::OperatorPassword, {}, {} };
}
inline ScriptedPrompter::Prompt openFilePrompt(std::string filter)
{
    return { ScriptedPrompter::Kind::OpenFile, std::move(filter), {} };
}
inline ScriptedPrompter::Prompt saveFilePrompt(std::string filter)
{
    return { ScriptedPrompter::Kind::SaveFile, std::move(filter), {} };
}

} // namespace olv::test
