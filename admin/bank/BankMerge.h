#pragma once

#include "common/Prompter.h"
#include "common/Question.h"

#include <string>

namespace olv {

// For each kind, the first bank's questions followed by the second's, answers as read.
QuestionBank mergeBanks(QuestionBank first, const QuestionBank& second);

enum class BankMergeOutcome
{
    Refused, // a path missing, or both sources one file: nothing read
    Merged,
    ReadFailed, // a source could not be read: nothing written
    WriteFailed,
};

// The three paths of the merge dialog (UTF-8, as chosen) and the merge itself.
class BankMerge
{
public:
    explicit BankMerge(Prompter& prompter)
        : m_prompter(prompter)
    { }

    std::string first;
    std::string second;
    std::string target;

    // "开始合并": reads both banks completely before the new one is written, so the new path
    // may be one of the sources. Tells the user the outcome.
    BankMergeOutcome merge();

private:
    Prompter& m_prompter;
};

} // namespace olv
