#include "admin/settings/NumberText.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

TEST(NumberTextTest, PointsShowSixSignificantDigitsWithoutTrailingZeros)
{
    const std::pair<float, const char*> cases[] = { { 1.5f, "1.5" }, { 2.0f, "2" }, { 0.0f, "0" },
        { 1.0f / 3, "0.333333" }, { 2.125f, "2.125" }, { -1.5f, "-1.5" }, { 100.f, "100" } };
    for (const auto& [value, shown] : cases)
        EXPECT_EQ(pointsText(value), shown);
}

TEST(NumberTextTest, OnlyWholeTextsAreNumbers)
{
    EXPECT_EQ(parseWholeNumber(" 12\t"), 12);
    EXPECT_EQ(parseWholeNumber("-3"), -3);
    EXPECT_EQ(parseWholeNumber("+3"), 3);
    for (const char* refused : { "", " ", "1.0", "1 2", "0x10", "+-1", "++1", "2147483648", "12a" })
        EXPECT_EQ(parseWholeNumber(refused), std::nullopt) << refused;

    EXPECT_EQ(parseNumber(" 1.25 "), 1.25f);
    EXPECT_EQ(parseNumber("+.5"), 0.5f);
    EXPECT_EQ(parseNumber("3"), 3.0f);
    for (const char* refused : { "", "1,5", "inf", "nan", "1e39", "1.5x", "0x1p3" })
        EXPECT_EQ(parseNumber(refused), std::nullopt) << refused;
}

} // namespace
} // namespace olv
