// The score list, answer analysis and retake of the examiner's program, from olvtool.
#include "common/ScoreDatabase.h"
#include "support/OlvToolRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace olv {
namespace {

using test::gbk;

class ScoreToolsTest : public ::testing::Test
{
protected:
    test::ToolRun run(const std::string& arguments) const { return test::runOlvtool(m_dir.path(), arguments); }

    void writeScores(const std::vector<ScoreRecord>& records, const std::string& extraStoredLine = {}) const
    {
        std::string bytes;
        for (const ScoreRecord& record : records)
            bytes += swapLineBytePairs(formatScoreLine(record)) + "\r\n";
        test::writeBytes(m_dir / "cj.kcj", bytes + extraStoredLine);
    }

    test::TempDir m_dir;
};

const std::string statistics = "已交卷:2人   正在考试:1人     各分数段人数为:\n"
                               "  0-9:0     10-19:0     20-29:0     30-39:0     40-49:0     \n"
                               "50-59:1     60-69:0     70-79:0     80-89:1     90以上:0     \n"
                               "总分数:144    最高分:85   最低分:59   平均分:72.00   及格率:%50.00\n";

TEST_F(ScoreToolsTest, ScoreListPrintsTheSavedListInTheChosenOrder)
{
    writeScores({ { gbk("一班"), gbk("张三"), "1001", "59" }, { gbk("一班"), gbk("李四"), "1002", loginMark() },
                    { gbk("二班"), gbk("王五"), "1003", "85" } },
        "not a record\r\n");
    const std::string header = "班级             姓名             考号           得分     \n";
    const std::string zhang = "一班             张三             1001           59       \n";
    const std::string li = "一班             李四             1002           登陆     \n";
    const std::string wang = "二班             王五             1003           85       \n";
    struct Case
    {
        std::string order;
        std::string records;
    };
    for (const Case& c :
        { Case { "", zhang + li + wang }, Case { " 0", wang + zhang + li }, Case { " 4", zhang + li + wang } }) {
        const test::ToolRun list = run("score-list cj.kcj" + c.order);
        EXPECT_EQ(list.exitCode, 0) << c.order;
        EXPECT_EQ(list.out, header + c.records + statistics) << c.order;
        EXPECT_EQ(list.err, "olvtool: cj.kcj line 4: not a record, left out\n");
    }
}

// The answer analysis and item statistics of good answer sheets, and files that are not what
// their reader expects: each of those is refused (or its damage left out) with a message, at once
// and without holding more memory than the file needs.
TEST_F(ScoreToolsTest, AnswerSheetViewsAndHostileInputsGiveExactlyTheirOutput)
{
    test::writeBytes(m_dir / "answers.txt", "67 1001          RRE\r\r\n33 1002          RE*\r\r\n");
    test::writeBytes(
        m_dir / "stats.txt", "100 1001         RR*\r\r\n50 1002          RE*\r\r\n0  1003          EE*\r\r\n");
    ASSERT_EQ(::mkfifo((m_dir / "fifo").c_str(), 0600), 0);
    test::writeBytes(m_dir / "empty.kst", "");
    // A first line longer than the record of a bank at the question cap, then a real record.
    test::writeBytes(m_dir / "daan.txt",
        "67 1001          " + std::string(2'000'000, 'R') + "\r\r\n" + "33 1002          RE*\r\r\n");
    test::writeBytes(m_dir / "cj.kcj", "");
    std::filesystem::resize_file(m_dir / "cj.kcj", scoreDatabaseSizeLimit + 1); // sparse: no disk taken
    struct Case
    {
        std::string command;
        int exitCode;
        std::string err;
        std::string out = "";
    };
    const std::string notRegular = ": not a regular file\n";
    const std::string missing = "olvtool: cannot open missing.txt: no such file\n";
    const Case cases[] = {
        // Every line of the analysis ends with LF alone.
        { "answer-list answers.txt", 0, "",
            "各考生答题情况: *--未做此题,E--错误,R--正确\n得分考号          123\n67 1001          RRE\n"
            "33 1002          RE*\n各题对错情况： /前为正确人数,/后为错误人数\n1:2/0 2:1/1 3:0/1 \n" },
        { "item-stats stats.txt", 0, "",
            "question\tcandidates\tright\twrong\tfacility\tdiscrimination\tpoint_biserial\n"
            "1\t3\t2\t1\t0.667\t1.000\t0.866\n2\t3\t1\t2\t0.333\t1.000\t0.866\n3\t0\t0\t0\t-\t-\t-\n"
            "KR-20\t0.667\t2\n" },
        { "answer-list missing.txt", 1, missing },
        { "score-list cj.kcj 5", 1,
            "olvtool: ORDER is 0 (score), 1 (exam number), 2 (class, score), 3 (class, exam number) or 4 (file "
            "order): usage: olvtool score-list SCOREFILE [ORDER]\n" },
        { "score-list fifo", 1, "olvtool: cannot open fifo" + notRegular },
        { "bank-check fifo", 1, "olvtool: cannot open fifo: not a regular file (the question bank)\n" },
        { "bank-check empty.kst", 1, "olvtool: empty.kst holds no question bank: not one question in it\n" },
        { "answer-list daan.txt", 0,
            "olvtool: daan.txt line 1: longer than the record of a bank of 1000000 questions, left out\n",
            "各考生答题情况: *--未做此题,E--错误,R--正确\n得分考号          123\n33 1002          RE*\n"
            "各题对错情况： /前为正确人数,/后为错误人数\n1:1/0 2:0/1 3:0/0 \n" },
        { "score-list cj.kcj", 1,
            "olvtool: cj.kcj is larger than a score database can be (67108864 bytes): not read\n" },
    };
    for (const Case& c : cases) {
        const test::ToolRun run = this->run(c.command);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
        EXPECT_EQ(run.err, c.err) << c.command;
        EXPECT_EQ(run.out, c.out) << c.command;
    }
}

TEST_F(ScoreToolsTest, RetakeClearsTheFirstMatchingScoreOnly)
{
    const ScoreRecord zhang { gbk("一班"), gbk("张三"), "1001", "59" };
    const ScoreRecord wang { gbk("二班"), gbk("王五"), "1003", "85" };
    writeScores({ zhang, wang, wang });
    const test::ToolRun retake = run("retake cj.kcj ' 1003 '");
    EXPECT_EQ(retake.exitCode, 0) << retake.err;
    EXPECT_EQ(retake.out, "score field cleared, was: 二班            *王五            .1003          -85      \n");
    EXPECT_EQ(test::readBytes(m_dir / "cj.kcj"),
        swapLineBytePairs(formatScoreLine(zhang)) + "\r\n"
            + swapLineBytePairs(formatScoreLine({ wang.schoolClass, wang.name, "1003", "" })) + "\r\n"
            + swapLineBytePairs(formatScoreLine(wang)) + "\r\n");
    const test::ToolRun missing = run("retake cj.kcj 1009");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

} // namespace
} // namespace olv
