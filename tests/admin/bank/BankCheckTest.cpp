// What bank-check reports, and the sorted search for duplicate stems against the editor's
// question-by-question comparison.
#include "admin/bank/BankCheck.h"

#include "admin/bank/DuplicateStems.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <random>

namespace olv {
namespace {

TEST(BankCheckTest, FindsBrokenRulesAndDuplicatesWithinEachKind)
{
    using enum QuestionKind;
    const std::array<std::string, 4> options = { "a", "b", "", "" };
    QuestionBank bank;
    bank.singleChoiceQuestions = { { SingleChoice, "abc", options, "A" }, { SingleChoice, "ab", options, "AB" },
        { SingleChoice, "x", {}, "A" }, { SingleChoice, test::gbk("●多选题:"), options, "A" } };
    // A stem that reads back as the next section's marker.
    bank.multipleChoiceQuestions
        = { { MultipleChoice, "abc", options, "ae" }, { MultipleChoice, test::gbk("●判断题:"), options, "AB" } };
    bank.trueFalseQuestions = { { TrueFalse, "y", {}, "C" }, { TrueFalse, "", {}, "A" }, { TrueFalse, "y2", {}, "b" } };
    const std::vector<BankFinding> expected = {
        { 2, "单选题或判断题的正确答案只能为一个字母" },
        { 2, "此题与1题相同" },
        { 3, "你还没输入供选答案" },
        { 4, "题目不能为●多选题:,请改用其它" },
        { 5, "正确答案中含有非法字符" },
        { 6, "题目不能为●判断题:,请改用其它" },
        { 7, "判断题的正确答案只能为'A'或者'B'.\n正确为'A',错误为'B'" },
        { 8, "你还没输入题目" },
        { 8, "此题与7题相同" },
        { 9, "此题与7题相同" },
    };
    EXPECT_EQ(checkBank(bank), expected);
}

TEST(BankCheckTest, SortedDuplicateSearchAgreesWithComparingEveryEarlierStem)
{
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        std::vector<Question> questions(random() % 30);
        for (auto& question : questions)
            for (auto length = random() % 4; length > 0; --length)
                question.stem += static_cast<char>('a' + random() % 2);
        const auto found = earlierDuplicateStems(questions);
        for (std::size_t i = 0; i < questions.size(); ++i) {
            std::optional<std::size_t> first;
            for (std::size_t j = 0; j < i && !first; ++j)
                if (isDuplicateStem(questions[j].stem, questions[i].stem))
                    first = j;
            ASSERT_EQ(found[i], first) << "round " << round << " question " << i;
        }
    }
}

} // namespace
} // namespace olv
