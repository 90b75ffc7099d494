#pragma once

#include <cstdint>
#include <string>

namespace olv::test {

// What the exam driver and the crash test agree on: who sits the exam, how the driver answers
// and how far the clock runs between two confirms.

inline constexpr const char* scriptExamNumber = "1001          ";
inline constexpr std::int64_t scriptClockSeconds = 1700000000;
inline constexpr long ticksPerConfirm = 3;

// Where the kinds of a paper end, as ExamPaper counts them.
struct PaperShape
{
    int singleChoiceEnd = 0;
    int multipleChoiceEnd = 0;
    int questionCount = 0;

    bool operator==(const PaperShape&) const = default;
};

struct ScriptedConfirm
{
    int question = 0; // from 1
    std::string answer;
    long elapsedSeconds = 0; // saved with it

    bool operator==(const ScriptedConfirm&) const = default;
};

// The confirm the driver makes once `elapsedSeconds` are saved. Every confirm advances the time
// by ticksPerConfirm, so the saved time tells how many confirms there have been: the driver
// goes round the paper, question after question, and each round gives every question an answer
// other than the one before.
inline ScriptedConfirm nextConfirm(const PaperShape& shape, long elapsedSeconds)
{
    const long step = elapsedSeconds / ticksPerConfirm;
    const int question = static_cast<int>(step % shape.questionCount) + 1;
    const int pick = question + static_cast<int>(step / shape.questionCount);
    std::string answer;
    if (question <= shape.singleChoiceEnd) {
        answer = std::string(1, static_cast<char>('A' + pick % 4));
    } else if (question <= shape.multipleChoiceEnd) {
        const int letters = pick % 15 + 1; // never empty
        for (int i = 0; i < 4; ++i) {
            if (letters & (1 << i))
                answer += static_cast<char>('A' + i);
        }
    } else {
        answer = std::string(1, static_cast<char>('A' + pick % 2));
    }
    return { question, answer, (step + 1) * ticksPerConfirm };
}

} // namespace olv::test
