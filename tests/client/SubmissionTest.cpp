#include "client/handin/Submission.h"

#include "client/ExamFixture.h"
#include "client/handin/HandInProgress.h"
#include "common/ScoreRecord.h"
#include "platform/Gbk.h"
#include "support/ChildProcess.h"
#include "support/LockWait.h"
#include "support/StoredScores.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;
using test::messagePrompt;
using test::passwordPrompt;
using test::readBytes;
using test::stored;
using test::writeBytes;

constexpr const char* examOver = "考试结束。请离开考场";
constexpr const char* answerRecord = "2  1001          *R*E*\r\r\n";

// Two single-choice questions answered A (right) and not at all, from a bank of 5; the
// candidate is on the roster between two others.
class SubmissionTest : public test::ExamFixture
{
protected:
    SubmissionTest()
    {
        startExam(test::paperWithAnswers({ "A", "B" }, {}, {}, { 2, 4 }), 5);
        state.answerCard = { "1--A", "2--" };
        writeAnswerCardFile(workspace(), state.examNumber, { state.answerCard, 5, 0 });
        writeBytes(workspace().paperFile(state.examNumber), "the paper");
        writeBytes(workspace().settingsCopy(), "settings");
        state.settings.operatorPassword = gbk("口令");
        state.settings.singleChoicePoints = 1.5f;
        state.candidateName = gbk("张三") + std::string(12, ' ');
        writeBytes(dir / "cj.kcj", rosterWith(loginMark()));
    }

    std::string rosterWith(const std::string& scoreField) const
    {
        return stored(ScoreRecord { gbk("一班"), gbk("李四"), "1000", "90" })
            + stored(ScoreRecord { gbk("一班"), gbk("张三"), "1001", scoreField })
            + stored(ScoreRecord { gbk("二班"), gbk("王五"), "1002", blankScoreField() });
    }

    std::string scoreMessage() const { return gbkToUtf8(state.className + state.examNumber) + "张三\n成绩是:2"; }

    void submit() { markAndSubmit(state, view, env, status); }

    test::ChildProcess holdExclusively(const std::filesystem::path& path)
    {
        test::ChildProcess holder([path](test::ChildProcess::Link& link) {
            std::optional<File> file = File::open(path, OpenMode::ReadWriteCreate, Sharing::Exclusive);
            if (!file)
                return 1;
            link.ready();
            link.waitForGo();
            return 0;
        });
        EXPECT_TRUE(holder.waitUntilReady());
        return holder;
    }

    SubmissionStatus status;
    // A held file must count as failing at once for the retry protocol to show.
    test::LockWaitBudget impatient { std::chrono::milliseconds(0) };
};

TEST_F(SubmissionTest, ExitWithoutPasswordWhenNoneIsSet)
{
    state.settings.passwordToExit = 1;
    state.settings.operatorPassword.clear();
    submit();
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { examOver });
    EXPECT_EQ(view.closes, 1);
}

TEST_F(SubmissionTest, ACandidateAlreadyScoredGetsASecondLine)
{
    writeBytes(dir / "cj.kcj", rosterWith("77"));
    submit();
    EXPECT_EQ(
        readBytes(dir / "cj.kcj"), rosterWith("77") + stored(ScoreRecord { gbk("一班"), gbk("张三"), "1001", "2" }));
}

TEST_F(SubmissionTest, AScoreDatabaseHeldElsewhereIsRetriedUntilItOpens)
{
    test::ChildProcess holder = holdExclusively(dir / "cj.kcj");
    prompter.answerPassword("错");
    prompter.answerPassword("口令");
    prompter.answerConfirms({ true, true });
    int questions = 0;
    prompter.onPrompt([&](const test::ScriptedPrompter::Prompt& prompt) {
        if (prompt.kind == test::ScriptedPrompter::Kind::Confirm && ++questions == 2) {
            holder.go();
            holder.wait();
        }
    });
    submit();

    const auto retry = test::confirmPrompt("还是不能提交成绩,重试请按确定按钮.", "不能提交成绩");
    EXPECT_EQ(prompter.prompts(),
        (std::vector { messagePrompt("不能提交成绩,按确定按钮重试一次."),
            messagePrompt("还是不能提交成绩,按确定按钮再重试一次."), messagePrompt("不能提交成绩,请报告监考人员."),
            passwordPrompt(), passwordPrompt(), retry, retry, messagePrompt(examOver) }));
    EXPECT_EQ(readBytes(dir / "cj.kcj"), rosterWith("2"));
    EXPECT_EQ(view.closes, 1);
}

TEST_F(SubmissionTest, AnEntryWhileTheResultsAreStillBeingWrittenDoesNothing)
{
    test::ChildProcess holder = holdExclusively(dir / "cj.kcj");
    prompter.answerPassword("口令");
    prompter.answerConfirm(true);
    bool timeRanOut = false;
    prompter.onPrompt([&](const test::ScriptedPrompter::Prompt& prompt) {
        if (prompt.kind == test::ScriptedPrompter::Kind::Confirm && !timeRanOut) {
            timeRanOut = true;
            submit(); // the exam time reaching zero behind the retry question
            EXPECT_EQ(view.closes, 0);
            holder.go();
            holder.wait();
        }
    });
    submit();
    EXPECT_EQ(readBytes(dir / "cj.kcj"), rosterWith("2"));
    EXPECT_EQ(readBytes(dir / "考试/daan.txt"), answerRecord);
    EXPECT_EQ(view.closes, 1);
}

TEST_F(SubmissionTest, AScoreGivenUpIsShownForWritingDownAtTheExit)
{
    test::ChildProcess holder = holdExclusively(dir / "cj.kcj");
    prompter.answerPassword("口令");
    prompter.answerConfirm(false);
    prompter.answerPassword("错");
    submit();
    EXPECT_EQ(view.closes, 0) << "a wrong password keeps the window open, without a message";

    prompter.answerPassword("口令");
    submit();
    holder.go();
    EXPECT_EQ(holder.wait(), 0);

    EXPECT_EQ(readBytes(dir / "cj.kcj"), rosterWith(loginMark()));
    EXPECT_EQ(readBytes(dir / "考试/daan.txt"), answerRecord);
    EXPECT_EQ(status.score, SubmissionState::GivenUp);
    EXPECT_EQ(view.closes, 1);
    const std::vector<std::string> texts = prompter.texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[4], examOver);
    EXPECT_EQ(texts[5], "***该考生的成绩没有写入数据库***\n请用笔记下.\n" + scoreMessage());
}

TEST_F(SubmissionTest, AnAnswerSheetThatCannotBeWrittenCountsAsGivenUp)
{
    state.settings.answerFile = "/dev/full";
    state.settings.passwordToExit = 1;
    prompter.answerPassword("口令");
    submit();
    EXPECT_EQ(status.answers, SubmissionState::GivenUp);
    EXPECT_EQ(prompter.texts(),
        (std::vector<std::string> { examOver, "***该考生的答题卷不能写入答题卷文件***", scoreMessage() }));
    EXPECT_EQ(view.closes, 1);
}

TEST_F(SubmissionTest, WithoutTheAnswerCardFileTheScoreStillCounts)
{
    std::filesystem::remove(answerCardFile());
    std::filesystem::create_directory(answerCardFile()); // nothing can be written in its place
    submit();
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { "不能打开本地文件.", examOver }));
    EXPECT_EQ(readBytes(dir / "cj.kcj"), rosterWith("2"));
    EXPECT_FALSE(std::filesystem::exists(dir / "考试/1001张三.das"));
}

// A restart after a power cut completes the hand-in from the stage it recorded, looking in the
// shared files first where the cut may have come after the write: one score line, one record.
TEST_F(SubmissionTest, AHandInCutShortIsCompletedByTheRestartWithoutRepeatingAWrite)
{
    const struct
    {
        HandInStage stage;
        std::string scoreField; // the roster line as the cut left it
        std::string answersBefore; // the answer sheet as the cut left it
        int recordsBefore;
        std::string answersAfter;
    } cases[] = {
        { HandInStage::Score, loginMark(), "", 0, answerRecord },
        { HandInStage::Score, "2", "", 0, answerRecord },
        { HandInStage::Answers, "2", answerRecord, 0, answerRecord },
        { HandInStage::Answers, "2", answerRecord, 1, std::string(answerRecord) + answerRecord },
        { HandInStage::Copies, "2", answerRecord, 0, answerRecord },
    };
    for (const auto& cut : cases) {
        SCOPED_TRACE(static_cast<int>(cut.stage));
        writeBytes(dir / "cj.kcj", rosterWith(cut.scoreField));
        std::filesystem::remove(dir / "考试/daan.txt");
        if (!cut.answersBefore.empty())
            writeBytes(dir / "考试/daan.txt", cut.answersBefore);
        writeBytes(workspace().settingsCopy(), "settings");
        state.handIn = HandInProgress { cut.stage, SubmissionState::Submitted, SubmissionState::NotStarted,
            cut.recordsBefore, { state.answerCard, 5, 0 } };
        test::ScriptedPrompter restartPrompter;
        const ClientEnvironment restart { env.localDriveRoot, env.clock, restartPrompter, env.screen };
        SubmissionStatus restartStatus;
        markAndSubmit(state, view, restart, restartStatus);

        EXPECT_EQ(readBytes(dir / "cj.kcj"), rosterWith("2"));
        EXPECT_EQ(readBytes(dir / "考试/daan.txt"), cut.answersAfter);
        EXPECT_EQ(restartPrompter.texts(), std::vector<std::string> { examOver });
        EXPECT_TRUE(std::filesystem::exists(dir / "考试/1001张三.das"));
        EXPECT_FALSE(std::filesystem::exists(workspace().settingsCopy()));
        EXPECT_FALSE(std::filesystem::exists(workspace().handInFile(state.examNumber)));
        EXPECT_FALSE(state.handIn);
    }
}

} // namespace
} // namespace olv
