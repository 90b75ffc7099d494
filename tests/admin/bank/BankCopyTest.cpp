// Ticking, saving the ticked questions and the text export, on real files in a temp folder.
#include "admin/bank/BankCopy.h"

#include "common/QuestionBankFile.h"
#include "platform/Gbk.h"
#include "support/BankTexts.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace olv;
using namespace olv::test;

namespace {

// S = 3, M = 2, T = 1; answers lower-case or unsorted; stems of two and three lines.
const char* const sourceBank = "●单选题:\n第一题\n甲\n乙\n丙\n丁\na\n第二题/n续行\n一\n二\n三\n四\nb\n"
                               "第三题\nA1\nB1\nC1\nD1\nc\n"
                               "●多选题:\n第四题\n甲\n乙\n丙\n丁\ndba\n第五题/n/n末行\n一\n二\n\n四\ncA\n"
                               "●判断题:\n第六题\nb\n";

// What the window shows, in UTF-8.
struct FakeCopyView : BankCopyView
{
    void showEntries(std::vector<RenderedLine> all) override
    {
        entries.clear();
        for (const auto& entry : all)
            entries.push_back(gbkToUtf8(entry.text));
    }
    void showEntry(std::size_t entry, const RenderedLine& text) override { entries.at(entry) = gbkToUtf8(text.text); }
    void selectEntry(std::size_t entry) override { selectedEntry = entry; }
    void selectLine(std::size_t row) override { selectedLine = row; }
    void showAnswer(const std::string&) override { }

    std::vector<std::string> entries;
    std::size_t selectedEntry = 99;
    std::size_t selectedLine = 99;
};

class BankCopyTest : public ::testing::Test
{
protected:
    BankCopyTest()
        : copy(parseQuestionBankText(crlfText(sourceBank)), view, prompter)
    {
        copy.open();
    }

    void tick(std::initializer_list<std::size_t> entries)
    {
        for (std::size_t entry : entries) {
            copy.entrySelected(entry);
            copy.toggleSelected();
        }
    }

    TempDir dir;
    WorkingDirectory inDir { dir.path() };
    FakeCopyView view;
    ScriptedPrompter prompter;
    BankCopy copy;
};

TEST_F(BankCopyTest, SelectTogglesAndWalksDownButNotPastTheLastEntry)
{
    // A tick moving to the next entry and its line is BankDialogsTest's, through the window.
    copy.lineSelected(0); // the first heading changes nothing
    EXPECT_EQ(view.selectedEntry, 0u);
    tick({ 5 });
    EXPECT_EQ(view.entries[5], "6--√");
    EXPECT_EQ(view.selectedEntry, 5u);
    copy.toggleSelected();
    EXPECT_EQ(view.entries[5], "6--");

    copy.tickAll(true);
    EXPECT_EQ(view.entries, (std::vector<std::string> { "1--√", "2--√", "3--√", "4--√", "5--√", "6--√" }));
    EXPECT_EQ(view.selectedEntry, 0u);
    copy.tickAll(false);
    EXPECT_EQ(view.entries[3], "4--");
}

TEST_F(BankCopyTest, NothingTickedAsksForNoName)
{
    copy.saveTicked();
    EXPECT_EQ(prompter.prompts(), (std::vector { messagePrompt("请您选择试题.") }));
}

TEST_F(BankCopyTest, TickedQuestionsBecomeANewBankWithStoredAnswers)
{
    tick({ 1, 4 });
    prompter.answerSaveName("small");
    copy.saveTicked();
    EXPECT_EQ(readBytes(dir / "small.kst"),
        bankBytes("●单选题:\n第二题/n续行\n一\n二\n三\n四\nB\n●多选题:\n第五题/n/n末行\n一\n二\n\n四\nAC\n●判断题:\n"));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { "复制完成" }));
}

TEST_F(BankCopyTest, OverwriteIsAskedForEverySpellingOfAnExistingFile)
{
    writeBytes(dir / "old.kst", "old");
    tick({ 0 });
    prompter.answerSaveName((dir / "old.kst").string());
    prompter.answerConfirm(false);
    copy.saveTicked();
    prompter.answerSaveName("./old.kst");
    prompter.answerConfirm(false);
    copy.exportText();

    EXPECT_EQ(readBytes(dir / "old.kst"), "old");
    EXPECT_EQ(prompter.texts(),
        (std::vector<std::string> {
            (dir / "old.kst").string() + " 文件已经存在,覆盖它吗?", "./old.kst 文件已经存在,覆盖它吗?" }));
    EXPECT_EQ(prompter.prompts()[1].caption, "覆盖文件");
}

TEST_F(BankCopyTest, ExportWritesTheListWithAnswersOnFirstLines)
{
    prompter.answerSaveName("all");
    copy.exportText();
    const std::string options = "A、甲        B、乙        C、丙        D、丁        \n";
    EXPECT_EQ(readBytes(dir / "all.txt"),
        crlfText("    ●单选题:只能选一个答案\n(A)    1、第一题\n" + options
            + "(B)    2、第二题\n续行\n"
              "A、一        B、二        C、三        D、四        \n(C)    3、第三题\n"
              "A、A1        B、B1        C、C1        D、D1        \n"
              "    ●多选题:错选漏选均不得分\n(ABD)    4、第四题\n"
            + options
            + "(AC)    5、第五题\n\n末行\n"
              "A、一        B、二        D、四        \n"
              "    ●判断题:正确为A;错误为B\n(B)    6、第六题\n"));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { "已将当前题库中的所有试题及答案保存到文本文件all.txt" }));
}

TEST_F(BankCopyTest, FailedWritesAreToldAndLeaveTheDialogUsable)
{
    tick({ 0 });
    prompter.answerSaveName((dir / "missing" / "x.kst").string());
    copy.saveTicked();
    prompter.answerSaveName((dir / "missing" / "x.txt").string());
    copy.exportText();
    EXPECT_EQ(prompter.texts(),
        (std::vector<std::string> { "不能创建临时文件", "不能打开" + (dir / "missing" / "x.txt").string() + "文件" }));
}

} // namespace
