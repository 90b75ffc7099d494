#include "admin/answers/AnswerAnalysis.h"

#include "admin/FakeListView.h"
#include "admin/answers/AnswerAnalysisViewer.h"
#include "admin/answers/ItemStatistics.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;

const std::string legend = "各考生答题情况: *--未做此题,E--错误,R--正确";
const std::string countsHeading = "各题对错情况： /前为正确人数,/后为错误人数";

// An answer sheet line as read back: score, exam number, marks and the CR of its CR CR LF.
std::string sheetLine(const std::string& score, const std::string& examNumber, const std::string& marks)
{
    return score + std::string(3 - score.size(), ' ') + examNumber + std::string(14 - examNumber.size(), ' ') + marks
        + "\r";
}

// Legend, header, the lines unchanged and the counts of a whole sheet are the saved file of
// AnswerAnalysisViewerTest and of AdminEndToEndTest.
TEST(AnswerAnalysisTest, HeaderShowsTheTensDigitAtEveryTenthQuestionAndCountsLinesEndPastFiftyBytes)
{
    // The first line fixes 25 questions; a shorter line counts only as far as it reaches, a
    // longer one no further than question 25, and other bytes count as neither.
    const std::vector<std::string> sheet = { sheetLine("1", "1", std::string(25, 'R')),
        sheetLine("2", "2", std::string(3, 'E')), sheetLine("3", "3", std::string(30, 'E')), "short" };
    const std::vector<std::string> lines = answerAnalysisLines(sheet);
    ASSERT_EQ(lines.size(), 2u + sheet.size() + 1 + 4);
    EXPECT_EQ(lines[1], gbk("得分考号          ") + "1234567891123456789212345");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
        (std::vector<std::string> { "1:1/2 2:1/2 3:1/2 4:1/1 5:1/1 6:1/1 7:1/1 8:1/1 9:1/1 ",
            "10:1/1 11:1/1 12:1/1 13:1/1 14:1/1 15:1/1 16:1/1 17:1/1 ",
            "18:1/1 19:1/1 20:1/1 21:1/1 22:1/1 23:1/1 24:1/1 25:1/1 ", "" }));
    // The tens digit of 100 and 110.
    EXPECT_EQ(answerAnalysisLines({ sheetLine("", "", std::string(110, '*')) })[1].substr(18 + 99), "01234567891");
}

// Each sheet worked out by hand; the table as olvtool prints it.
TEST(ItemStatisticsTest, EachRuleOnAHandCheckedSheet)
{
    const std::string header = "question\tcandidates\tright\twrong\tfacility\tdiscrimination\tpoint_biserial\n";
    struct Case
    {
        const char* rule;
        std::vector<std::string> sheet;
        std::string table;
    };
    const Case cases[] = {
        // N = 4, g = 1: of the two 80s the first in the file is the upper group, of the two 40s
        // the last is the lower group. Every X is 1: no KR-20.
        { "ties at the group border",
            { sheetLine("80", "1", "RE"), sheetLine("80", "2", "ER"), sheetLine("40", "3", "RE"),
                sheetLine("40", "4", "ER") },
            "1\t4\t2\t2\t0.500\t1.000\t0.000\n2\t4\t2\t2\t0.500\t-1.000\t0.000\nKR-20\t-\t2\n" },
        // A later record of 1001 and a short line are left out; nobody had question 3.
        // r = 150 / sqrt(15000 * 2); KR-20 = 2 * (1 - (4/9) / (2/3)).
        { "a question nobody had",
            { sheetLine("100", "1001", "RR*"), sheetLine("50", "1002", "RE*"), "short\r", sheetLine("0", "1003", "EE*"),
                sheetLine("0", "1001", "EEE") },
            "1\t3\t2\t1\t0.667\t1.000\t0.866\n2\t3\t1\t2\t0.333\t1.000\t0.866\n3\t0\t0\t0\t-\t-\t-\n"
            "KR-20\t0.667\t2\n" },
        // Equal scores: no point-biserial. Question 2 only the upper group had. K = 1.
        { "zero variance and K = 1", { sheetLine("50", "1", "RE"), sheetLine("50", "2", "E*") },
            "1\t2\t1\t1\t0.500\t1.000\t-\n2\t1\t0\t1\t0.000\t-\t-\nKR-20\t-\t1\n" },
        // No question did both have; a blank score is 0.
        { "K = 0", { sheetLine("60", "1", "R*"), sheetLine("", "2", "*R") },
            "1\t1\t1\t0\t1.000\t-\t-\n2\t1\t1\t0\t1.000\t-\t-\nKR-20\t-\t0\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(itemStatisticsText(itemStatistics(c.sheet)), header + c.table) << c.rule;
}

TEST(ItemStatisticsTest, WarningsNameEachReason)
{
    const auto warned = [](std::optional<double> facility, std::optional<double> discrimination) {
        return !questionWarning({ 1, 0, 0, facility, discrimination, {} }).empty();
    };
    EXPECT_FALSE(warned(0.9, 0.2));
    EXPECT_FALSE(warned({}, {}));
    EXPECT_TRUE(warned(0.91, 0.3));
    EXPECT_TRUE(warned(0.19, 0.3));
    EXPECT_TRUE(warned(0.5, 0.19));
    EXPECT_TRUE(warned(0.5, -0.1));
}

class AnswerAnalysisViewerTest : public ::testing::Test
{
protected:
    std::filesystem::path path() const { return m_dir / "daan.txt"; }

    test::TempDir m_dir;
    test::ScriptedPrompter m_prompter;
    test::FakeListView m_view;
    AnswerAnalysisViewer m_viewer { path(), m_prompter, m_view };
};

TEST_F(AnswerAnalysisViewerTest, HidingIsRefusedOnAnythingButACandidateLineAndSavingWritesEveryLine)
{
    test::writeBytes(path(), "67 1001          RRE\r\r\n33 1002          RE*\r\r\n");
    m_viewer.load();
    // Legend, header, counts heading, counts line, beyond the list, nothing selected.
    for (const std::optional<std::size_t> row : { std::optional<std::size_t>(0), { 1 }, { 4 }, { 5 }, { 6 }, {} }) {
        m_viewer.rememberSelection(row);
        m_viewer.hideSelected();
    }
    EXPECT_EQ(m_prompter.texts(), std::vector<std::string>(6, "请选择答题记录"));

    m_viewer.rememberSelection(2);
    m_viewer.hideSelected();
    const std::string name = (m_dir / "analysis").string();
    m_prompter.answerSaveName(name);
    m_viewer.save();
    EXPECT_EQ(test::readBytes(m_dir / "analysis.txt"),
        gbk(legend + "\r\n得分考号          123\r\n33 1002          RE*\r\r\n" + countsHeading
            + "\r\n1:1/0 2:0/1 3:0/0 \r\n"));
    EXPECT_EQ(m_prompter.texts().back(), "已保存到文件" + name + ".txt");
    // The score list saves through the same list: AdminEndToEndTest compares its file.
    m_prompter.answerSaveName((m_dir / "missing" / "list").string());
    m_viewer.save();
    EXPECT_EQ(m_prompter.texts().back(), "不能保存到文件" + (m_dir / "missing" / "list.txt").string());

    // The file itself is untouched: a reload brings the line back.
    m_viewer.reload();
    EXPECT_EQ(m_view.lines.size(), 6u);
}

TEST_F(AnswerAnalysisViewerTest, ClosesWhenThereIsNothingLeftToShow)
{
    m_viewer.load();
    EXPECT_TRUE(m_view.closed);
    EXPECT_EQ(m_prompter.texts(),
        (std::vector<std::string> {
            "不能打开存储答题情况的文件:" + path().string() + "\n可能是文件中还没有考生答题情况的记录" }));

    test::FakeListView view;
    AnswerAnalysisViewer viewer(path(), m_prompter, view);
    test::writeBytes(path(), "67 1001          RRE\r\r\n");
    viewer.load();
    std::filesystem::remove(path());
    viewer.reload();
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(m_prompter.texts().back(), "不能打开答题卷" + path().string());
    // Hiding the last candidate line closes it: LineListDialogsTest, through the window.
}

} // namespace
} // namespace olv
