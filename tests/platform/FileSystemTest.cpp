#include "platform/FileSystem.h"

#include "platform/Gbk.h"
#include "platform/PathMapping.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(CopyFile, ReplacesTheTargetByteForByteOrLeavesItAlone)
{
    TempDir dir;
    std::string bytes("\xD6\xD0\r\n\0\r\r\n", 8);
    writeBytes(dir / "paper", bytes);
    writeBytes(dir / "target", "a much longer old content");
    ASSERT_TRUE(copyFile(dir / "paper", dir / "target"));
    EXPECT_EQ(readBytes(dir / "target"), bytes);
    ASSERT_TRUE(copyFile(dir / "paper", dir / "new"));
    EXPECT_EQ(readBytes(dir / "new"), bytes);

    EXPECT_FALSE(copyFile(dir / "missing", dir / "target"));
    EXPECT_FALSE(copyFile(dir / "target", dir / "no-folder" / "x"));
    EXPECT_TRUE(copyFile(dir / "paper", dir.path() / "." / "paper")); // onto itself keeps the content
    EXPECT_EQ(readBytes(dir / "paper"), bytes);
    EXPECT_EQ(readBytes(dir / "target"), bytes);
}

TEST(FileSystem, FoldersFilesAndRemoval)
{
    TempDir dir;
    EXPECT_TRUE(createDirectory(dir / "ExaminationTemporary"));
    EXPECT_TRUE(createDirectory(dir / "ExaminationTemporary"));
    EXPECT_TRUE(fileExists(dir / "ExaminationTemporary"));
    EXPECT_FALSE(createDirectory(dir / "a" / "b"));

    writeBytes(dir / "file", "x");
    EXPECT_FALSE(createDirectory(dir / "file"));
    EXPECT_TRUE(fileExists(dir / "file"));
    EXPECT_TRUE(removeFile(dir / "file"));
    EXPECT_FALSE(fileExists(dir / "file"));
    EXPECT_FALSE(removeFile(dir / "file"));
}

TEST(PathMapping, DriveDIsTheLocalRootAndBackslashesAreSeparators)
{
    const std::filesystem::path root = "/home/candidate";
    const std::vector<std::pair<std::string, std::filesystem::path>> cases = {
        { "d:\\ExaminationTemporary\\olvane.dat", "/home/candidate/ExaminationTemporary/olvane.dat" },
        { "D:\\ExaminationTemporary", "/home/candidate/ExaminationTemporary" },
        { "d:/a/b.kst", "/home/candidate/a/b.kst" }, { "d:\\", "/home/candidate" }, { "d:", "/home/candidate" },
        { "WordE97.kst", "WordE97.kst" }, { "sub\\cj.kcj", "sub/cj.kcj" }, { "..\\up\\daan.txt", "../up/daan.txt" },
        { "c:\\other", "c:/other" }, { "dd:\\x", "dd:/x" },
        { gbk("d:\\考试\\数学期中\\daan.txt"), "/home/candidate/考试/数学期中/daan.txt" },
        { "\x81\x5C\\a", "乗/a" }, // the 0x5C inside the character is no separator
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(nativePath(stored, root), expected) << ::testing::PrintToString(stored);
}

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
