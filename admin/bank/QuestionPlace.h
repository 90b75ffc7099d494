#pragma once

#include "common/Question.h"

#include <cstddef>

namespace olv {

// Where a question number points in the three lists of a bank.
struct QuestionPlace
{
    QuestionKind kind = QuestionKind::SingleChoice;
    std::size_t index = 0; // in the kind's list
};

// The number before the first question of `kind`: 0, S or S+M.
int numberOffset(const QuestionBank& bank, QuestionKind kind);

// The section that question `number` falls in by the counts alone: up to S single choice, up
// to S+M multiple choice, true/false beyond. Numbers outside 1..N give the nearest section.
QuestionPlace placeOf(const QuestionBank& bank, int number);

} // namespace olv
