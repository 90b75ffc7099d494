#pragma once

#include "common/Question.h"

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

} // namespace olv
