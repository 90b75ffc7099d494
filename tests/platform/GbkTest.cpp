#include "platform/Gbk.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

struct GbkCase
{
    std::string gbk;
    std::string utf8;
};

TEST(Gbk, KnownCharactersConvertBothWays)
{
    const std::vector<GbkCase> cases = {
        { "", "" },
        { "plain ascii 123\r\n", "plain ascii 123\r\n" },
        { "\xD6\xD0\xCE\xC4", "中文" },
        { "\xA1\xF1", "●" }, // the bank's section markers begin with it
        { "\x81\x5C", "乗" }, // a trail byte that looks like a backslash
        { "\x80", "€" },
    };
    for (const GbkCase& c : cases) {
        EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8);
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk);
    }
}

TEST(Gbk, WhatCannotBeConvertedBecomesQuestionMarks)
{
    const std::vector<GbkCase> toGbk = {
        { "a?b", "a😀b" }, { "??", "😀😀" }, { "\xD6\xD0?", "中한" }, { "?x", "\xFFx" }, // not UTF-8 at all
        { "??", "\xE4\xB8" }, // a character cut off at the end
        { "???\xCE\xC4", "\xED\xA0\x80文" }, // an encoded surrogate: three bad bytes
    };
    for (const GbkCase& c : toGbk)
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk) << ::testing::PrintToString(c.utf8);
    const std::vector<GbkCase> toUtf8 = {
        { "ab\x81", "ab?" }, // lead byte at the end
        { "\x81 x", "? x" }, // lead byte without a trail byte
        { "\x81\x7F", "?\x7F" }, // 0x7F is no trail byte
        { "\xFF\xD6\xD0", "?中" }, // 0xFF is no lead byte
        { "\xA2\xA0\xD7\xFAz", "??z" }, // well-formed pairs that map to nothing
    };
    for (const GbkCase& c : toUtf8)
        EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << ::testing::PrintToString(c.gbk);
}

} // namespace
} // namespace olv
