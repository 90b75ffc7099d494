#include "common/QuestionRules.h"

#include "common/BankText.h"
#include "common/StemLines.h"

#include <algorithm>
#include <string_view>

namespace olv {

namespace {

bool isAnswerLetter(char byte) { return (byte >= 'A' && byte <= 'D') || (byte >= 'a' && byte <= 'd'); }

char upper(char letter) { return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter; }

// Any byte twice once the letters are upper-cased, so the test holds for any answer.
bool repeatsLetter(std::string_view answer)
{
    bool seen[256] = {};
    for (char byte : answer) {
        bool& slot = seen[static_cast<unsigned char>(upper(byte))];
        if (slot)
            return true;
        slot = true;
    }
    return false;
}

bool hasLongStemLine(std::string_view stem)
{
    bool tooLong = false;
    forEachStemLine(stem, [&](std::string_view line) { tooLong = tooLong || line.size() > maxStemLineBytes; });
    return tooLong;
}

bool hasOption(const Question& question)
{
    return std::any_of(
        question.options.begin(), question.options.end(), [](const std::string& option) { return !option.empty(); });
}

} // namespace

bool breaksRule(const Question& question, QuestionRule rule)
{
    const std::string& answer = question.answer;
    const bool multiple = question.kind == QuestionKind::MultipleChoice;
    switch (rule) {
    case QuestionRule::None:
        return false;
    case QuestionRule::EmptyStem:
        return question.stem.empty();
    case QuestionRule::NoOption:
        return question.kind != QuestionKind::TrueFalse && !hasOption(question);
    case QuestionRule::EmptyAnswer:
        return answer.empty();
    case QuestionRule::OneLetterExpected:
        return !multiple && answer.size() != 1;
    case QuestionRule::TwoLettersExpected:
        return multiple && answer.size() == 1;
    case QuestionRule::AnswerTooLong:
        return answer.size() > 4;
    case QuestionRule::AnswerNotLetters:
        return !std::all_of(answer.begin(), answer.end(), isAnswerLetter);
    case QuestionRule::AnswerRepeatsLetter:
        return repeatsLetter(answer);
    case QuestionRule::TrueFalseAnswerNotAOrB:
        return question.kind == QuestionKind::TrueFalse && answer != "A" && answer != "a" && answer != "B"
            && answer != "b";
    case QuestionRule::StemLineTooLong:
        return hasLongStemLine(question.stem);
    case QuestionRule::StemIsMultipleChoiceMarker:
        return question.kind == QuestionKind::SingleChoice
            && question.stem == sectionMarker(QuestionKind::MultipleChoice);
    case QuestionRule::StemIsTrueFalseMarker:
        return question.kind == QuestionKind::MultipleChoice && question.stem == sectionMarker(QuestionKind::TrueFalse);
    }
    return false;
}

QuestionRule firstBrokenRule(const Question& question)
{
    for (QuestionRule rule : questionRuleOrder)
        if (breaksRule(question, rule))
            return rule;
    return QuestionRule::None;
}

} // namespace olv
