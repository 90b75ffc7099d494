#include "common/PaperDrawing.h"
#include "support/PaperFixtures.h"
#include "support/ReferenceDraw.h"

#include <gtest/gtest.h>
#include <random>

namespace olv {
namespace {

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

} // namespace
} // namespace olv
