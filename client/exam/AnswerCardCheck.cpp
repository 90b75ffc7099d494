#include "client/exam/AnswerCardCheck.h"

#include "client/exam/AnswerCardLine.h"
#include "client/startup/Workspace.h"
#include "common/ExamPaper.h"

#include <algorithm>

namespace olv {

namespace {

bool isAnswerLine(const std::string& line, int number)
{
    const std::string_view letters = answerOfCardLine(line);
    return letters.size() <= 4 && letters.find_first_not_of("ABCD") == std::string_view::npos
        && line == answerCardLine(number, letters);
}

} // namespace

bool answerCardFits(const AnswerCardFile& card, const ExamPaper& paper, int examMinutes)
{
    if (card.lines.size() != static_cast<std::size_t>(paper.questionCount()))
        return false;
    for (std::size_t i = 0; i < card.lines.size(); ++i) {
        if (!isAnswerLine(card.lines[i], static_cast<int>(i) + 1))
            return false;
    }
    const int highestBankNumber
        = paper.bankNumbers.empty() ? 0 : *std::max_element(paper.bankNumbers.begin(), paper.bankNumbers.end());
    if (card.bankQuestionCount < highestBankNumber || card.bankQuestionCount > maxBankQuestions)
        return false;
    const long long examSeconds = static_cast<long long>(std::max(examMinutes, 0)) * 60;
    return card.elapsedSeconds >= 0 && card.elapsedSeconds <= examSeconds + 1;
}

} // namespace olv
