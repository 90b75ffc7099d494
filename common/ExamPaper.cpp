#include "common/ExamPaper.h"

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

} // namespace olv
