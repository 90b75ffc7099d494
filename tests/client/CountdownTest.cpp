#include "client/exam/Countdown.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

TEST(CountdownTest, WholeMinutesFromTenMinutesOnThenMinutesAndSecondsWithoutLeadingZeros)
{
    const struct
    {
        long long remaining;
        const char* text;
    } cases[] = {
        { 659, "10" },
        { 600, "10" },
        { 599, "9:59" },
        { 65, "1:5" },
        { 0, "0:0" },
        { -1, "0:0" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(remainingTimeText(c.remaining), c.text) << c.remaining;
}

} // namespace
} // namespace olv
