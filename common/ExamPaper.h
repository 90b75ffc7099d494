#pragma once

#include "common/ExamSettings.h"
#include "common/Question.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace olv {

// One candidate's paper: each kind's questions in presented order, their options in
// presented order and their answers mapped to the presented letters in stored form.
struct ExamPaper
{
    QuestionBank questions;
    // For each paper question, in paper order, its question number in the bank.
    std::vector<int> bankNumbers;

    int singleChoiceEnd() const { return static_cast<int>(questions.singleChoiceQuestions.size()); }
    int multipleChoiceEnd() const
    {
        return singleChoiceEnd() + static_cast<int>(questions.multipleChoiceQuestions.size());
    }
    int questionCount() const { return static_cast<int>(questions.questionCount()); }
    // paperNumber counts from 1 over the three kinds.
    const Question& question(int paperNumber) const;
};

// The paper a client draws from a bank for one exam number at time `now` (whole seconds):
// the draw, the question order and the option order as the settings ask, every answer in
// stored form. Nothing when an exchanged single-choice question has no answer.
std::optional<ExamPaper> drawPaper(
    QuestionBank bank, const ExamSettings& settings, std::string_view examNumber, std::int64_t now);

} // namespace olv
