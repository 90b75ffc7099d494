#include "common/QuestionList.h"

#include "common/BankText.h"
#include "common/StemLines.h"

#include <cstdio>

namespace olv {

namespace {

constexpr std::size_t shortLine = 80;
constexpr std::string_view indent = "    ";

constexpr std::string_view optionTail = "        ";

// Where the four option strings of layoutOptions go, worked out from their widths alone: the
// line of each, and the spaces appended to A and C so that B and D start in one column.
struct OptionPlan
{
    std::array<std::size_t, 4> line {};
    std::size_t lineCount = 1;
    std::size_t padA = 0;
    std::size_t padC = 0;
};

std::size_t paddedWidth(std::size_t width, std::size_t upTo, std::size_t neighbour)
{
    while (width < upTo && width + neighbour < shortLine)
        ++width;
    return width;
}

OptionPlan planOptions(const std::array<std::size_t, 4>& widths)
{
    const auto [a, b, c, d] = widths;
    if (a + b + c + d < shortLine)
        return { { 0, 0, 0, 0 }, 1 };
    if (a + b + c < 50 && d > 40)
        return { { 0, 0, 0, 1 }, 2 };
    if (a + b < shortLine && c + d < shortLine) {
        const std::size_t paddedA = paddedWidth(a, c, b);
        const std::size_t paddedC = paddedWidth(c, paddedA, d);
        return { { 0, 0, 1, 1 }, 2, paddedA - a, paddedC - c };
    }
    return { { 0, 1, 2, 3 }, 4 };
}

// Builds the option lines by the plan, each line in one allocation: `appendOption(text, i)`
// appends option string i, `emit(line)` takes each finished line.
template <typename AppendOption, typename Emit>
void buildOptionLines(const std::array<std::size_t, 4>& widths, AppendOption appendOption, Emit emit)
{
    const OptionPlan plan = planOptions(widths);
    const std::array<std::size_t, 4> pads = { plan.padA, 0, plan.padC, 0 };
    std::size_t option = 0;
    for (std::size_t line = 0; line < plan.lineCount; ++line) {
        std::size_t width = 0;
        for (std::size_t i = option; i < 4 && plan.line[i] == line; ++i)
            width += widths[i] + pads[i];
        std::string text;
        text.reserve(width);
        for (; option < 4 && plan.line[option] == line; ++option) {
            appendOption(text, option);
            text.append(pads[option], ' ');
        }
        emit(std::move(text));
    }
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
    bool first = true;
    forEachStemLine(question.stem, [&](std::string_view stemLine) {
        if (!first) {
            lines.push_back({ std::string(stemLine) });
            return;
        }
        first = false;
        const std::string numberText = std::to_string(number);
        std::string text;
        text.reserve(indent.size() + numberText.size() + numberMark().size() + stemLine.size());
        text.append(indent).append(numberText).append(numberMark()).append(stemLine);
        lines.push_back({ std::move(text), number });
    });
    if (kind == QuestionKind::TrueFalse)
        return;
    // Option string i: the letter, "、", the text and eight spaces; empty for an empty option.
    std::array<std::size_t, 4> widths {};
    for (std::size_t i = 0; i < widths.size(); ++i)
        if (!question.options[i].empty())
            widths[i] = 1 + numberMark().size() + question.options[i].size() + optionTail.size();
    buildOptionLines(
        widths,
        [&](std::string& text, std::size_t i) {
            if (question.options[i].empty())
                return;
            text += static_cast<char>('A' + i);
            text.append(numberMark()).append(question.options[i]).append(optionTail);
        },
        [&](std::string&& text) { lines.push_back({ std::move(text) }); });
}

void renumberQuestionLine(RenderedLine& firstLine, int number)
{
    firstLine.text.replace(indent.size(), std::to_string(firstLine.tag).size(), std::to_string(number));
    firstLine.tag = number;
}

std::vector<std::string> layoutOptions(const std::array<std::string, 4>& optionStrings)
{
    std::array<std::size_t, 4> widths {};
    for (std::size_t i = 0; i < widths.size(); ++i)
        widths[i] = optionStrings[i].size();
    std::vector<std::string> lines;
    buildOptionLines(
        widths, [&](std::string& text, std::size_t i) { text += optionStrings[i]; },
        [&](std::string&& text) { lines.push_back(std::move(text)); });
    return lines;
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
