#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace olv {

// Always handled in this order: in files, lists, papers and question numbers.
enum class QuestionKind { SingleChoice = 0, MultipleChoice = 1, TrueFalse = 2 };

inline constexpr std::array<QuestionKind, 3> allQuestionKinds
    = { QuestionKind::SingleChoice, QuestionKind::MultipleChoice, QuestionKind::TrueFalse };

// Texts are GBK bytes. A line break inside the stem is stored as the two characters "/n".
// True/false questions keep four empty options. The answer holds option letters.
struct Question
{
    QuestionKind kind = QuestionKind::SingleChoice;
    std::string stem;
    std::array<std::string, 4> options;
    std::string answer;

    bool operator==(const Question&) const = default;
};

// No bank comes near this many questions; a bank question number or count beyond it comes from
// a damaged file, and trusting it would build an answer record (or a list of counts) that long.
inline constexpr int maxBankQuestions = 1000000;

// Three ordered lists, one per kind. The question number is the 1-based position over
// the three lists in kind order. Also holds a drawn paper.
struct QuestionBank
{
    std::vector<Question> singleChoiceQuestions;
    std::vector<Question> multipleChoiceQuestions;
    std::vector<Question> trueFalseQuestions;

    std::vector<Question>& questionsOf(QuestionKind kind);
    const std::vector<Question>& questionsOf(QuestionKind kind) const;
    std::size_t questionCount() const;

    bool operator==(const QuestionBank&) const = default;
};

} // namespace olv
