#pragma once

#include "client/exam/ExamView.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ClientStartup.h"
#include "common/Prompter.h"

namespace olv::fuzz {

// Thrown when the candidate would be asked for the password again and again: a retry loop that
// only the invigilator ends.
struct InvigilatorNeeded
{ };

// Agrees to every question, reads nothing into any box.
class AgreeingPrompter : public Prompter
{
public:
    void message(std::string_view, std::string_view) override { }
    // Agrees a few times, then gives up, as an invigilator would: a retry question answered
    // "again" for ever (a share that never comes back) would hang the run.
    bool confirm(std::string_view, std::string_view) override { return ++m_confirms <= 3; }
    std::string password() override
    {
        if (++m_passwords > 3)
            throw InvigilatorNeeded {};
        return {};
    }

private:
    int m_passwords = 0;
    int m_confirms = 0;
};

class NoLogin : public LoginRunner
{
public:
    std::optional<LoginResult> run(const std::string&, bool) override { return std::nullopt; }
};

class NullExamView : public ExamView
{
public:
    void showAnswerControls(AnswerControls) override { }
    void setRadioButtonsCAndDEnabled(bool) override { }
    void setAnswerInput(const AnswerInput&) override { }
    AnswerInput answerInput() const override { return {}; }
    void setCurrentQuestion(int) override { }
    void selectPaperLine(int, bool) override { }
    void selectAnswerCardLine(int, bool) override { }
    void setAnswerCardLine(int, const std::string&) override { }
    void setRemainingTime(const std::string&) override { }
    void stopTimer() override { }
    void disableAnswering() override { }
    void setHandInCaption(std::string_view) override { }
    void closeWindow() override { }
};

class ExamScreen : public Screen
{
public:
    int width() const override { return 1024; }
    int height() const override { return 768; }
    bool changeMode(int, int) override { return true; }
    void restoreMode() override { }
};

// The exam number of the sample candidate whose workspace the seeds hold.
inline constexpr const char* seedExamNumber = "1001";

} // namespace olv::fuzz
