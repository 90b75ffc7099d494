#include "admin/room/RoomSnapshot.h"

#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "platform/Gbk.h"
#include "support/ChildProcess.h"
#include "support/LockWait.h"
#include "support/ScriptedPrompter.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::writeBytes;

using test::stored;

const ScoreRecord zhang { gbk("一班"), gbk("张三"), "1001", "85" };
const ScoreRecord li { gbk("一班"), gbk("李四"), "1002", loginMark() };
const ScoreRecord wang { gbk("二班"), gbk("王五"), "1003", blankScoreField() };
const ScoreRecord zhao { gbk("一班"), gbk("赵六"), "1004", blankScoreField() };

// One line per tile: class name number state [first change].
std::vector<std::string> summary(const RoomSnapshot& room)
{
    std::vector<std::string> lines;
    for (const RoomTile& tile : room.tiles()) {
        std::string line = gbkToUtf8(removeSpaces(tile.record.schoolClass) + " " + removeSpaces(tile.record.name)) + " "
            + removeSpaces(tile.record.examNumber) + " " + candidateStateCaption(tile.state);
        if (tile.changedAt)
            line += " @" + std::to_string(*tile.changedAt);
        lines.push_back(line);
    }
    return lines;
}

// An exam machine: marks 1003 as logged in and hands in 1002 with 77, then keeps the database
// locked until told to go.
int examMachine(const std::filesystem::path& path, test::ChildProcess::Link& link)
{
    std::optional<File> file = File::open(path, OpenMode::ReadWriteExisting, Sharing::Exclusive);
    if (!file)
        return 1;
    const std::pair<const char*, std::string> changes[] = { { "1003", loginMark() }, { "1002", "77" } };
    for (const auto& [number, score] : changes)
        if (!test::rewriteScore(*file, number, score, ScoreMatch::SpaceFree))
            return 2;
    if (!file->sync())
        return 4;
    link.ready();
    link.waitForGo();
    return 0;
}

TEST(RoomSnapshotTest, FollowsASecondProcessWritingTheDatabaseAndKeepsTheTilesWhileItIsHeld)
{
    test::TempDir dir;
    const std::filesystem::path path = dir / "cj.kcj";
    writeBytes(path, stored({ zhang, li, wang, zhao }));
    FixedClock clock(1000);
    RoomSnapshot room(path, clock);
    ASSERT_TRUE(room.refresh());
    // Grouped by class in the order the classes first appear.
    EXPECT_EQ(summary(room),
        (std::vector<std::string> {
            "一班 张三 1001 已交卷", "一班 李四 1002 考试中", "一班 赵六 1004 未考", "二班 王五 1003 未考" }));
    EXPECT_EQ(room.counts(), (std::array<int, 3> { 2, 1, 1 }));

    test::LockWaitBudget noWait(std::chrono::milliseconds(0));
    test::ChildProcess machine([&path](test::ChildProcess::Link& link) { return examMachine(path, link); });
    ASSERT_TRUE(machine.waitUntilReady());
    const std::string whileHeld = readBytes(path);
    clock.set(1005);
    EXPECT_FALSE(room.refresh());
    EXPECT_EQ(room.status(), "不能读取成绩库" + path.string() + ": 文件不能打开或正被其他机器使用");
    EXPECT_EQ(room.counts(), (std::array<int, 3> { 2, 1, 1 }));
    machine.go();
    ASSERT_EQ(machine.wait(), 0);

    clock.set(1010);
    ASSERT_TRUE(room.refresh());
    clock.set(1015);
    ASSERT_TRUE(room.refresh()); // unchanged states keep the time they were first seen to change
    EXPECT_EQ(summary(room),
        (std::vector<std::string> { "一班 张三 1001 已交卷", "一班 李四 1002 已交卷 @1010", "一班 赵六 1004 未考",
            "二班 王五 1003 考试中 @1010" }));
    EXPECT_EQ(room.counts(), (std::array<int, 3> { 1, 1, 2 }));
    EXPECT_EQ(readBytes(path), whileHeld); // reading never writes

    std::filesystem::remove(path);
    EXPECT_FALSE(room.refresh());
    EXPECT_EQ(room.status(), "不能读取成绩库" + path.string() + ": 文件不存在");
    EXPECT_EQ(room.tiles().size(), 4u);
}

TEST(RoomSnapshotTest, RetakeAsksTheScoreListQuestionForAHandedInScoreAndClearsIt)
{
    test::TempDir dir;
    const std::filesystem::path path = dir / "cj.kcj";
    writeBytes(path, stored({ zhang, li }));
    FixedClock clock(1000);
    RoomSnapshot room(path, clock);
    ASSERT_TRUE(room.refresh());
    test::ScriptedPrompter prompter;
    prompter.answerConfirms({ false, true });
    room.retake(0, prompter); // declined
    clock.set(1020);
    room.retake(0, prompter);
    room.retake(1, prompter); // in the exam: no question
    room.retake(7, prompter);
    const std::string question = "一班  张三  1001\n得分是:85\n点击确定将清除其考试成绩重考.清除后将不能恢复.";
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { question, question, "请选择要需要重新考试的考生记录" }));
    EXPECT_EQ(summary(room), (std::vector<std::string> { "一班 张三 1001 未考 @1020", "一班 李四 1002 未考 @1020" }));
    ScoreRecord cleared = zhang, clearedLi = li;
    cleared.scoreField = clearedLi.scoreField = blankScoreField();
    EXPECT_EQ(readBytes(path), stored({ cleared, clearedLi }));
}

} // namespace
} // namespace olv
