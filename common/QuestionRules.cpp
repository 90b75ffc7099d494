#include "common/QuestionRules.h"

#include "common/StemLines.h"

#include <algorithm>
#include <string_view>

namespace olv {

namespace {

bool isAnswerLetter(char byte) { return (byte >= 'A' && byte <= 'D') || (byte >= 'a' && byte <= 'd'); }

char upper(char letter) { return letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter; }

bool repeatsLetter(std::string_view answer)
{
    bool seen[4] = {};
    for (char letter : answer) {
        bool& slot = seen[upper(letter) - 'A'];
        if (slot)
            return true;
        slot = true;
    }
    return false;
}

bool hasLongStemLine(const std::string& stem)
{
    const auto lines = stemLines(stem);
    return std::any_of(lines.begin(), lines.end(), [](const auto& line) { return line.size() > maxStemLineBytes; });
}

QuestionRule firstBrokenAnswerRule(QuestionKind kind, std::string_view answer)
{
    const bool multiple = kind == QuestionKind::MultipleChoice;
    if (answer.empty())
        return QuestionRule::EmptyAnswer;
    if (!multiple && answer.size() != 1)
        return QuestionRule::OneLetterExpected;
    if (multiple && answer.size() == 1)
        return QuestionRule::TwoLettersExpected;
    if (answer.size() > 4)
        return QuestionRule::AnswerTooLong;
    if (!std::all_of(answer.begin(), answer.end(), isAnswerLetter))
        return QuestionRule::AnswerNotLetters;
    if (repeatsLetter(answer))
        return QuestionRule::AnswerRepeatsLetter;
    if (kind == QuestionKind::TrueFalse && upper(answer[0]) != 'A' && upper(answer[0]) != 'B')
        return QuestionRule::TrueFalseAnswerNotAOrB;
    return QuestionRule::None;
}

} // namespace

QuestionRule firstBrokenRule(const Question& question)
{
    if (question.stem.empty())
        return QuestionRule::EmptyStem;
    const bool hasOption = std::any_of(
        question.options.begin(), question.options.end(), [](const std::string& option) { return !option.empty(); });
    if (question.kind != QuestionKind::TrueFalse && !hasOption)
        return QuestionRule::NoOption;
    if (const auto rule = firstBrokenAnswerRule(question.kind, question.answer); rule != QuestionRule::None)
        return rule;
    return hasLongStemLine(question.stem) ? QuestionRule::StemLineTooLong : QuestionRule::None;
}

} // namespace olv
