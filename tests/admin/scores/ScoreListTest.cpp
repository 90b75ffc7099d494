#include "admin/scores/ScoreList.h"

#include "common/TextFields.h"
#include "support/ReferenceScoreOrder.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <random>

namespace olv {
namespace {

using test::gbk;

using test::record;

std::vector<std::string> gbkLines(const std::vector<std::string>& utf8Lines)
{
    std::vector<std::string> lines;
    for (const std::string& line : utf8Lines)
        lines.push_back(gbk(line));
    return lines;
}

const std::string header = "班级             姓名             考号           得分     ";

TEST(ScoreListTest, WholeListWithTheStatisticsOfHandedInScoresInTheExamAndBlank)
{
    const std::vector<ScoreRecord> records = { record("一班", "甲", "1001", "59"),
        record("一班", "乙", "1002", loginMark()), record("二班", "丙", "1003", "100"),
        record("二班", "丁", "1004", ""), record("二班", "戊", "1005", "60") };
    EXPECT_EQ(scoreListLines(records, ScoreSortOrder::FileOrder),
        gbkLines({ header, "一班             甲               1001           59       ",
            "一班             乙               1002           登陆     ",
            "二班             丙               1003           100      ",
            "二班             丁               1004                    ",
            "二班             戊               1005           60       ",
            "已交卷:3人   正在考试:1人     各分数段人数为:",
            "  0-9:0     10-19:0     20-29:0     30-39:0     40-49:0     ",
            "50-59:1     60-69:1     70-79:0     80-89:0     90以上:1     ",
            "总分数:219    最高分:100  最低分:59   平均分:73.00   及格率:%66.67" }));
}

TEST(ScoreListTest, StatisticsOfNobodyHandedInAndOfTheBandEdges)
{
    struct Case
    {
        std::vector<std::string> scores;
        std::vector<std::string> statistics;
    };
    const Case cases[] = {
        { { "", "登陆" },
            { "已交卷:0人   正在考试:1人     各分数段人数为:",
                "  0-9:0     10-19:0     20-29:0     30-39:0     40-49:0     ",
                "50-59:0     60-69:0     70-79:0     80-89:0     90以上:0     ",
                "总分数:0      最高分:0    最低分:0    平均分:0.00   及格率:%0.00" } },
        // The band edges; any other text counts as handed in with its value as a whole number.
        { { "9", "89", "90", "abc", "-5", "10", "19" },
            { "已交卷:7人   正在考试:0人     各分数段人数为:",
                "  0-9:3     10-19:2     20-29:0     30-39:0     40-49:0     ",
                "50-59:0     60-69:0     70-79:0     80-89:1     90以上:1     ",
                "总分数:212    最高分:90   最低分:-5   平均分:30.29   及格率:%28.57" } },
    };
    for (const Case& c : cases) {
        std::vector<ScoreRecord> records;
        for (const std::string& score : c.scores)
            records.push_back(record("一班", "甲", std::to_string(1000 + records.size()), gbk(score)));
        const std::vector<std::string> lines = scoreListLines(records, ScoreSortOrder::FileOrder);
        EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()), gbkLines(c.statistics)) << c.scores[0];
    }
}

TEST(ScoreListTest, ColumnsAreAsWideAsTheirLongestFieldAndAtLeastFour)
{
    // Hand-made lines keep their fields as they are: short ones, and a long name.
    const std::vector<ScoreRecord> records
        = { { "1", "AVeryLongNameOfTwenty", "7", "85" }, { "12", "Li", "1002", "" } };
    const std::vector<std::string> lines = scoreListLines(records, ScoreSortOrder::FileOrder);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
        gbkLines({ "班级 姓名                  考号 得分 ", "1    AVeryLongNameOfTwenty 7    85   ",
            "12   Li                    1002      " }));
}

TEST(ScoreListTest, DisplayOrderIsTheSelectionSortsOrderWithAllItsTies)
{
    // Few distinct values, so nearly every comparison meets a tie and the exchanges show; the
    // classes in GBK text order 一 (D2BB) > 二 (B6FE) > "9" > "10" > "", sorted downwards.
    const std::vector<std::string> classes = { gbk("一班"), gbk("二班"), "10", "9", "" };
    const std::vector<std::string> scores = { blankScoreField(), loginMark(), "85", "085", "60", "abc", "-3", "100" };
    const std::vector<std::string> examNumbers = { "1001", "1002", "1001 ", "999", gbk("甲") };
    std::mt19937 random(12);
    auto pick = [&](const std::vector<std::string>& values) { return values[random() % values.size()]; };
    for (int round = 0; round < 300; ++round) {
        std::vector<ScoreRecord> records(random() % 120);
        for (ScoreRecord& r : records)
            r = { pick(classes), "n", pick(examNumbers), pick(scores) };
        for (int order = 0; order <= 4; ++order) {
            const auto sortOrder = static_cast<ScoreSortOrder>(order);
            ASSERT_EQ(scoreDisplayOrder(records, sortOrder), test::referenceScoreOrder(records, sortOrder))
                << "round " << round << " order " << order;
        }
    }
}

} // namespace
} // namespace olv
