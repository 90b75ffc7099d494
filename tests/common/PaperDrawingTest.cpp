#include "common/PaperDrawing.h"

#include "common/PaperRandom.h"
#include "common/PaperSeed.h"
#include "support/PaperFixtures.h"
#include "support/ReferenceDraw.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <vector>

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
// DrawQuestionsDifferentialTest below.

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

using test::WantedDraw;

// A seed whose draws pick these options (1..4 for A..D).
std::uint32_t seedPicking(const std::vector<int>& options)
{
    std::vector<WantedDraw> draws;
    for (int option : options)
        draws.push_back({ 4, option - 1 });
    return test::seedGiving(draws);
}

NumberedQuestion question(QuestionKind kind, std::array<std::string, 4> options, std::string answer)
{
    return { Question { kind, "stem", std::move(options), std::move(answer) }, 1 };
}

struct Case
{
    const char* name;
    QuestionKind kind;
    std::vector<int> picks;
    std::array<std::string, 4> options;
    std::string answer;
    std::array<std::string, 4> expectedOptions;
    std::string expectedAnswer;
    bool ok = true;
};

TEST(ShuffleOptionOrderTest, ExchangesTwoFilledOptionsOfAChoiceAndMapsTheAnswer)
{
    const auto single = QuestionKind::SingleChoice;
    const auto multiple = QuestionKind::MultipleChoice;
    const auto trueFalse = QuestionKind::TrueFalse;
    const std::string gbkWithLowTrail = "\xB0\x61"; // trail byte equal to 'a'
    const Case cases[] = {
        { "an empty option leaves it alone", single, { 2, 4 }, { "A", "B", "C", "" }, "a", { "A", "B", "C", "" }, "a" },
        { "answer a follows A to C", single, { 1, 3 }, { "A", "B", "C", "" }, "a", { "C", "B", "A", "" }, "C" },
        { "answer of b goes to a", single, { 1, 2 }, { "A", "B", "C", "D" }, "b", { "B", "A", "C", "D" }, "A" },
        { "other answer is only upper-cased", single, { 1, 3 }, { "A", "B", "C", "D" }, "d", { "C", "B", "A", "D" },
            "D" },
        { "only the first letter counts", single, { 1, 3 }, { "A", "B", "C", "D" }, "AC", { "C", "B", "A", "D" },
            "CC" },
        { "repeats b until it differs", single, { 2, 2, 2, 4 }, { "A", "B", "C", "D" }, "B", { "A", "D", "C", "B" },
            "D" },
        { "one of the letters moves", multiple, { 2, 3 }, { "A", "B", "C", "D" }, "ABD", { "A", "C", "B", "D" },
            "ACD" },
        { "both letters stay", multiple, { 1, 2 }, { "A", "B", "C", "D" }, "ABD", { "B", "A", "C", "D" }, "ABD" },
        { "lower case maps too", multiple, { 3, 2 }, { "A", "B", "C", "D" }, "abd", { "A", "C", "B", "D" }, "ACD" },
        { "double-byte text is not upper-cased", multiple, { 3, 4 }, { "A", "B", "C", "D" }, gbkWithLowTrail + "c",
            { "A", "B", "D", "C" }, gbkWithLowTrail + "D" },
        // An empty single-choice answer fails only when two options are exchanged.
        { "empty answer exchanged", single, { 1, 3 }, { "A", "B", "C", "D" }, "", { "C", "B", "A", "D" }, "", false },
        { "empty answer, D empty", single, { 1, 4 }, { "A", "B", "C", "" }, "", { "A", "B", "C", "" }, "" },
        { "true/false neither changes nor draws", trueFalse, {}, { "x", "y", "", "" }, "b", { "x", "y", "", "" }, "b" },
    };
    for (const Case& c : cases) {
        const std::uint32_t seed = seedPicking(c.picks);
        NumberedQuestionLists lists;
        lists[static_cast<std::size_t>(c.kind)].push_back(question(c.kind, c.options, c.answer));
        PaperRandom random(seed);
        EXPECT_EQ(shuffleOptionOrder(lists, random), c.ok) << c.name;
        const Question& result = lists[static_cast<std::size_t>(c.kind)][0].question;
        EXPECT_EQ(result.options, c.expectedOptions) << c.name;
        EXPECT_EQ(result.answer, c.expectedAnswer) << c.name;
        EXPECT_EQ(random.state(), stateAfter(seed, static_cast<int>(c.picks.size()))) << c.name;
    }
}

TEST(ShuffleOptionOrderTest, SingleChoiceBeforeMultipleChoiceInListOrder)
{
    NumberedQuestionLists lists;
    lists[1].push_back(question(QuestionKind::MultipleChoice, { "A", "B", "C", "D" }, "AB"));
    lists[0].push_back(question(QuestionKind::SingleChoice, { "A", "B", "C", "D" }, "A"));
    lists[0].push_back(question(QuestionKind::SingleChoice, { "A", "B", "C", "D" }, "A"));
    PaperRandom random(seedPicking({ 1, 2, 3, 4, 2, 3 }));
    ASSERT_TRUE(shuffleOptionOrder(lists, random));
    EXPECT_EQ(lists[0][0].question.answer, "B");
    EXPECT_EQ(lists[0][1].question.answer, "A");
    EXPECT_EQ(lists[1][0].question.answer, "AC");
}

void expectSameAsReference(
    const NumberedQuestionLists& lists, const KindCounts& wanted, DrawMode mode, std::uint32_t seed)
{
    PaperRandom fast(seed);
    PaperRandom reference(seed);
    const NumberedQuestionLists fastDrawn = drawQuestions(lists, wanted, mode, fast);
    const NumberedQuestionLists referenceDrawn = test::referenceDraw(lists, wanted, mode, reference);
    ASSERT_EQ(fastDrawn, referenceDrawn) << "mode " << static_cast<int>(mode) << " seed " << seed;
    ASSERT_EQ(fast.state(), reference.state()) << "mode " << static_cast<int>(mode) << " seed " << seed;
}

int wantedFor(std::size_t available, std::mt19937& generator)
{
    // Mostly within the bank, sometimes negative or above it.
    std::uniform_int_distribution<int> wanted(-3, static_cast<int>(available) + 5);
    return wanted(generator);
}

TEST(DrawQuestionsDifferentialTest, AgreesWithOneRemovalAtATimeOnRandomBanks)
{
    std::mt19937 generator(20240607);
    std::uniform_int_distribution<std::size_t> size(0, 300);
    std::uniform_int_distribution<std::uint32_t> seed;
    const DrawMode modes[]
        = { DrawMode::Random, DrawMode::BankOrder, DrawMode::ByExamNumber, DrawMode::FixedNumber, DrawMode { 7 } };
    for (int bank = 0; bank < 40; ++bank) {
        const NumberedQuestionLists lists = test::numberedLists(size(generator), size(generator), size(generator));
        for (DrawMode mode : modes) {
            for (int round = 0; round < 3; ++round) {
                const KindCounts wanted = { wantedFor(lists[0].size(), generator),
                    wantedFor(lists[1].size(), generator), wantedFor(lists[2].size(), generator) };
                expectSameAsReference(lists, wanted, mode, seed(generator));
            }
        }
    }
}

TEST(DrawQuestionsDifferentialTest, AgreesOnLargeKindsAndAtWordEdges)
{
    // A draw never exceeds 32767, so while more questions remain only the first 32768
    // positions can be removed. The reference erases bare bank numbers here: the same
    // procedure, at a cost the test can afford.
    struct Case
    {
        int size;
        int wanted;
        std::uint32_t seed;
    };
    // Also sizes around the 64-position words of the remaining-position set and its padding.
    const Case cases[] = { { 40000, 30000, 1 }, { 70000, 60000, 4242 }, { 63, 0, 5 }, { 64, 0, 5 }, { 65, 0, 5 },
        { 128, 0, 5 }, { 129, 0, 5 }, { 4095, 0, 5 }, { 4096, 0, 5 }, { 4097, 0, 5 } };
    for (const Case& c : cases) {
        NumberedQuestionLists lists;
        std::vector<int> referenceNumbers;
        for (int number = 1; number <= c.size; ++number) {
            lists[1].push_back({ Question { QuestionKind::MultipleChoice, {}, {}, {} }, number });
            referenceNumbers.push_back(number);
        }
        PaperRandom fast(c.seed);
        PaperRandom reference(c.seed);
        const NumberedQuestionLists drawn = drawQuestions(std::move(lists), { 0, c.wanted, 0 }, DrawMode::Random, fast);
        test::referenceDrawList(referenceNumbers, c.wanted, DrawMode::Random, reference);
        EXPECT_EQ(bankNumbers(drawn), referenceNumbers) << c.size;
        EXPECT_EQ(fast.state(), reference.state()) << c.size;
    }
}

TEST(PaperSeedTest, ExamNumberSeedFollowsAtoiModuloThousand)
{
    struct Case
    {
        const char* examNumber;
        int seed;
    };
    const Case cases[] = {
        { "1005", 5 },
        { "A123", 0 },
        { " \t\r\n\v\f17", 17 },
        { "12a345", 12 },
        { "+7", 7 },
        { "-1005", -5 },
        // Beyond the int range: the digit run modulo 1000.
        { "20240101000123", 123 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(examNumberSeed(c.examNumber), c.seed) << c.examNumber;
}

TEST(PaperSeedTest, StagesTakeTheirSeedsByDrawMode)
{
    const std::int64_t now = 1700000000;
    const auto t = static_cast<std::uint32_t>(now);
    struct Case
    {
        DrawMode mode;
        PaperSeeds seeds;
    };
    const Case cases[] = {
        { DrawMode::Random, { t, t, t } },
        { DrawMode::BankOrder, { 77, t, t } },
        { DrawMode::ByExamNumber, { 5, 5, 5 } },
        { static_cast<DrawMode>(9), { t, t, t } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperSeeds(c.mode, 77, "2005", now), c.seeds) << static_cast<int>(c.mode);
}

TEST(PaperSeedTest, NegativeAndWideValuesKeepTheirLowThirtyTwoBits)
{
    EXPECT_EQ(paperSeeds(DrawMode::ByExamNumber, 0, "-1005", 0).drawing, 0xFFFFFFFBu);
    EXPECT_EQ(paperSeeds(DrawMode::FixedNumber, -1, "", 0).drawing, 0xFFFFFFFFu);
    const std::int64_t now = (std::int64_t { 3 } << 32) + 12345;
    EXPECT_EQ(paperSeeds(DrawMode::Random, 0, "", now).drawing, 12345u);
    EXPECT_EQ(paperSeeds(DrawMode::Random, 0, "", -2).questionOrder, 0xFFFFFFFEu);
}

// The second draw already passes 2^32, so a state kept wider than 32 bits shows here too.
TEST(PaperRandomTest, SeedOneGivesTheKnownSequenceEveryTime)
{
    PaperRandom random(1);
    for (int round = 0; round < 2; ++round) {
        std::vector<int> values;
        for (int i = 0; i < 5; ++i)
            values.push_back(random.draw());
        EXPECT_EQ(values, (std::vector<int> { 41, 18467, 6334, 26500, 19169 }));
        random.seed(1);
    }
}

} // namespace
} // namespace olv
