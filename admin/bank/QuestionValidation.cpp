#include "admin/bank/QuestionValidation.h"

#include "admin/bank/FormStem.h"
#include "common/Answer.h"

#include <array>
#include <vector>

namespace olv {

namespace {

// A test of the form: a rule of a valid question, or one of the two the form adds.
enum class FormTest
{
    Rule,
    LineMarkInStem,
    Position,
};

struct Step
{
    FormTest test = FormTest::Rule;
    QuestionRule rule = QuestionRule::None;
};

std::vector<Step> stepsOf(EditOperation operation)
{
    std::vector<Step> steps;
    for (QuestionRule rule : questionRuleOrder) {
        // Replace tests the one-letter multiple-choice answer only after the letters.
        if (rule == QuestionRule::TwoLettersExpected && operation == EditOperation::Replace)
            continue;
        if (rule == QuestionRule::TrueFalseAnswerNotAOrB && operation != EditOperation::Append)
            steps.push_back({ FormTest::Position });
        steps.push_back({ FormTest::Rule, rule });
        if (rule == QuestionRule::EmptyStem)
            steps.push_back({ FormTest::LineMarkInStem });
        if (rule == QuestionRule::AnswerRepeatsLetter && operation == EditOperation::Replace)
            steps.push_back({ FormTest::Rule, QuestionRule::TwoLettersExpected });
    }
    return steps;
}

// Made once: an import tests a whole file of questions.
const std::vector<Step>& stepsFor(EditOperation operation)
{
    static const std::array<std::vector<Step>, 3> steps
        = { stepsOf(EditOperation::Append), stepsOf(EditOperation::Insert), stepsOf(EditOperation::Replace) };
    return steps[static_cast<std::size_t>(operation)];
}

// The rules that look at the stem; the others read only kind, options and answer.
bool readsStem(QuestionRule rule)
{
    return rule == QuestionRule::EmptyStem || rule == QuestionRule::StemLineTooLong
        || rule == QuestionRule::StemIsMultipleChoiceMarker || rule == QuestionRule::StemIsTrueFalseMarker;
}

std::string kindName(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::SingleChoice:
        return "单选题";
    case QuestionKind::MultipleChoice:
        return "多选题";
    case QuestionKind::TrueFalse:
        break;
    }
    return "判选题";
}

std::string positionMessage(QuestionKind kind, EditOperation operation)
{
    return "你输入的题型为" + kindName(kind) + ",不能" + (operation == EditOperation::Insert ? "插入" : "替换")
        + "到其它题型中";
}

} // namespace

std::string ruleMessage(QuestionRule rule)
{
    switch (rule) {
    case QuestionRule::None:
        break;
    case QuestionRule::EmptyStem:
        return "你还没输入题目";
    case QuestionRule::NoOption:
        return "你还没输入供选答案";
    case QuestionRule::EmptyAnswer:
        return "你还没输入正确答案";
    case QuestionRule::OneLetterExpected:
        return "单选题或判断题的正确答案只能为一个字母";
    case QuestionRule::TwoLettersExpected:
        return "多选题的正确答案应为两个以上的字母";
    case QuestionRule::AnswerTooLong:
        return "正确答案不能超过4个字母";
    case QuestionRule::AnswerNotLetters:
        return "正确答案中含有非法字符";
    case QuestionRule::AnswerRepeatsLetter:
        return "正确答案中有重复选项";
    case QuestionRule::TrueFalseAnswerNotAOrB:
        return "判断题的正确答案只能为'A'或者'B'.\n正确为'A',错误为'B'";
    case QuestionRule::StemLineTooLong:
        return "题目中有些行太长,请您换行!";
    case QuestionRule::StemIsMultipleChoiceMarker:
        return "题目不能为●多选题:,请改用其它";
    case QuestionRule::StemIsTrueFalseMarker:
        return "题目不能为●判断题:,请改用其它";
    }
    return {};
}

std::string duplicateStemMessage(int number) { return "此题与" + std::to_string(number) + "题相同"; }

std::optional<std::string> formFault(const Question& typed, EditOperation operation, QuestionKind kindAtCurrent)
{
    // The rules see the stem as the bank would store it; the rest of the question as typed, not
    // copied (an import tests every question of a file).
    const Question stored { typed.kind, storedStem(typed.stem), {}, {} };
    for (const Step& step : stepsFor(operation)) {
        switch (step.test) {
        case FormTest::Rule:
            if (breaksRule(readsStem(step.rule) ? stored : typed, step.rule))
                return ruleMessage(step.rule);
            break;
        case FormTest::LineMarkInStem:
            if (typed.stem.find("/n") != std::string::npos)
                return "题目中不能含有符号/n,请改用其它";
            break;
        case FormTest::Position:
            if (typed.kind != kindAtCurrent)
                return positionMessage(typed.kind, operation);
            break;
        }
    }
    return std::nullopt;
}

Question formQuestion(const Question& typed)
{
    Question question { typed.kind, storedStem(typed.stem), {}, normalizeAnswer(typed.kind, typed.answer) };
    if (question.kind != QuestionKind::TrueFalse)
        question.options = typed.options;
    return question;
}

} // namespace olv
