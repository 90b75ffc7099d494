#pragma once

#include "common/Question.h"

namespace olv {

// The rules of a valid question, in the order in which the bank editor tests them. The
// answer may be as typed: a to d count as A to D.
enum class QuestionRule
{
    None,
    EmptyStem,
    NoOption, // single or multiple choice with four empty options
    EmptyAnswer,
    OneLetterExpected, // single choice or true/false answer not exactly one byte
    TwoLettersExpected, // multiple-choice answer of one byte
    AnswerTooLong, // more than four bytes
    AnswerNotLetters, // a byte other than A-D or a-d
    AnswerRepeatsLetter,
    TrueFalseAnswerNotAOrB,
    StemLineTooLong, // a line of the stored stem longer than maxStemLineBytes
};

inline constexpr std::size_t maxStemLineBytes = 110;

// The first rule the question breaks, or QuestionRule::None.
QuestionRule firstBrokenRule(const Question& question);

} // namespace olv
