#include "common/Question.h"

namespace olv {

std::vector<Question>& QuestionBank::questionsOf(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::SingleChoice:
        return singleChoiceQuestions;
    case QuestionKind::MultipleChoice:
        return multipleChoiceQuestions;
    case QuestionKind::TrueFalse:
        break;
    }
    return trueFalseQuestions;
}

const std::vector<Question>& QuestionBank::questionsOf(QuestionKind kind) const
{
    return const_cast<QuestionBank*>(this)->questionsOf(kind);
}

std::size_t QuestionBank::questionCount() const
{
    return singleChoiceQuestions.size() + multipleChoiceQuestions.size() + trueFalseQuestions.size();
}

} // namespace olv
