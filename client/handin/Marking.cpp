#include "client/handin/Marking.h"

#include "client/exam/AnswerCardLine.h"
#include "client/exam/ExamState.h"
#include "common/AnswerRecord.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace olv {

namespace {

float pointsAt(int position, const ExamPaper& paper, const ExamSettings& settings)
{
    if (position < paper.singleChoiceEnd())
        return settings.singleChoicePoints;
    if (position < paper.multipleChoiceEnd())
        return settings.multipleChoicePoints;
    return settings.trueFalsePoints;
}

std::string_view cardLineAt(const std::vector<std::string>& answerCard, int position)
{
    const auto index = static_cast<std::size_t>(position);
    return index < answerCard.size() ? std::string_view(answerCard[index]) : std::string_view();
}

} // namespace

const std::string& rightSign()
{
    static const std::string sign = utf8ToGbk("√");
    return sign;
}

const std::string& wrongSign()
{
    static const std::string sign = utf8ToGbk("×");
    return sign;
}

Marking markAnswerCard(const ExamPaper& paper, const std::vector<std::string>& answerCard, const ExamSettings& settings)
{
    Marking marking;
    for (int position = 0; position < paper.questionCount(); ++position) {
        const std::string_view line = cardLineAt(answerCard, position);
        const bool right = answersMatch(answerOfCardLine(line), paper.question(position + 1).answer);
        if (right)
            marking.total = static_cast<float>(marking.total + pointsAt(position, paper, settings));
        marking.markedLines.push_back((right ? rightSign() : wrongSign()) + std::string(line));
    }
    marking.score = roundedScore(marking.total);
    return marking;
}

int roundedScore(float total)
{
    const double value = static_cast<double>(total) + 0.5;
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

std::string markedAnswerRecord(const ExamState& state, std::string_view scoreText)
{
    const ExamPaper& paper = state.paper;
    std::vector<std::string> given;
    std::vector<std::string> correct;
    for (int position = 0; position < paper.questionCount(); ++position) {
        given.emplace_back(answerOfCardLine(cardLineAt(state.answerCard, position)));
        correct.push_back(paper.question(position + 1).answer);
    }
    return formatAnswerRecord(scoreText, state.examNumber,
        static_cast<std::size_t>(std::max(state.bankQuestionCount, 0)), paper.bankNumbers, given, correct);
}

} // namespace olv
