// Two banks joined kind by kind, on real files in a temp folder.
#include "admin/bank/BankMerge.h"

#include "support/BankTexts.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace olv;
using namespace olv::test;

namespace {

const char* const firstBank = "●单选题:\n甲1\na\nb\nc\nd\nb\n甲2\na\nb\nc\nd\nC\n"
                              "●多选题:\n甲3\na\nb\nc\nd\ndb\n●判断题:\n甲4\na\n";
const char* const secondBank = "●单选题:\n乙1\n1\n2\n3\n4\na\n●多选题:\n●判断题:\n乙2\nB\n乙3\nA\n";
// Answers as read, lower-case ones included.
const char* const merged = "●单选题:\n甲1\na\nb\nc\nd\nb\n甲2\na\nb\nc\nd\nC\n乙1\n1\n2\n3\n4\na\n"
                           "●多选题:\n甲3\na\nb\nc\nd\ndb\n●判断题:\n甲4\na\n乙2\nB\n乙3\nA\n";

class BankMergeTest : public ::testing::Test
{
protected:
    BankMergeTest()
    {
        writeBytes(dir / "one.kst", bankBytes(firstBank));
        writeBytes(dir / "two.kst", bankBytes(secondBank));
    }

    BankMergeOutcome merge(std::string first, std::string second, std::string target)
    {
        return merge(first, second, target, prompter);
    }

    static BankMergeOutcome merge(std::string first, std::string second, std::string target, ScriptedPrompter& prompter)
    {
        BankMerge merge(prompter);
        merge.first = std::move(first);
        merge.second = std::move(second);
        merge.target = std::move(target);
        return merge.merge();
    }

    TempDir dir;
    WorkingDirectory inDir { dir.path() };
    ScriptedPrompter prompter;
};

TEST_F(BankMergeTest, JoinsKindByKind)
{
    EXPECT_EQ(merge("one.kst", "two.kst", "new.kst"), BankMergeOutcome::Merged);
    EXPECT_EQ(readBytes(dir / "new.kst"), bankBytes(merged));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string> { "合并完成" }));
}

// Replacing a source also shows that an existing new bank is written over.
TEST_F(BankMergeTest, TheNewBankMayReplaceASourceAndAnEmptySourceAddsNothing)
{
    EXPECT_EQ(merge("one.kst", "two.kst", (dir / "one.kst").string()), BankMergeOutcome::Merged);
    EXPECT_EQ(readBytes(dir / "one.kst"), bankBytes(merged));

    writeBytes(dir / "empty.kst", "");
    EXPECT_EQ(merge("empty.kst", "two.kst", "copy.kst"), BankMergeOutcome::Merged);
    EXPECT_EQ(readBytes(dir / "copy.kst"), bankBytes(secondBank));
}

TEST_F(BankMergeTest, RefusalsReadAndWriteNothing)
{
    struct Case
    {
        const char* first;
        std::string second;
        const char* target;
        BankMergeOutcome outcome;
        std::string message;
    };
    const std::string same = "试题库文件1与试题库文件2不能为同一个文件.\n请重新选择";
    const Case cases[] = {
        { "", "two.kst", "new.kst", BankMergeOutcome::Refused, "请选择文件" },
        { "one.kst", "one.kst", "new.kst", BankMergeOutcome::Refused, same },
        { "one.kst", (dir / "one.kst").string(), "new.kst", BankMergeOutcome::Refused, same },
        { "one.kst", "absent.kst", "new.kst", BankMergeOutcome::ReadFailed, "不能打开试题库文件" },
        { "one.kst", "two.kst", "missing/new.kst", BankMergeOutcome::WriteFailed, "不能创建临时文件linshist.bak" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ScriptedPrompter casePrompter;
        EXPECT_EQ(merge(c.first, c.second, c.target, casePrompter), c.outcome);
        EXPECT_EQ(casePrompter.texts(), (std::vector<std::string> { c.message }));
        EXPECT_FALSE(std::filesystem::exists(dir / "new.kst"));
    }
}

} // namespace
