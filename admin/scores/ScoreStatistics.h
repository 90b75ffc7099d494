#pragma once

#include "common/ScoreRecord.h"

#include <array>
#include <string>
#include <vector>

namespace olv {

// The three states of a candidate in the score database: a blank score field has not sat the
// exam, the login mark is in the exam, anything else has handed in.
enum class CandidateState
{
    NotStarted,
    InExam,
    HandedIn,
};

CandidateState candidateState(const ScoreRecord& record);

// What the score list says under its records: a blank score field is not counted, the login
// mark counts as in the exam, anything else as handed in with its value as a whole number.
struct ScoreStatistics
{
    int handedIn = 0;
    int inExam = 0;
    std::array<int, 10> bands {}; // below 10, below 20, ... below 90, 90 or more
    long long total = 0;
    int highest = 0; // starts at 0
    int lowest = 20000; // starts at 20000, shown as 0 when still there
    int passed = 0; // 60 or more
};

ScoreStatistics scoreStatistics(const std::vector<ScoreRecord>& records);

// The four statistics lines of the list, GBK.
std::vector<std::string> scoreStatisticsLines(const ScoreStatistics& statistics);

} // namespace olv
