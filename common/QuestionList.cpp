#include "common/QuestionList.h"

#include "common/BankText.h"
#include "common/StemLines.h"

#include <cstdio>

namespace olv {

namespace {

constexpr std::size_t shortLine = 80;
constexpr std::string_view indent = "    ";

void padWithSpaces(std::string& text, std::size_t upTo, std::size_t neighbour)
{
    while (text.size() < upTo && text.size() + neighbour < shortLine)
        text += ' ';
}

std::array<std::string, 4> optionStrings(const Question& question)
{
    std::array<std::string, 4> strings;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (question.options[i].empty())
            continue;
        strings[i] = static_cast<char>('A' + i) + numberMark() + question.options[i] + "        ";
    }
    return strings;
}

struct KindInPaper
{
    int count;
    float points;
};

KindInPaper kindInPaper(const ExamSettings& settings, QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::SingleChoice:
        return { settings.singleChoiceCount, settings.singleChoicePoints };
    case QuestionKind::MultipleChoice:
        return { settings.multipleChoiceCount, settings.multipleChoicePoints };
    case QuestionKind::TrueFalse:
        break;
    }
    return { settings.trueFalseCount, settings.trueFalsePoints };
}

std::string paperHeading(QuestionKind kind, float points)
{
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%1.2f", static_cast<double>(points));
    return listHeading(kind) + "     " + formatted + pointsPerQuestion();
}

} // namespace

void appendQuestionLines(std::vector<RenderedLine>& lines, QuestionKind kind, const Question& question, int number)
{
    const auto stem = stemLines(question.stem);
    lines.push_back({ std::string(indent) + std::to_string(number) + numberMark() + stem.front(), number });
    for (std::size_t i = 1; i < stem.size(); ++i)
        lines.push_back({ stem[i] });
    if (kind == QuestionKind::TrueFalse)
        return;
    for (auto& optionLine : layoutOptions(optionStrings(question)))
        lines.push_back({ std::move(optionLine) });
}

void renumberQuestionLine(RenderedLine& firstLine, int number)
{
    firstLine.text.replace(indent.size(), std::to_string(firstLine.tag).size(), std::to_string(number));
    firstLine.tag = number;
}

std::vector<std::string> layoutOptions(const std::array<std::string, 4>& optionStrings)
{
    auto [a, b, c, d] = optionStrings;
    if (a.size() + b.size() + c.size() + d.size() < shortLine)
        return { a + b + c + d };
    if (a.size() + b.size() + c.size() < 50 && d.size() > 40)
        return { a + b + c, d };
    if (a.size() + b.size() < shortLine && c.size() + d.size() < shortLine) {
        padWithSpaces(a, c.size(), b.size());
        padWithSpaces(c, a.size(), d.size());
        return { a + b, c + d };
    }
    return { a, b, c, d };
}

std::vector<RenderedLine> renderQuestionList(
    QuestionListVariant variant, const QuestionBank& questions, const ExamSettings* settings)
{
    const bool paper = variant == QuestionListVariant::PaperView && settings;
    std::vector<RenderedLine> lines;
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        if (!paper) {
            lines.push_back({ listHeading(kind) });
        } else if (const auto inPaper = kindInPaper(*settings, kind); inPaper.count != 0) {
            lines.push_back({ paperHeading(kind, inPaper.points) });
        } else {
            continue;
        }
        for (const Question& question : questions.questionsOf(kind))
            appendQuestionLines(lines, kind, question, ++number);
    }
    return lines;
}

std::optional<int> questionAtLine(const std::vector<RenderedLine>& lines, std::size_t row)
{
    if (row >= lines.size())
        return std::nullopt;
    for (std::size_t line = row;; --line) {
        if (lines[line].tag != noQuestionTag)
            return lines[line].tag;
        if (line == 0)
            return std::nullopt;
    }
}

} // namespace olv
