#pragma once

#include "common/Question.h"

#include <string>
#include <vector>

namespace olv {

struct AnswerCardFile;
struct ExamPaper;

// Whether an answer card read back from the workspace belongs to this exam: one line per paper
// question, each its own number, "--" and letters A to D; a bank question count that holds every
// bank number of the paper and stays within maxBankQuestions; an elapsed time between 0 and
// one second past the exam time (the tick that ends the exam counts that second).
bool answerCardFits(const AnswerCardFile& card, const ExamPaper& paper, int examMinutes);

} // namespace olv
