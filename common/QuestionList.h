#pragma once

#include "common/ExamSettings.h"
#include "common/Question.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// BankView: all three headings, no points. PaperView: headings with points per question,
// and only the kinds whose count in the exam settings is not 0.
enum class QuestionListVariant
{
    BankView,
    PaperView
};

inline constexpr int noQuestionTag = -1;

// One display line (GBK) and the question number on the first line of each question.
struct RenderedLine
{
    std::string text;
    int tag = noQuestionTag;

    bool operator==(const RenderedLine&) const = default;
};

// The lines in which both programs list and print questions. PaperView needs the
// settings; without them it renders as BankView.
std::vector<RenderedLine> renderQuestionList(
    QuestionListVariant variant, const QuestionBank& questions, const ExamSettings* settings = nullptr);

// Adds the lines of one question of `kind` as a list shows it, its first line tagged `number`.
void appendQuestionLines(std::vector<RenderedLine>& lines, QuestionKind kind, const Question& question, int number);
// Gives the first line of a question laid out by appendQuestionLines another number.
void renumberQuestionLine(RenderedLine& firstLine, int number);

// The question a selected line of such a list stands for: the tag of the nearest tagged
// line at or above `row`. Nothing when the walk reaches the first line (the first heading)
// without a tag, or `row` lies outside the list.
std::optional<int> questionAtLine(const std::vector<RenderedLine>& lines, std::size_t row);

// Puts the four option strings ("A、" + text + eight spaces, or empty) on one to four
// lines, by their widths in bytes.
std::vector<std::string> layoutOptions(const std::array<std::string, 4>& optionStrings);

} // namespace olv
