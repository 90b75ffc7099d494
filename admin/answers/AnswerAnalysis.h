#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace olv {

// The lines of the answer analysis, GBK: the legend, the header with a digit per question, every
// answer sheet line unchanged (each still ending with its CR), the heading of the counts and the
// counts "question:right/wrong " gathered into lines just over 50 bytes. The number of questions
// is taken from the first line. The counts are made in one pass over the marks.
std::vector<std::string> answerAnalysisLines(const std::vector<std::string>& answerLines);

// The list rows of the candidate lines: from this row on, one per answer sheet line.
inline constexpr std::size_t firstCandidateRow = 2;

} // namespace olv
