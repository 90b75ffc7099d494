#pragma once

#include "common/ExamPaper.h"
#include "common/ExamSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace olv {

struct ExamState;

// "√" and "×" in GBK: the signs in front of marked answer card lines.
const std::string& rightSign();
const std::string& wrongSign();

// A paper marked against its answer card.
struct Marking
{
    // Summed in 32-bit floating point, rounded after each addition, as the points are stored.
    float total = 0;
    int score = 0;
    // One per paper question: the sign and the answer card line, GBK, no line end.
    std::vector<std::string> markedLines;

    std::string scoreText() const { return std::to_string(score); }
};

// A question counts when the letters on its card line equal its answer once both are
// upper-cased; a multiple-choice answer with a letter wrong or missing counts nothing.
Marking markAnswerCard(
    const ExamPaper& paper, const std::vector<std::string>& answerCard, const ExamSettings& settings);

// The integer part of total + 0.5, kept inside the range of int.
int roundedScore(float total);

// The candidate's line of the answer sheet file, without its line end.
std::string markedAnswerRecord(const ExamState& state, std::string_view scoreText);

} // namespace olv
