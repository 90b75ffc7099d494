#include "admin/bank/BankCheck.h"

#include "admin/bank/DuplicateStems.h"
#include "admin/bank/QuestionPlace.h"
#include "admin/bank/QuestionValidation.h"

namespace olv {

std::vector<BankFinding> checkBank(const QuestionBank& bank)
{
    std::vector<BankFinding> findings;
    for (QuestionKind kind : allQuestionKinds) {
        const auto& questions = bank.questionsOf(kind);
        const int offset = numberOffset(bank, kind);
        const auto duplicates = earlierDuplicateStems(questions);
        for (std::size_t i = 0; i < questions.size(); ++i) {
            const int number = offset + static_cast<int>(i) + 1;
            if (const auto rule = firstBrokenRule(questions[i]); rule != QuestionRule::None)
                findings.push_back({ number, ruleMessage(rule) });
            if (duplicates[i])
                findings.push_back({ number, duplicateStemMessage(offset + static_cast<int>(*duplicates[i]) + 1) });
        }
    }
    return findings;
}

} // namespace olv
