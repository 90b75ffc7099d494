// Runs the olvtool program as IT staff would, on files in a temp folder.
#include "common/ExamSettingsFile.h"
#include "support/OlvToolRun.h"

#include <gtest/gtest.h>

using namespace olv;
using olv::test::TempDir;

namespace {

class OlvToolTest : public ::testing::Test
{
protected:
    test::ToolRun run(const std::string& arguments) { return test::runOlvtool(dir.path(), arguments); }

    // Packs a bank of two single-choice (the first with empty options), one multiple-choice and one
    // true/false question.
    void packBank()
    {
        test::writeBytes(dir / "bank.txt",
                         "●单选题:\n第一题\n甲\n\n丙\n\nc\n第二题/n第二行\n一\n二\n三\n四\nA\n"
                         "●多选题:\n第三题\n甲\n乙\n丙\n丁\ndb\n"
                         "●判断题:\n第四题\nB\n");
        ASSERT_EQ(run("bank-pack bank.txt bank.kst").exitCode, 0);
    }

    TempDir dir;
};

TEST_F(OlvToolTest, PackedBankReadsBackAsTheSameTextAndItsView)
{
    packBank();
    const auto text = run("bank-text bank.kst");
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.out, test::readBytes(dir / "bank.txt"));

    // The view tags the first line of each question with its number.
    const auto view = run("bank-view bank.kst");
    EXPECT_EQ(view.exitCode, 0);
    EXPECT_EQ(view.out,
              "-\t    ●单选题:只能选一个答案\n"
              "1\t    1、第一题\n"
              "-\tA、甲        C、丙        \n"
              "2\t    2、第二题\n"
              "-\t第二行\n"
              "-\tA、一        B、二        C、三        D、四        \n"
              "-\t    ●多选题:错选漏选均不得分\n"
              "3\t    3、第三题\n"
              "-\tA、甲        B、乙        C、丙        D、丁        \n"
              "-\t    ●判断题:正确为A;错误为B\n"
              "4\t    4、第四题\n");
}

TEST_F(OlvToolTest, BankCheckPrintsEachFindingOfTheBankCheck)
{
    packBank();
    const auto clean = run("bank-check bank.kst");
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "");

    // The message of the finding is printed on one line.
    test::writeBytes(dir / "faulty.txt", "●单选题:\n●多选题:\n●判断题:\n判题\nc\n");
    ASSERT_EQ(run("bank-pack faulty.txt faulty.kst").exitCode, 0);
    const auto faulty = run("bank-check faulty.kst");
    EXPECT_EQ(faulty.exitCode, 1);
    EXPECT_EQ(faulty.out, "1\t判断题的正确答案只能为'A'或者'B'. 正确为'A',错误为'B'\n");
    EXPECT_NE(faulty.err, "");
}

TEST_F(OlvToolTest, PaperIsTheOneTheClientDraws)
{
    packBank();
    auto settings = clientDefaults();
    settings.bankFile = "bank.kst";
    settings.drawMode = DrawMode::BankOrder;
    settings.shuffleOptions = 0;
    // A kind of no questions is left out; one of -1 (not 0) is shown with every question.
    settings.singleChoiceCount = 0;
    settings.multipleChoiceCount = 1;
    settings.trueFalseCount = -1;
    settings.trueFalsePoints = 2.5f;
    ASSERT_TRUE(writeExamSettings(dir / "olvane.dat", settings));

    const auto paper = run("paper olvane.dat 1001 0");
    EXPECT_EQ(paper.exitCode, 0) << paper.err;
    EXPECT_EQ(paper.out,
              "bank-numbers: 3 4\n"
              "-\t    ●多选题:错选漏选均不得分     2.00分/题\n"
              "1\t    1、第三题\n"
              "-\tA、甲        B、乙        C、丙        D、丁        \n"
              "-\t    ●判断题:正确为A;错误为B     2.50分/题\n"
              "2\t    2、第四题\n"
              "answers:\n"
              "1--BD\n"
              "2--B\n");
}

TEST_F(OlvToolTest, RosterPackWritesEveryCandidateWithABlankScore)
{
    // A byte order mark, CR LF, blank lines and spaces inside fields are all tolerated; the widths
    // are filled exactly.
    test::writeBytes(dir / "roster.txt",
                     "\xEF\xBB\xBF一班\t张 三\t1001\r\n"
                     "\r\n"
                     " 二班 \t李四\t 1002\n"
                     "计算机应用技术班\t司马长风长风长风\t12345678901234");
    const auto pack = run("roster-pack roster.txt cj.kcj");
    ASSERT_EQ(pack.exitCode, 0) << pack.err;
    EXPECT_EQ(test::readBytes(dir / "cj.kcj").size(), 3 * (57u + 2));
    EXPECT_EQ(run("scores cj.kcj").out,
              "一班            *张三            .1001          -        \n"
              "二班            *李四            .1002          -        \n"
              "计算机应用技术班*司马长风长风长风.12345678901234-        \n");
}

TEST_F(OlvToolTest, RosterPackRefusesWhatTheExamClientCouldNotUse)
{
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        { "一班\t张三\n", "roster.txt line 1: expected class, name and exam number separated by tabs" },
        { "一.班\t张三\t1001\n", "roster.txt line 1: the class holds \"*\", \".\" or \"-\"" },
        { "一班\t张三\t  \n", "roster.txt line 1: the exam number is empty" },
        { "一班\t张三\t123456789012345\n", "roster.txt line 1: the exam number is longer than 14 bytes" },
        { "一班\t张三\t1001\n一班\t李四\t10 01\n", "roster.txt line 2: exam number 1001 appears twice" },
        { "一班\t张三\t1001\n一班\t\xF0\x9F\x98\x80\t1002\n", "roster.txt line 2: a character that GBK cannot hold" },
    };
    for (const auto& [text, message] : cases) {
        test::writeBytes(dir / "roster.txt", text);
        const auto result = run("roster-pack roster.txt cj.kcj");
        EXPECT_EQ(result.exitCode, 1) << text;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "cj.kcj")) << text;
    }
}

TEST_F(OlvToolTest, AnEmptySettingsFileIsReportedAsSuch)
{
    test::writeBytes(dir / "olvane.dat", "");
    const auto result = run("paper olvane.dat 1001 0");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "olvtool: the settings file olvane.dat is empty or names no question bank\n");
}

TEST_F(OlvToolTest, SettingsSetSavesAsTheExaminersDialogDoes)
{
    ASSERT_EQ(run("settings-defaults olvane.dat").exitCode, 0);
    const auto set = run("settings-set olvane.dat subject= examName= examMinutes=90 earliestHandInMinutes=90 "
                         "multipleChoicePoints=2.25 drawMode=3 fixedNumber=7 reviewMode=1 operatorPassword=ab");
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(test::readBytes(dir / "olvane.dat"),
        "\r\n\r\n90\r\n90\r\n7\r\n50\r\n10\r\n5\r\n1.500000\r\n2.250000\r\n1.000000\r\n3\r\n7\r\n0\r\n1\r\n0\r\n1\r\n1\r\n1\r\n"
        "WordE97.kst\r\ncj.kcj\r\nExaminationTemporary\\daan.txt\r\nbc\r\n");

    // Refused settings leave the file as it was.
    const std::string before = test::readBytes(dir / "olvane.dat");
    for (const char* arguments : { "examMinutes=0", "earliestHandInMinutes=91", "examMinutes=x", "drawMode=4",
             "reviewMode=2", "singleChoicePoints=1,5", "colour=red", "examMinutes" }) {
        const auto result = run(std::string("settings-set olvane.dat ") + arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments;
        EXPECT_FALSE(result.err.empty()) << arguments;
        EXPECT_EQ(test::readBytes(dir / "olvane.dat"), before) << arguments;
    }
}

TEST_F(OlvToolTest, BadArgumentsAndUnreadableFilesFailWithAMessage)
{
    test::writeBytes(dir / "emoji.txt", "●单选题:\n\xF0\x9F\x98\x80\nA\nB\nC\nD\nA\n●多选题:\n●判断题:\n");
    test::writeBytes(dir / "roster.txt", "一班\t张三\t1001\n");
    for (const char* arguments : { "", "nonsense", "bank-text", "bank-text missing.kst", "scores missing.kcj",
             "paper missing.dat 1001 0", "paper olvane.dat 1001 soon", "bank-pack emoji.txt out.kst",
             "roster-pack missing.txt out.kcj", "roster-pack roster.txt nofolder/out.kcj",
             "settings-defaults nofolder/olvane.dat", "settings-set", "settings-set nofolder/olvane.dat" }) {
        const auto result = run(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments;
        EXPECT_FALSE(result.err.empty()) << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.kst"));
}

TEST_F(OlvToolTest, MergesWriteTheLinesOfBothInputsAndRefuseAnInputAsTheNewFile)
{
    test::writeBytes(dir / "a.txt", "1  1001          R\r\r\n");
    test::writeBytes(dir / "b.txt", "0  1002          E\r\r\n");
    for (const char* command : { "merge-scores", "merge-answers" }) {
        const auto merged = run(std::string(command) + " a.txt b.txt new.txt");
        EXPECT_EQ(merged.exitCode, 0) << command;
        EXPECT_EQ(test::readBytes(dir / "new.txt"), "1  1001          R\r\r\n0  1002          E\r\r\n");

        const auto refused = run(std::string(command) + " a.txt b.txt ./a.txt");
        EXPECT_EQ(refused.exitCode, 1) << command;
        EXPECT_FALSE(refused.err.empty());
        EXPECT_EQ(test::readBytes(dir / "a.txt"), "1  1001          R\r\r\n");
    }
}

} // namespace
