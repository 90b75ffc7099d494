#pragma once

#include "common/Question.h"

#include <string>
#include <vector>

namespace olv {

// The bank as its list shows it, the first line of each question led by "(" answer ")".
// GBK lines without line ends.
std::vector<std::string> bankExportLines(const QuestionBank& bank);

// The questions whose numbers are ticked (ticks[number - 1]), each kind in bank order.
QuestionBank tickedQuestions(const QuestionBank& bank, const std::vector<bool>& ticks);

} // namespace olv
