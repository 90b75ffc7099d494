#include "common/Answer.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

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
