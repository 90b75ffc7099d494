#include "common/QuestionBankFile.h"

#include "common/ByteSwap.h"
#include "platform/File.h"
#include "support/FaultCases.h"
#include "support/LockWait.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;

// Lines ended by CR LF, as a bank text holds them.
std::string crlfLines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string stored(std::string text)
{
    swapBytePairs(text);
    return text;
}

Question single(std::string stem, std::array<std::string, 4> options, std::string answer)
{
    return { QuestionKind::SingleChoice, std::move(stem), std::move(options), std::move(answer) };
}

Question multiple(std::string stem, std::array<std::string, 4> options, std::string answer)
{
    return { QuestionKind::MultipleChoice, std::move(stem), std::move(options), std::move(answer) };
}

Question trueFalse(std::string stem, std::string answer)
{
    return { QuestionKind::TrueFalse, std::move(stem), {}, std::move(answer) };
}

// One question of each kind, with Chinese text, a two-line stem and empty options.
QuestionBank sampleBank()
{
    QuestionBank bank;
    bank.singleChoiceQuestions.push_back(
        single(gbk("中国的首都是/n哪座城市？"), { gbk("北京"), gbk("上海"), "", gbk("广州") }, "A"));
    bank.multipleChoiceQuestions.push_back(multiple(gbk("哪些是偶数"), { "2", "3", "4", "" }, "AC"));
    bank.trueFalseQuestions.push_back(trueFalse(gbk("地球是圆的"), "A"));
    return bank;
}

std::string sampleText()
{
    return crlfLines({ gbk("●单选题:"), gbk("中国的首都是/n哪座城市？"), gbk("北京"), gbk("上海"), "", gbk("广州"), "A",
        gbk("●多选题:"), gbk("哪些是偶数"), "2", "3", "4", "", "AC", gbk("●判断题:"), gbk("地球是圆的"), "A" });
}

class QuestionBankFileTest : public testing::Test
{
protected:
    std::filesystem::path bankPath() const { return m_dir / "bank.kst"; }
    std::filesystem::path temporaryPath() const { return m_dir / "stk.bak"; }

    QuestionBank readBack() const
    {
        auto result = readQuestionBank(bankPath(), temporaryPath());
        EXPECT_TRUE(result.bank.has_value());
        return result.bank.value_or(QuestionBank {});
    }

    test::TempDir m_dir;
};

TEST_F(QuestionBankFileTest, WritesTheWholeFileByteForByteAndReadsItBack)
{
    ASSERT_EQ(writeQuestionBank(sampleBank(), bankPath()), BankWriteResult::Written);
    EXPECT_EQ(test::readBytes(bankPath()), stored(sampleText()));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "linshist.bak"));
    EXPECT_EQ(readBack(), sampleBank());
    EXPECT_FALSE(std::filesystem::exists(temporaryPath()));
    // The bank is released after reading.
    EXPECT_TRUE(File::open(bankPath(), OpenMode::ReadOnly, Sharing::Exclusive).has_value());
}

TEST_F(QuestionBankFileTest, ReadNamesTheFailedStep)
{
    EXPECT_EQ(readQuestionBank(bankPath(), temporaryPath()).failure, BankReadFailure::CannotOpenBank);

    ASSERT_EQ(writeQuestionBank(sampleBank(), bankPath()), BankWriteResult::Written);
    {
        auto holder = File::open(bankPath(), OpenMode::ReadOnly, Sharing::Exclusive);
        ASSERT_TRUE(holder);
        test::LockWaitBudget impatient(std::chrono::milliseconds(0));
        auto refused = readQuestionBank(bankPath(), temporaryPath());
        EXPECT_FALSE(refused.bank);
        EXPECT_EQ(refused.failure, BankReadFailure::CannotOpenBank);
    }

    auto noTemporary = readQuestionBank(bankPath(), m_dir / "no-folder" / "stk.bak");
    EXPECT_FALSE(noTemporary.bank);
    EXPECT_EQ(noTemporary.failure, BankReadFailure::CannotCreateTemporary);
}

TEST_F(QuestionBankFileTest, FailedWriteLeavesTheTargetIntact)
{
    ASSERT_EQ(writeQuestionBank(sampleBank(), bankPath()), BankWriteResult::Written);
    const std::string before = test::readBytes(bankPath());
    std::filesystem::create_directory(m_dir / "linshist.bak"); // someone else's, not touched
    test::FaultGuard guard;
    faults::failOperation(FileOperation::Open, ENOSPC); // the temporary cannot be created

    EXPECT_EQ(writeQuestionBank(QuestionBank {}, bankPath()), BankWriteResult::CannotCreateTemporary);
    EXPECT_EQ(test::readBytes(bankPath()), before);
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "linshist.bak"));
}

TEST_F(QuestionBankFileTest, TargetThatCannotBeReplacedLeavesNoTemporary)
{
    std::filesystem::create_directory(bankPath());
    EXPECT_EQ(writeQuestionBank(sampleBank(), bankPath()), BankWriteResult::CannotReplaceTarget);
    EXPECT_TRUE(std::filesystem::is_directory(bankPath()));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "linshist.bak"));
}

TEST(QuestionBankTextTest, ParsesShortAndUnusualTexts)
{
    const std::string sc = gbk("●单选题:"), mc = gbk("●多选题:"), tf = gbk("●判断题:");
    const struct
    {
        const char* name;
        std::string text;
        QuestionBank bank;
    } cases[] = {
        { "empty file", "", {} },
        { "ends after the multiple-choice marker", crlfLines({ sc, mc }), {} },
        { "ends after a complete record, before a marker", crlfLines({ sc, "s", "a", "b", "c", "d", "A" }),
            { { single("s", { "a", "b", "c", "d" }, "A") }, {}, {} } },
        { "ends inside a single-choice record", crlfLines({ sc, "s", "a" }),
            { { single("s", { "a", "", "", "" }, "") }, {}, {} } },
        { "ends after a true/false stem", crlfLines({ sc, mc, tf, "t", "A", "u" }),
            { {}, {}, { trueFalse("t", "A"), trueFalse("u", "") } } },
        { "last line without a line end", crlfLines({ sc, mc, tf, "t" }) + "B", { {}, {}, { trueFalse("t", "B") } } },
        { "first line is not checked", crlfLines({ "anything", mc, tf }), {} },
        { "bare LF line ends", sc + "\n" + mc + "\n" + tf + "\nt\nA\n", { {}, {}, { trueFalse("t", "A") } } },
        { "a lone CR stays in the line", crlfLines({ sc, mc, tf, "t\rx" }) + "A\r",
            { {}, {}, { trueFalse("t\rx", "A\r") } } },
        // A single-choice stem equal to the next marker ends its section: the rest is read out of step.
        { "stem equal to a marker", crlfLines({ sc, mc, "a", "b", "c", "d", "A", mc, tf }),
            { {}, { multiple("a", { "b", "c", "d", "A" }, mc) }, {} } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseQuestionBankText(c.text), c.bank) << c.name;
}

using namespace std::string_literals;

// The storage transform of every bank read and write.
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

} // namespace
} // namespace olv
