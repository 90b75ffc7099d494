#include "admin/bank/BankExport.h"

#include "common/QuestionList.h"

namespace olv {

std::vector<std::string> bankExportLines(const QuestionBank& bank)
{
    std::vector<const Question*> byNumber;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : bank.questionsOf(kind))
            byNumber.push_back(&question);

    std::vector<std::string> lines;
    for (auto& line : renderQuestionList(QuestionListVariant::BankView, bank)) {
        if (line.tag == noQuestionTag)
            lines.push_back(std::move(line.text));
        else
            lines.push_back("(" + byNumber.at(static_cast<std::size_t>(line.tag - 1))->answer + ")" + line.text);
    }
    return lines;
}

QuestionBank tickedQuestions(const QuestionBank& bank, const std::vector<bool>& ticks)
{
    QuestionBank ticked;
    std::size_t number = 0;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : bank.questionsOf(kind))
            if (number < ticks.size() && ticks[number++])
                ticked.questionsOf(kind).push_back(question);
    return ticked;
}

} // namespace olv
