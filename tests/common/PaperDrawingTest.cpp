#include "common/PaperDrawing.h"

#include "support/PaperFixtures.h"

#include <gtest/gtest.h>
#include <numeric>

namespace olv {
namespace {

using test::numberedLists;
using test::seedGiving;
using test::stateAfter;

constexpr std::size_t single = 0;
constexpr std::size_t multiple = 1;
constexpr std::size_t trueFalse = 2;

std::vector<int> numbersOf(const std::vector<NumberedQuestion>& list)
{
    std::vector<int> numbers;
    for (const NumberedQuestion& numbered : list)
        numbers.push_back(numbered.bankNumber);
    return numbers;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> numbers(static_cast<std::size_t>(last - first + 1));
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

// Numbering runs across the kinds; the paper and its bank numbers follow the list order.
TEST(PaperDrawingTest, NumbersAcrossTheKindsAndBuildsThePaperInListOrder)
{
    QuestionBank bank;
    bank.singleChoiceQuestions.resize(2);
    bank.trueFalseQuestions.resize(3);
    bank.singleChoiceQuestions[1].stem = "q2";
    NumberedQuestionLists lists = numberQuestions(bank);
    EXPECT_EQ(numbersOf(lists[single]), range(1, 2));
    EXPECT_TRUE(lists[multiple].empty());
    EXPECT_EQ(numbersOf(lists[trueFalse]), range(3, 5));
    std::swap(lists[single][0], lists[single][1]);
    EXPECT_EQ(bankNumbers(lists), (std::vector<int> { 2, 1, 3, 4, 5 }));
    const QuestionBank paper = paperQuestions(lists);
    EXPECT_EQ(paper.singleChoiceQuestions[0].stem, "q2");
    EXPECT_EQ(paper.questionCount(), 5u);
}

// Which questions a draw keeps, and the draws it makes, in every mode and for wanted counts
// inside and outside the bank, are compared with the plain reference in
// DrawQuestionsDifferentialTest.

TEST(PaperDrawingTest, QuestionOrderMovesTheDrawnPositionToTheFront)
{
    // Three questions: position 2 to the front gives 3 1 2, then position 1 gives 1 3 2. Kinds
    // of one or no question make no draws, so the multiple-choice list takes the next draws.
    const std::uint32_t seed = seedGiving({ { 3, 2 }, { 3, 1 }, { 2, 1 } });
    NumberedQuestionLists lists = numberedLists(3, 2, 1);
    PaperRandom random(seed);
    shuffleQuestionOrder(lists, random);
    EXPECT_EQ(numbersOf(lists[single]), (std::vector<int> { 1, 3, 2 }));
    EXPECT_EQ(numbersOf(lists[multiple]), (std::vector<int> { 5, 4 }));
    EXPECT_EQ(numbersOf(lists[trueFalse]), (std::vector<int> { 6 }));
    EXPECT_EQ(random.state(), stateAfter(seed, 3));
}

} // namespace
} // namespace olv
