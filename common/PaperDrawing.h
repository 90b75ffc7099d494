#pragma once

#include "common/ExamSettings.h"
#include "common/PaperRandom.h"
#include "common/Question.h"

#include <array>
#include <vector>

namespace olv {

// A question with its number in the bank it came from, kept through drawing and shuffles.
struct NumberedQuestion
{
    Question question;
    int bankNumber = 0;

    bool operator==(const NumberedQuestion&) const = default;
};

// One list per kind, indexed by QuestionKind.
using NumberedQuestionLists = std::array<std::vector<NumberedQuestion>, 3>;

// Wanted counts per kind, indexed by QuestionKind.
using KindCounts = std::array<int, 3>;

// Numbers the questions 1..N over the kinds in kind order; each list stays in bank order.
NumberedQuestionLists numberQuestions(QuestionBank bank);

// The bank numbers in paper order, and the questions without their numbers.
std::vector<int> bankNumbers(const NumberedQuestionLists& lists);
QuestionBank paperQuestions(NumberedQuestionLists lists);

// Removes questions one at a time until each kind holds its wanted count (a negative count
// or one above the available questions keeps them all). BankOrder removes the last one and
// draws nothing; every other mode removes the one at draw % n. Survivors keep bank order.
NumberedQuestionLists drawQuestions(
    NumberedQuestionLists lists, const KindCounts& wanted, DrawMode mode, PaperRandom& random);

// Per kind, count - 1 times: the question at draw % count moves to the front.
void shuffleQuestionOrder(NumberedQuestionLists& lists, PaperRandom& random);

// Exchanges two options of every single- and multiple-choice question and maps the answer
// to them. False when an exchanged single-choice question has no answer.
bool shuffleOptionOrder(NumberedQuestionLists& lists, PaperRandom& random);

} // namespace olv
