#include "common/PaperSeed.h"

#include "common/PaperRandom.h"

#include <gtest/gtest.h>
#include <vector>

namespace olv {
namespace {

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
