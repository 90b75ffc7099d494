#include "admin/merge/FileMerge.h"

#include "admin/merge/FileMergeTool.h"
#include "common/ScoreDatabase.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::readBytes;
using test::writeBytes;
using Strings = std::vector<std::string>;

std::string scoreDatabase(int first, int count)
{
    std::string bytes;
    for (int number = first; number < first + count; ++number)
        bytes += swapLineBytePairs(formatScoreLine({ "c", "n", std::to_string(number), "" })) + "\r\n";
    return bytes;
}

class FileMergeTest : public ::testing::Test
{
protected:
    test::TempDir dir;
};

TEST_F(FileMergeTest, LinesOfTheFirstThenOfTheSecondAsTheyWere)
{
    struct Case
    {
        MergeKind kind;
        std::string first;
        std::string second;
        std::string merged;
    };
    const std::vector<Case> cases = {
        // Two whole score databases are FileMergeToolTest's.
        { MergeKind::ScoreDatabases, "", scoreDatabase(1, 2), scoreDatabase(1, 2) },
        // Answer sheet records end with CR CR LF; a last line without its end gets one.
        { MergeKind::AnswerSheets, "3  1001          *R*E*\r\r\n", "2  1002          RE\r\r\nx",
            "3  1001          *R*E*\r\r\n2  1002          RE\r\r\nx\r\n" },
    };
    for (const Case& c : cases) {
        writeBytes(dir / "a", c.first);
        writeBytes(dir / "b", c.second);
        EXPECT_EQ(mergeFiles(c.kind, dir / "a", dir / "b", dir / "new"), MergeOutcome::Done);
        EXPECT_EQ(readBytes(dir / "new"), c.merged);
    }
}

TEST_F(FileMergeTest, AnInputIsNeverTheNewFile)
{
    std::filesystem::create_directory(dir / "sub");
    writeBytes(dir / "a.kcj", scoreDatabase(1, 3));
    writeBytes(dir / "b.kcj", scoreDatabase(4, 3));
    writeBytes(dir / "new.kcj.new", scoreDatabase(7, 1)); // the name the merge would write through
    for (const auto& newFile : { dir / "sub" / ".." / "a.kcj", dir.path() / "." / "b.kcj" }) {
        EXPECT_EQ(mergeFiles(MergeKind::ScoreDatabases, dir / "a.kcj", dir / "b.kcj", newFile),
            MergeOutcome::NewFileIsAnInput);
    }
    EXPECT_EQ(mergeFiles(MergeKind::AnswerSheets, dir / "a.kcj", dir / "new.kcj.new", dir / "new.kcj"),
        MergeOutcome::NewFileIsAnInput);
    EXPECT_EQ(readBytes(dir / "a.kcj"), scoreDatabase(1, 3));
    EXPECT_EQ(readBytes(dir / "b.kcj"), scoreDatabase(4, 3));
    EXPECT_EQ(readBytes(dir / "new.kcj.new"), scoreDatabase(7, 1));
}

class FakeMergeView : public FileMergeView
{
public:
    void showPath(MergePath which, const std::string& utf8Path) override
    {
        shown[static_cast<std::size_t>(which)] = utf8Path;
    }
    void closeWindow() override { closed = true; }

    std::array<std::string, 3> shown;
    bool closed = false;
};

class FileMergeToolTest : public FileMergeTest
{
protected:
    static void choose(FileMergeTool& tool, test::ScriptedPrompter& prompter, const std::string& first,
        const std::string& second, const std::string& newFile)
    {
        prompter.answerOpenFile(first);
        prompter.answerOpenFile(second);
        prompter.answerSaveFile(newFile);
        tool.choose(MergePath::First);
        tool.choose(MergePath::Second);
        tool.choose(MergePath::NewFile);
    }

    std::string at(const char* name) const { return (dir / name).string(); }

    test::ScriptedPrompter prompter;
    FakeMergeView view;
};

TEST_F(FileMergeToolTest, ScoreMergeAddsItsExtensionAndStaysOpenForTheNext)
{
    writeBytes(dir / "a.kcj", scoreDatabase(1, 2));
    writeBytes(dir / "b.kcj", scoreDatabase(3, 2));
    FileMergeTool tool(MergeKind::ScoreDatabases, view, prompter);
    tool.merge();
    choose(tool, prompter, at("a.kcj"), at("a.kcj"), at("new"));
    tool.merge();
    prompter.answerOpenFile(at("b.kcj"));
    tool.choose(MergePath::Second);
    tool.merge();

    EXPECT_EQ(view.shown, (std::array<std::string, 3> { at("a.kcj"), at("b.kcj"), at("new.kcj") }));
    EXPECT_EQ(prompter.texts(),
        (Strings { "请选择文件", "成绩库文件1与成绩库文件2不能为同一个文件.\n请重新选择", "合并完成" }));
    EXPECT_EQ(prompter.prompts()[1], test::openFilePrompt("成绩库文件(*.kcj)|*.kcj|所有文件(*.*)|*.*|"));
    EXPECT_EQ(prompter.prompts()[3], test::saveFilePrompt("请输入新成绩库文件(*.kcj)|NULL|"));
    EXPECT_EQ(readBytes(dir / "new.kcj"), scoreDatabase(1, 4));
    EXPECT_FALSE(view.closed);
}

TEST_F(FileMergeToolTest, FailuresNameTheFileCloseTheDialogAndLeaveNoNewFile)
{
    writeBytes(dir / "a.txt", "1  1001          R\r\r\n");
    struct Case
    {
        MergeKind kind;
        std::array<const char*, 3> files;
        std::string message;
    };
    const std::vector<Case> cases = {
        { MergeKind::AnswerSheets, { "a.txt", "missing.txt", "new" }, "不能打开答题卷文件:" + at("missing.txt") },
        { MergeKind::AnswerSheets, { "a.txt", "b.txt", "no/new" }, "不能新建答题卷文件:" + at("no/new") },
        { MergeKind::ScoreDatabases, { "missing.kcj", "a.txt", "new.kcj" }, "不能打开成绩库" + at("missing.kcj") },
    };
    for (const Case& c : cases) {
        FakeMergeView fresh;
        test::ScriptedPrompter scripted;
        FileMergeTool tool(c.kind, fresh, scripted);
        choose(tool, scripted, at(c.files[0]), at(c.files[1]), at(c.files[2]));
        tool.merge();
        EXPECT_EQ(scripted.texts(), Strings { c.message });
        EXPECT_TRUE(fresh.closed);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "new"));
    EXPECT_FALSE(std::filesystem::exists(dir / "new.kcj"));
    EXPECT_EQ(readBytes(dir / "a.txt"), "1  1001          R\r\r\n");
}

} // namespace
} // namespace olv
