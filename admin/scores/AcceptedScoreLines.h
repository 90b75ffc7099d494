#pragma once

#include "common/ScoreDatabase.h"

#include <cstddef>
#include <string>
#include <vector>

namespace olv {

struct DamagedScoreLine
{
    std::size_t lineNumber; // from 1
    ScoreLineStatus status; // TooLong or BadFormat
};

// The stored lines of a score database as the score list takes them: the records of the lines
// that pass the administration rule, in file order, and the lines that do not.
struct AcceptedScoreLines
{
    std::vector<ScoreRecord> records;
    std::vector<DamagedScoreLine> damaged;
};

AcceptedScoreLines acceptScoreLines(const std::vector<std::string>& storedLines);

} // namespace olv
