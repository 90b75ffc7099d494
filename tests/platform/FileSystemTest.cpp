#include "platform/FileSystem.h"

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
    EXPECT_TRUE(copyFile(dir / "paper", dir / "paper")); // onto itself keeps the content
    EXPECT_TRUE(copyFile(dir / "paper", dir.path() / "." / "paper"));
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

} // namespace
} // namespace olv
