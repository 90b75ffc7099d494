#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// The figures of one question of the answer sheet. Undefined figures are empty.
struct QuestionStatistics
{
    int candidates = 0; // records with R or E at the question
    int right = 0;
    int wrong = 0;
    std::optional<double> facility; // right / candidates
    // Facility in the upper group minus facility in the lower group, each among those who had it.
    std::optional<double> discrimination;
    // Correlation of right (1) / wrong (0) with the score, over those who had it.
    std::optional<double> pointBiserial;
};

struct ItemStatistics
{
    int records = 0; // N: each exam number once, its first record
    std::vector<QuestionStatistics> questions; // question 1 at index 0
    int groupSize = 0; // g, the size of the upper and of the lower group
    int commonQuestions = 0; // K: the questions every record had
    std::optional<double> kr20; // over those K questions
};

// The statistics of the answer sheet lines (as read back, each may end with its CR). A line
// shorter than 17 bytes is no record; a later record of an exam number already seen is left out.
// The number of questions is the number of marks of the first record. The counts are made in one
// pass over the marks, after the records have been ordered by score once.
ItemStatistics itemStatistics(const std::vector<std::string>& answerLines);

// The score of a record: the leading whole number of its first 3 bytes, 0 when there is none.
int answerScore(const std::string& line);

// The table as `olvtool item-stats` prints it and the analysis window saves it: UTF-8, TAB
// separated, a header, one line per question, the KR-20 line; numbers "%.3f", "-" where undefined.
// Every line ends with LF.
std::string itemStatisticsText(const ItemStatistics& statistics);

// The same table as a one-sheet XLSX ("试题分析"): the figures as numbers (rounded to three
// places), undefined ones as empty cells. Through the replacing write; false when not written.
bool writeItemStatisticsXlsx(const std::filesystem::path& out, const ItemStatistics& statistics);

// One figure as the table shows it: "%.3f", or "-" when undefined.
std::string statisticText(const std::optional<double>& value);

// Why a question deserves a look, or empty: facility above 0.9 or below 0.2, discrimination
// below 0.2 or negative. UTF-8, for the window's marks.
std::string questionWarning(const QuestionStatistics& question);

} // namespace olv
