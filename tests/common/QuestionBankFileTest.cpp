#include "common/QuestionBankFile.h"

#include "common/Answer.h"
#include "common/ByteSwap.h"
#include "common/QuestionList.h"
#include "common/QuestionRules.h"
#include "common/StemLines.h"
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
    test::TempDir dir;
    for (const auto& c : cases) {
        std::string bytes = c.text;
        swapBytePairs(bytes);
        EXPECT_EQ(bytes, c.stored) << c.text;
        test::writeBytes(dir / "stored", c.stored); // from file to file, and back: its own inverse
        ASSERT_EQ(swapBytePairs(dir / "stored", dir / "text"), SwapFileResult::Done);
        EXPECT_EQ(test::readBytes(dir / "text"), c.text) << c.text;
    }
    EXPECT_EQ(swapBytePairs(dir / "missing", dir / "text"), SwapFileResult::CannotOpenSource);
    EXPECT_EQ(swapBytePairs(dir / "stored", dir / "no" / "text"), SwapFileResult::CannotCreateDestination);
}

Question question(QuestionKind kind, std::string stem, std::string answer, std::string optionA = "x")
{
    Question q;
    q.kind = kind;
    q.stem = std::move(stem);
    if (kind != QuestionKind::TrueFalse)
        q.options[0] = std::move(optionA);
    q.answer = std::move(answer);
    return q;
}

TEST(QuestionRulesTest, FirstBrokenRule)
{
    using enum QuestionKind;
    using enum QuestionRule;
    const std::string line110(110, 'x');
    const struct
    {
        Question question;
        QuestionRule rule;
    } cases[] = {
        { question(SingleChoice, "stem", "a"), None },
        { question(MultipleChoice, "stem", "cab"), None },
        { question(MultipleChoice, "stem", "ABCD"), None },
        { question(TrueFalse, "stem", "b"), None },
        { question(SingleChoice, line110 + "/n" + line110, "A"), None },
        { question(SingleChoice, "", "A"), EmptyStem },
        { question(SingleChoice, "", "", ""), EmptyStem }, // the stem is tested first
        { question(SingleChoice, "stem", "A", ""), NoOption },
        { question(SingleChoice, "stem", ""), EmptyAnswer },
        { question(SingleChoice, "stem", "AB"), OneLetterExpected },
        { question(TrueFalse, "stem", "AB"), OneLetterExpected },
        { question(MultipleChoice, "stem", "A"), TwoLettersExpected },
        { question(MultipleChoice, "stem", "abcde"), AnswerTooLong },
        { question(MultipleChoice, "stem", "ae"), AnswerNotLetters },
        { question(SingleChoice, "stem", "1"), AnswerNotLetters },
        { question(MultipleChoice, "stem", "aa"), AnswerRepeatsLetter },
        { question(MultipleChoice, "stem", "aA"), AnswerRepeatsLetter },
        { question(TrueFalse, "stem", "c"), TrueFalseAnswerNotAOrB },
        { question(SingleChoice, std::string(111, 'x'), "A"), StemLineTooLong },
        { question(SingleChoice, "short/n" + std::string(111, 'x'), "A"), StemLineTooLong },
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstBrokenRule(c.question), c.rule)
            << "stem " << c.question.stem.substr(0, 12) << " answer " << c.question.answer;
}

TEST(AnswerTest, StoredForm)
{
    const std::string lead = "\x81";
    const struct
    {
        QuestionKind kind;
        std::string answer;
        std::string stored;
    } cases[] = {
        { QuestionKind::MultipleChoice, "dba", "ABD" },
        { QuestionKind::MultipleChoice, "CaB", "ABC" },
        { QuestionKind::SingleChoice, "a", "A" },
        { QuestionKind::SingleChoice, "ba", "BA" }, // only multiple choice is sorted
        { QuestionKind::TrueFalse, "b", "B" },
        { QuestionKind::MultipleChoice, "", "" },
        { QuestionKind::SingleChoice, "e1z", "E1Z" },
        // Bytes compared as signed: a high byte sorts before the letters.
        { QuestionKind::MultipleChoice, "C" + lead, lead + "C" },
        // The trail byte of a GBK character may look like a letter; it is left alone.
        { QuestionKind::SingleChoice, lead + "ab", lead + "aB" },
        // A lead byte at the very end has no trail byte to skip.
        { QuestionKind::SingleChoice, "a" + lead, "A" + lead },
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalizeAnswer(c.kind, c.answer), c.stored) << c.answer;
}

// The layout looks only at widths: option strings of letters alone will do.
std::array<std::string, 4> optionsOfWidths(std::size_t a, std::size_t b, std::size_t c, std::size_t d)
{
    return { std::string(a, 'A'), std::string(b, 'B'), std::string(c, 'C'), std::string(d, 'D') };
}

std::string spaces(std::size_t count) { return std::string(count, ' '); }

using Lines = std::vector<std::string>;

TEST(QuestionListTest, LayoutOptionsByWidth)
{
    // 92 is not below 80 and 69 not below 50: A B, then C D.
    auto o = optionsOfWidths(23, 23, 23, 23);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1], o[2] + o[3] }));
    o = optionsOfWidths(16, 16, 16, 16);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1] + o[2] + o[3] }));
    o = optionsOfWidths(10, 10, 10, 60);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1] + o[2], o[3] }));
    o = optionsOfWidths(45, 45, 0, 12);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0], o[1], "", o[3] }));
    o = optionsOfWidths(0, 0, 0, 0);
    EXPECT_EQ(layoutOptions(o), (Lines { "" }));
    // Padding so that B and D start in one column.
    o = optionsOfWidths(20, 20, 30, 30);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + spaces(10) + o[1], o[2] + o[3] }));
    o = optionsOfWidths(30, 30, 20, 20);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1], o[2] + spaces(10) + o[3] }));
    // Padding stops once the line has reached 80 bytes.
    o = optionsOfWidths(12, 65, 30, 12);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + spaces(3) + o[1], o[2] + o[3] }));
    o = optionsOfWidths(30, 12, 12, 65);
    EXPECT_EQ(layoutOptions(o), (Lines { o[0] + o[1], o[2] + spaces(3) + o[3] }));
}

TEST(QuestionListTest, StemLines)
{
    const struct
    {
        std::string stem;
        std::vector<std::string> lines;
    } cases[] = {
        { "", { "" } },
        { "one", { "one" } },
        { "one/ntwo", { "one", "two" } },
        { "one/n", { "one", "" } },
        { "/n/n", { "", "", "" } },
        { "a/b n/", { "a/b n/" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(stemLines(c.stem), c.lines) << c.stem;
}

const std::string singleHeading = gbk("    ●单选题:只能选一个答案");
const std::string multipleHeading = gbk("    ●多选题:错选漏选均不得分");
const std::string trueFalseHeading = gbk("    ●判断题:正确为A;错误为B");

// The bank view of a bank with questions is compared whole in the olvtool bank-view test; a kind
// without questions still shows its heading.
TEST(QuestionListTest, BankViewOfAnEmptyBankShowsEveryHeading)
{
    const std::vector<RenderedLine> expected
        = { { singleHeading, -1 }, { multipleHeading, -1 }, { trueFalseHeading, -1 } };
    EXPECT_EQ(renderQuestionList(QuestionListVariant::BankView, QuestionBank {}), expected);
}

// The paper view of a drawn paper is compared whole in the olvtool paper test. A kind is left out
// by its wanted count of 0, not by having no questions.
TEST(QuestionListTest, PaperViewLeavesOutKindsNotAskedFor)
{
    ExamSettings settings;
    settings.singleChoiceCount = 2;
    settings.singleChoicePoints = 2.5f;
    settings.multipleChoiceCount = 0;
    settings.trueFalseCount = -1;
    settings.trueFalsePoints = 1;
    const std::vector<RenderedLine> expected
        = { { singleHeading + gbk("     2.50分/题"), -1 }, { trueFalseHeading + gbk("     1.00分/题"), -1 } };
    EXPECT_EQ(renderQuestionList(QuestionListVariant::PaperView, QuestionBank {}, &settings), expected);
}

} // namespace
} // namespace olv
