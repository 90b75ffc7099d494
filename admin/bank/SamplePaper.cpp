#include "admin/bank/SamplePaper.h"

#include "admin/bank/BankReading.h"
#include "common/PaperDrawing.h"
#include "common/QuestionList.h"
#include "platform/Gbk.h"

#include <utility>

namespace olv {

namespace {

constexpr std::size_t keyLineWidth = 50;

} // namespace

QuestionBank drawSamplePaper(QuestionBank bank, const ExamSettings& settings, std::int64_t now)
{
    const auto time = static_cast<std::uint32_t>(now);
    PaperRandom random(settings.drawMode == DrawMode::Random ? time : static_cast<std::uint32_t>(settings.fixedNumber));
    const KindCounts wanted = { settings.singleChoiceCount, settings.multipleChoiceCount, settings.trueFalseCount };
    auto lists = drawQuestions(numberQuestions(std::move(bank)), wanted, settings.drawMode, random);
    if (settings.shuffleQuestions) {
        random.seed(time);
        shuffleQuestionOrder(lists, random);
    }
    auto paper = paperQuestions(std::move(lists));
    normalizeAnswers(paper);
    return paper;
}

std::vector<std::string> answerEntries(const QuestionBank& paper)
{
    std::vector<std::string> entries;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : paper.questionsOf(kind))
            entries.push_back(std::to_string(entries.size() + 1) + "--" + question.answer);
    return entries;
}

std::vector<std::string> writtenPaperLines(const ExamSettings& settings, const QuestionBank& paper)
{
    static const std::string fillIn = utf8ToGbk("考号:           姓名:        ");
    std::vector<std::string> lines = { settings.examName, settings.subject, fillIn };
    for (auto& line : renderQuestionList(QuestionListVariant::PaperView, paper, &settings))
        lines.push_back(std::move(line.text));
    return lines;
}

std::vector<std::string> answerKeyLines(const ExamSettings& settings, const QuestionBank& paper)
{
    static const std::string keyTitle = utf8ToGbk("标准答案");
    std::vector<std::string> lines = { settings.examName, settings.subject + keyTitle };
    std::string current;
    for (const auto& entry : answerEntries(paper)) {
        current += entry + "  ";
        if (current.size() > keyLineWidth)
            lines.push_back(std::exchange(current, {}));
    }
    lines.push_back(current);
    return lines;
}

} // namespace olv
