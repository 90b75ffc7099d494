#include "client/startup/SafeFileName.h"

#include "client/startup/ExamFolder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;

TEST(SafeFileNameTest, NothingOutsideTheFolderCanBeNamed)
{
    const struct
    {
        std::string name;
        std::string safe;
    } cases[] = {
        { "1001" + gbk("张三"), "1001" + gbk("张三") },
        { "../x", ".._x" },
        { "a\\b/c", "a_b_c" },
        { "<>:\"|?*", "_______" },
        { std::string("a\0b", 3), "a_b" },
        { ".", "_" },
        { "..", "__" },
        { "...", "..." },
        { "", "" },
        // 乗 is 81 5C: its second byte is no separator.
        { gbk("乗"), gbk("乗") },
        // A lead byte before a byte that cannot follow it stands alone.
        { "\x81/", "\x81_" },
        { "a\x81", "a\x81" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(safeFileName(c.name), c.safe) << c.name;
}

TEST(SafeFileNameTest, ReviewCopiesAreNamedByExamNumberAndNameInTheExamFolder)
{
    ExamSettings settings;
    settings.subject = "Word";
    settings.examName = gbk("期末");
    EXPECT_EQ(reviewCopyName("10 01  ", gbk("张三"), ".das"), "1001" + gbk("张三") + ".das");
    EXPECT_EQ(reviewCopyName("..", "/..", ".kst"), ".._...kst");
    EXPECT_EQ(reviewCopyPath(settings, "1001", "a\\b", ".kst", "/d"), std::filesystem::path("Word期末/1001a_b.kst"));

    settings.subject.clear();
    settings.examName.clear();
    EXPECT_EQ(examFolderName(settings), "ExaminationTemporary");
}

} // namespace
} // namespace olv
