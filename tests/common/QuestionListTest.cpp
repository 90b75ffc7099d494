#include "common/QuestionList.h"

#include "common/StemLines.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;

// The layout looks only at widths: option strings of letters alone will do.
std::array<std::string, 4> optionsOfWidths(std::size_t a, std::size_t b, std::size_t c, std::size_t d)
{
    return { std::string(a, 'A'), std::string(b, 'B'), std::string(c, 'C'), std::string(d, 'D') };
}

std::string spaces(std::size_t count) { return std::string(count, ' '); }

using Lines = std::vector<std::string>;

TEST(QuestionListTest, LayoutOptionsByWidth)
{
    // 92 is not below 80 and 69 not below 50: A B, then C D.
    auto o = optionsOfWidths(23, 23, 23, 23);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1], o[2] + o[3] }));
    o = optionsOfWidths(16, 16, 16, 16);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1] + o[2] + o[3] }));
    o = optionsOfWidths(10, 10, 10, 60);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1] + o[2], o[3] }));
    o = optionsOfWidths(45, 45, 0, 12);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0], o[1], "", o[3] }));
    o = optionsOfWidths(0, 0, 0, 0);
    EXPECT_EQ(layoutOptions(o), (Lines { "" }));
    // Padding so that B and D start in one column.
    o = optionsOfWidths(20, 20, 30, 30);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + spaces(10) + o[1], o[2] + o[3] }));
    o = optionsOfWidths(30, 30, 20, 20);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1], o[2] + spaces(10) + o[3] }));
    // Padding stops once the line has reached 80 bytes.
    o = optionsOfWidths(12, 65, 30, 12);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + spaces(3) + o[1], o[2] + o[3] }));
    o = optionsOfWidths(30, 12, 12, 65);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1], o[2] + spaces(3) + o[3] }));
}

TEST(QuestionListTest, StemLines)
{
    const struct
    {
        std::string stem;
        std::vector<std::string> lines;
    } cases[] = {
        { "", { "" } },
        { "one", { "one" } },
        { "one/ntwo", { "one", "two" } },
        { "one/n", { "one", "" } },
        { "/n/n", { "", "", "" } },
        { "a/b n/", { "a/b n/" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(stemLines(c.stem), c.lines) << c.stem;
}

const std::string singleHeading = gbk("    ●单选题:只能选一个答案");
const std::string multipleHeading = gbk("    ●多选题:错选漏选均不得分");
const std::string trueFalseHeading = gbk("    ●判断题:正确为A;错误为B");

// The bank view of a bank with questions is compared whole in the olvtool bank-view test; a kind
// without questions still shows its heading.
TEST(QuestionListTest, BankViewOfAnEmptyBankShowsEveryHeading)
{
    const std::vector<RenderedLine> expected
        = { { singleHeading, -1 }, { multipleHeading, -1 }, { trueFalseHeading, -1 } };
    EXPECT_EQ(renderQuestionList(QuestionListVariant::BankView, QuestionBank {}), expected);
}

// The paper view of a drawn paper is compared whole in the olvtool paper test. A kind is left out
// by its wanted count of 0, not by having no questions.
TEST(QuestionListTest, PaperViewLeavesOutKindsNotAskedFor)
{
    ExamSettings settings;
    settings.singleChoiceCount = 2;
    settings.singleChoicePoints = 2.5f;
    settings.multipleChoiceCount = 0;
    settings.trueFalseCount = -1;
    settings.trueFalsePoints = 1;
    const std::vector<RenderedLine> expected
        = { { singleHeading + gbk("     2.50分/题"), -1 }, { trueFalseHeading + gbk("     1.00分/题"), -1 } };
    EXPECT_EQ(renderQuestionList(QuestionListVariant::PaperView, QuestionBank {}, &settings), expected);
}

} // namespace
} // namespace olv
