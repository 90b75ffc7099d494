#pragma once

#include "common/Question.h"
#include "common/TextLines.h"
#include "platform/File.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace olv {

// One candidate's line of the answer sheet file: score ("%-3s"), exam number ("%-14s"), then one
// mark per bank question: '*' not on the paper, 'R' right, 'E' wrong or unanswered.
struct AnswerRecord
{
    std::string score; // the first 3 bytes
    std::string examNumber; // bytes 3 to 16
    std::string marks; // from byte 17 to the line's end

    bool operator==(const AnswerRecord&) const = default;
};

inline constexpr std::size_t answerScoreWidth = 3;
inline constexpr std::size_t answerMarksStart = 17;
// The longest line, as read back with its CR, of a record for a bank at the question cap: anything
// longer is damage, and the readers leave it out instead of taking its length as the bank's.
inline constexpr std::size_t longestAnswerLine = answerMarksStart + maxBankQuestions + 1;

// The marking rule: equal once both are upper-cased.
bool answersMatch(std::string_view candidateAnswer, std::string_view correctAnswer);

// The record text without a line end. bankNumbers, candidateAnswers and correctAnswers run over
// the paper's positions; bank numbers are 1-based. A missing candidate answer counts as unanswered;
// a bank number outside 1..bankQuestionCount is ignored.
std::string formatAnswerRecord(std::string_view scoreText, std::string_view examNumber, std::size_t bankQuestionCount,
    const std::vector<int>& bankNumbers, const std::vector<std::string>& candidateAnswers,
    const std::vector<std::string>& correctAnswers);

// Appends the text and CR LF through text mode, so the record ends with CR CR LF; the record
// lands whole or not at all, on a line of its own (see File::appendLine).
bool appendAnswerRecord(File& file, std::string_view recordText);

// From the start of the file, the first line (as read in text mode, ending with its CR) whose
// bytes 3 to 16 equal the exam number filled out to 14 bytes.
std::optional<std::string> findAnswerRecord(File& file, std::string_view examNumber);

// A line as read back. The CR that ends it is left out of the marks; a line too short for a field
// gives what it holds (empty fields when it ends earlier).
AnswerRecord parseAnswerRecord(std::string_view line);

// Every line of the file as read in text mode (each still ending with its CR). Lines longer than
// `longest` (longestAnswerLine for a reader that takes the lines as records) are left out, their
// numbers in `overlong`.
TextLines readAnswerLines(const std::filesystem::path& path, std::size_t longest = File::anyLength);

} // namespace olv
