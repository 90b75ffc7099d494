#include "common/PaperRandom.h"

#include <gtest/gtest.h>
#include <vector>

namespace olv {
namespace {

std::vector<int> drawFive(PaperRandom& random)
{
    std::vector<int> values;
    for (int i = 0; i < 5; ++i)
        values.push_back(random.draw());
    return values;
}

TEST(PaperRandomTest, SeedOneGivesTheKnownSequenceEveryTime)
{
    PaperRandom random(1);
    EXPECT_EQ(drawFive(random), (std::vector<int> { 41, 18467, 6334, 26500, 19169 }));
    random.seed(1);
    EXPECT_EQ(drawFive(random), (std::vector<int> { 41, 18467, 6334, 26500, 19169 }));
}

TEST(PaperRandomTest, StateWrapsAtThirtyTwoBits)
{
    // 0xFFFFFFFF * 214013 + 2531011 mod 2^32 = 2531011 - 214013 = 2316998.
    PaperRandom random(0xFFFFFFFFu);
    EXPECT_EQ(random.draw(), (2316998 >> 16) & 32767);
    EXPECT_EQ(random.state(), 2316998u);
}

} // namespace
} // namespace olv
