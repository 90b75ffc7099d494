#include "admin/answers/AnswerAnalysis.h"

#include "common/AnswerRecord.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

namespace olv {

namespace {

// A counts line ends as soon as its text is longer than this.
constexpr std::size_t countsLineLimit = 50;
// The header's prefix is one byte wider than score and exam number, as the list has always shown it.
constexpr std::size_t headerScoreWidth = 4;
constexpr std::size_t headerExamNumberWidth = 14;

std::size_t questionCount(const std::vector<std::string>& answerLines)
{
    const std::size_t length = answerLines.front().size();
    return length > answerMarksStart + 1 ? length - answerMarksStart - 1 : 0;
}

// The last digit of each question number; the tens digit at every tenth question.
std::string headerLine(std::size_t questions)
{
    std::string line
        = padRight(utf8ToGbk("得分"), headerScoreWidth) + padRight(utf8ToGbk("考号"), headerExamNumberWidth);
    for (std::size_t question = 1; question <= questions; ++question) {
        const std::size_t digit = question % 10 == 0 ? question / 10 % 10 : question % 10;
        line += static_cast<char>('0' + digit);
    }
    return line;
}

struct QuestionCounts
{
    std::vector<int> right;
    std::vector<int> wrong;
};

QuestionCounts countMarks(const std::vector<std::string>& answerLines, std::size_t questions)
{
    QuestionCounts counts { std::vector<int>(questions), std::vector<int>(questions) };
    for (const std::string& line : answerLines) {
        if (line.size() <= answerMarksStart)
            continue;
        const std::size_t reach = std::min(questions, line.size() - answerMarksStart);
        const char* marks = line.data() + answerMarksStart;
        for (std::size_t k = 0; k < reach; ++k) {
            counts.right[k] += marks[k] == 'R';
            counts.wrong[k] += marks[k] == 'E';
        }
    }
    return counts;
}

} // namespace

std::vector<std::string> answerAnalysisLines(const std::vector<std::string>& answerLines)
{
    std::vector<std::string> lines;
    lines.push_back(utf8ToGbk("各考生答题情况: *--未做此题,E--错误,R--正确"));
    const std::size_t questions = answerLines.empty() ? 0 : questionCount(answerLines);
    lines.push_back(headerLine(questions));
    lines.insert(lines.end(), answerLines.begin(), answerLines.end());
    lines.push_back(utf8ToGbk("各题对错情况： /前为正确人数,/后为错误人数"));

    const QuestionCounts counts = countMarks(answerLines, questions);
    std::string text;
    for (std::size_t k = 0; k < questions; ++k) {
        text += std::to_string(k + 1) + ':' + std::to_string(counts.right[k]) + '/' + std::to_string(counts.wrong[k])
            + ' ';
        if (text.size() > countsLineLimit) {
            lines.push_back(std::move(text));
            text.clear();
        }
    }
    lines.push_back(std::move(text));
    return lines;
}

} // namespace olv
