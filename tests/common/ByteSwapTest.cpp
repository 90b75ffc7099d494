#include "common/ByteSwap.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using namespace std::string_literals;

TEST(ByteSwapTest, ExchangesEachCompletePairAndKeepsAnOddLastByte)
{
    const struct
    {
        std::string text;
        std::string stored;
    } cases[] = {
        { "", "" },
        { "a", "a" },
        { "ab", "ba" },
        { "abc", "bac" },
        { "\r\n\r\n", "\n\r\n\r" },
        { "\xA1\xF1\x00\x41"s, "\xF1\xA1\x41\x00"s },
    };
    for (const auto& c : cases) {
        std::string bytes = c.text;
        swapBytePairs(bytes);
        EXPECT_EQ(bytes, c.stored) << c.text;
        swapBytePairs(bytes);
        EXPECT_EQ(bytes, c.text) << "the transform is its own inverse";
    }
}

TEST(ByteSwapTest, FileCopyAppliesTheTransformToTheWholeFile)
{
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 251; ++i) // odd, and longer than a 100-byte block
        text += static_cast<char>(i);
    test::writeBytes(dir / "in", text);

    ASSERT_EQ(swapBytePairs(dir / "in", dir / "out"), SwapFileResult::Done);
    std::string expected = text;
    swapBytePairs(expected);
    EXPECT_EQ(test::readBytes(dir / "out"), expected);
    EXPECT_EQ(test::readBytes(dir / "out").back(), text.back());
}

TEST(ByteSwapTest, FileCopyNamesTheFailedStep)
{
    test::TempDir dir;
    EXPECT_EQ(swapBytePairs(dir / "missing", dir / "out"), SwapFileResult::CannotOpenSource);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    test::writeBytes(dir / "in", "ab");
    EXPECT_EQ(swapBytePairs(dir / "in", dir / "no-folder" / "out"), SwapFileResult::CannotCreateDestination);
}

} // namespace
} // namespace olv
