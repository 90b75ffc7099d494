#pragma once

#include "common/Question.h"

#include <string>
#include <vector>

namespace olv {

struct BankFinding
{
    int questionNumber = 0;
    std::string message; // the editor's words (UTF-8)

    bool operator==(const BankFinding&) const = default;
};

// What the editor would refuse or ask about in a bank built elsewhere: for each question the
// first rule of a valid question it breaks, then the first earlier question of its kind whose
// stem counts as the same. In question-number order.
std::vector<BankFinding> checkBank(const QuestionBank& bank);

} // namespace olv
