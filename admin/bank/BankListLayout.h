#pragma once

#include "common/QuestionList.h"

#include <array>
#include <vector>

namespace olv {

// The editor's two lists of a bank: the question list (renderQuestionList's BankView) and the
// answer list ("%d--" and the answer, tagged with the number). After an edit only the
// changed question's lines are laid out again and the later numbers rewritten, so the lists
// keep up with banks of hundreds of thousands of questions; they always equal a full layout.
class BankListLayout
{
public:
    void rebuild(const QuestionBank& bank);
    // Question `number` of `bank` is new, has changed, or is gone (the bank already changed).
    void questionInserted(const QuestionBank& bank, int number);
    void questionReplaced(const QuestionBank& bank, int number);
    void questionRemoved(int number);

    const std::vector<RenderedLine>& questionLines() const { return m_questionLines; }
    const std::vector<RenderedLine>& answerLines() const { return m_answerLines; }
    // The row of question `number`'s first line (1 to N).
    std::size_t firstLineOf(int number) const { return m_firstLines[static_cast<std::size_t>(number - 1)]; }

private:
    QuestionKind kindOf(int number) const;
    // The row after the last line of question `number`.
    std::size_t endOf(int number) const;
    // Moves the rows of the questions from `number` on and of the later headings by `delta`.
    void shiftFrom(int number, QuestionKind kind, std::ptrdiff_t delta);
    // Gives the questions from `number` on their numbers again.
    void renumberFrom(int number);
    std::vector<RenderedLine> linesOf(const QuestionBank& bank, int number) const;

    std::vector<RenderedLine> m_questionLines;
    std::vector<RenderedLine> m_answerLines;
    std::vector<std::size_t> m_firstLines; // by question number - 1
    std::array<std::size_t, 3> m_headings {}; // rows of the three headings
    std::array<int, 3> m_counts {}; // questions per kind
};

// One entry of the answer list: "12--ABD", tagged 12.
RenderedLine answerLine(int number, const std::string& answer);

} // namespace olv
