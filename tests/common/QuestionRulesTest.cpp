#include "common/QuestionRules.h"

#include "common/Answer.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

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

} // namespace
} // namespace olv
