#include "client/handin/Marking.h"

#include "client/ExamFixture.h"
#include "client/exam/ExamState.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <limits>

namespace olv {
namespace {

using test::gbk;
using test::paperWithAnswers;

ExamSettings pointsOf(float single, float multiple, float trueFalse)
{
    ExamSettings settings;
    settings.singleChoicePoints = single;
    settings.multipleChoicePoints = multiple;
    settings.trueFalsePoints = trueFalse;
    return settings;
}

std::vector<std::string> answerCard(const std::vector<std::string>& answers)
{
    std::vector<std::string> card;
    for (std::size_t i = 0; i < answers.size(); ++i)
        card.push_back(std::to_string(i + 1) + "--" + answers[i]);
    return card;
}

// Points add up in single precision, rounded after every addition, and the score is rounded
// half up: 0.7f added five times is exactly 3.5 in single precision (3.4999999 in double), and
// 0.1f added 25 times stays just under 2.5.
TEST(MarkingTest, PointsAddUpInSinglePrecisionAndTheScoreIsRoundedHalfUp)
{
    const struct
    {
        float points;
        int questions;
        int right;
        const char* score;
    } cases[] = { { 1.5f, 3, 3, "5" }, { 1.5f, 3, 2, "3" }, { 0.7f, 5, 5, "4" }, { 0.1f, 25, 25, "2" } };
    for (const auto& c : cases) {
        const std::vector<std::string> answers(static_cast<std::size_t>(c.questions), "A");
        std::vector<std::string> given = answers;
        std::fill(given.begin() + c.right, given.end(), "B");
        const Marking marking
            = markAnswerCard(paperWithAnswers(answers, {}, {}), answerCard(given), pointsOf(c.points, 0, 0));
        EXPECT_EQ(marking.scoreText(), c.score) << c.points << " x " << c.right;
    }
}

TEST(MarkingTest, EachKindEarnsItsOwnPointsAndOnlyAnExactAnswer)
{
    const ExamPaper paper = paperWithAnswers({ "B" }, { "ABC", "ABC", "BD" }, { "A", "B" });
    const ExamSettings settings = pointsOf(1, 2, 4);
    // Lower-case letters count as their capitals; a missing, extra or unanswered letter counts nothing.
    const Marking marking = markAnswerCard(paper, answerCard({ "B", "AC", "abc", "BCD", "A", "" }), settings);
    EXPECT_EQ(marking.total, 1 + 2 + 4.0f);
    EXPECT_EQ(marking.markedLines,
        (std::vector<std::string> {
            gbk("√1--B"), gbk("×2--AC"), gbk("√3--abc"), gbk("×4--BCD"), gbk("√5--A"), gbk("×6--") }));
}

TEST(MarkingTest, AMissingOrBrokenCardLineIsUnanswered)
{
    const ExamPaper paper = paperWithAnswers({ "A", "A" }, {}, {});
    const Marking marking = markAnswerCard(paper, { "A" }, pointsOf(1, 0, 0));
    EXPECT_EQ(marking.score, 0);
    EXPECT_EQ(marking.markedLines, (std::vector<std::string> { gbk("×A"), gbk("×") }));
}

TEST(MarkingTest, ScoresBeyondTheRangeOfIntAreClamped)
{
    EXPECT_EQ(roundedScore(std::numeric_limits<float>::infinity()), INT_MAX);
    EXPECT_EQ(roundedScore(-std::numeric_limits<float>::infinity()), INT_MIN);
    EXPECT_EQ(roundedScore(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(roundedScore(-0.7f), 0);
    EXPECT_EQ(roundedScore(2.49f), 2);
}

TEST(MarkingTest, TheAnswerRecordMarksEveryBankQuestion)
{
    // Bank of 5; the paper holds bank questions 4 and 2 in that order.
    ExamState state;
    state.paper = paperWithAnswers({ "A", "C" }, {}, {}, { 4, 2 });
    state.bankQuestionCount = 5;
    state.examNumber = "1001          ";
    state.answerCard = { "1--", "2--C" };
    EXPECT_EQ(markedAnswerRecord(state, "3"), "3  1001          *R*E*");
}

} // namespace
} // namespace olv
