#include "common/ExamPaper.h"

#include "common/Answer.h"
#include "common/PaperDrawing.h"
#include "common/PaperSeed.h"

#include <stdexcept>

namespace olv {

const Question& ExamPaper::question(int paperNumber) const
{
    if (paperNumber < 1)
        throw std::out_of_range("paper number");
    auto index = static_cast<std::size_t>(paperNumber - 1);
    for (auto kind : allQuestionKinds) {
        const auto& list = questions.questionsOf(kind);
        if (index < list.size())
            return list[index];
        index -= list.size();
    }
    throw std::out_of_range("paper number");
}

std::optional<ExamPaper> drawPaper(
    QuestionBank bank, const ExamSettings& settings, std::string_view examNumber, std::int64_t now)
{
    const auto seeds = paperSeeds(settings.drawMode, settings.fixedNumber, examNumber, now);
    PaperRandom random(seeds.drawing);
    const KindCounts wanted = { settings.singleChoiceCount, settings.multipleChoiceCount, settings.trueFalseCount };
    auto lists = drawQuestions(numberQuestions(std::move(bank)), wanted, settings.drawMode, random);

    if (settings.shuffleQuestions) {
        random.seed(seeds.questionOrder);
        shuffleQuestionOrder(lists, random);
    }
    if (settings.shuffleOptions) {
        random.seed(seeds.optionOrder);
        if (!shuffleOptionOrder(lists, random))
            return std::nullopt;
    }

    ExamPaper paper;
    paper.bankNumbers = bankNumbers(lists);
    paper.questions = paperQuestions(std::move(lists));
    for (auto kind : allQuestionKinds)
        for (auto& question : paper.questions.questionsOf(kind))
            question.answer = normalizeAnswer(kind, question.answer);
    return paper;
}

} // namespace olv
