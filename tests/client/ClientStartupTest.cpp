#include "client/startup/ClientStartup.h"

#include "client/StartupFixture.h"
#include "client/handin/HandInProgress.h"

namespace olv {
namespace {

using test::readBytes;

class ClientStartupTest : public test::StartupFixture
{
protected:
    ClientStartupTest()
    {
        settings.shuffleQuestions = 1;
        settings.rosterRequired = 1;
        EXPECT_TRUE(writeExamSettings("olvane.dat", settings));
        writeBank(test::sampleBank(20, 6, 8));
        writeRoster({ test::rosterLine("一班", "张三", "1001") });
    }

    std::optional<StartMode> start(ExamState& started) { return startExam(started, env, login); }

    ExamSettings settings = test::chineseExam(5, 3, 5);
    test::ScriptedLogin login;
};

TEST_F(ClientStartupTest, ResumedExamRebuildsThePaperTheAnswersAndTheTime)
{
    ASSERT_EQ(start(state), StartMode::Fresh);
    EXPECT_EQ(login.asked, (std::vector<std::pair<std::string, bool>> { { "cj.kcj", true } }));
    EXPECT_EQ(state.answerCard.front(), "1--");
    EXPECT_EQ(state.bankQuestionCount, 34);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "语文期末"));

    // The candidate confirms answers, then the power fails.
    state.answerCard[0] = "1--C";
    state.answerCard[6] = "7--AB";
    ASSERT_TRUE(writeAnswerCardFile(workspace(), state.examNumber, { state.answerCard, 34, 300 }));

    ExamState resumed;
    test::ScriptedLogin noLogin;
    ASSERT_EQ(startExam(resumed, env, noLogin), StartMode::Resumed);
    EXPECT_TRUE(noLogin.asked.empty());
    EXPECT_EQ(resumed.paper.questions, state.paper.questions);
    EXPECT_EQ(resumed.paper.bankNumbers, state.paper.bankNumbers);
    EXPECT_EQ(resumed.paperLines, state.paperLines);
    EXPECT_EQ(resumed.answerCard, state.answerCard);
    EXPECT_EQ(resumed.elapsedSeconds, 300);
    EXPECT_EQ(resumed.bankQuestionCount, 34);
    EXPECT_EQ(resumed.className, state.className);
    EXPECT_EQ(resumed.candidateName, state.candidateName);
    EXPECT_EQ(resumed.settings.bankFile, paperFileSetting("1001"));
    EXPECT_TRUE(prompter.prompts().empty());
}

TEST_F(ClientStartupTest, WithoutSettingsTheCandidateMayTakeTheDefaultExam)
{
    std::filesystem::remove("olvane.dat");
    writeBank(test::sampleBank(60, 12, 6));
    prompter.answerConfirm(true);
    ASSERT_EQ(start(state), StartMode::Fresh);
    EXPECT_EQ(prompter.prompts(),
        std::vector { test::confirmPrompt("还没有对考试进行设置,采用默认方式考试吗？", "不能打开考试数据设置文件") });
    EXPECT_EQ(state.settings, clientDefaults());
    EXPECT_EQ(state.paper.questionCount(), 65);
}

TEST_F(ClientStartupTest, CancelledLoginWritesNothing)
{
    const std::string roster = readBytes("cj.kcj");
    login.result.reset();
    EXPECT_FALSE(start(state));
    EXPECT_EQ(readBytes("cj.kcj"), roster);
    EXPECT_TRUE(std::filesystem::is_empty(env.workspace()));
}

TEST_F(ClientStartupTest, ResumedCandidateMissingFromTheScoreDatabaseEndsTheExam)
{
    ASSERT_TRUE(start(state));
    writeRoster({});
    ExamState resumed;
    EXPECT_FALSE(start(resumed));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "系统出错,先前所作的考试已不能读取,请重新考式" });
    EXPECT_FALSE(std::filesystem::exists(workspace().settingsCopy()));
}

// What a resumption reads back must fit the paper and the bank; each of these is a damaged
// workspace, and the first would make the hand-in build an answer record of 2 GiB.
TEST_F(ClientStartupTest, ResumedNumbersThatDoNotFitTheExamAreADamagedWorkspace)
{
    const int questionCount = 5 + 3 + 5;
    const auto cardWith = [](std::string first, const std::string& count, const std::string& elapsed) {
        std::string text = first + "\r\n";
        for (int number = 2; number <= questionCount; ++number)
            text += std::to_string(number) + "--\r\n";
        return text + count + "\r\n" + elapsed + std::string(10 - elapsed.size(), ' ') + "\r\n";
    };
    const struct
    {
        std::string card;
        std::string index; // empty: as written
        const char* message;
    } cases[] = {
        // Complete by its last 12 bytes, but holding fewer lines than the paper has questions.
        { "1--A\r\n300       \r\n", "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("1--A", "2147483647", "300"), "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("1--A", "1", "300"), "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("1--A", "34", "-1"), "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("1--A", "34", "3602"), "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("7--A", "34", "300"), "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("1--AX", "34", "300"), "", "本地磁盘中存放的数据不全.请重新考试" },
        { cardWith("1--A", "34", "300"), "1\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
            "本地磁盘中存放的数据不全." },
        { cardWith("1--A", "34", "300"), "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
            "本地磁盘中存放的数据不全." },
    };
    for (const auto& damaged : cases) {
        SCOPED_TRACE(damaged.card + damaged.index);
        ExamState fresh;
        ASSERT_EQ(start(fresh), StartMode::Fresh);
        ASSERT_EQ(fresh.paper.questionCount(), questionCount);
        test::writeBytes(workspace().answerCardFile("1001"), damaged.card);
        if (!damaged.index.empty())
            test::writeBytes(workspace().questionIndexFile("1001"), damaged.index);
        const std::size_t promptsBefore = prompter.texts().size();
        ExamState resumed;
        EXPECT_FALSE(start(resumed));
        EXPECT_EQ(prompter.texts().size(), promptsBefore + 1);
        EXPECT_EQ(prompter.texts().back(), damaged.message);
        // A damaged card asks for a new exam and clears the workspace; a damaged index keeps it.
        if (std::string_view(damaged.message).ends_with("请重新考试")) {
            EXPECT_FALSE(std::filesystem::exists(workspace().settingsCopy()));
        }
        std::filesystem::remove(workspace().settingsCopy());
    }
    ExamState fresh;
    ASSERT_EQ(start(fresh), StartMode::Fresh);
    test::writeBytes(workspace().answerCardFile("1001"), cardWith("1--A", "34", "3601"));
    ExamState resumed;
    EXPECT_EQ(start(resumed), StartMode::Resumed) << "the tick that ends the exam counts one second more";
}

// After the score is written the roster line holds it, which a login refuses: only the
// hand-in progress in the workspace brings the candidate back, to the end of the hand-in.
TEST_F(ClientStartupTest, AHandInUnderWayIsResumedWithTheCardItHandedIn)
{
    ASSERT_EQ(start(state), StartMode::Fresh);
    state.answerCard[0] = "1--C";
    HandInProgress progress { HandInStage::Answers, SubmissionState::Submitted, SubmissionState::NotStarted, 0,
        { state.answerCard, 34, 120 } };
    ASSERT_TRUE(writeHandInProgress(workspace(), "1001", progress));
    test::writeBytes(workspace().answerCardFile("1001"), "marked, not resumable");
    writeRoster({ test::rosterLine("一班", "张三", "1001", "7") });

    ExamState resumed;
    ASSERT_EQ(start(resumed), StartMode::Resumed);
    ASSERT_TRUE(resumed.handIn);
    EXPECT_EQ(resumed.handIn->stage, HandInStage::Answers);
    EXPECT_EQ(resumed.answerCard, state.answerCard);
    EXPECT_EQ(resumed.elapsedSeconds, 120);
    EXPECT_EQ(readBytes(workspace().answerCardFile("1001")), "marked, not resumable");
    EXPECT_TRUE(prompter.prompts().empty());

    // A later exam under the same number does not take a finished hand-in's record for its own.
    std::filesystem::remove(workspace().settingsCopy());
    writeRoster({ test::rosterLine("一班", "张三", "1001") });
    ExamState next;
    ASSERT_EQ(start(next), StartMode::Fresh);
    EXPECT_FALSE(std::filesystem::exists(workspace().handInFile("1001")));
}

// The review itself, with its own start-up, is ReviewStartupTest's.
TEST_F(ClientStartupTest, ReviewModeNeedsItsStartup)
{
    settings.reviewMode = 1;
    ASSERT_TRUE(writeExamSettings("olvane.dat", settings));
    EXPECT_FALSE(start(state));
    EXPECT_TRUE(prompter.prompts().empty());
}

} // namespace
} // namespace olv
