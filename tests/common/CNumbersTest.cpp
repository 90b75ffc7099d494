#include "common/CNumbers.h"

#include <cfloat>
#include <climits>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace olv {
namespace {

TEST(CNumbersTest, AtoiFollowsTheCParsingRules)
{
    struct Case
    {
        std::string text;
        int expected;
    };
    const Case cases[] = {
        { " \t\n\v\f\r42", 42 },
        { "+7", 7 },
        { "-0012", -12 },
        { "12abc34", 12 },
        { "", 0 },
        { "- 5", 0 },
        { "2147483647", INT_MAX },
        { "-2147483648", INT_MIN },
        { "2147483648", INT_MAX },
        { "-2147483649", INT_MIN },
        { "99999999999999999999999999", INT_MAX },
    };
    for (const Case& c : cases)
        EXPECT_EQ(cAtoi(c.text), c.expected) << "'" << c.text << "'";
}

TEST(CNumbersTest, AtofFollowsTheCParsingRules)
{
    struct Case
    {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        { "1.500000", 1.5 },
        { "  -2.25e1x", -22.5 },
        { "+.5", 0.5 },
        { "5.", 5.0 },
        { "1e", 1.0 },
        { "1E-2", 0.01 },
        { ".", 0.0 },
        { "", 0.0 },
        { "inf", 0.0 },
        { "1e400", DBL_MAX },
        { "1e99999999999999999999", DBL_MAX },
        { "0.0000000001e-400", 0.0 },
        { "1e-99999999999999999999", 0.0 },
        { "0e99999999999999999999", 0.0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(cAtof(c.text), c.expected) << "'" << c.text << "'";
}

TEST(CNumbersTest, FormatFixedMatchesPrintf)
{
    const double values[] = { 0.0, -0.0, 1.5, 2.0, 0.1f, 1234567.125, -3.0000005, 0.0000005, 1e20, 2.5e-7, FLT_MAX };
    for (double value : values) {
        for (int decimals : { 0, 2, 6 }) {
            char expected[512];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            EXPECT_EQ(formatFixed(value, decimals), expected) << value << " with " << decimals;
        }
    }
    EXPECT_EQ(formatFixed(1.5), "1.500000");
}

} // namespace
} // namespace olv
