#include "common/PaperDrawing.h"

#include "common/Answer.h"
#include "common/RemainingPositions.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace olv {

namespace {

std::size_t indexOf(QuestionKind kind) { return static_cast<std::size_t>(kind); }

std::size_t keptCount(int wanted, std::size_t available)
{
    if (wanted < 0 || static_cast<std::size_t>(wanted) > available)
        return available;
    return static_cast<std::size_t>(wanted);
}

// The outcome of removing the question at draw % n until `kept` remain, one removal at a
// time, without shifting the list on every removal.
void drawFromList(std::vector<NumberedQuestion>& list, std::size_t kept, PaperRandom& random)
{
    if (list.size() <= kept)
        return;
    RemainingPositions positions(list.size());
    while (positions.remaining() > kept)
        positions.removeAt(static_cast<std::size_t>(random.draw()) % positions.remaining());
    std::vector<NumberedQuestion> drawn;
    drawn.reserve(kept);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (positions.contains(i))
            drawn.push_back(std::move(list[i]));
    }
    list = std::move(drawn);
}

void shuffleList(std::vector<NumberedQuestion>& list, PaperRandom& random)
{
    const std::size_t count = list.size();
    for (std::size_t round = 1; round < count; ++round) {
        const std::size_t j = static_cast<std::size_t>(random.draw()) % count;
        std::rotate(list.begin(), list.begin() + j, list.begin() + j + 1);
    }
}

char letterOf(int option) { return static_cast<char>('A' + option - 1); }

int drawOption(PaperRandom& random) { return random.draw() % 4 + 1; }

bool mapSingleAnswer(std::string& answer, char a, char b)
{
    if (answer.empty())
        return false;
    if (answer[0] == a)
        answer[0] = b;
    else if (answer[0] == b)
        answer[0] = a;
    return true;
}

void mapMultipleAnswer(std::string& answer, char a, char b)
{
    const bool hasA = answer.find(a) != std::string::npos;
    const bool hasB = answer.find(b) != std::string::npos;
    if (hasA != hasB)
        std::replace(answer.begin(), answer.end(), hasA ? a : b, hasA ? b : a);
}

bool exchangeTwoOptions(Question& question, QuestionKind kind, PaperRandom& random)
{
    const int a = drawOption(random);
    int b = drawOption(random);
    while (b == a)
        b = drawOption(random);
    std::string& first = question.options[static_cast<std::size_t>(a - 1)];
    std::string& second = question.options[static_cast<std::size_t>(b - 1)];
    if (first.empty() || second.empty())
        return true;
    std::swap(first, second);
    // The stored form of a single-choice answer is the answer upper-cased, nothing more.
    question.answer = normalizeAnswer(QuestionKind::SingleChoice, question.answer);
    if (kind == QuestionKind::SingleChoice)
        return mapSingleAnswer(question.answer, letterOf(a), letterOf(b));
    mapMultipleAnswer(question.answer, letterOf(a), letterOf(b));
    return true;
}

} // namespace

NumberedQuestionLists numberQuestions(QuestionBank bank)
{
    NumberedQuestionLists lists;
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        for (Question& question : bank.questionsOf(kind))
            lists[indexOf(kind)].push_back({ std::move(question), ++number });
    }
    return lists;
}

std::vector<int> bankNumbers(const NumberedQuestionLists& lists)
{
    std::vector<int> numbers;
    for (const auto& list : lists) {
        for (const NumberedQuestion& numbered : list)
            numbers.push_back(numbered.bankNumber);
    }
    return numbers;
}

QuestionBank paperQuestions(NumberedQuestionLists lists)
{
    QuestionBank bank;
    for (QuestionKind kind : allQuestionKinds) {
        for (NumberedQuestion& numbered : lists[indexOf(kind)])
            bank.questionsOf(kind).push_back(std::move(numbered.question));
    }
    return bank;
}

NumberedQuestionLists drawQuestions(
    NumberedQuestionLists lists, const KindCounts& wanted, DrawMode mode, PaperRandom& random)
{
    for (QuestionKind kind : allQuestionKinds) {
        auto& list = lists[indexOf(kind)];
        const std::size_t kept = keptCount(wanted[indexOf(kind)], list.size());
        if (mode == DrawMode::BankOrder)
            list.resize(kept);
        else
            drawFromList(list, kept, random);
    }
    return lists;
}

void shuffleQuestionOrder(NumberedQuestionLists& lists, PaperRandom& random)
{
    for (auto& list : lists)
        shuffleList(list, random);
}

bool shuffleOptionOrder(NumberedQuestionLists& lists, PaperRandom& random)
{
    for (QuestionKind kind : { QuestionKind::SingleChoice, QuestionKind::MultipleChoice }) {
        for (NumberedQuestion& numbered : lists[indexOf(kind)]) {
            if (!exchangeTwoOptions(numbered.question, kind, random))
                return false;
        }
    }
    return true;
}

} // namespace olv
