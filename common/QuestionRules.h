#pragma once

#include "common/Question.h"

#include <array>

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
    // A stem that reads back as the marker ending its section: single choice "●多选题:",
    // multiple choice "●判断题:".
    StemIsMultipleChoiceMarker,
    StemIsTrueFalseMarker,
};

inline constexpr std::size_t maxStemLineBytes = 110;

// The rules in the order firstBrokenRule tests them.
inline constexpr std::array<QuestionRule, 12> questionRuleOrder = {
    QuestionRule::EmptyStem,
    QuestionRule::NoOption,
    QuestionRule::EmptyAnswer,
    QuestionRule::OneLetterExpected,
    QuestionRule::TwoLettersExpected,
    QuestionRule::AnswerTooLong,
    QuestionRule::AnswerNotLetters,
    QuestionRule::AnswerRepeatsLetter,
    QuestionRule::TrueFalseAnswerNotAOrB,
    QuestionRule::StemLineTooLong,
    QuestionRule::StemIsMultipleChoiceMarker,
    QuestionRule::StemIsTrueFalseMarker,
};

// Whether the question breaks this one rule, whatever the other rules say, so that callers
// may test the rules in an order of their own.
bool breaksRule(const Question& question, QuestionRule rule);

// The first rule the question breaks, or QuestionRule::None.
QuestionRule firstBrokenRule(const Question& question);

} // namespace olv
