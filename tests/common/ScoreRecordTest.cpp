#include "common/ScoreRecord.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace olv {
namespace {

using test::gbk;

TEST(ScoreRecordTest, RecordOfTwoCharacterClassAndNameIs57Bytes)
{
    const ScoreRecord record { gbk("一班"), gbk("张三"), "1001", blankScoreField() };
    const std::string plain = formatScoreLine(record);
    const std::string expectedPlain = "\xD2\xBB\xB0\xE0" + std::string(12, ' ') + "*" + "\xD5\xC5\xC8\xFD"
        + std::string(12, ' ') + "." + "1001" + std::string(10, ' ') + "-" + std::string(8, ' ');
    ASSERT_EQ(plain, expectedPlain);
    ASSERT_EQ(plain.size(), 57u);

    const std::string stored = swapLineBytePairs(plain);
    const std::string expectedStored = "\xBB\xD2\xE0\xB0" + std::string(12, ' ') + "\xD5*\xC8\xC5 \xFD"
        + std::string(10, ' ') + ". 0110" + std::string(10, ' ') + " -" + std::string(7, ' ');
    EXPECT_EQ(stored, expectedStored);
    EXPECT_EQ(stored[56], plain[56]);
    EXPECT_EQ(swapLineBytePairs(stored), plain);
}

TEST(ScoreRecordTest, FieldsLongerThanTheirWidthStayWhole)
{
    const ScoreRecord record { "classthatis17byte", "n", "123456789012345", "123456789" };
    EXPECT_EQ(formatScoreLine(record), "classthatis17byte*n" + std::string(15, ' ') + ".123456789012345-123456789");
}

struct SplitCase
{
    std::string line;
    ScoreRecord client;
    std::optional<ScoreRecord> admin;
};

TEST(ScoreRecordTest, SplittingRulesOnWellFormedAndOddLines)
{
    const SplitCase cases[] = {
        { "c*n.1001-85", { "c", "n", "1001", "85" }, ScoreRecord { "c", "n", "1001", "85" } },
        { "c *n .1001 -85 ", { "c ", "n ", "1001 ", "85 " }, ScoreRecord { "c ", "n ", "1001 ", "85 " } },
        { "c*n.1001", { "c", "n", "1001", "" }, std::nullopt },
        { "c*n1001-85", { "c", "", "", "85" }, std::nullopt },
        { "cn.1001-85", { "", "", "1001", "85" }, std::nullopt },
        { "", { "", "", "", "" }, std::nullopt },
        { "*.-", { "", "", "", "" }, ScoreRecord { "", "", "", "" } },
        // Separators out of order: the admin rule refuses, the client rule keeps what it can.
        { "c.n*1001-85", { "c.n", "", "n*1001", "85" }, std::nullopt },
        // Repeated separators: the client takes last "*", last "." and last "-" where the rule says so.
        { "a*b*c.d.1001-x-85", { "a", "c", "1001", "85" }, ScoreRecord { "a", "b*c", "d.1001", "x-85" } },
        { "c*n.10-01.2002-9", { "c", "n", "2002", "9" }, ScoreRecord { "c", "n", "10", "01.2002-9" } },
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(splitScoreLineClientRule(c.line), c.client) << "'" << c.line << "'";
        EXPECT_EQ(splitScoreLineAdminRule(c.line), c.admin) << "'" << c.line << "'";
    }
}

} // namespace
} // namespace olv
