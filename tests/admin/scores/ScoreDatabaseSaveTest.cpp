// The examiner saves the roster while exam machines log candidates in and hand in.
#include "admin/scores/FakeScoreEditorView.h"
#include "admin/scores/ScoreEditor.h"
#include "common/ScoreDatabase.h"
#include "platform/File.h"
#include "platform/ReplacingWrite.h"
#include "support/ChildProcess.h"
#include "support/FaultCases.h"
#include "support/ScriptedPrompter.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::record;

// One exam machine's visit: the file taken exclusively, the candidate's first line rewritten with
// `score`, or a line appended when the candidate is not on the roster.
bool machineWrites(const std::filesystem::path& path, const ScoreRecord& candidate)
{
    std::optional<File> file = File::open(path, OpenMode::ReadWriteExisting, Sharing::Exclusive);
    if (!file)
        return false;
    if (!findScoreRecord(*file, candidate.examNumber, ScoreMatch::Padded))
        return appendScoreRecord(*file, candidate);
    return test::rewriteScore(*file, candidate.examNumber, candidate.scoreField, ScoreMatch::Padded);
}

class ScoreDatabaseSaveTest : public ::testing::Test
{
protected:
    ScoreDatabaseSaveTest()
    {
        EXPECT_EQ(writeScoreDatabase(path, roster), FileResult::Done);
        editor.load();
    }

    test::TempDir dir;
    std::filesystem::path path = dir / "cj.kcj";
    const std::vector<ScoreRecord> roster = { record("一班", "张三", "1001"), record("一班", "李四", "1002"),
        record("一班", "王五", "1003"), record("一班", "赵六", "1004") };
    test::ScriptedPrompter prompter;
    test::FakeScoreEditorView view;
    ScoreEditor editor { view, prompter, path };
};

TEST_F(ScoreDatabaseSaveTest, WhatMachinesWroteSinceTheLoadIsKeptBesideTheExaminersEdits)
{
    editor.selectLine(2);
    view.type({ gbk("一班"), gbk("李思"), "1002", "90" });
    editor.replaceCurrent();
    view.type({ gbk("二班"), gbk("孙七"), "2001", "" });
    editor.addAtEnd();

    test::ChildProcess machines([&](test::ChildProcess::Link& link) {
        const std::vector<ScoreRecord> visits = { record("一班", "张三", "1001", loginMark()),
            record("一班", "王五", "1003", loginMark()), record("一班", "李四", "1002", loginMark()),
            record("一班", "王五", "1003", "85"), record("三班", "周八", "3001", loginMark()) };
        for (const ScoreRecord& visit : visits) {
            if (!machineWrites(path, visit))
                return 1;
        }
        link.ready();
        return 0;
    });
    ASSERT_TRUE(machines.waitUntilReady());
    ASSERT_EQ(machines.wait(), 0);

    editor.save();
    const std::string saved = test::stored({ record("一班", "张三", "1001", loginMark()),
        record("一班", "李思", "1002", "90"), record("一班", "王五", "1003", "85"), record("一班", "赵六", "1004"),
        record("二班", "孙七", "2001"), record("三班", "周八", "3001", loginMark()) });
    EXPECT_EQ(readBytes(path), saved);
    EXPECT_EQ(prompter.texts(),
        std::vector<std::string> { "成绩库在编辑期间被考试机改写过,存盘时保留了考试机写入的3条记录"
                                   "(登陆标记、成绩或考生自己加入的记录)." });
    EXPECT_EQ(view.lines.size(), 7u);
    EXPECT_FALSE(editor.modified());
    EXPECT_FALSE(std::filesystem::exists(replacementTemporary(path)));

    editor.save(); // nothing new from the machines: the same file, no message
    EXPECT_EQ(readBytes(path), saved);
    EXPECT_EQ(prompter.texts().size(), 1u);
}

TEST_F(ScoreDatabaseSaveTest, AFailedSaveLeavesTheFileAsItWas)
{
    ASSERT_TRUE(machineWrites(path, record("一班", "张三", "1001", loginMark())));
    const std::string before = readBytes(path);
    editor.deleteCurrent();
    test::FaultGuard guard;
    faults::failOperation(FileOperation::Open, ENOSPC, 1); // the temporary, after the lock

    editor.save();
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "不能写入文件" + path.string() });
    EXPECT_TRUE(editor.modified());
    EXPECT_EQ(editor.records().size(), 3u);
}

// A save whose outcome the examiner did not see wrote the records already: saving them again
// must not double them, nor must a save whose folder sync failed count as failed.
TEST_F(ScoreDatabaseSaveTest, RecordsAlreadyInTheFileAreNotAddedAgain)
{
    std::vector<std::string> loaded;
    std::vector<EditedRecord> edited;
    for (std::size_t line = 0; line < roster.size(); ++line) {
        loaded.push_back(swapLineBytePairs(formatScoreLine(roster[line])));
        edited.push_back({ roster[line], line });
    }
    edited.push_back({ record("二班", "孙七", "2001"), std::nullopt });
    std::vector<std::string> current = loaded;
    current.push_back(swapLineBytePairs(formatScoreLine(edited.back().record)));
    current.push_back(swapLineBytePairs(formatScoreLine(record("三班", "周八", "3001"))));
    current.push_back(current.back());

    const CarriedOver carried = carryOverMachineChanges(loaded, edited, current);
    std::vector<EditedRecord> expected = edited;
    expected.push_back({ record("三班", "周八", "3001"), 5 });
    EXPECT_EQ(carried.records, expected);
    EXPECT_EQ(carried.count, 1u);
    // A source line past the end of either list (the file cut short since the load) is left alone.
    const std::vector<std::string> cut(loaded.begin(), loaded.end() - 1);
    EXPECT_EQ(carryOverMachineChanges(loaded, edited, cut).records, edited);
    EXPECT_EQ(carryOverMachineChanges(cut, edited, loaded).records, edited);

    view.type({ gbk("二班"), gbk("孙七"), "2001", "" });
    editor.addAtEnd();
    {
        test::FaultGuard guard;
        faults::failOperation(FileOperation::Sync, EIO, 1); // the folder's, after the rename
        editor.save();
    }
    editor.save();
    EXPECT_EQ(
        readBytes(path), test::stored({ roster[0], roster[1], roster[2], roster[3], record("二班", "孙七", "2001") }));
    EXPECT_TRUE(prompter.texts().empty());
}

} // namespace
} // namespace olv
