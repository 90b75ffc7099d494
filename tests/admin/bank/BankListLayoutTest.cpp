// The editor's lists, changed question by question, always equal a full layout of the bank.
#include "admin/bank/BankListLayout.h"

#include "admin/bank/QuestionPlace.h"

#include <gtest/gtest.h>
#include <random>

namespace olv {
namespace {

// Stems of one to three lines and options of every width, so that questions take one to
// seven lines and the numbers cross from one to two and three digits.
Question randomQuestion(std::mt19937& random, QuestionKind kind)
{
    Question question { kind, "q" + std::to_string(random() % 1000), {}, std::string(1, char('A' + random() % 2)) };
    for (auto lines = random() % 3; lines > 0; --lines)
        question.stem += "/n" + std::string(random() % 5, 'x');
    if (kind != QuestionKind::TrueFalse)
        for (auto& option : question.options)
            option = std::string(random() % 4 == 0 ? 0 : random() % 60, 'o');
    return question;
}

std::vector<RenderedLine> fullAnswerList(const QuestionBank& bank)
{
    std::vector<RenderedLine> lines;
    int number = 0;
    for (QuestionKind kind : allQuestionKinds)
        for (const auto& question : bank.questionsOf(kind))
            lines.push_back(answerLine(++number, question.answer));
    return lines;
}

TEST(BankListLayoutTest, EditsKeepTheListsEqualToAFullLayout)
{
    std::mt19937 random(7);
    QuestionBank bank;
    BankListLayout layout;
    layout.rebuild(bank);
    for (int step = 0; step < 1000; ++step) {
        const int count = static_cast<int>(bank.questionCount());
        const auto kind = allQuestionKinds[random() % 3];
        auto& questions = bank.questionsOf(kind);
        const int offset = numberOffset(bank, kind);
        // Grow more often than shrink, so the numbers reach three digits.
        const auto edit = count == 0 ? 0 : random() % 5;
        if (edit <= 1) {
            const auto index = random() % (questions.size() + 1);
            questions.insert(questions.begin() + static_cast<std::ptrdiff_t>(index), randomQuestion(random, kind));
            layout.questionInserted(bank, offset + static_cast<int>(index) + 1);
        } else {
            const int number = static_cast<int>(random() % static_cast<unsigned>(count)) + 1;
            const QuestionPlace place = placeOf(bank, number);
            auto& list = bank.questionsOf(place.kind);
            if (edit <= 3) {
                list[place.index] = randomQuestion(random, place.kind);
                layout.questionReplaced(bank, number);
            } else {
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(place.index));
                layout.questionRemoved(number);
            }
        }
        ASSERT_EQ(layout.questionLines(), renderQuestionList(QuestionListVariant::BankView, bank)) << "step " << step;
        ASSERT_EQ(layout.answerLines(), fullAnswerList(bank)) << "step " << step;
        for (int number = 1; number <= static_cast<int>(bank.questionCount()); ++number)
            ASSERT_EQ(layout.questionLines()[layout.firstLineOf(number)].tag, number);
    }
    EXPECT_GT(bank.questionCount(), 100u);
}

} // namespace
} // namespace olv
