#include "admin/bank/QuestionPlace.h"

#include <algorithm>

namespace olv {

int numberOffset(const QuestionBank& bank, QuestionKind kind)
{
    int offset = 0;
    for (QuestionKind earlier : allQuestionKinds) {
        if (earlier == kind)
            break;
        offset += static_cast<int>(bank.questionsOf(earlier).size());
    }
    return offset;
}

QuestionPlace placeOf(const QuestionBank& bank, int number)
{
    for (QuestionKind kind : { QuestionKind::SingleChoice, QuestionKind::MultipleChoice }) {
        const int offset = numberOffset(bank, kind);
        if (number <= offset + static_cast<int>(bank.questionsOf(kind).size()))
            return { kind, static_cast<std::size_t>(std::max(number - offset - 1, 0)) };
    }
    const int offset = numberOffset(bank, QuestionKind::TrueFalse);
    return { QuestionKind::TrueFalse, static_cast<std::size_t>(number - offset - 1) };
}

} // namespace olv
