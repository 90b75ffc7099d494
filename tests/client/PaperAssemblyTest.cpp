#include "client/exam/PaperAssembly.h"

#include "client/StartupFixture.h"
#include "common/QuestionList.h"
#include "support/FaultCases.h"

#include <cerrno>

namespace olv {
namespace {


class PaperAssemblyTest : public test::StartupFixture
{
protected:
    PaperAssemblyTest()
    {
        bank = test::sampleBank(6, 3, 2);
        writeBank(bank);
        state.examNumber = "1005          ";
        state.settings.singleChoiceCount = 4;
        state.settings.multipleChoiceCount = 2;
        state.settings.trueFalseCount = 9;
        state.settings.shuffleQuestions = 1;
    }

    QuestionBank bank;
};

TEST_F(PaperAssemblyTest, DrawsThePaperAndLeavesItsLocalCopies)
{
    ASSERT_TRUE(assemblePaper(state, env));
    const auto expected = drawPaper(bank, state.settings, "1005", clock.nowSeconds());
    ASSERT_TRUE(expected);
    EXPECT_EQ(state.paper.questions, expected->questions);
    EXPECT_EQ(state.paper.bankNumbers, expected->bankNumbers);
    EXPECT_EQ(state.bankQuestionCount, 11);
    EXPECT_EQ(
        state.paperLines, renderQuestionList(QuestionListVariant::PaperView, expected->questions, &state.settings));

    const auto paper = readQuestionBank(workspace().paperFile("1005"), dir / "read.bak");
    ASSERT_TRUE(paper.bank);
    EXPECT_EQ(*paper.bank, state.paper.questions);
    EXPECT_EQ(readQuestionIndex(workspace(), "1005", 8), state.paper.bankNumbers);
    ExamSettings copied;
    std::string examNumber;
    ASSERT_EQ(readExamSettings(workspace().settingsCopy(), copied, examNumber), SettingsRead::Read);
    EXPECT_EQ(copied, state.settings);
    EXPECT_EQ(examNumber, "1005          ");
    EXPECT_FALSE(std::filesystem::exists(workspace().bankTemporary("1005")));
}

TEST_F(PaperAssemblyTest, ReviewModeWritesNothing)
{
    state.settings.reviewMode = 1;
    ASSERT_TRUE(assemblePaper(state, env));
    EXPECT_EQ(state.paper.questionCount(), 8);
    EXPECT_TRUE(std::filesystem::is_empty(env.workspace()));
}

struct AssemblyFailure
{
    const char* what;
    std::function<void(ExamState&, const Workspace&)> breakIt;
    std::string message;
};

void PrintTo(const AssemblyFailure& c, std::ostream* out) { *out << c.what; }

class AssemblyFailureTest : public PaperAssemblyTest, public ::testing::WithParamInterface<AssemblyFailure>
{ };

TEST_P(AssemblyFailureTest, ShowsTheMessageOfTheFailedStep)
{
    test::FaultGuard guard;
    GetParam().breakIt(state, workspace());
    EXPECT_FALSE(assemblePaper(state, env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { GetParam().message });
}

void makeDirectory(const std::filesystem::path& path) { std::filesystem::create_directory(path); }

INSTANTIATE_TEST_SUITE_P(PaperAssemblyTest, AssemblyFailureTest,
    ::testing::Values(AssemblyFailure { "no bank", [](auto&, auto&) { std::filesystem::remove("WordE97.kst"); },
                          "不能打开试题库文件" },
        AssemblyFailure { "no temporary",
            [](auto&, const auto& workspace) { makeDirectory(workspace.bankTemporary("1005")); },
            "在d:中不能创建临时文件," },
        AssemblyFailure { "empty single-choice answer",
            [](auto&, auto&) {
                QuestionBank broken = test::sampleBank(6, 3, 2);
                for (auto& question : broken.singleChoiceQuestions)
                    question.answer.clear();
                writeQuestionBank(broken, "WordE97.kst");
            },
            "试题库文件有错" },
        AssemblyFailure { "paper text not writable",
            [](auto&, const auto&) { faults::failWritesAfter(0, ENOSPC); },
            "不能创建本地文件" },
        AssemblyFailure { "paper file not replaceable",
            [](auto&, const auto& workspace) { makeDirectory(workspace.paperFile("1005")); }, "不能写入本地库文件" },
        AssemblyFailure { "question index not writable",
            [](auto&, const auto& workspace) { makeDirectory(workspace.questionIndexFile("1005")); },
            "题号不能写入本地库文件" },
        AssemblyFailure { "question index missing on resumption", [](auto& state, auto&) { state.resumed = true; },
            "本地磁盘中存放的数据不全." }),
    [](const auto& info) { return std::to_string(info.index); });

} // namespace
} // namespace olv
