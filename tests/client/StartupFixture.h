#pragma once

#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ClientStartup.h"
#include "client/startup/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/Clock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace olv::test {

// A screen of a given size whose mode change takes effect, is ignored or fails.
class SizedScreen : public Screen
{
public:
    enum class ModeChange
    {
        Takes,
        Ignored,
        Fails
    };

    int width() const override { return size.first; }
    int height() const override { return size.second; }
    bool changeMode(int width, int height) override
    {
        changes.emplace_back(width, height);
        if (onChange)
            onChange();
        if (modeChange == ModeChange::Takes)
            size = { width, height };
        return modeChange != ModeChange::Fails;
    }
    void restoreMode() override { }

    std::pair<int, int> size { 1024, 768 };
    ModeChange modeChange = ModeChange::Takes;
    std::vector<std::pair<int, int>> changes;
    std::function<void()> onChange;
};

// `single`, `multiple` and `trueFalse` questions whose texts name their bank number, four
// options each (true/false none), answers that the option shuffle would move.
inline QuestionBank sampleBank(int single, int multiple, int trueFalse)
{
    QuestionBank bank;
    const int counts[] = { single, multiple, trueFalse };
    const char* answers[] = { "b", "dA", "B" };
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        for (int i = 0; i < counts[static_cast<int>(kind)]; ++i) {
            Question& question = bank.questionsOf(kind).emplace_back();
            const std::string name = gbk("题") + std::to_string(++number);
            question.kind = kind;
            question.stem = name + "/n" + name;
            if (kind != QuestionKind::TrueFalse)
                question.options = { name + "A", name + "B", name + "C", name + "D" };
            question.answer = answers[static_cast<int>(kind)];
        }
    }
    return bank;
}

inline ScoreRecord rosterLine(std::string className, std::string name, std::string examNumber, std::string score = {})
{
    return { gbk(className), gbk(name), std::move(examNumber), score.empty() ? blankScoreField() : gbk(score) };
}

// The exam "语文期末" of that many questions of each kind, its answer sheet in its exam folder.
inline ExamSettings chineseExam(int single, int multiple, int trueFalse)
{
    ExamSettings settings = clientDefaults();
    settings.subject = gbk("语文");
    settings.examName = gbk("期末");
    settings.singleChoiceCount = single;
    settings.multipleChoiceCount = multiple;
    settings.trueFalseCount = trueFalse;
    deriveAnswerFile(settings);
    return settings;
}

// The login dialog as candidate 1001 (一班, 张三) gets through it, or cancelled once `result` is
// reset; it keeps what it was asked.
class ScriptedLogin : public LoginRunner
{
public:
    std::optional<LoginResult> run(const std::string& scoreFile, bool rosterRequired) override
    {
        asked.emplace_back(scoreFile, rosterRequired);
        return result;
    }

    std::optional<LoginResult> result
        = LoginResult { padRight(gbk("一班"), schoolClassWidth), padRight(gbk("张三"), nameWidth), "1001          " };
    std::vector<std::pair<std::string, bool>> asked;
};

// One exam machine: the working directory is a temp folder shared with the examiner, drive
// D: a folder inside it that already holds the workspace folder. The settings are the
// client's defaults.
class StartupFixture : public ::testing::Test
{
protected:
    StartupFixture()
    {
        std::filesystem::create_directories(env.workspace());
        state.settings = clientDefaults();
    }

    Workspace workspace() const { return Workspace(env.workspace()); }
    void writeBank(const QuestionBank& bank)
    {
        ASSERT_EQ(writeQuestionBank(bank, "WordE97.kst"), BankWriteResult::Written);
    }
    void writeRoster(const std::vector<ScoreRecord>& records)
    {
        ASSERT_EQ(writeScoreDatabase("cj.kcj", records), FileResult::Done);
    }

    TempDir dir;
    WorkingDirectory workingDirectory { dir.path() };
    FixedClock clock { 1700000000 };
    ScriptedPrompter prompter;
    SizedScreen screen;
    ClientEnvironment env { dir / "d", clock, prompter, screen };
    ExamState state;
};

} // namespace olv::test
