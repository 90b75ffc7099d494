#include "platform/PathMapping.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;

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
