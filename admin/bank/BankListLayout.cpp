#include "admin/bank/BankListLayout.h"

#include "admin/bank/QuestionPlace.h"
#include "common/BankText.h"

namespace olv {

namespace {

std::size_t kindIndex(QuestionKind kind) { return static_cast<std::size_t>(kind); }

const Question& questionAt(const QuestionBank& bank, int number)
{
    const QuestionPlace place = placeOf(bank, number);
    return bank.questionsOf(place.kind)[place.index];
}

void renumberAnswerLine(RenderedLine& line, int number)
{
    line.text.replace(0, std::to_string(line.tag).size(), std::to_string(number));
    line.tag = number;
}

} // namespace

RenderedLine answerLine(int number, const std::string& answer)
{
    return { std::to_string(number) + "--" + answer, number };
}

void BankListLayout::rebuild(const QuestionBank& bank)
{
    // The BankView of renderQuestionList, laid out here to note where each question starts.
    m_questionLines.clear();
    // Room for a stem line and two option lines a question: growing a list of this size
    // would move it several times. Pages beyond those used are never touched.
    m_questionLines.reserve(3 + 3 * bank.questionCount());
    m_answerLines.clear();
    m_answerLines.reserve(bank.questionCount());
    m_firstLines.clear();
    m_firstLines.reserve(bank.questionCount());
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        m_headings[kindIndex(kind)] = m_questionLines.size();
        m_questionLines.push_back({ listHeading(kind) });
        m_counts[kindIndex(kind)] = static_cast<int>(bank.questionsOf(kind).size());
        for (const Question& question : bank.questionsOf(kind)) {
            m_firstLines.push_back(m_questionLines.size());
            appendQuestionLines(m_questionLines, kind, question, ++number);
            m_answerLines.push_back(answerLine(number, question.answer));
        }
    }
}

QuestionKind BankListLayout::kindOf(int number) const
{
    int last = 0;
    for (QuestionKind kind : allQuestionKinds) {
        last += m_counts[kindIndex(kind)];
        if (number <= last)
            return kind;
    }
    return QuestionKind::TrueFalse;
}

std::size_t BankListLayout::endOf(int number) const
{
    const QuestionKind kind = kindOf(number);
    if (static_cast<std::size_t>(number) < m_firstLines.size() && kindOf(number + 1) == kind)
        return firstLineOf(number + 1);
    return kind == QuestionKind::TrueFalse ? m_questionLines.size() : m_headings[kindIndex(kind) + 1];
}

void BankListLayout::shiftFrom(int number, QuestionKind kind, std::ptrdiff_t delta)
{
    for (std::size_t i = static_cast<std::size_t>(number - 1); i < m_firstLines.size(); ++i)
        m_firstLines[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(m_firstLines[i]) + delta);
    for (std::size_t i = kindIndex(kind) + 1; i < m_headings.size(); ++i)
        m_headings[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(m_headings[i]) + delta);
}

void BankListLayout::renumberFrom(int number)
{
    for (std::size_t i = static_cast<std::size_t>(number - 1); i < m_firstLines.size(); ++i) {
        const int renumbered = static_cast<int>(i) + 1;
        renumberQuestionLine(m_questionLines[m_firstLines[i]], renumbered);
        renumberAnswerLine(m_answerLines[i], renumbered);
    }
}

std::vector<RenderedLine> BankListLayout::linesOf(const QuestionBank& bank, int number) const
{
    std::vector<RenderedLine> lines;
    const QuestionKind kind = placeOf(bank, number).kind;
    appendQuestionLines(lines, kind, questionAt(bank, number), number);
    return lines;
}

void BankListLayout::questionInserted(const QuestionBank& bank, int number)
{
    const QuestionKind kind = placeOf(bank, number).kind;
    const bool firstOfKind = number == numberOffset(bank, kind) + 1;
    const std::size_t row = firstOfKind ? m_headings[kindIndex(kind)] + 1 : endOf(number - 1);
    auto lines = linesOf(bank, number);
    const auto added = static_cast<std::ptrdiff_t>(lines.size());
    m_questionLines.insert(m_questionLines.begin() + static_cast<std::ptrdiff_t>(row),
        std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    shiftFrom(number, kind, added);
    m_firstLines.insert(m_firstLines.begin() + (number - 1), row);
    ++m_counts[kindIndex(kind)];
    m_answerLines.insert(m_answerLines.begin() + (number - 1), answerLine(number, questionAt(bank, number).answer));
    renumberFrom(number + 1);
}

void BankListLayout::questionReplaced(const QuestionBank& bank, int number)
{
    const std::size_t row = firstLineOf(number);
    const auto oldCount = static_cast<std::ptrdiff_t>(endOf(number) - row);
    auto lines = linesOf(bank, number);
    const auto begin = m_questionLines.begin() + static_cast<std::ptrdiff_t>(row);
    m_questionLines.erase(begin, begin + oldCount);
    m_questionLines.insert(m_questionLines.begin() + static_cast<std::ptrdiff_t>(row),
        std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    shiftFrom(number + 1, kindOf(number), static_cast<std::ptrdiff_t>(lines.size()) - oldCount);
    m_answerLines[static_cast<std::size_t>(number - 1)] = answerLine(number, questionAt(bank, number).answer);
}

void BankListLayout::questionRemoved(int number)
{
    const QuestionKind kind = kindOf(number);
    const std::size_t row = firstLineOf(number);
    const auto removed = static_cast<std::ptrdiff_t>(endOf(number) - row);
    const auto begin = m_questionLines.begin() + static_cast<std::ptrdiff_t>(row);
    m_questionLines.erase(begin, begin + removed);
    m_firstLines.erase(m_firstLines.begin() + (number - 1));
    --m_counts[kindIndex(kind)];
    shiftFrom(number, kind, -removed);
    m_answerLines.erase(m_answerLines.begin() + (number - 1));
    renumberFrom(number);
}

} // namespace olv
