// olvtool writes the very bytes the examiner's dialogs write.
#include "admin/bank/BankCopy.h"
#include "admin/bank/BankMerge.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "support/BankTexts.h"
#include "support/PaperSettings.h"
#include "support/ScriptedPrompter.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace olv;
using namespace olv::test;

namespace {

const char* const bankText
    = "●单选题:\n单1/n第二行\n甲\n乙\n丙\n丁\na\n单2\n甲\n乙\n丙\n丁\nB\n单3\n甲\n乙\n丙\n丁\nc\n"
      "●多选题:\n多4\n甲\n乙\n丙\n丁\ndb\n多5\n一\n二\n\n四\nca\n●判断题:\n判6\nb\n判7\nA\n";

struct NoView : BankCopyView
{
    void showEntries(std::vector<RenderedLine>) override { }
    void showEntry(std::size_t, const RenderedLine&) override { }
    void selectEntry(std::size_t) override { }
    void selectLine(std::size_t) override { }
    void showAnswer(const std::string&) override { }
};

class BankOutputToolTest : public ::testing::Test
{
protected:
    BankOutputToolTest() { writeBytes(dir / "bank.kst", bankBytes(bankText)); }

    int run(const std::string& arguments)
    {
        const auto command = "cd '" + dir.path().string() + "' && '" OLVTOOL_PATH "' " + arguments + " 2>err.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The command succeeds and its file holds the bytes the dialog wrote.
    void expectAsDialog(const std::string& arguments, const char* toolFile, const char* dialogFile)
    {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(run(arguments), 0);
        EXPECT_EQ(readBytes(dir / toolFile), readBytes(dir / dialogFile));
    }

    TempDir dir;
    WorkingDirectory inDir { dir.path() };
    ScriptedPrompter prompter;
    NoView view;
};

TEST_F(BankOutputToolTest, CopyAndExportAsTheDialog)
{
    BankCopy copy(*readQuestionBank("bank.kst", "stk.bak").bank, view, prompter);
    copy.open();
    for (std::size_t entry : { 1, 4 }) {
        copy.entrySelected(entry);
        copy.toggleSelected();
    }
    prompter.answerSaveName("dialog.kst");
    copy.saveTicked();
    prompter.answerSaveName("dialog.txt");
    copy.exportText();

    expectAsDialog("bank-select bank.kst tool.kst 5 2", "tool.kst", "dialog.kst");
    expectAsDialog("bank-export bank.kst tool.txt", "tool.txt", "dialog.txt");
}

TEST_F(BankOutputToolTest, PaperAndKeyAsPdf)
{
    ExamSettings settings = paperSettings("bank.kst", { 2, 1, 2 }, DrawMode::Random);
    settings.examName = gbk("期中");
    settings.subject = gbk("数学");
    settings.singleChoicePoints = 2.5f;
    settings.shuffleQuestions = 1;
    ASSERT_TRUE(writeExamSettings(dir / "olvane.dat", settings));
    // The text outputs, as the dialog writes them, are AdminEndToEndTest's.
    // The PDFs hold the title, the fill-in lines, the grouped stems and the key as text.
    ASSERT_EQ(run("written-paper --pdf olvane.dat 1733500000 paper.pdf"), 0);
    ASSERT_EQ(run("answer-key --pdf olvane.dat 1733500000 key.pdf"), 0);
    ASSERT_EQ(
        std::system(("cd '" + dir.path().string() + "' && pdftotext -layout paper.pdf && pdftotext key.pdf").c_str()),
        0);
    const std::string paper = readBytes(dir / "paper.txt");
    for (const char* expected : { "期中", "数学", "班级:", "姓名:", "考号:", "一、单选题 (每题2.5分, 共2题)", "A. 甲",
             "二、多选题", "三、判断题", "判", "1\n\f" })
        EXPECT_NE(paper.find(expected), std::string::npos) << expected;
    const std::string key = readBytes(dir / "key.txt");
    for (const char* expected : { "数学标准答案", "题号", "答案", "多选题" })
        EXPECT_NE(key.find(expected), std::string::npos) << expected;
}

TEST_F(BankOutputToolTest, ImportsWhatItExportsAndNamesEachRefusal)
{
    // The round trip keeps the text of a bank whose answers are in their stored form.
    writeBytes(dir / "bank.kst",
        bankBytes(
            "●单选题:\n单1/n第二行\n甲\n乙\n丙\n丁\nA\n单2\n甲\n乙\n丙\n\nC\n●多选题:\n多3\n<&>\n\"\n丙\n丁\nABD\n"
            "●判断题:\n判4\nB\n判5\nA\n"));
    ASSERT_EQ(run("bank-export-moodle bank.kst bank.xml"), 0);
    ASSERT_EQ(run("bank-import bank.xml back.kst"), 0);
    ASSERT_EQ(run("bank-text bank.kst > a.txt && '" OLVTOOL_PATH "' bank-text back.kst > b.txt"), 0);
    EXPECT_EQ(readBytes(dir / "b.txt"), readBytes(dir / "a.txt"));

    writeBytes(dir / "q.gift", "好{=a ~b}\n\n作文{}\n");
    EXPECT_EQ(run("bank-import q.gift q.kst"), 1);
    EXPECT_EQ(readBytes(dir / "err.txt"),
        "第3行\t问答题不能导入\nolvtool: 单选题 1 道, 多选题 0 道, 判断题 0 道; 不能导入 1 道\n");
    writeBytes(dir / "bad.gift", "好{=a ~b\n");
    EXPECT_EQ(run("bank-import bad.gift bad.kst"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.kst"));
}

TEST_F(BankOutputToolTest, MergeAsTheDialogAndRefusalsWriteNothing)
{
    writeBytes(dir / "other.kst", bankBytes("●单选题:\n●多选题:\n●判断题:\n判\nb\n"));
    BankMerge merge(prompter);
    merge.first = "bank.kst";
    merge.second = "other.kst";
    merge.target = "dialog.kst";
    ASSERT_EQ(merge.merge(), BankMergeOutcome::Merged);
    expectAsDialog("bank-merge bank.kst other.kst tool.kst", "tool.kst", "dialog.kst");

    ExamSettings settings = adminDefaults();
    settings.bankFile = "absent.kst";
    ASSERT_TRUE(writeExamSettings(dir / "olvane.dat", settings));
    for (const char* refused : { "bank-merge bank.kst ./bank.kst out", "bank-merge bank.kst absent.kst out",
             "bank-select bank.kst out 8", "bank-select bank.kst out", "bank-select bank.kst out x",
             "written-paper absent.dat 1 out", "answer-key olvane.dat 1 out", "bank-export absent.kst out" }) {
        SCOPED_TRACE(refused);
        EXPECT_EQ(run(refused), 1);
        EXPECT_FALSE(std::filesystem::exists(dir / "out"));
        EXPECT_FALSE(readBytes(dir / "err.txt").empty());
    }
}

} // namespace
